#pragma once

// The app and host tests still include the folder from here.
#include "tests/support/TemporaryFolder.h"
