#include "UIKitTestSupport.h"

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UICollectionViewDelegateFlowLayout.h"
#include "platform/uikit/UICollectionViewFlowLayout.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UIStackView.h"

#include <string>
#include <vector>

namespace {

class Target : public UIResponder {
  public:
    void tapped(const std::shared_ptr<UIButton>& sender) { senders.push_back(sender); }
    void changed() { ++changes; }
    std::vector<std::shared_ptr<UIButton>> senders;
    int changes = 0;
};

class Items : public UICollectionViewDataSource, public UICollectionViewDelegateFlowLayout {
  public:
    int collectionViewNumberOfItemsInSection(const std::shared_ptr<UICollectionView>&, int) override {
        return count;
    }
    std::shared_ptr<UICollectionViewCell>
    collectionViewCellForItemAtIndexPath(const std::shared_ptr<UICollectionView>& view,
                                         const NSIndexPath& indexPath) override {
        ++requests;
        auto cell = view->dequeueReusableCellWithReuseIdentifier("item", indexPath);
        cell->setTag(indexPath.item());
        return cell;
    }
    std::optional<CGSize>
    collectionViewLayoutSizeForItemAtIndexPath(const std::shared_ptr<UICollectionView>& view,
                                               UICollectionViewLayout&, const NSIndexPath&) override {
        CGFloat side = 0.95 * view->frame().size.height;
        return CGSize{side, side};
    }
    void collectionViewDidSelectItemAtIndexPath(const std::shared_ptr<UICollectionView>&,
                                                const NSIndexPath& indexPath) override {
        selected.push_back(indexPath.item());
    }
    int count = 20;
    int requests = 0;
    std::vector<int> selected;
};

class ControlTests : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        window = makeWindow();
    }
};

TEST_F(ControlTests, ButtonsFireOnReleaseInsideOnlyAndWhileEnabled) {
    auto button = UIButton::buttonWithType(UIButtonType::system);
    button->setFrame({100, 100, 100, 44});
    window->addSubview(button);
    auto target = std::make_shared<Target>();
    button->addTarget(target, &Target::tapped, UIControlEventTouchUpInside);
    int downs = 0;
    button->addAction([&](const std::shared_ptr<UIControl>&) { ++downs; }, UIControlEventTouchDown);

    window->sendTouchBegan({150, 120});
    EXPECT_TRUE(button->isHighlighted());
    window->sendTouchEnded({150, 120});
    ASSERT_EQ(target->senders.size(), 1u);
    EXPECT_EQ(target->senders[0], button);
    EXPECT_FALSE(button->isHighlighted());
    EXPECT_EQ(downs, 1);

    // Dragging far away before releasing cancels the tap.
    window->sendTouchBegan({150, 120});
    window->sendTouchMoved({150, 400});
    EXPECT_FALSE(button->isHighlighted());
    window->sendTouchEnded({150, 400});
    EXPECT_EQ(target->senders.size(), 1u);

    button->setEnabled(false);
    window->tapAtPoint({150, 120});
    EXPECT_EQ(target->senders.size(), 1u);
    button->setEnabled(true);

    // Targets are held weakly; a released target is skipped.
    target.reset();
    window->tapAtPoint({150, 120});
    button->removeTarget(nullptr, UIControlEventAllEvents);
    EXPECT_EQ(button->numberOfActions(), 0u);
}

