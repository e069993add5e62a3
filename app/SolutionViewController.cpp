#include "app/SolutionViewController.h"

#include "app/AppFlags.h"
#include "app/ColorManager.h"
#include "app/LongScreenshot.h"
#include "app/ManualViewController.h"
#include "app/RemoteConfigManager.h"
#include "app/SolutionStepTableViewCell.h"
#include "app/VideoCollectionTableViewCell.h"
#include "app/ViewControllerOperations.h"
#include "app/ViewManager.h"
#include "charts/ChartManager.h"
#include "charts/ChartTableViewCell.h"
#include "charts/SharingInProgress.h"
#include "engine/LocalizedString.h"
#include "engine/TextUtilities.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/material/FABButton.h"
#include "platform/material/Icon.h"
#include "platform/material/TabsController.h"
#include "platform/material/ToolbarController.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIActivityViewController.h"
#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UIDevice.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIStoryboard.h"
#include "platform/uikit/UIWindow.h"
#include "platform/veraziva/VAVAnalytics.h"

namespace {

constexpr CGFloat buttonSide = 56;
constexpr CGFloat buttonMargin = 16;

using LocalizedString::localized;

std::size_t lineBreaks(const std::string& latex) {
    std::size_t count = 0;
    for (std::size_t at = latex.find("\\\\"); at != std::string::npos; at = latex.find("\\\\", at + 2))
        ++count;
    return count;
}

// A step row's height estimated from the constructs its LaTeX uses, not measured: every result page is
// laid out by these numbers, so changing one moves the rows of every solution.
CGFloat stepRowHeight(const SolutionStep& step) {
    const auto title = step.find("title");
    const CGFloat titleTerm = title != step.end() && !title->second.empty() ? 20 : -22;
    const auto latexEntry = step.find("latexString");
    if (latexEntry == step.end())
        return 76 + titleTerm;
    const std::string& latex = latexEntry->second;
    const bool fraction = contains(latex, "\\frac");
    CGFloat height = contains(latex, "\\\\") ? 100 : 56;
    if (lineBreaks(latex) + 1 > 2)
        height += 20;
    if (fraction)
        height += 30;
    if (contains(latex, "{\\frac"))
        height += 10;
    if (contains(latex, "\\sqrt"))
        height += 10;
    if (contains(latex, "_"))
        height += 5;
    if (contains(latex, "^"))
        height += fraction ? 15 : 10;
    if (contains(latex, "\\sum"))
        height += 20;
    if (contains(latex, "\\left("))
        height += fraction ? 10 : 5;
    if (contains(latex, "\\prod") && !fraction)
        height += 20;
    if (contains(latex, "\\binom") && !fraction)
        height += 30;
    if (contains(latex, "\\right)^") && fraction)
        height += 5;
    return height + 20 + titleTerm;
}

CGFloat keyWindowRootWidth() {
    auto root = ViewManager::keyWindowRoot();
    auto view = root ? root->viewIfLoaded() : nullptr;
    return view ? view->bounds().width() : UIScreen::mainScreen()->bounds().width();
}

std::shared_ptr<FABButton> makeFloatingButton(ColorTag tag, const std::string& identifier) {
    auto button = std::make_shared<FABButton>(CGRect{0, 0, buttonSide, buttonSide});
    button->setTag(tag);
    button->setAccessibilityIdentifier(identifier);
    button->setTranslatesAutoresizingMaskIntoConstraints(false);
    return button;
}

void buildScene(UIViewController& owner) {
    auto& self = static_cast<SolutionViewController&>(owner);
    auto shared = self.sharedAs<SolutionViewController>();
    const CGRect screen = UIScreen::mainScreen()->bounds();
    auto root = std::make_shared<UIView>(screen);
    root->setBackgroundColor(UIColor::systemBackgroundColor());
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);

