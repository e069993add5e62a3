#include "platform/uikit/UIAlertController.h"

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"

#include <algorithm>

namespace {

constexpr CGFloat alertWidth = 270;
constexpr CGFloat textInset = 16;
constexpr CGFloat buttonHeight = 44;
constexpr CGFloat sheetMargin = 8;

UIColor panelColor() {
    return UIColor::dynamicColor(UIColor::colorWithWhite(0.97, 1), UIColor::colorWithWhite(0.17, 1));
}

std::shared_ptr<UILabel> makeText(const std::string& text, const UIFont& font, CGFloat width) {
    auto label = std::make_shared<UILabel>();
    label->setText(text);
    label->setFont(font);
    label->setNumberOfLines(0);
    label->setTextAlignment(NSTextAlignment::center);
    CGSize size = label->sizeThatFits({width, 0});
    label->setFrame({textInset, 0, width, size.height});
    return label;
}

std::shared_ptr<UIView> hairline(const CGRect& frame) {
    auto line = std::make_shared<UIView>(frame);
    line->setBackgroundColor(UIColor::separatorColor());
    return line;
}

} // namespace

std::shared_ptr<UIAlertController>
UIAlertController::alertControllerWithTitle(std::optional<std::string> title,
                                            std::optional<std::string> message,
                                            UIAlertControllerStyle preferredStyle) {
    return std::make_shared<UIAlertController>(std::move(title), std::move(message), preferredStyle);
}

UIAlertController::UIAlertController(std::optional<std::string> title, std::optional<std::string> message,
                                     UIAlertControllerStyle preferredStyle)
    : alertTitle_(std::move(title)), message_(std::move(message)), style_(preferredStyle) {
    setTitle(alertTitle_.value_or(""));
    setModalPresentationStyle(UIModalPresentationStyle::overFullScreen);
    setModalTransitionStyle(UIModalTransitionStyle::crossDissolve);
}

void UIAlertController::addAction(const std::shared_ptr<UIAlertAction>& action) {
    if (action) {
        actions_.push_back(action);
    }
}

std::shared_ptr<UIButton> UIAlertController::buttonForAction(const UIAlertAction* action) const {
    for (const auto& [owner, button] : buttons_) {
        if (owner == action) {
            return button;
        }
    }
    return nullptr;
}

void UIAlertController::actionTapped(const std::shared_ptr<UIAlertAction>& action) {
    if (isBeingDismissed()) {
        return;
    }
    dismissViewControllerAnimated(true, [action] {
        if (action->handler()) {
            action->handler()(action);
        }
    });
}

void UIAlertController::loadView() {
    CGRect screen = UIScreen::mainScreen()->bounds();
    auto root = std::make_shared<UIView>(screen);
    root->setBackgroundColor(UIColor::colorWithWhite(0, 0.2));
    bool sheet = style_ == UIAlertControllerStyle::actionSheet;
    CGFloat width = sheet ? screen.size.width - 2 * sheetMargin : alertWidth;
    CGFloat textWidth = width - 2 * textInset;

    auto box = std::make_shared<UIView>();
    box->setBackgroundColor(panelColor());
    box->layer()->setCornerRadius(14);
    box->setClipsToBounds(true);
    CGFloat y = (alertTitle_ || message_) ? 20 : 0;
    if (alertTitle_ && !alertTitle_->empty()) {
        auto label = makeText(*alertTitle_, UIFont::systemFontOfSize(17, UIFontWeight::semibold), textWidth);
        label->setFrame({textInset, y, textWidth, label->frame().size.height});
        box->addSubview(label);
        y += label->frame().size.height + 4;
    }
    if (message_ && !message_->empty()) {
        auto label = makeText(*message_, UIFont::systemFontOfSize(13), textWidth);
        label->setFrame({textInset, y, textWidth, label->frame().size.height});
        box->addSubview(label);
        y += label->frame().size.height;
    }
    if (y > 0) {
        y += 20;
    }

    std::vector<std::shared_ptr<UIAlertAction>> ordered = actions_;
    std::stable_partition(ordered.begin(), ordered.end(),
                          [](const auto& a) { return a->style() != UIAlertActionStyle::cancel; });
    bool sideBySide = !sheet && ordered.size() == 2;
    if (sideBySide && ordered[1]->style() == UIAlertActionStyle::cancel) {
        std::swap(ordered[0], ordered[1]);
    }
    std::weak_ptr<UIResponder> weakSelf = weak_from_this();
    buttons_.clear();
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        const auto& action = ordered[i];
        auto button = UIButton::buttonWithType(UIButtonType::system);
        button->setTitle(action->title(), UIControlStateNormal);
        button->titleLabel()->setFont(UIFont::systemFontOfSize(
            17,
            action->style() == UIAlertActionStyle::cancel ? UIFontWeight::semibold : UIFontWeight::regular));
        if (action->style() == UIAlertActionStyle::destructive) {
            button->setTitleColor(UIColor::systemRedColor(), UIControlStateNormal);
        }
        button->setEnabled(action->isEnabled());
        button->setAccessibilityIdentifier(action->title());
        button->addAction(
            [weakSelf, action](const std::shared_ptr<UIControl>&) {
                if (auto self = std::static_pointer_cast<UIAlertController>(weakSelf.lock())) {
                    self->actionTapped(action);
                }
            },
            UIControlEventTouchUpInside);
        CGRect frame = sideBySide ? CGRect{width / 2 * static_cast<CGFloat>(i), y, width / 2, buttonHeight}
                                  : CGRect{0, y, width, buttonHeight};
        box->addSubview(hairline({frame.origin.x, frame.origin.y, frame.size.width, 0.5}));
        if (sideBySide && i == 1) {
            box->addSubview(hairline({frame.origin.x, frame.origin.y, 0.5, buttonHeight}));
        }
        button->setFrame(frame);
        box->addSubview(button);
        buttons_.emplace_back(action.get(), button);
        if (!sideBySide || i == 1) {
            y += buttonHeight;
        }
    }
    if (sheet) {
        CGFloat bottom = screen.size.height - UIScreen::mainScreen()->safeAreaInsets().bottom - sheetMargin;
        box->setFrame({sheetMargin, bottom - y, width, y});
        box->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    } else {
        box->setFrame({screen.midX() - width / 2, screen.midY() - y / 2, width, y});
        box->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                                 UIViewAutoresizingFlexibleRightMargin | UIViewAutoresizingFlexibleTopMargin |
                                 UIViewAutoresizingFlexibleBottomMargin);
    }
    root->addSubview(box);
    setView(root);
}
