#include "app/AppNavigationDrawerController.h"

#include "platform/uikit/UIView.h"

void AppNavigationDrawerController::prepare() {
    NavigationDrawerController::prepare();
    setDelegate(sharedAs<AppNavigationDrawerController>());
}
