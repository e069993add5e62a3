#pragma once

#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

enum class UIButtonType { custom = 0, system = 1 };

// A control with a title, a title colour and an image per state; a state without its own value
// shows the normal one. System buttons draw their title and (template) images in the tint colour,
// grey when disabled and faded while pressed; custom buttons have white titles and images as
// they are. The image sits left of the title, both centred in the content area.
class UIButton : public UIControl {
  public:
    static std::shared_ptr<UIButton> buttonWithType(UIButtonType type);

    // A custom button.
    UIButton();
    explicit UIButton(const CGRect& frame);
    UIButton(UIButtonType type, const CGRect& frame);
    explicit UIButton(const NSCoder& coder);

    UIButtonType buttonType() const { return type_; }

    void setTitle(std::optional<std::string> title, UIControlState state);
    std::optional<std::string> titleForState(UIControlState state) const;
    std::optional<std::string> currentTitle() const { return titleForState(state()); }
    void setTitleColor(std::optional<UIColor> color, UIControlState state);
    std::optional<UIColor> titleColorForState(UIControlState state) const;
    UIColor currentTitleColor() const;
    void setImage(std::shared_ptr<UIImage> image, UIControlState state);
    std::shared_ptr<UIImage> imageForState(UIControlState state) const;
    std::shared_ptr<UIImage> currentImage() const { return imageForState(state()); }
    const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<UIImageView>& imageView() const { return imageView_; }
    const UIEdgeInsets& contentEdgeInsets() const { return contentInsets_; }
    void setContentEdgeInsets(const UIEdgeInsets& insets);

    CGSize intrinsicContentSize() const override;
    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;
    void tintColorDidChange() override;

  protected:
    void stateDidChange() override;

  private:
    template <typename T>
    static std::optional<T> lookup(const std::map<UIControlState, T>& values, UIControlState state);
    void refreshContent();
    CGSize contentSize() const;

    UIButtonType type_ = UIButtonType::custom;
    std::map<UIControlState, std::string> titles_;
    std::map<UIControlState, UIColor> titleColors_;
    std::map<UIControlState, std::shared_ptr<UIImage>> images_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UIImageView> imageView_;
    UIEdgeInsets contentInsets_;
};
