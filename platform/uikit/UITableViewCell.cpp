#include "platform/uikit/UITableViewCell.h"

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"

#include <algorithm>

namespace {

constexpr CGFloat editingControlWidth = 38;
constexpr CGFloat deleteConfirmationWidth = 82;
constexpr CGFloat accessoryWidth = 30;
constexpr CGFloat textMargin = 16;

// A red disc with a white bar: the table's delete control.
std::shared_ptr<UIImage> deleteControlImage() {
    return UIImage::vectorImage({22, 22}, [](CGContext& context, const CGRect& rect) {
        context.setFillColor(UIColor::systemRedColor());
        context.fillEllipse(rect.insetBy(1, 1));
        context.setFillColor(UIColor::whiteColor());
        context.fillRect({rect.origin.x + 5, rect.midY() - 1, rect.size.width - 10, 2});
    });
}

// Three grey bars: the grip that moves a row.
class ReorderControl : public UIView {
  public:
    ReorderControl() { setUserInteractionEnabled(false); }

    void drawRect(const CGRect&) override {
        CGContext* context = UIGraphics::currentContext();
        if (!context) {
            return;
        }
        context->setFillColor(UIColor::systemGrayColor());
        CGRect b = bounds();
        for (int i = -1; i <= 1; ++i) {
            context->fillRect({b.midX() - 9, b.midY() + i * 5 - 0.75, 18, 1.5});
        }
    }
};

} // namespace

UITableViewCell::UITableViewCell() : UITableViewCell(UITableViewCellStyle::defaultStyle, {}) {}

UITableViewCell::UITableViewCell(const NSCoder&) : UITableViewCell(UITableViewCellStyle::defaultStyle, {}) {}

UITableViewCell::UITableViewCell(const CGRect& frame) : UIView(frame) {
    setUp(UITableViewCellStyle::defaultStyle);
}

UITableViewCell::UITableViewCell(UITableViewCellStyle style, std::string reuseIdentifier)
    : UIView(CGRect{0, 0, 320, 44}), reuseIdentifier_(std::move(reuseIdentifier)) {
    setUp(style);
}

void UITableViewCell::setUp(UITableViewCellStyle style) {
    style_ = style;
    setBackgroundColor(UIColor::systemBackgroundColor());
    selectedBackground_ = std::make_shared<UIView>(bounds());
    selectedBackground_->setBackgroundColor(UIColor::systemGray4Color());
    selectedBackground_->setHidden(true);
    addSubview(selectedBackground_);
    contentView_ = std::make_shared<UIView>(bounds());
    addSubview(contentView_);
    separator_ = std::make_shared<UIView>();
    separator_->setHidden(true);
    addSubview(separator_);
}

std::shared_ptr<UILabel> UITableViewCell::textLabel() {
    if (!textLabel_) {
        textLabel_ = std::make_shared<UILabel>();
        contentView_->addSubview(textLabel_);
        setNeedsLayout();
    }
    return textLabel_;
}

std::shared_ptr<UILabel> UITableViewCell::detailTextLabel() {
    if (!detailTextLabel_ && style_ != UITableViewCellStyle::defaultStyle) {
        detailTextLabel_ = std::make_shared<UILabel>();
        detailTextLabel_->setFont(
            UIFont::systemFontOfSize(style_ == UITableViewCellStyle::subtitle ? 12 : 17));
        detailTextLabel_->setTextColor(UIColor::systemGrayColor());
        contentView_->addSubview(detailTextLabel_);
        setNeedsLayout();
    }
    return detailTextLabel_;
}

std::shared_ptr<UIImageView> UITableViewCell::imageView() {
    if (!imageView_) {
        imageView_ = std::make_shared<UIImageView>();
        contentView_->addSubview(imageView_);
        setNeedsLayout();
    }
    return imageView_;
}

