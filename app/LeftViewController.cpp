#include "app/LeftViewController.h"

#include "app/AppDelegate.h"
#include "app/AppLinks.h"
#include "app/AppToolbarController.h"
#include "app/ColorManager.h"
#include "app/DsgvoManager.h"
#include "app/HistoryTableViewController.h"
#include "app/OnboardingManager.h"
#include "app/RatingOperations.h"
#include "app/RemoteConfigManager.h"
#include "app/ViewControllerOperations.h"
#include "engine/KivoColor.h"
#include "engine/LocalizedString.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/kits/OnboardViewController.h"
#include "platform/material/NavigationDrawerController.h"
#include "platform/material/ToolbarController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIStoryboard.h"
#include "platform/veraziva/VAVAnalytics.h"

namespace {

using LocalizedString::localized;

UIFont avenirMedium(CGFloat size) {
    return UIFont::fontWithName("Avenir-Medium", size).value_or(UIFont::systemFontOfSize(size));
}

void logEvent(const char* name) {
    VAVAnalytics::logEventWithNameParameters(name, std::nullopt);
}

void buildScene(UIViewController& owner) {
    auto& self = static_cast<LeftViewController&>(owner);
    auto table = std::make_shared<UITableView>(NSCoder{});
    table->setFrame(UIScreen::mainScreen()->bounds());
    table->setAccessibilityIdentifier("menuTable");
    table->registerClass<UITableViewCell>(LeftViewController::cellIdentifier);
    self.setTableView(table);
}

} // namespace

LeftViewController::LeftViewController() {
    fillMenuRows();
}

LeftViewController::LeftViewController(const NSCoder& coder) : UITableViewController(coder) {
    fillMenuRows();
}

LeftViewController::LeftViewController(UITableViewStyle style) : UITableViewController(style) {
    fillMenuRows();
}

void LeftViewController::registerStoryboardScene() {
    UIStoryboard::registerScene(storyboardName, storyboardIdentifier, [] {
        auto controller = std::make_shared<LeftViewController>(NSCoder{});
        controller->setViewLoader(buildScene);
        return controller;
    });
}

void LeftViewController::fillMenuRows() {
    numberOfSections = 1;
    mainSectionRows = {localized("Calculate Title", "Left Menu: navigate to calculation"),
                       localized("History", "Left Menu: navigate to history"),
                       localized("introduction", "Left Menu: Introduction"),
                       localized("privacyPolicy", "Left Menu: Privacy Policy")};
    contactSectionRows = {localized("Discord", "Discord"),
                          localized("Rate this App", "Left Menu: Rate this App")};
    auto remote = RemoteConfigManager::shared();
    multiApps = remote->multiApps();
    singleApps = remote->singleApps();
}

void LeftViewController::viewDidLoad() {
    UITableViewController::viewDidLoad();
    view()->setBackgroundColor(KivoColor::paletteViolet());
    auto table = tableView();
    table->setSeparatorStyle(UITableViewCellSeparatorStyle::none);
    table->setContentInset({0, 0, 0, 0});
}

void LeftViewController::viewWillAppear(bool animated) {
    UITableViewController::viewWillAppear(animated);
    std::weak_ptr<LeftViewController> weakSelf = sharedAs<LeftViewController>();
    auto update = [weakSelf](const Notification&) {
        if (auto self = weakSelf.lock()) {
            self->didUpdateMenu();
        }
    };
    auto center = NotificationCenter::defaultCenter();
    center->addObserver(this, UIApplicationDidBecomeActiveNotification, nullptr, update);
    center->addObserver(this, RemoteConfigManager::didLoadMenuNotification, nullptr, update);
}

void LeftViewController::viewWillDisappear(bool animated) {
    UITableViewController::viewWillDisappear(animated);
    NotificationCenter::defaultCenter()->removeObserver(this);
}

void LeftViewController::buildMenuSections() {
    numberOfSections = !multiApps.empty() && !singleApps.empty() ? 4 : 2;
}

int LeftViewController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) {
    buildMenuSections();
    return numberOfSections;
}

int LeftViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int section) {
    switch (section) {
    case 0:
        return static_cast<int>(mainSectionRows.size());
    case 1:
        return static_cast<int>(contactSectionRows.size());
    case 2:
        return static_cast<int>(multiApps.size());
    default:
        return static_cast<int>(singleApps.size());
    }
}

std::string LeftViewController::appName(const AppMetaData& app) {
    if (auto own = app.appName.find(Locale::currentLanguageCode()); own != app.appName.end()) {
        return own->second;
    }
    auto english = app.appName.find("en");
    return english == app.appName.end() ? std::string() : english->second;
}

std::shared_ptr<UITableViewCell>
LeftViewController::tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                   const NSIndexPath& indexPath) {
    auto cell = tableView->dequeueReusableCellWithIdentifier(cellIdentifier, indexPath);
    if (!cell) {
        cell = std::make_shared<UITableViewCell>(UITableViewCellStyle::defaultStyle, cellIdentifier);
    }
    cell->setBackgroundColor(KivoColor::paletteViolet());
    auto label = cell->textLabel();
    label->setFont(avenirMedium(17));
    label->setAdjustsFontSizeToFitWidth(true);
    label->setTextColor(ColorManager::buttonWhite());
    auto row = static_cast<std::size_t>(indexPath.row);
    auto at = [row](const auto& list) { return row < list.size() ? &list[row] : nullptr; };
    std::string text;
    switch (indexPath.section) {
    case 0:
        text = at(mainSectionRows) ? *at(mainSectionRows) : "";
        break;
    case 1:
        text = at(contactSectionRows) ? *at(contactSectionRows) : "";
        break;
    case 2:
        text = at(multiApps) ? appName(*at(multiApps)) : "";
        break;
    default:
        text = at(singleApps) ? appName(*at(singleApps)) : "";
        break;
    }
    label->setText(text);
    return cell;
}

std::shared_ptr<UIView>
LeftViewController::tableViewViewForHeaderInSection(const std::shared_ptr<UITableView>& tableView,
                                                    int section) {
    const CGFloat width = tableView->bounds().width();
    if (section == 0) {
        return std::make_shared<UIView>(CGRect{0, 0, width, 0});
    }
    auto header = std::make_shared<UIView>(CGRect{0, 0, width, sectionHeaderHeight});
    header->setBackgroundColor(KivoColor::paletteBlue());
    auto label = std::make_shared<UILabel>(CGRect{3, 0, width - 3, sectionHeaderHeight});
    label->setFont(avenirMedium(16));
    label->setTextColor(ColorManager::buttonWhite());
    std::string text;
    if (section == 1) {
        text = localized("Visit us:", "Left Menu: Section Header: Contact");
    } else if (section == 2) {
        text = localized("All in one:", "Left Menu: Section Header: Multi apps");
    } else {
        text = localized("Other apps:", "Left Menu: Section Header: Single apps");
    }
    label->setText(" " + text);
    header->addSubview(label);
    return header;
}

void LeftViewController::tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                          const NSIndexPath& indexPath) {
    if (auto selected = tableView->indexPathForSelectedRow()) {
        tableView->reloadRowsAtIndexPaths({*selected}, UITableViewRowAnimation::none);
    }
    switch (indexPath.section) {
    case 0:
        handleMenuSelection(indexPath.row);
        break;
    case 1:
        handleContactSelection(indexPath.row);
        break;
    case 2:
        handleAppSelection(multiApps, indexPath.row);
        break;
    default:
        handleAppSelection(singleApps, indexPath.row);
        break;
    }
}

void LeftViewController::handleMenuSelection(int row) {
    auto self = sharedAs<LeftViewController>();
    std::weak_ptr<LeftViewController> weakSelf = self;
    auto closeAfterwards = [weakSelf](bool) {
        if (auto strong = weakSelf.lock()) {
            strong->closeDrawer();
        }
    };
    switch (row) {
    case 0:
        logEvent("tapped_menu_calculate");
        if (auto drawer = navigationDrawerController(*this)) {
            // The running pages keep what the user typed and solved; only without them are new ones built.
            if (auto running = std::dynamic_pointer_cast<AppToolbarController>(drawer->rootViewController()))
                running->showInputPage(closeAfterwards);
            else
                drawer->transition(std::make_shared<AppDelegate>()->appToolbarController(), closeAfterwards);
        }
        break;
    case 1:
        logEvent("tapped_menu_history");
        openHistoryScreen();
        break;
    case 2: {
        logEvent("tapped_onboarding");
        OnboardingManager manager;
        auto onboarding = std::make_shared<OnboardViewController>(
            manager.makeOnboardPages(OnboardingManager::onboardingPages()), manager.makeOnboardAppearance(),
            [] { OnboardingManager::markOnboardingFinished({}); });
        onboarding->setModalPresentationStyle(UIModalPresentationStyle::formSheet);
        onboarding->presentFrom(self, true);
        break;
    }
    case 3:
        logEvent("tapped_privacy_policy");
        DsgvoManager::showPrivacyConsent(self);
        break;
    default:
        break;
    }
}

