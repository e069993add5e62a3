#pragma once

#include <optional>
#include <string>

// The process entry: creates the application (principal class: only UIApplication, the default)
// and its delegate from the class registered under the delegate's name, launches the app, makes it
// active and runs the main run loop in a window when a display is present, else offscreen (see
// HostOptions for the command line). When the app ends, the process ends with the host's status (0
// when the app ended normally); when the classes cannot be made, the result is 1.
int UIApplicationMain(int argc, char** argv, const std::optional<std::string>& principalClassName,
                      const std::optional<std::string>& delegateClassName);
