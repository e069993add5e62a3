#pragma once

#include "app/AdHandlingViewController.h"
#include "charts/ChartData.h"
#include "engine/SolutionStep.h"
#include "platform/foundation/AnyValue.h"
#include "platform/uikit/UITableView.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class FABButton;
class UIControl;
class NSLayoutConstraint;
class UIImage;

// The result page: the steps of the last calculation, chart rows and the tutorial videos, one long
// table that can be shared as a single picture.
class SolutionViewController : public AdHandlingViewController,
                               public UITableViewDataSource,
                               public UITableViewDelegate {
  public:
    static constexpr const char* storyboardName = "SolutionViewController";
    static constexpr const char* clearNotificationName = "ClearCurrentCalculationNotification";

    SolutionViewController();
    explicit SolutionViewController(const NSCoder& coder);

    std::shared_ptr<UITableView> tableView;
    std::shared_ptr<FABButton> shareButton;
    std::weak_ptr<FABButton> manualButton;
    std::weak_ptr<UIView> bannerBackgroundView;
    std::shared_ptr<NSLayoutConstraint> bottomBannerConstraint;
    std::optional<std::string> manualImageName;
    std::vector<SolutionStep> solutionSteps;
    std::vector<std::vector<std::shared_ptr<ChartData>>> chartSteps;
    std::vector<std::string> videoUrlStrings;

    // The parameters "solutionSteps" and "solutionStepsCount" of the events that carry the steps.
    static AnyValue::Dictionary solutionStepsParameters(const std::vector<SolutionStep>& steps);

    void awakeFromNib() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    void handleClearAllButton();
    void clearSolution();
    void tappedShareButton(const std::shared_ptr<UIControl>& sender);
    void manualButtonPressed(const std::shared_ptr<UIControl>& sender);
    void shareSolution();
    void presentShareSheet(const std::vector<std::shared_ptr<UIImage>>& images);
    CGFloat heightForSolutionRow(const NSIndexPath& indexPath);

    int numberOfSectionsInTableView(const std::shared_ptr<UITableView>& tableView) override;
    int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>& tableView, int section) override;
    std::shared_ptr<UITableViewCell>
    tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                   const NSIndexPath& indexPath) override;
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                            const NSIndexPath& indexPath) override;
    void tableViewWillDisplayCellForRowAtIndexPath(const std::shared_ptr<UITableView>& tableView,
                                                   const std::shared_ptr<UITableViewCell>& cell,
                                                   const NSIndexPath& indexPath) override;

    static void registerStoryboardScene();

  private:
    bool hasVideoSection() const;
    int videoSection() const;
    void configureResultTabItem();
};
