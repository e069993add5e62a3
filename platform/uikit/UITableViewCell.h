#pragma once

#include "platform/uikit/UIView.h"

#include <functional>
#include <memory>
#include <string>

class UIButton;
class UIImageView;
class UILabel;

enum class UITableViewCellStyle { defaultStyle = 0, value1 = 1, value2 = 2, subtitle = 3 };
enum class UITableViewCellSelectionStyle { none = 0, blue = 1, gray = 2, defaultStyle = 3 };
enum class UITableViewCellEditingStyle { none = 0, deleteStyle = 1, insert = 2 };
enum class UITableViewCellAccessoryType { none, disclosureIndicator, checkmark };

// One row of a table. Content goes into the content view, which leaves room for the editing
// controls (a delete button at the leading edge, a reorder grip at the trailing edge) while the
// table edits. Selected or highlighted cells with a selection style show a grey background.
class UITableViewCell : public UIView {
  public:
    UITableViewCell();
    UITableViewCell(UITableViewCellStyle style, std::string reuseIdentifier);
    explicit UITableViewCell(const NSCoder& coder);
    explicit UITableViewCell(const CGRect& frame);

    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    const std::shared_ptr<UIView>& contentView() const { return contentView_; }
    // Created on first use, in the content view.
    std::shared_ptr<UILabel> textLabel();
    std::shared_ptr<UILabel> detailTextLabel();
    std::shared_ptr<UIImageView> imageView();

    UITableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(UITableViewCellSelectionStyle style);
    UITableViewCellAccessoryType accessoryType() const { return accessoryType_; }
    void setAccessoryType(UITableViewCellAccessoryType type);
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected, bool animated);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted, bool animated);
    virtual void prepareForReuse() {}

    bool isEditing() const { return editing_; }
    virtual void setEditing(bool editing, bool animated);
    bool showsReorderControl() const { return showsReorderControl_; }
    void setShowsReorderControl(bool shows);
    bool showingDeleteConfirmation() const { return showingDeleteConfirmation_; }
    const UIEdgeInsets& separatorInset() const { return separatorInset_; }
    void setSeparatorInset(const UIEdgeInsets& inset);

    void layoutSubviews() override;
    CGSize systemLayoutSizeFittingSize(CGSize targetSize) override;

  private:
    friend class UITableView;
    template <typename> friend class UIReusableViewPool;

    void setUp(UITableViewCellStyle style);
    void refreshSelectionBackground();
    // Table-managed editing decorations.
    void setEditingDecoration(UITableViewCellEditingStyle style, bool reorder);
    void setShowingDeleteConfirmation(bool showing);
    void setSeparator(bool visible, const UIColor& color);
    CGRect reorderControlFrame() const;

    std::string reuseIdentifier_;
    UITableViewCellStyle style_ = UITableViewCellStyle::defaultStyle;
    std::shared_ptr<UIView> contentView_;
    std::shared_ptr<UIView> selectedBackground_;
    std::shared_ptr<UILabel> textLabel_;
    std::shared_ptr<UILabel> detailTextLabel_;
    std::shared_ptr<UIImageView> imageView_;
    std::shared_ptr<UIImageView> accessoryView_;
    UITableViewCellSelectionStyle selectionStyle_ = UITableViewCellSelectionStyle::defaultStyle;
    UITableViewCellAccessoryType accessoryType_ = UITableViewCellAccessoryType::none;
    bool selected_ = false;
    bool highlighted_ = false;
    bool editing_ = false;
    bool showsReorderControl_ = false;
    bool showingDeleteConfirmation_ = false;
    UITableViewCellEditingStyle editingStyle_ = UITableViewCellEditingStyle::none;
    std::shared_ptr<UIButton> deleteControl_;
    std::shared_ptr<UIButton> deleteConfirmationButton_;
    std::shared_ptr<UIView> reorderControl_;
    std::shared_ptr<UIView> separator_;
    UIEdgeInsets separatorInset_{0, 16, 0, 0};
    // Set by the table: the delete control was tapped, the deletion confirmed.
    std::function<void(UITableViewCell&)> onDeleteControl_;
    std::function<void(UITableViewCell&)> onDeleteConfirmed_;
};
