#pragma once

// The app tests still include the server from here.
#include "tests/support/LocalHttpServer.h"
