// The app tests still build the server from this path; veraziva_tests links it from the support library.
#include "tests/support/LocalHttpServer.cpp"
