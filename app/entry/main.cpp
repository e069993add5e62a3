#include "app/AppDelegate.h"
#include "platform/host/ClassRegistry.h"
#include "platform/host/UIApplicationMain.h"

int main(int argc, char** argv) {
    return UIApplicationMain(argc, argv, std::nullopt,
                             ClassRegistry::registerDelegateClass<AppDelegate>("AppDelegate"));
}
