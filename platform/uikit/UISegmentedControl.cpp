#include "platform/uikit/UISegmentedControl.h"

#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>

namespace {

constexpr CGFloat segmentPadding = 12;
constexpr CGFloat trackInset = 2;

} // namespace

UISegmentedControl::UISegmentedControl() : UISegmentedControl(CGRect{}) {}

UISegmentedControl::UISegmentedControl(const NSCoder&) : UISegmentedControl(CGRect{}) {}

UISegmentedControl::UISegmentedControl(const CGRect& frame) : UIControl(frame) {
    setBackgroundColor(
        UIColor::dynamicColor(UIColor::colorWithWhite(0.46, 0.12), UIColor::colorWithWhite(0.46, 0.24)));
    layer()->setCornerRadius(8);
}

UISegmentedControl::UISegmentedControl(const std::vector<std::string>& titles)
    : UISegmentedControl(CGRect{}) {
    for (const auto& title : titles) {
        insertSegmentWithTitle(title, numberOfSegments());
    }
    CGSize size = intrinsicContentSize();
    setFrame({0, 0, size.width, size.height});
}

UISegmentedControl::Segment UISegmentedControl::makeSegment() {
    Segment segment;
    segment.view = std::make_shared<UIView>();
    segment.view->setUserInteractionEnabled(false);
    segment.view->layer()->setCornerRadius(7);
    segment.imageView = std::make_shared<UIImageView>();
    segment.imageView->setContentMode(UIViewContentMode::center);
    segment.label = std::make_shared<UILabel>();
    segment.label->setFont(UIFont::systemFontOfSize(13, UIFontWeight::medium));
    segment.label->setTextAlignment(NSTextAlignment::center);
    segment.view->addSubview(segment.imageView);
    segment.view->addSubview(segment.label);
    return segment;
}

void UISegmentedControl::insertSegment(Segment segment, int index) {
    index = std::clamp(index, 0, numberOfSegments());
    if (selected_ >= index) {
        ++selected_;
    }
    addSubview(segment.view);
    segments_.insert(segments_.begin() + index, std::move(segment));
    refreshSegments();
}

void UISegmentedControl::insertSegmentWithTitle(const std::string& title, int segment) {
    Segment s = makeSegment();
    s.label->setText(title);
    insertSegment(std::move(s), segment);
}

void UISegmentedControl::insertSegmentWithImage(std::shared_ptr<UIImage> image, int segment) {
    Segment s = makeSegment();
    s.imageView->setImage(std::move(image));
    insertSegment(std::move(s), segment);
}

void UISegmentedControl::removeSegmentAtIndex(int segment) {
    if (!valid(segment)) {
        return;
    }
    segments_[static_cast<std::size_t>(segment)].view->removeFromSuperview();
    segments_.erase(segments_.begin() + segment);
    if (selected_ == segment) {
        selected_ = UISegmentedControlNoSegment;
    } else if (selected_ > segment) {
        --selected_;
    }
    refreshSegments();
}

void UISegmentedControl::removeAllSegments() {
    while (!segments_.empty()) {
        removeSegmentAtIndex(numberOfSegments() - 1);
    }
}

void UISegmentedControl::setTitle(const std::string& title, int segment) {
    if (valid(segment)) {
        segments_[static_cast<std::size_t>(segment)].label->setText(title);
        refreshSegments();
    }
}

std::optional<std::string> UISegmentedControl::titleForSegmentAtIndex(int segment) const {
    if (!valid(segment) || segments_[static_cast<std::size_t>(segment)].label->text().empty()) {
        return std::nullopt;
    }
    return segments_[static_cast<std::size_t>(segment)].label->text();
}

void UISegmentedControl::setImage(std::shared_ptr<UIImage> image, int segment) {
    if (valid(segment)) {
        segments_[static_cast<std::size_t>(segment)].imageView->setImage(std::move(image));
        refreshSegments();
    }
}