    auto banner = std::make_shared<UIView>();
    banner->setTranslatesAutoresizingMaskIntoConstraints(false);
    root->addSubview(banner);
    auto table = std::make_shared<UITableView>(NSCoder{});
    table->setTranslatesAutoresizingMaskIntoConstraints(false);
    table->setSeparatorStyle(UITableViewCellSeparatorStyle::none);
    table->setAccessibilityIdentifier("solutionTable");
    table->registerNib(SolutionStepTableViewCell::prototypeNib(),
                       SolutionStepTableViewCell::reuseIdentifierName);
    root->addSubview(table);
    auto share = makeFloatingButton(greenAccentTag, "shareButton");
    share->addTarget(shared, &SolutionViewController::tappedShareButton, UIControlEventTouchUpInside);
    root->addSubview(share);
    auto manual = makeFloatingButton(violetTag, "manualButton");
    manual->setTitle("?");
    manual->addTarget(shared, &SolutionViewController::manualButtonPressed, UIControlEventTouchUpInside);
    root->addSubview(manual);

    auto bottom = NSLayoutConstraint::constraintWithItem(
        root, NSLayoutAttribute::bottom, NSLayoutRelation::equal, banner, NSLayoutAttribute::bottom, 1, 0);
    root->addConstraints({
        bottom,
        NSLayoutConstraint::constraintWithItem(root, NSLayoutAttribute::trailing, NSLayoutRelation::equal,
                                               table, NSLayoutAttribute::trailing, 1, 0),
    });
    NSLayoutConstraint::activateConstraints({
        banner->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor()),
        banner->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor()),
        banner->heightAnchor().constraintEqualToConstant(0),
        table->topAnchor().constraintEqualToAnchor(root->topAnchor()),
        table->leadingAnchor().constraintEqualToAnchor(root->leadingAnchor()),
        table->bottomAnchor().constraintEqualToAnchor(banner->topAnchor()),
        share->widthAnchor().constraintEqualToConstant(buttonSide),
        share->heightAnchor().constraintEqualToConstant(buttonSide),
        share->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor(), -buttonMargin),
        share->bottomAnchor().constraintEqualToAnchor(banner->topAnchor(), -buttonMargin),
        manual->widthAnchor().constraintEqualToConstant(buttonSide),
        manual->heightAnchor().constraintEqualToConstant(buttonSide),
        manual->trailingAnchor().constraintEqualToAnchor(root->trailingAnchor(), -buttonMargin),
        manual->bottomAnchor().constraintEqualToAnchor(share->topAnchor(), -12),
    });

    self.tableView = table;
    self.shareButton = share;
    self.manualButton = manual;
    self.bannerBackgroundView = banner;
    self.bottomBannerConstraint = bottom;
    self.setView(root);
}

} // namespace

SolutionViewController::SolutionViewController() = default;

SolutionViewController::SolutionViewController(const NSCoder& coder) : AdHandlingViewController(coder) {}

AnyValue::Dictionary SolutionViewController::solutionStepsParameters(const std::vector<SolutionStep>& steps) {
    AnyValue::Array list;
    for (const auto& step : steps)
        list.emplace_back(step);
    return {{"solutionSteps", AnyValue(std::move(list))},
            {"solutionStepsCount", AnyValue(static_cast<std::int64_t>(steps.size()))}};
}

void SolutionViewController::configureResultTabItem() {
    configureTabItem(*this, localized("Result", "Pagebar title for result view"), !solutionSteps.empty());
}

void SolutionViewController::awakeFromNib() {
    AdHandlingViewController::awakeFromNib();
    configureResultTabItem();
}

void SolutionViewController::viewDidLoad() {
    AdHandlingViewController::viewDidLoad();
    auto self = sharedAs<SolutionViewController>();
    tableView->setDataSource(self);
    tableView->setDelegate(self);
    tableView->registerNib(UINib::nibWithNibName("ChartTableViewCell"), "chartCell");
    tableView->registerNib(UINib::nibWithNibName(VideoCollectionTableViewCell::cellNibName),
                           "videoCollectionTableViewCell");
    shareButton->setImage(Icon::share());
    configureResultTabItem();
    std::weak_ptr<SolutionViewController> weak = self;
    NotificationCenter::defaultCenter()->addObserver(this, clearNotificationName, nullptr,
                                                     [weak](const Notification&) {
                                                         if (auto strong = weak.lock())
                                                             strong->handleClearAllButton();
                                                     });
    for (const auto& constraint : view()->constraints()) {
        if (constraint->secondItem() == tableView &&
            constraint->secondAttribute() == NSLayoutAttribute::trailing) {
            constraint->setConstant(-50);
            break;
        }
    }
    view()->layoutIfNeeded();
}