void UITableViewCell::setSelectionStyle(UITableViewCellSelectionStyle style) {
    selectionStyle_ = style;
    refreshSelectionBackground();
}

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type) {
    accessoryType_ = type;
    if (type == UITableViewCellAccessoryType::none) {
        if (accessoryView_) {
            accessoryView_->removeFromSuperview();
            accessoryView_.reset();
        }
    } else {
        if (!accessoryView_) {
            accessoryView_ = std::make_shared<UIImageView>();
            accessoryView_->setContentMode(UIViewContentMode::center);
            addSubview(accessoryView_);
        }
        bool check = type == UITableViewCellAccessoryType::checkmark;
        accessoryView_->setImage(UIImage::systemImageNamed(check ? "checkmark" : "chevron.right"));
        accessoryView_->setTintColor(check ? tintColor() : UIColor::systemGrayColor());
    }
    setNeedsLayout();
}

void UITableViewCell::setSelected(bool selected, bool) {
    selected_ = selected;
    refreshSelectionBackground();
}

void UITableViewCell::setHighlighted(bool highlighted, bool) {
    highlighted_ = highlighted;
    refreshSelectionBackground();
}

void UITableViewCell::refreshSelectionBackground() {
    bool shown = (selected_ || highlighted_) && selectionStyle_ != UITableViewCellSelectionStyle::none;
    selectedBackground_->setHidden(!shown);
}

void UITableViewCell::setEditing(bool editing, bool) {
    editing_ = editing;
    if (!editing) {
        setShowingDeleteConfirmation(false);
    }
    if (deleteControl_) {
        deleteControl_->setHidden(!editing || editingStyle_ != UITableViewCellEditingStyle::deleteStyle);
    }
    if (reorderControl_) {
        reorderControl_->setHidden(!editing || !showsReorderControl_);
    }
    setNeedsLayout();
}

void UITableViewCell::setShowsReorderControl(bool shows) {
    showsReorderControl_ = shows;
    if (shows && !reorderControl_) {
        reorderControl_ = std::make_shared<ReorderControl>();
        addSubview(reorderControl_);
    }
    if (reorderControl_) {
        reorderControl_->setHidden(!editing_ || !shows);
    }
    setNeedsLayout();
}

void UITableViewCell::setEditingDecoration(UITableViewCellEditingStyle style, bool reorder) {
    editingStyle_ = style;
    if (style == UITableViewCellEditingStyle::deleteStyle && !deleteControl_) {
        deleteControl_ = UIButton::buttonWithType(UIButtonType::custom);
        deleteControl_->setImage(deleteControlImage(), UIControlStateNormal);
        deleteControl_->setAccessibilityIdentifier("Delete control");
        deleteControl_->addAction(
            [this](const std::shared_ptr<UIControl>&) {
                if (onDeleteControl_) {
                    onDeleteControl_(*this);
                }
            },
            UIControlEventTouchUpInside);
        addSubview(deleteControl_);
    }
    setShowsReorderControl(reorder);
    setEditing(editing_, false);
}

void UITableViewCell::setShowingDeleteConfirmation(bool showing) {
    showingDeleteConfirmation_ = showing;
    if (showing && !deleteConfirmationButton_) {
        deleteConfirmationButton_ = UIButton::buttonWithType(UIButtonType::custom);
        deleteConfirmationButton_->setTitle("Delete", UIControlStateNormal);
        deleteConfirmationButton_->setBackgroundColor(UIColor::systemRedColor());
        deleteConfirmationButton_->addAction(
            [this](const std::shared_ptr<UIControl>&) {
                if (onDeleteConfirmed_) {
                    onDeleteConfirmed_(*this);
                }
            },
            UIControlEventTouchUpInside);
        addSubview(deleteConfirmationButton_);
    }
    if (deleteConfirmationButton_) {
        deleteConfirmationButton_->setHidden(!showing);
    }
    setNeedsLayout();
}

void UITableViewCell::setSeparatorInset(const UIEdgeInsets& inset) {
    separatorInset_ = inset;
    setNeedsLayout();
}