TEST_F(ControlTests, SegmentsSelectByTapAndKeepImageViewsInTheirSegments) {
    auto control =
        std::make_shared<UISegmentedControl>(std::vector<std::string>{"Sample", "Random variable"});
    control->setFrame({20, 100, 300, 32});
    window->addSubview(control);
    auto target = std::make_shared<Target>();
    control->addTarget(target, &Target::changed, UIControlEventValueChanged);
    EXPECT_EQ(control->selectedSegmentIndex(), UISegmentedControlNoSegment);
    control->setSelectedSegmentIndex(0);
    EXPECT_EQ(target->changes, 0) << "setting in code sends nothing";

    window->tapAtPoint({250, 116});
    EXPECT_EQ(control->selectedSegmentIndex(), 1);
    EXPECT_EQ(target->changes, 1);
    window->tapAtPoint({250, 116});
    EXPECT_EQ(target->changes, 1) << "tapping the selected segment changes nothing";
    control->setEnabled(false, 0);
    window->tapAtPoint({60, 116});
    EXPECT_EQ(control->selectedSegmentIndex(), 1);

    control->setImage(UIImage::systemImageNamed("plus"), 0);
    auto segments = control->segmentViews();
    ASSERT_EQ(segments.size(), 2u);
    std::shared_ptr<UIImageView> imageView;
    for (const auto& subview : segments[0]->subviews()) {
        if (auto found = std::dynamic_pointer_cast<UIImageView>(subview)) {
            imageView = found;
        }
    }
    ASSERT_NE(imageView, nullptr);
    EXPECT_EQ(imageView->image(), control->imageForSegmentAtIndex(0));
    control->removeSegmentAtIndex(1);
    EXPECT_EQ(control->selectedSegmentIndex(), UISegmentedControlNoSegment);
    EXPECT_EQ(control->titleForSegmentAtIndex(0), "Sample");
    EXPECT_EQ(control->titleForSegmentAtIndex(5), std::nullopt);
}

TEST_F(ControlTests, FlowLayoutsTakeSizesFromTheDelegateAndCellsOnlyWhereVisible) {
    auto layout = std::make_shared<UICollectionViewFlowLayout>();
    layout->scrollDirection = UICollectionViewScrollDirection::horizontal;
    auto view = std::make_shared<UICollectionView>(CGRect{0, 100, 390, 200}, layout);
    view->registerClass<UICollectionViewCell>("item");
    auto items = std::make_shared<Items>();
    view->setDataSource(items);
    view->setDelegate(items);
    window->addSubview(view);
    runLoopTurn();

    // Squares of 190 in one row with 10 apart: 20 of them are 20 × 200 - 10 wide.
    EXPECT_EQ(view->contentSize(), (CGSize{20 * 200 - 10, 200}));
    EXPECT_EQ(view->layoutAttributesForItemAtIndexPath({0, 3})->frame, (CGRect{600, 5, 190, 190}));
    EXPECT_EQ(view->indexPathsForVisibleItems().size(), 2u);
    EXPECT_EQ(items->requests, 2);

    window->sendTouchBegan({300, 200});
    window->sendTouchMoved({200, 205});
    window->sendTouchMoved({50, 205});
    window->sendTouchEnded({50, 205});
    EXPECT_EQ(view->contentOffset().x, 250) << "a horizontal drag scrolls the row";
    EXPECT_TRUE(items->selected.empty());
    runLoopTurn();
    auto visible = view->indexPathsForVisibleItems();
    EXPECT_EQ(visible.front().item(), 1);
    EXPECT_EQ(visible.back().item(), 3);
    EXPECT_EQ(view->cellForItemAtIndexPath({0, 2})->tag(), 2);

    window->tapAtPoint({200, 200});
    EXPECT_EQ(items->selected, std::vector<int>{2});

    layout->scrollDirection = UICollectionViewScrollDirection::vertical;
    view->setFrame({0, 100, 390, 400});
    view->layoutIfNeeded();
    // 380-point squares: one per line in a 390-point width, centred.
    EXPECT_EQ(view->layoutAttributesForItemAtIndexPath({0, 1})->frame, (CGRect{5, 390, 380, 380}));

    // Smaller items fill lines: 100 wide in 390 makes three a line, spread to both ends, and
    // the last line keeps the minimum spacing.
    layout->sectionInset = {0, 0, 0, 0};
    items->count = 5;
    view->setDelegate(std::weak_ptr<UICollectionViewDelegate>());
    layout->itemSize = {100, 50};
    view->reloadData();
    view->layoutIfNeeded();
    EXPECT_EQ(view->layoutAttributesForItemAtIndexPath({0, 2})->frame, (CGRect{290, 0, 100, 50}));
    EXPECT_EQ(view->layoutAttributesForItemAtIndexPath({0, 4})->frame, (CGRect{110, 60, 100, 50}));
}

} // namespace