void SolutionViewController::viewWillAppear(bool animated) {
    AdHandlingViewController::viewWillAppear(animated);
    ColorManager::styleSubviews(*view());
    if (auto manual = manualButton.lock())
        manual->setHidden(!manualImageName || manualImageName->empty());
    shareButton->setHidden(solutionSteps.empty());
    configureResultTabItem();
    videoUrlStrings = RemoteConfigManager::shared()->videoTutorialLinks(CalculatorCode::ombrel);
    tableView->setTableFooterView(std::make_shared<UIView>(CGRect{0, 0, 0, tableView->frame().height() / 4}));
    tableView->reloadData();
    if (bannerView)
        bannerView->setHidden(true);
    bottomBannerConstraint->setConstant(ViewManager::bottomSafeAreaInset());
    view()->layoutIfNeeded();
    if (auto toolbar = toolbarController(*this))
        toolbar->toolbar()->setTitle(localized("Calculate Title", "Toolbar title for calculate view"));
}

bool SolutionViewController::hasVideoSection() const {
    return !solutionSteps.empty() && !videoUrlStrings.empty();
}

int SolutionViewController::videoSection() const {
    return chartSteps.empty() ? 1 : 2;
}

int SolutionViewController::numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) {
    return (chartSteps.empty() ? 1 : 2) + (hasVideoSection() ? 1 : 0);
}

int SolutionViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int section) {
    if (section == 0)
        return static_cast<int>(solutionSteps.size());
    if (hasVideoSection() && section == videoSection())
        return 1;
    return static_cast<int>(chartSteps.size());
}

std::shared_ptr<UITableViewCell>
SolutionViewController::tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                       const NSIndexPath& indexPath) {
    if (indexPath.section == 0) {
        auto cell =
            std::dynamic_pointer_cast<SolutionStepTableViewCell>(table->dequeueReusableCellWithIdentifier(
                SolutionStepTableViewCell::reuseIdentifierName, indexPath));
        if (!cell || indexPath.row >= static_cast<int>(solutionSteps.size()))
            return cell;
        const SolutionStep& step = solutionSteps[static_cast<std::size_t>(indexPath.row)];
        const auto title = step.find("title");
        cell->setStepTitle(title == step.end() ? std::string() : title->second);
        cell->setStepLatex(step);
        return cell;
    }
    if (hasVideoSection() && indexPath.section == videoSection()) {
        auto cell = std::dynamic_pointer_cast<VideoCollectionTableViewCell>(
            table->dequeueReusableCellWithIdentifier("videoCollectionTableViewCell", indexPath));
        if (cell) {
            cell->videoUrlStringArray = videoUrlStrings;
            if (auto collection = cell->videoCollectionView.lock())
                collection->reloadData();
        }
        return cell;
    }
    auto cell = std::dynamic_pointer_cast<ChartTableViewCell>(
        table->dequeueReusableCellWithIdentifier("chartCell", indexPath));
    if (cell && indexPath.row < static_cast<int>(chartSteps.size())) {
        cell->setBackgroundColor(UIColor::clearColor());
        cell->setChartData(chartSteps[static_cast<std::size_t>(indexPath.row)], view());
    }
    return cell;
}

CGFloat SolutionViewController::heightForSolutionRow(const NSIndexPath& indexPath) {
    if (hasVideoSection() && indexPath.section == videoSection()) {
        static const CGFloat videoRowHeight = keyWindowRootWidth();
        return videoRowHeight;
    }
    if (indexPath.section == 1) {
        const auto& row = chartSteps.at(static_cast<std::size_t>(indexPath.row));
        return view()->bounds().width() / row.front()->frameRatio;
    }
    if (indexPath.section != 0)
        return tableView->rowHeight();
    return stepRowHeight(solutionSteps.at(static_cast<std::size_t>(indexPath.row)));
}

std::optional<CGFloat>
SolutionViewController::tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                         const NSIndexPath& indexPath) {
    return heightForSolutionRow(indexPath);
}

