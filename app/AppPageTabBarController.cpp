#include "app/AppPageTabBarController.h"

#include "engine/KivoColor.h"
#include "platform/material/Color.h"

void AppPageTabBarController::prepare() {
    TabsController::prepare();
    view()->setBackgroundColor(Color::blueGrey::lighten5());
    setDelegate(sharedAs<AppPageTabBarController>());
    setTabBarAlignment(TabBarAlignment::top);
    tabBar()->setDividerColor(std::nullopt);
    tabBar()->setLineColor(KivoColor::paletteGreenAccent());
    tabBar()->setLineAlignment(TabBarLineAlignment::bottom);
    tabBar()->setBackgroundColor(KivoColor::paletteBlue());
}
