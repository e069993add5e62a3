#include "UIKitTestSupport.h"

#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UIScrollView.h"

#include <algorithm>
#include <vector>

namespace {

class Recorder : public UIScrollViewDelegate {
  public:
    std::shared_ptr<UIView> viewForZoomingInScrollView(const std::shared_ptr<UIScrollView>&) override {
        return content;
    }
    void scrollViewDidZoom(const std::shared_ptr<UIScrollView>& scrollView) override {
        scales.push_back(scrollView->zoomScale());
    }
    void scrollViewWillBeginDragging(const std::shared_ptr<UIScrollView>&) override { ++drags; }
    void scrollViewDidScroll(const std::shared_ptr<UIScrollView>& scrollView) override {
        offsets.push_back(scrollView->contentOffset().y);
    }
    void scrollViewDidEndScrollingAnimation(const std::shared_ptr<UIScrollView>&) override {
        ++animationsEnded;
    }
    std::shared_ptr<UIView> content;
    std::vector<CGFloat> scales;
    int drags = 0;
    std::vector<CGFloat> offsets;
    int animationsEnded = 0;
};

class ScrollViewTests : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        window = makeWindow();
        scroll = std::make_shared<UIScrollView>(CGRect{0, 100, 200, 200});
        window->addSubview(scroll);
    }
    std::shared_ptr<UIScrollView> scroll;
};

TEST_F(ScrollViewTests, ZoomingScalesTheDelegatesViewWithinTheLimits) {
    auto zooming = std::make_shared<Recorder>();
    zooming->content = std::make_shared<UIImageView>(CGRect{0, 0, 200, 100});
    scroll->addSubview(zooming->content);
    scroll->setContentSize({200, 100});
    scroll->setZoomScale(3);
    EXPECT_EQ(scroll->zoomScale(), 1) << "without a delegate nothing zooms";

    scroll->setDelegate(zooming);
    scroll->setMinimumZoomScale(0.5);
    scroll->setMaximumZoomScale(2);
    scroll->setZoomScale(3);
    EXPECT_EQ(scroll->zoomScale(), 2);
    EXPECT_EQ(scroll->contentSize(), (CGSize{400, 200}));
    EXPECT_EQ(zooming->content->frame(), (CGRect{0, 0, 400, 200}));
    scroll->setContentOffset({200, 0});
    scroll->setZoomScale(0.25);
    EXPECT_EQ(scroll->zoomScale(), 0.5);
    EXPECT_EQ(scroll->contentOffset(), (CGPoint{0, 0})) << "the offset comes back into the smaller content";
    EXPECT_EQ(zooming->scales, (std::vector<CGFloat>{2, 0.5}));

    // A pinch from the host multiplies the scale of the scroll view under the fingers.
    window->sendZoom({100, 150}, 3);
    EXPECT_EQ(scroll->zoomScale(), 1.5);
}

TEST_F(ScrollViewTests, AnimatedScrollingMovesStepByStepAndStopsInRange) {
    scroll->setContentSize({200, 500});
    auto recorder = std::make_shared<Recorder>();
    scroll->setDelegate(recorder);
    scroll->setContentOffset({0, 1000}, true);
    EXPECT_EQ(scroll->contentOffset().y, 0);
    clock->advance(0.15);
    EXPECT_GT(scroll->contentOffset().y, 0);
    EXPECT_LT(scroll->contentOffset().y, 300);
    clock->advance(0.2);
    EXPECT_EQ(scroll->contentOffset().y, 300) << "limited to the content height minus the bounds";
    EXPECT_EQ(recorder->animationsEnded, 1);
    EXPECT_GT(recorder->offsets.size(), 5u);
    EXPECT_TRUE(std::is_sorted(recorder->offsets.begin(), recorder->offsets.end()));
}

TEST_F(ScrollViewTests, DraggingStaysInTheContentAndWheelsScrollTheViewUnderThePointer) {
    scroll->setContentSize({200, 1000});
    scroll->setContentInset({10, 0, 20, 0});
    EXPECT_EQ(scroll->minimumContentOffset(), (CGPoint{0, -10}));
    EXPECT_EQ(scroll->maximumContentOffset(), (CGPoint{0, 820}));
    EXPECT_TRUE(scroll->canScrollVertically());
    EXPECT_FALSE(scroll->canScrollHorizontally());
    auto zooming = std::make_shared<Recorder>();
    scroll->setDelegate(zooming);

    auto button = UIButton::buttonWithType(UIButtonType::system);
    button->setFrame({0, 0, 200, 50});
    scroll->addSubview(button);
    int taps = 0;
    button->addAction([&](const auto&) { ++taps; }, UIControlEventTouchUpInside);
    window->sendTouchBegan({100, 120});
    window->sendTouchMoved({100, 60});
    EXPECT_FALSE(button->isHighlighted()) << "the drag took the touch from the button";
    window->sendTouchMoved({100, -2000});
    EXPECT_EQ(scroll->contentOffset().y, 820);
    window->sendTouchEnded({100, -2000});
    EXPECT_EQ(taps, 0);
    EXPECT_EQ(zooming->drags, 1);

    // A sideways drag cannot move a view that only scrolls vertically, and is no tap either.
    scroll->setContentOffset({0, 0});
    window->sendTouchBegan({50, 120});
    window->sendTouchMoved({62, 122});
    window->sendTouchEnded({62, 122});
    EXPECT_EQ(taps, 0);
    EXPECT_EQ(scroll->contentOffset().y, 0);
    window->sendTouchBegan({50, 120});
    window->sendTouchMoved({58, 122});
    window->sendTouchEnded({58, 122});
    EXPECT_EQ(taps, 1) << "within the slop it is a tap";

    window->sendScroll({100, 200}, {0, 300});
    EXPECT_EQ(scroll->contentOffset().y, 300);
    window->sendScroll({100, 200}, {0, -5000});
    EXPECT_EQ(scroll->contentOffset().y, -10);
    window->sendScroll({100, 600}, {0, 300});
    EXPECT_EQ(scroll->contentOffset().y, -10) << "the pointer is not over the scroll view";
}

} // namespace