void SolutionViewController::tableViewWillDisplayCellForRowAtIndexPath(
    const std::shared_ptr<UITableView>&, const std::shared_ptr<UITableViewCell>& cell,
    const NSIndexPath& indexPath) {
    auto chartCell = std::dynamic_pointer_cast<ChartTableViewCell>(cell);
    if (!chartCell || indexPath.section != 1 || chartSteps.empty())
        return;
    DispatchQueue::main()->asyncAfter(0.5, [chartCell] { ChartManager::animateChartCell(chartCell); });
}

void SolutionViewController::handleClearAllButton() {
    clearSolution();
}

void SolutionViewController::clearSolution() {
    if (tableView && tableView->numberOfRowsInSection(0) > 0)
        tableView->scrollToRowAtIndexPath({0, 0}, UITableViewScrollPosition::top, false);
    solutionSteps.clear();
    if (tableView)
        tableView->reloadData();
    chartSteps.clear();
    configureTabItem(*this, localized("Result", "Pagebar title for result view"), false);
    manualImageName.reset();
    if (tableView) {
        tableView->setTableFooterView(nullptr);
        tableView->reloadData();
    }
    if (auto tabs = tabsController(*this))
        tabs->select(0);
}

void SolutionViewController::tappedShareButton(const std::shared_ptr<UIControl>&) {
    shareSolution();
}

void SolutionViewController::manualButtonPressed(const std::shared_ptr<UIControl>&) {
    if (!manualImageName || manualImageName->empty())
        return;
    auto manual = std::make_shared<ManualViewController>(ManualViewController::manualNibName);
    manual->imageName = *manualImageName;
    manual->setModalPresentationStyle(UIModalPresentationStyle::pageSheet);
    presentViewController(manual, true);
}

void SolutionViewController::shareSolution() {
    VAVAnalytics::logEventWithNameParameters("kivo_tapped_share", solutionStepsParameters(solutionSteps));
    std::weak_ptr<SolutionViewController> weak = sharedAs<SolutionViewController>();
    DispatchQueue::main()->async([weak] {
        auto self = weak.lock();
        if (!self || self->solutionSteps.empty())
            return;
        isSharingInProgress = true;
        ViewManager::showLoadingOverlay();
        auto images = std::make_shared<std::vector<std::shared_ptr<UIImage>>>();
        auto ok = UIAlertAction::actionWithTitle("OK", UIAlertActionStyle::defaultStyle,
                                                 [weak, images](const std::shared_ptr<UIAlertAction>&) {
                                                     if (auto strong = weak.lock())
                                                         strong->presentShareSheet(*images);
                                                 });
        presentAlert(*self, localized("sharingImageQualityTitle", "sharingImageQualityTitle"),
                     localized("sharingImageQualityText", "sharingImageQualityText"), {ok},
                     UIAlertControllerStyle::alert);
        captureFullTableImage(self->tableView, std::nullopt, std::nullopt,
                              [weak, images](std::shared_ptr<UIImage> image) {
                                  if (image)
                                      images->push_back(image);
                                  ViewManager::removeLoadingOverlay();
                                  isSharingInProgress = false;
                                  if (auto strong = weak.lock())
                                      strong->presentShareSheet(*images);
                              });
    });
}

void SolutionViewController::presentShareSheet(const std::vector<std::shared_ptr<UIImage>>& images) {
    if (images.empty())
        return;
    auto sheet = std::make_shared<UIActivityViewController>(images);
    if (UIDevice::currentDevice()->userInterfaceIdiom() == UIUserInterfaceIdiom::pad) {
        sheet->setModalPresentationStyle(UIModalPresentationStyle::popover);
        if (auto popover = sheet->popoverPresentationController()) {
            popover->setSourceView(view());
            popover->setSourceRect({0, view()->bounds().height(), view()->bounds().width(), 50});
        }
    }
    presentViewController(sheet, true);
}

void SolutionViewController::registerStoryboardScene() {
    UIStoryboard::registerScene(storyboardName, "SolutionViewController", [] {
        auto controller = std::make_shared<SolutionViewController>(NSCoder{});
        controller->setViewLoader(buildScene);
        return controller;
    });
}
