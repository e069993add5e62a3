#pragma once

#include "platform/kits/AppearanceConfiguration.h"
#include "platform/kits/OnboardPage.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIViewController.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

// Shows the pages of an introduction one at a time. The advance button of a page goes to the
// next page; on the last page it ends the introduction: the completion runs once and the
// controller dismisses itself.
class OnboardViewController : public UIViewController {
  public:
    OnboardViewController(std::vector<OnboardPage> pageItems, AppearanceConfiguration appearanceConfiguration,
                          std::function<void()> completion = {});

    void presentFrom(const std::shared_ptr<UIViewController>& presenter, bool animated);

    const std::vector<OnboardPage>& pageItems() const { return pages_; }
    const AppearanceConfiguration& appearanceConfiguration() const { return appearance_; }
    std::size_t currentPageIndex() const { return current_; }
    bool isFinished() const { return finished_; }

    const std::shared_ptr<UIImageView>& imageView() const { return imageView_; }
    const std::shared_ptr<UILabel>& titleLabel() const { return titleLabel_; }
    const std::shared_ptr<UILabel>& subtitleLabel() const { return subtitleLabel_; }
    const std::shared_ptr<UILabel>& descriptionLabel() const { return descriptionLabel_; }
    const std::shared_ptr<UIButton>& advanceButton() const { return advanceButton_; }
    const std::shared_ptr<UIButton>& actionButton() const { return actionButton_; }

    void viewDidLoad() override;
    void viewWillLayoutSubviews() override;

  private:
    void showPage(std::size_t index);
    void advance();
    void runAction();

    std::vector<OnboardPage> pages_;
    AppearanceConfiguration appearance_;
    std::function<void()> completion_;
    std::size_t current_ = 0;
    bool finished_ = false;

    std::shared_ptr<UIImageView> imageView_ = std::make_shared<UIImageView>();
    std::shared_ptr<UILabel> titleLabel_ = std::make_shared<UILabel>();
    std::shared_ptr<UILabel> subtitleLabel_ = std::make_shared<UILabel>();
    std::shared_ptr<UILabel> descriptionLabel_ = std::make_shared<UILabel>();
    std::shared_ptr<UIButton> advanceButton_ = std::make_shared<UIButton>();
    std::shared_ptr<UIButton> actionButton_ = std::make_shared<UIButton>();
};
