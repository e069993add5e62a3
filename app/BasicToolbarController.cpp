#include "app/BasicToolbarController.h"

#include "app/ColorManager.h"
#include "engine/KivoColor.h"
#include "platform/graphics/UIFont.h"

void BasicToolbarController::prepare() {
    ToolbarController::prepare();
    toolbar()->setDepthPreset(DepthPreset::none);
    toolbar()->setBackgroundColor(KivoColor::paletteViolet());
    for (const auto& label : {toolbar()->titleLabel(), toolbar()->detailLabel()}) {
        label->setTextColor(ColorManager::buttonWhite());
        label->setTextAlignment(NSTextAlignment::left);
    }
    if (auto font = UIFont::fontWithName("Avenir-Heavy", 20))
        toolbar()->titleLabel()->setFont(*font);
}