void UITableViewCell::setSeparator(bool visible, const UIColor& color) {
    separator_->setHidden(!visible);
    separator_->setBackgroundColor(color);
}

CGRect UITableViewCell::reorderControlFrame() const {
    CGRect b = bounds();
    return {b.size.width - editingControlWidth, 0, editingControlWidth, b.size.height};
}

void UITableViewCell::layoutSubviews() {
    UIView::layoutSubviews();
    CGRect b = bounds();
    CGFloat leading = 0;
    CGFloat trailing = 0;
    if (editing_ && editingStyle_ == UITableViewCellEditingStyle::deleteStyle) {
        leading = editingControlWidth;
        deleteControl_->setFrame({0, 0, editingControlWidth, b.size.height});
    }
    if (editing_ && showsReorderControl_) {
        trailing = editingControlWidth;
        reorderControl_->setFrame(reorderControlFrame());
    }
    if (accessoryView_ && !editing_) {
        trailing = accessoryWidth;
        accessoryView_->setFrame({b.size.width - accessoryWidth - 8, 0, accessoryWidth, b.size.height});
    }
    if (showingDeleteConfirmation_) {
        deleteConfirmationButton_->setFrame(
            {b.size.width - deleteConfirmationWidth, 0, deleteConfirmationWidth, b.size.height});
        bringSubviewToFront(deleteConfirmationButton_.get());
    }
    selectedBackground_->setFrame(b);
    contentView_->setFrame(
        {leading, 0, std::max<CGFloat>(0, b.size.width - leading - trailing), b.size.height});
    CGFloat hairline = 1 / UIScreen::mainScreen()->scale();
    separator_->setFrame({separatorInset_.left, b.size.height - hairline,
                          std::max<CGFloat>(0, b.size.width - separatorInset_.left - separatorInset_.right),
                          hairline});
    bringSubviewToFront(separator_.get());

    CGRect content = contentView_->bounds();
    CGFloat x = textMargin;
    if (imageView_ && imageView_->image()) {
        CGSize size = imageView_->image()->size();
        imageView_->setFrame({x, content.midY() - size.height / 2, size.width, size.height});
        x += size.width + textMargin;
    }
    CGFloat width = std::max<CGFloat>(0, content.size.width - x - textMargin);
    if (textLabel_ && detailTextLabel_ && style_ == UITableViewCellStyle::subtitle) {
        CGFloat top =
            content.midY() -
            (textLabel_->intrinsicContentSize().height + detailTextLabel_->intrinsicContentSize().height) / 2;
        textLabel_->setFrame({x, top, width, textLabel_->intrinsicContentSize().height});
        detailTextLabel_->setFrame({x, top + textLabel_->intrinsicContentSize().height, width,
                                    detailTextLabel_->intrinsicContentSize().height});
    } else {
        if (textLabel_) {
            textLabel_->setFrame({x, 0, width, content.size.height});
        }
        if (detailTextLabel_) {
            detailTextLabel_->setTextAlignment(NSTextAlignment::right);
            detailTextLabel_->setFrame({x, 0, width, content.size.height});
        }
    }
}

CGSize UITableViewCell::systemLayoutSizeFittingSize(CGSize targetSize) {
    CGSize fitting = contentView_->systemLayoutSizeFittingSize(targetSize);
    if (textLabel_ && !textLabel_->text().empty()) {
        // The built-in labels fill the row's height, so their text sets it, with the usual margins.
        CGFloat text = textLabel_->sizeThatFits({targetSize.width - 2 * textMargin, 0}).height;
        if (detailTextLabel_ && style_ == UITableViewCellStyle::subtitle) {
            text += detailTextLabel_->intrinsicContentSize().height;
        }
        fitting.height = std::max(fitting.height, text + 22);
    }
    return {targetSize.width, std::max<CGFloat>(44, fitting.height)};
}