void LeftViewController::openHistoryScreen() {
    auto storyboard = UIStoryboard::storyboardWithName(HistoryTableViewController::storyboardName);
    auto history = storyboard ? storyboard->instantiateViewControllerWithIdentifier(
                                    HistoryTableViewController::storyboardIdentifier)
                              : nullptr;
    auto drawer = navigationDrawerController(*this);
    auto toolbar =
        drawer ? std::dynamic_pointer_cast<ToolbarController>(drawer->rootViewController()) : nullptr;
    if (!history || !toolbar) {
        return;
    }
    std::weak_ptr<LeftViewController> weakSelf = sharedAs<LeftViewController>();
    toolbar->transition(history, [weakSelf](bool) {
        if (auto strong = weakSelf.lock()) {
            strong->closeDrawer();
        }
    });
}

void LeftViewController::closeDrawer() {
    if (auto drawer = navigationDrawerController(*this)) {
        drawer->closeLeftView(0);
    }
}

void LeftViewController::handleContactSelection(int row) {
    std::function<void()> action;
    std::weak_ptr<LeftViewController> weakSelf = sharedAs<LeftViewController>();
    if (row == 0) {
        logEvent("tapped_discord");
        action = [weakSelf] {
            if (auto self = weakSelf.lock()) {
                self->openCommunityLink();
            }
        };
    } else if (row == 1) {
        logEvent("tapped_rate_app");
        action = [weakSelf] { openRatingLink(weakSelf.lock()); };
    } else {
        return;
    }
    checkInternetConnection(action, nullptr, sharedAs<LeftViewController>());
}

void LeftViewController::openCommunityLink() {
    openStoreLink(AppLinks::shared().communityLink);
}

void LeftViewController::handleAppSelection(const std::vector<AppMetaData>& apps, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= apps.size()) {
        return;
    }
    const AppMetaData app = apps[static_cast<std::size_t>(row)];
    bool hasApp = openIfPossible(app.appURLPro) || openIfPossible(app.appURL);
    if (!hasApp) {
        openStoreLink(app.storeURLPro);
    }
    auto english = app.appName.find("en");
    VAVAnalytics::logEventWithNameParameters(
        "Tapped App Link",
        AnyValue::Dictionary{
            {"has_app", AnyValue(hasApp)},
            {"kivoApp", AnyValue(english == app.appName.end() ? std::string() : english->second)}});
}

bool LeftViewController::openIfPossible(const std::string& link) {
    auto url = URL::URLWithString(link);
    if (!url || !UIApplication::sharedApplication()->canOpenURL(*url)) {
        return false;
    }
    openLink(*url, sharedAs<LeftViewController>());
    return true;
}

void LeftViewController::openStoreLink(const std::string& link) {
    if (auto url = URL::URLWithString(link)) {
        openLink(*url, sharedAs<LeftViewController>());
    } else {
        presentPageUnavailable(*this);
    }
}

void LeftViewController::didUpdateMenu() {
    auto remote = RemoteConfigManager::shared();
    singleApps = remote->singleApps();
    multiApps = remote->multiApps();
    std::weak_ptr<LeftViewController> weakSelf = sharedAs<LeftViewController>();
    DispatchQueue::main()->async([weakSelf] {
        if (auto self = weakSelf.lock()) {
            if (auto table = std::dynamic_pointer_cast<UITableView>(self->viewIfLoaded())) {
                table->reloadData();
            }
        }
    });
}
