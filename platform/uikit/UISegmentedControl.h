#pragma once

#include "platform/graphics/UIFont.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIControl.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class UIImageView;
class UILabel;

inline constexpr int UISegmentedControlNoSegment = -1;

// Segments side by side, one of them selected. Each segment is a subview holding an image view
// and a label. A tap on an enabled segment other than the selected one selects it and sends
// value changed; setting the index in code sends nothing.
class UISegmentedControl : public UIControl {
  public:
    UISegmentedControl();
    explicit UISegmentedControl(const CGRect& frame);
    explicit UISegmentedControl(const NSCoder& coder);
    explicit UISegmentedControl(const std::vector<std::string>& titles);

    int numberOfSegments() const { return static_cast<int>(segments_.size()); }
    void insertSegmentWithTitle(const std::string& title, int segment);
    void insertSegmentWithImage(std::shared_ptr<UIImage> image, int segment);
    void removeSegmentAtIndex(int segment);
    void removeAllSegments();
    void setTitle(const std::string& title, int segment);
    std::optional<std::string> titleForSegmentAtIndex(int segment) const;
    void setImage(std::shared_ptr<UIImage> image, int segment);
    std::shared_ptr<UIImage> imageForSegmentAtIndex(int segment) const;
    void setEnabled(bool enabled, int segment);
    bool isEnabledForSegmentAtIndex(int segment) const;
    using UIControl::setEnabled;

    int selectedSegmentIndex() const { return selected_; }
    // Out of range means no segment.
    void setSelectedSegmentIndex(int index);
    const std::optional<UIColor>& selectedSegmentTintColor() const { return selectedTint_; }
    void setSelectedSegmentTintColor(std::optional<UIColor> color);

    // The segment views, left to right.
    std::vector<std::shared_ptr<UIView>> segmentViews() const;
    int segmentAtPoint(CGPoint point) const;

    CGSize intrinsicContentSize() const override;
    void layoutSubviews() override;
    void touchesEnded(UITouch& touch) override;

  private:
    struct Segment {
        std::shared_ptr<UIView> view;
        std::shared_ptr<UIImageView> imageView;
        std::shared_ptr<UILabel> label;
        bool enabled = true;
    };
    Segment makeSegment();
    void insertSegment(Segment segment, int index);
    void refreshSegments();
    bool valid(int segment) const { return segment >= 0 && segment < numberOfSegments(); }

    std::vector<Segment> segments_;
    int selected_ = UISegmentedControlNoSegment;
    std::optional<UIColor> selectedTint_;
};