std::shared_ptr<UIImage> UISegmentedControl::imageForSegmentAtIndex(int segment) const {
    return valid(segment) ? segments_[static_cast<std::size_t>(segment)].imageView->image() : nullptr;
}

void UISegmentedControl::setEnabled(bool enabled, int segment) {
    if (valid(segment)) {
        segments_[static_cast<std::size_t>(segment)].enabled = enabled;
        refreshSegments();
    }
}

bool UISegmentedControl::isEnabledForSegmentAtIndex(int segment) const {
    return valid(segment) && segments_[static_cast<std::size_t>(segment)].enabled;
}

void UISegmentedControl::setSelectedSegmentIndex(int index) {
    selected_ = valid(index) ? index : UISegmentedControlNoSegment;
    refreshSegments();
}

void UISegmentedControl::setSelectedSegmentTintColor(std::optional<UIColor> color) {
    selectedTint_ = std::move(color);
    refreshSegments();
}

std::vector<std::shared_ptr<UIView>> UISegmentedControl::segmentViews() const {
    std::vector<std::shared_ptr<UIView>> views;
    for (const auto& segment : segments_) {
        views.push_back(segment.view);
    }
    return views;
}

void UISegmentedControl::refreshSegments() {
    UIColor selectedBackground = selectedTint_.value_or(
        UIColor::dynamicColor(UIColor::whiteColor(), UIColor::colorWithWhite(0.39, 1)));
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        const Segment& segment = segments_[i];
        bool selected = static_cast<int>(i) == selected_;
        segment.view->setBackgroundColor(selected ? std::optional<UIColor>(selectedBackground)
                                                  : std::nullopt);
        bool enabled = segment.enabled && isEnabled();
        segment.label->setTextColor(enabled ? UIColor::labelColor() : UIColor::systemGrayColor());
        segment.imageView->setTintColor(enabled ? UIColor::labelColor() : UIColor::systemGrayColor());
        segment.label->setHidden(segment.label->text().empty());
        segment.imageView->setHidden(!segment.imageView->image());
    }
    invalidateIntrinsicContentSize();
    setNeedsLayout();
}

CGSize UISegmentedControl::intrinsicContentSize() const {
    CGFloat widest = 0;
    for (const auto& segment : segments_) {
        CGSize label = segment.label->intrinsicContentSize();
        CGSize image = segment.imageView->image() ? segment.imageView->image()->size() : CGSize{};
        widest = std::max(widest, std::max(label.width, image.width) + 2 * segmentPadding);
    }
    return {widest * static_cast<CGFloat>(segments_.size()), 32};
}

void UISegmentedControl::layoutSubviews() {
    UIControl::layoutSubviews();
    if (segments_.empty()) {
        return;
    }
    CGRect track = bounds().insetBy(trackInset, trackInset);
    CGFloat width = track.size.width / static_cast<CGFloat>(segments_.size());
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        const Segment& segment = segments_[i];
        segment.view->setFrame(
            {track.origin.x + width * static_cast<CGFloat>(i), track.origin.y, width, track.size.height});
        CGRect inside = segment.view->bounds();
        segment.imageView->setFrame(inside.insetBy(4, 4));
        segment.label->setFrame(inside.insetBy(4, 0));
    }
}

int UISegmentedControl::segmentAtPoint(CGPoint point) const {
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (segments_[i].view->frame().contains(point)) {
            return static_cast<int>(i);
        }
    }
    return UISegmentedControlNoSegment;
}

void UISegmentedControl::touchesEnded(UITouch& touch) {
    bool tracking = isTracking();
    UIControl::touchesEnded(touch);
    if (!tracking) {
        return;
    }
    int segment = segmentAtPoint(touch.locationInView(this));
    if (valid(segment) && segments_[static_cast<std::size_t>(segment)].enabled && segment != selected_) {
        setSelectedSegmentIndex(segment);
        sendActionsForControlEvents(UIControlEventValueChanged);
    }
}
