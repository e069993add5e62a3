#include "app/MenuToolbarController.h"

#include "engine/KivoColor.h"
#include "engine/LocalizedString.h"
#include "platform/foundation/Bundle.h"

void MenuToolbarController::prepare() {
    BasicToolbarController::prepare();
    statusBar()->setHidden(true);
    toolbar()->setContentEdgeInsets({57, 0, 0, 0});
    toolbar()->setBackgroundColor(KivoColor::paletteDarkBlue());
    const std::string title =
        Bundle::mainBundle()->localizedString(LocalizedString::appTitle(), "The main app name");
    toolbar()->setTitle("  " + title + "  ");
    toolbar()->titleLabel()->setAdjustsFontSizeToFitWidth(true);
    const CGRect frame = toolbar()->frame();
    toolbar()->setFrame({frame.origin.x, frame.origin.y, frame.width(), toolbarHeight});
    layoutViews();
}
