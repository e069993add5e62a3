#pragma once

#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIViewController.h"

#include <memory>

// A controller whose view is a table, with itself as the table's data source and delegate. A
// scene loader or nib may supply the table; otherwise a table of the controller's style fills
// the screen. Editing the controller edits the table.
class UITableViewController : public UIViewController,
                              public UITableViewDataSource,
                              public UITableViewDelegate {
  public:
    explicit UITableViewController(UITableViewStyle style = UITableViewStyle::plain);
    explicit UITableViewController(const NSCoder& coder);

    std::shared_ptr<UITableView> tableView();
    void setTableView(std::shared_ptr<UITableView> tableView);
    bool clearsSelectionOnViewWillAppear() const { return clearsSelectionOnViewWillAppear_; }
    void setClearsSelectionOnViewWillAppear(bool clears) { clearsSelectionOnViewWillAppear_ = clears; }
    bool isEditing() const;
    virtual void setEditing(bool editing, bool animated);

    void loadView() override;
    void viewWillAppear(bool animated) override;

  private:
    void adopt(const std::shared_ptr<UITableView>& tableView);

    UITableViewStyle style_;
    bool clearsSelectionOnViewWillAppear_ = true;
};
