#include "HostTestSupport.h"

#include "platform/host/ViewTreeQuery.h"
#include "platform/math/MTMathUILabel.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UISegmentedControl.h"
#include "platform/uikit/UITextField.h"

namespace {

std::shared_ptr<UILabel> label(const std::string& text, CGRect frame) {
    auto view = std::make_shared<UILabel>(frame);
    view->setText(text);
    return view;
}

std::vector<std::string> texts(const std::vector<InspectedView>& views) {
    std::vector<std::string> out;
    for (const auto& view : views) {
        if (!view.text.empty()) {
            out.push_back(view.text);
        }
    }
    return out;
}

} // namespace

using ViewTreeQueryTest = HostTest;

TEST_F(ViewTreeQueryTest, ListsWhatTheScreenShowsInDrawingOrder) {
    window->addSubview(label("first", {10, 10, 100, 20}));
    auto hidden = label("hidden", {10, 40, 100, 20});
    hidden->setHidden(true);
    window->addSubview(hidden);
    auto faded = label("faded", {10, 70, 100, 20});
    faded->setAlpha(0.005);
    window->addSubview(faded);
    window->addSubview(label("offscreen", {-200, 10, 100, 20}));

    auto box = std::make_shared<UIView>(CGRect{0, 100, 100, 100});
    box->setClipsToBounds(true);
    box->addSubview(label("clipped away", {150, 0, 100, 20}));
    auto partly = label("partly inside", {50, 90, 100, 20});
    box->addSubview(partly);
    window->addSubview(box);
    auto field = std::make_shared<UITextField>(CGRect{10, 300, 100, 30});
    field->setPlaceholder("P(X)");
    window->addSubview(field);
    auto math = std::make_shared<MTMathUILabel>();
    math->setFrame({10, 400, 200, 40});
    math->setLatex("x_i = 4");
    window->addSubview(math);

    auto views = ViewTreeQuery::visibleViews(*window);
    EXPECT_EQ(texts(views), (std::vector<std::string>{"first", "partly inside", "P(X)", "x_i = 4"}));
    auto inside = ViewTreeQuery::findView(*window, "partly inside");
    ASSERT_TRUE(inside);
    // Only the part within the clipping box counts: a tap at its centre lands on it.
    EXPECT_EQ(inside->frame, (CGRect{50, 190, 50, 10}));
    EXPECT_EQ(inside->className, "UILabel");
    EXPECT_EQ(ViewTreeQuery::findView(*window, "x_i = 4")->className, "MTMathUILabel");
}

TEST_F(ViewTreeQueryTest, FindsTheFrontMostMatchByTextOrIdentifier) {
    auto back = label("Cancel", {0, 0, 100, 40});
    window->addSubview(back);
    auto cover = std::make_shared<UIView>(CGRect{0, 200, 390, 300});
    auto front = label("Cancel", {10, 10, 100, 40});
    cover->addSubview(front);
    window->addSubview(cover);
    auto button = UIButton::buttonWithType(UIButtonType::system);
    button->setFrame({0, 600, 100, 40});
    button->setAccessibilityIdentifier("toolbarRemoveButton");
    button->setEnabled(false);
    window->addSubview(button);
    auto segments = std::make_shared<UISegmentedControl>(std::vector<std::string>{"a", "b"});
    segments->setFrame({0, 700, 200, 30});
    segments->setSelectedSegmentIndex(1);
    segments->setAccessibilityIdentifier("modes");
    window->addSubview(segments);

    auto found = ViewTreeQuery::findView(*window, "Cancel");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->view, front);
    auto byIdentifier = ViewTreeQuery::findView(*window, "toolbarRemoveButton");
    ASSERT_TRUE(byIdentifier);
    EXPECT_EQ(byIdentifier->enabled, std::optional<bool>(false));
    EXPECT_FALSE(ViewTreeQuery::findView(*window, "Cance"));

    auto modes = ViewTreeQuery::findView(*window, "modes");
    ASSERT_TRUE(modes);
    EXPECT_EQ(modes->selectedSegment, std::optional<int>(1));
}
