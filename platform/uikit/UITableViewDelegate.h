#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIScrollViewDelegate.h"
#include "platform/uikit/UITableViewCell.h"

#include <memory>
#include <optional>

class UITableView;
class UIView;

// Sizes, section views, display and selection of a table. A height answer of nothing leaves the
// table's own setting in force.
class UITableViewDelegate : public UIScrollViewDelegate {
  public:
    virtual std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                    const NSIndexPath&) {
        return std::nullopt;
    }
    virtual std::optional<CGFloat> tableViewHeightForHeaderInSection(const std::shared_ptr<UITableView>&,
                                                                     int) {
        return std::nullopt;
    }
    virtual std::optional<CGFloat> tableViewHeightForFooterInSection(const std::shared_ptr<UITableView>&,
                                                                     int) {
        return std::nullopt;
    }
    virtual std::shared_ptr<UIView> tableViewViewForHeaderInSection(const std::shared_ptr<UITableView>&,
                                                                    int) {
        return nullptr;
    }
    virtual std::shared_ptr<UIView> tableViewViewForFooterInSection(const std::shared_ptr<UITableView>&,
                                                                    int) {
        return nullptr;
    }
    virtual void tableViewWillDisplayCellForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                           const std::shared_ptr<UITableViewCell>&,
                                                           const NSIndexPath&) {}
    virtual void tableViewDidEndDisplayingCellForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                const std::shared_ptr<UITableViewCell>&,
                                                                const NSIndexPath&) {}
    virtual void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) {}
    virtual void tableViewDidDeselectRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) {
    }
    virtual UITableViewCellEditingStyle
    tableViewEditingStyleForRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) {
        return UITableViewCellEditingStyle::deleteStyle;
    }
};
