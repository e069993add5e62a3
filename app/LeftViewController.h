#pragma once

#include "app/AppMetaData.h"
#include "platform/uikit/UITableViewController.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The side menu in the drawer's left panel: the app's own destinations (input, history,
// introduction, privacy), the community and rating rows, and, when the remote catalogue lists both
// kinds, the maker's combined apps and single apps, each row opening the app or its store page.
class LeftViewController : public UITableViewController {
  public:
    static constexpr const char* storyboardName = "Main";
    static constexpr const char* storyboardIdentifier = "LeftViewController";
    static constexpr const char* cellIdentifier = "cell";
    static constexpr CGFloat sectionHeaderHeight = 30;

    LeftViewController();
    explicit LeftViewController(const NSCoder& coder);
    explicit LeftViewController(UITableViewStyle style);
    static void registerStoryboardScene();

    int numberOfSections = 1;
    std::vector<std::string> mainSectionRows;
    std::vector<std::string> contactSectionRows;
    std::vector<AppMetaData> multiApps;
    std::vector<AppMetaData> singleApps;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    int numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int section) override;
    std::shared_ptr<UITableViewCell>
    tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                   const NSIndexPath& indexPath) override;
    std::shared_ptr<UIView> tableViewViewForHeaderInSection(const std::shared_ptr<UITableView>& tableView,
                                                            int section) override;
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                          const NSIndexPath& indexPath) override;

    void didUpdateMenu();
    // The app's name in the device's language, else in English, else empty.
    static std::string appName(const AppMetaData& app);

  private:
    void fillMenuRows();
    void buildMenuSections();
    void handleMenuSelection(int row);
    void handleContactSelection(int row);
    void handleAppSelection(const std::vector<AppMetaData>& apps, int row);
    void openHistoryScreen();
    void closeDrawer();
    // Links the browser cannot open bring an alert.
    bool openIfPossible(const std::string& link);
    // A link that cannot open, or is no URL at all, brings the alert of a page that could not be opened.
    void openStoreLink(const std::string& link);
    void openCommunityLink();
};
