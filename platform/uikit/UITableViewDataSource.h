#pragma once

#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UITableViewCell.h"

#include <memory>
#include <optional>
#include <string>

class UITableView;

// Supplies a table's sections, rows and cells and takes its edits. Every call has a default: one
// section of no rows, no titles, rows editable but not movable.
class UITableViewDataSource {
  public:
    virtual ~UITableViewDataSource() = default;

    virtual int numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) { return 1; }
    virtual int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int) { return 0; }
    // A missing cell is shown as an empty plain cell.
    virtual std::shared_ptr<UITableViewCell>
    tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) {
        return nullptr;
    }
    virtual std::optional<std::string> tableViewTitleForHeaderInSection(const std::shared_ptr<UITableView>&,
                                                                        int) {
        return std::nullopt;
    }
    virtual std::optional<std::string> tableViewTitleForFooterInSection(const std::shared_ptr<UITableView>&,
                                                                        int) {
        return std::nullopt;
    }
    virtual bool tableViewCanEditRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) {
        return true;
    }
    virtual bool tableViewCanMoveRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) {
        return false;
    }
    virtual void tableViewCommitEditingStyleForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                              UITableViewCellEditingStyle,
                                                              const NSIndexPath&) {}
    virtual void tableViewMoveRowAtIndexPathToIndexPath(const std::shared_ptr<UITableView>&,
                                                        const NSIndexPath&, const NSIndexPath&) {}
};
