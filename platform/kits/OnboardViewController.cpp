#include "platform/kits/OnboardViewController.h"

#include "platform/graphics/UIImage.h"

#include <algorithm>
#include <limits>

namespace {

constexpr CGFloat margin = 24;
constexpr CGFloat spacing = 12;
constexpr CGFloat advanceButtonHeight = 50;
constexpr CGFloat actionButtonHeight = 44;

CGFloat fittingHeight(const UILabel& label, CGFloat width) {
    if (label.isHidden()) {
        return 0;
    }
    return label.sizeThatFits({width, std::numeric_limits<CGFloat>::max()}).height;
}

} // namespace

OnboardViewController::OnboardViewController(std::vector<OnboardPage> pageItems,
                                             AppearanceConfiguration appearanceConfiguration,
                                             std::function<void()> completion)
    : pages_(std::move(pageItems)), appearance_(std::move(appearanceConfiguration)),
      completion_(std::move(completion)) {}

void OnboardViewController::presentFrom(const std::shared_ptr<UIViewController>& presenter, bool animated) {
    if (presenter) {
        presenter->presentViewController(std::static_pointer_cast<UIViewController>(shared_from_this()),
                                         animated);
    }
}

void OnboardViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    auto self = std::static_pointer_cast<OnboardViewController>(shared_from_this());
    view()->setBackgroundColor(appearance_.backgroundColor);

    imageView_->setContentMode(appearance_.imageContentMode);
    titleLabel_->setFont(appearance_.titleFont);
    titleLabel_->setTextColor(appearance_.titleColor);
    subtitleLabel_->setFont(appearance_.textFont);
    subtitleLabel_->setTextColor(appearance_.textColor);
    descriptionLabel_->setFont(appearance_.textFont);
    descriptionLabel_->setTextColor(appearance_.textColor);
    for (const auto& label : {titleLabel_, subtitleLabel_, descriptionLabel_}) {
        label->setTextAlignment(NSTextAlignment::center);
        label->setNumberOfLines(0);
        label->setLineBreakMode(NSLineBreakMode::byWordWrapping);
    }

    advanceButton_->setTitleColor(appearance_.tintColor, UIControlStateNormal);
    advanceButton_->addTarget(self, &OnboardViewController::advance, UIControlEventTouchUpInside);
    if (appearance_.advanceButtonStyling) {
        appearance_.advanceButtonStyling(advanceButton_);
    }
    actionButton_->setTitleColor(appearance_.tintColor, UIControlStateNormal);
    actionButton_->addTarget(self, &OnboardViewController::runAction, UIControlEventTouchUpInside);
    if (appearance_.actionButtonStyling) {
        appearance_.actionButtonStyling(actionButton_);
    }

    for (const auto& subview : std::initializer_list<std::shared_ptr<UIView>>{
             imageView_, titleLabel_, subtitleLabel_, descriptionLabel_, actionButton_, advanceButton_}) {
        view()->addSubview(subview);
    }
    showPage(0);
}

void OnboardViewController::showPage(std::size_t index) {
    if (index >= pages_.size()) {
        return;
    }
    current_ = index;
    const OnboardPage& page = pages_[index];
    imageView_->setImage(UIImage::imageNamed(page.imageName));
    titleLabel_->setText(page.title);
    titleLabel_->setHidden(page.title.empty());
    subtitleLabel_->setText(page.subtitle);
    subtitleLabel_->setHidden(page.subtitle.empty());
    descriptionLabel_->setText(page.description);
    advanceButton_->setTitle(page.advanceButtonTitle, UIControlStateNormal);
    actionButton_->setTitle(page.actionButtonTitle, UIControlStateNormal);
    actionButton_->setHidden(!page.actionButtonTitle);
    if (auto view = viewIfLoaded()) {
        view->setNeedsLayout();
    }
}

void OnboardViewController::advance() {
    if (finished_) {
        return;
    }
    if (current_ + 1 < pages_.size()) {
        showPage(current_ + 1);
        return;
    }
    finished_ = true;
    auto keepAlive = shared_from_this();
    if (completion_) {
        completion_();
    }
    // Dismissed through its presenter, so that a controller this one presents cannot be taken
    // for it.
    if (auto presenter = presentingViewController()) {
        presenter->dismissViewControllerAnimated(true);
    }
}

void OnboardViewController::runAction() {
    if (current_ < pages_.size() && pages_[current_].action) {
        pages_[current_].action();
    }
}

void OnboardViewController::viewWillLayoutSubviews() {
    UIViewController::viewWillLayoutSubviews();
    auto view = viewIfLoaded();
    if (!view) {
        return;
    }
    CGRect b = view->bounds();
    UIEdgeInsets safe = view->safeAreaInsets();
    CGFloat width = std::max<CGFloat>(0, b.width() - 2 * margin);
    CGFloat top = safe.top + margin;
    CGFloat bottom = b.height() - safe.bottom - margin;

    advanceButton_->setFrame({margin, bottom - advanceButtonHeight, width, advanceButtonHeight});
    bottom -= advanceButtonHeight + spacing;
    if (!actionButton_->isHidden()) {
        actionButton_->setFrame({margin, bottom - actionButtonHeight, width, actionButtonHeight});
        bottom -= actionButtonHeight + spacing;
    }

    CGFloat imageHeight = std::max<CGFloat>(0, (bottom - top) * 0.5);
    imageView_->setFrame({margin, top, width, imageHeight});
    CGFloat y = top + imageHeight + spacing;
    for (const auto& label : {titleLabel_, subtitleLabel_}) {
        CGFloat height = fittingHeight(*label, width);
        label->setFrame({margin, y, width, height});
        y += height > 0 ? height + spacing : 0;
    }
    CGFloat room = std::max<CGFloat>(0, bottom - y);
    descriptionLabel_->setFrame({margin, y, width, std::min(room, fittingHeight(*descriptionLabel_, width))});
}
