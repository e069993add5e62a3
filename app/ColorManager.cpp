#include "app/ColorManager.h"

#include "engine/KivoColor.h"
#include "platform/kits/CosmosView.h"
#include "platform/kits/DTTextField.h"
#include "platform/material/FABButton.h"
#include "platform/material/FlatButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIStackView.h"

namespace {

bool isDark() {
    return UITraitCollection::currentTraitCollection().isDark();
}

std::optional<UIColor> colorForTag(int tag) {
    switch (tag) {
    case darkBlueTag:
        return KivoColor::paletteDarkBlue();
    case violetTag:
        return KivoColor::paletteViolet();
    case blueTag:
        return KivoColor::paletteBlue();
    case greenAccentTag:
        return KivoColor::paletteGreenAccent();
    case darkGreenTag:
        return KivoColor::paletteDarkGreen();
    default:
        return std::nullopt;
    }
}

} // namespace

UIColor ColorManager::adaptedColorForDarkMode(const UIColor& color, double factor) {
    return KivoColor::adaptedColorForDarkMode(color, factor);
}

std::optional<std::string> ColorManager::hexString(const UIColor& color) {
    return KivoColor::hexString(color);
}

void ColorManager::applyShadow(CALayer& layer) {
    KivoColor::applyShadow(layer);
}

void ColorManager::applyGreyShadow(CALayer& layer) {
    layer.setMasksToBounds(false);
    layer.setShadowColor(shadowGrey().cgColor());
    layer.setShadowOpacity(0.7f);
    layer.setShadowOffset({0, 1});
    layer.setShadowRadius(1);
}

void ColorManager::applyCardShadow(UIView& view) {
    if (isDark())
        return;
    CALayer& layer = *view.layer();
    layer.setShadowOffset({0, 0});
    layer.setShadowColor(labelColor().cgColor());
    layer.setShadowOpacity(0.23f);
    layer.setShadowRadius(4);
}

void ColorManager::styleViewByTag(UIView& view) {
    if (auto color = colorForTag(view.tag())) {
        view.setBackgroundColor(*color);
    } else if (view.tag() == dimmedTag) {
        view.setAlpha(isDark() ? 0.3 : 0.5);
    }
    if (auto* button = dynamic_cast<UIButton*>(&view)) {
        button->setTitleColor(buttonWhite(), UIControlStateNormal);
        button->setTintColor(buttonWhite());
    }
    if (auto* flat = dynamic_cast<FlatButton*>(&view); flat && flat->imageView()) {
        flat->imageView()->setTintColor(buttonWhite());
    }
    if (!isDark())
        applyGreyShadow(*view.layer());
}

void ColorManager::styleRatingViewByTag(CosmosView& ratingView) {
    if (auto color = colorForTag(ratingView.tag())) {
        CosmosSettings settings = ratingView.settings();
        settings.filledColor = *color;
        ratingView.setSettings(settings);
    }
    if (!isDark()) {
        for (const auto& sublayer : ratingView.layer()->sublayers())
            applyGreyShadow(*sublayer);
    }
}

void ColorManager::styleSubviews(UIView& view) {
    for (const auto& subview : view.subviews()) {
        UIView& child = *subview;
        if (child.isMemberOfClass<UIView>()) {
            if (child.subviews().empty())
                styleViewByTag(child);
            else
                styleSubviews(child);
        } else if (child.isMemberOfClass<UIStackView>()) {
            styleSubviews(child);
        } else if (child.isMemberOfClass<UIButton>() || child.isMemberOfClass<FlatButton>() ||
                   child.isMemberOfClass<FABButton>() || child.isMemberOfClass<UIImageView>()) {
            styleViewByTag(child);
        } else if (child.isMemberOfClass<CosmosView>()) {
            styleRatingViewByTag(static_cast<CosmosView&>(child));
        } else if (child.isMemberOfClass<DTTextField>()) {
            static_cast<DTTextField&>(child).backgroundLayer()->setBackgroundColor(
                UIColor::systemBackgroundColor().cgColor());
        }
    }
}

const UIColor& ColorManager::groupedBackground() {
    static const UIColor color = UIColor::tertiarySystemGroupedBackgroundColor();
    return color;
}

const UIColor& ColorManager::shadowGrey() {
    static const UIColor color = UIColor::systemGrayColor();
    return color;
}

const UIColor& ColorManager::labelColor() {
    static const UIColor color = UIColor::labelColor();
    return color;
}

const UIColor& ColorManager::buttonWhite() {
    static const UIColor color = UIColor::colorWithWhite(0.9, 1.0);
    return color;
}

const UIColor& ColorManager::fieldBackground() {
    static const UIColor color = UIColor::systemBackgroundColor();
    return color;
}

const UIColor& ColorManager::fieldBorderGrey() {
    static const UIColor color = isDark() ? UIColor::systemGrayColor() : UIColor::systemGray4Color();
    return color;
}

const UIColor& ColorManager::warningOrange() {
    static const UIColor color = UIColor::systemOrangeColor();
    return color;
}

const UIColor& ColorManager::errorRed() {
    static const UIColor color = UIColor::systemRedColor();
    return color;
}
