#include "platform/uikit/UITableViewController.h"

#include "platform/uikit/UIScreen.h"

UITableViewController::UITableViewController(UITableViewStyle style) : style_(style) {}

UITableViewController::UITableViewController(const NSCoder&) : style_(UITableViewStyle::plain) {}

std::shared_ptr<UITableView> UITableViewController::tableView() {
    return std::dynamic_pointer_cast<UITableView>(view());
}

void UITableViewController::setTableView(std::shared_ptr<UITableView> tableView) {
    setView(tableView);
    adopt(tableView);
}

void UITableViewController::adopt(const std::shared_ptr<UITableView>& tableView) {
    if (!tableView) {
        return;
    }
    auto self = std::static_pointer_cast<UITableViewController>(UIViewController::shared_from_this());
    if (!tableView->dataSource()) {
        tableView->setDataSource(std::static_pointer_cast<UITableViewDataSource>(self));
    }
    if (!tableView->delegate()) {
        tableView->setDelegate(std::static_pointer_cast<UITableViewDelegate>(self));
    }
}

void UITableViewController::loadView() {
    UIViewController::loadView();
    auto table = std::dynamic_pointer_cast<UITableView>(viewIfLoaded());
    if (!table) {
        table = std::make_shared<UITableView>(UIScreen::mainScreen()->bounds(), style_);
        setView(table);
    }
    adopt(table);
}

bool UITableViewController::isEditing() const {
    auto table = std::dynamic_pointer_cast<UITableView>(viewIfLoaded());
    return table && table->isEditing();
}

void UITableViewController::setEditing(bool editing, bool animated) {
    if (auto table = tableView()) {
        table->setEditing(editing, animated);
    }
}

void UITableViewController::viewWillAppear(bool animated) {
    UIViewController::viewWillAppear(animated);
    if (!clearsSelectionOnViewWillAppear_) {
        return;
    }
    auto table = std::dynamic_pointer_cast<UITableView>(viewIfLoaded());
    if (auto selected = table ? table->indexPathForSelectedRow() : std::nullopt) {
        table->deselectRowAtIndexPath(*selected, animated);
    }
}
