#include "UIKitTestSupport.h"

#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UITableView.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

class CountingCell : public UITableViewCell {
  public:
    CountingCell(UITableViewCellStyle style, std::string identifier)
        : UITableViewCell(style, std::move(identifier)) {
        ++created;
    }
    void prepareForReuse() override { ++reused; }
    static inline int created = 0;
    static inline int reused = 0;
};

// Rows are texts; sections are lists of them.
class Rows : public UITableViewDataSource, public UITableViewDelegate {
  public:
    std::shared_ptr<UITableViewCell> tableViewCellForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                                    const NSIndexPath& indexPath) override {
        ++cellRequests;
        auto cell = table->dequeueReusableCellWithIdentifier("row", indexPath);
        cell->textLabel()->setText(
            sections[static_cast<std::size_t>(indexPath.section)][static_cast<std::size_t>(indexPath.row)]);
        return cell;
    }
    int numberOfSectionsInTableView(const std::shared_ptr<UITableView>&) override {
        return static_cast<int>(sections.size());
    }
    int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int section) override {
        return static_cast<int>(sections[static_cast<std::size_t>(section)].size());
    }
    std::optional<std::string> tableViewTitleForHeaderInSection(const std::shared_ptr<UITableView>&,
                                                                int section) override {
        return titled ? std::optional<std::string>("Section " + std::to_string(section)) : std::nullopt;
    }
    std::optional<CGFloat> tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                            const NSIndexPath& indexPath) override {
        if (rowHeight) {
            return rowHeight;
        }
        return indexPath.row == 0 ? std::optional<CGFloat>(80) : std::nullopt;
    }
    void tableViewWillDisplayCellForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                   const std::shared_ptr<UITableViewCell>&,
                                                   const NSIndexPath& indexPath) override {
        displayed.push_back(indexPath);
    }
    void tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                          const NSIndexPath& indexPath) override {
        selected.push_back(indexPath);
    }
    bool tableViewCanMoveRowAtIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath&) override {
        return true;
    }
    void tableViewCommitEditingStyleForRowAtIndexPath(const std::shared_ptr<UITableView>& table,
                                                      UITableViewCellEditingStyle style,
                                                      const NSIndexPath& indexPath) override {
        if (style == UITableViewCellEditingStyle::deleteStyle) {
            auto& rows = sections[static_cast<std::size_t>(indexPath.section)];
            rows.erase(rows.begin() + indexPath.row);
            table->deleteRowsAtIndexPaths({indexPath}, UITableViewRowAnimation::fade);
        }
    }
    void tableViewMoveRowAtIndexPathToIndexPath(const std::shared_ptr<UITableView>&, const NSIndexPath& from,
                                                const NSIndexPath& to) override {
        auto& source = sections[static_cast<std::size_t>(from.section)];
        std::string moved = source[static_cast<std::size_t>(from.row)];
        source.erase(source.begin() + from.row);
        auto& target = sections[static_cast<std::size_t>(to.section)];
        target.insert(target.begin() + to.row, moved);
        moves.emplace_back(from, to);
    }

    std::vector<std::vector<std::string>> sections;
    bool titled = false;
    std::optional<CGFloat> rowHeight = 44;
    int cellRequests = 0;
    std::vector<NSIndexPath> displayed;
    std::vector<NSIndexPath> selected;
    std::vector<std::pair<NSIndexPath, NSIndexPath>> moves;
};

std::vector<std::string> numbered(int count, const std::string& prefix = "row ") {
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) {
        rows.push_back(prefix + std::to_string(i));
    }
    return rows;
}

class TableViewTests : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        CountingCell::created = 0;
        CountingCell::reused = 0;
        window = makeWindow();
        table = std::make_shared<UITableView>(window->bounds());
        table->registerClass<CountingCell>("row");
        rows = std::make_shared<Rows>();
        table->setDataSource(rows);
        table->setDelegate(rows);
        window->addSubview(table);
    }

    std::string textAt(const NSIndexPath& indexPath) {
        auto cell = table->cellForRowAtIndexPath(indexPath);
        return cell ? cell->textLabel()->text() : "<no cell>";
    }

    std::shared_ptr<UITableView> table;
    std::shared_ptr<Rows> rows;
};

TEST_F(TableViewTests, OnlyVisibleRowsHaveCellsAndScrollingReusesCellsThatLeftTheScreen) {
    rows->sections = {numbered(1000)};
    table->reloadData();
    runLoopTurn();
    auto visible = table->indexPathsForVisibleRows();
    ASSERT_EQ(visible.size(), 20u) << "844 points show rows 0..19 of 44 points";
    EXPECT_EQ(visible.back(), (NSIndexPath{0, 19}));
    EXPECT_EQ(rows->cellRequests, 20);
    EXPECT_EQ(rows->displayed.size(), 20u);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 500}), nullptr);
    int createdAtStart = CountingCell::created;
    for (int step = 1; step <= 200; ++step) {
        table->setContentOffset({0, step * 100.0});
        table->layoutIfNeeded();
    }
    EXPECT_LE(CountingCell::created, createdAtStart + 4)
        << "scrolling through 450 rows makes almost no cells";
    EXPECT_GT(CountingCell::reused, 400);
    for (const auto& indexPath : table->indexPathsForVisibleRows()) {
        EXPECT_EQ(textAt(indexPath), "row " + std::to_string(indexPath.row))
            << "a reused cell shows its new row";
    }
    EXPECT_LE(table->subviews().size(), 22u);

    // A reload with fewer rows than the offset passes shows the rows that are left.
    rows->sections = {numbered(3)};
    table->reloadData();
    EXPECT_EQ(table->indexPathsForVisibleRows(), (std::vector<NSIndexPath>{{0, 0}, {0, 1}, {0, 2}}));
    EXPECT_EQ(table->contentOffset().y, 0);
}

TEST_F(TableViewTests, ScrollToRowPutsItAtTopMiddleOrBottomWithinRange) {
    rows->sections = {numbered(100)};
    table->setContentInset({-5, 0, 0, 0});
    table->reloadData();
    table->scrollToRowAtIndexPath({0, 50}, UITableViewScrollPosition::top, false);
    EXPECT_EQ(table->contentOffset().y, 50 * 44 + 5);
    EXPECT_EQ(textAt({0, 50}), "row 50") << "the row has a cell right after scrolling";
    EXPECT_EQ(table->indexPathsForVisibleRows().front(), (NSIndexPath{0, 50}));

    table->scrollToRowAtIndexPath({0, 50}, UITableViewScrollPosition::middle, false);
    EXPECT_EQ(table->contentOffset().y, 50 * 44 + 22 - (844 + 5) / 2.0 + 5);
    table->scrollToRowAtIndexPath({0, 50}, UITableViewScrollPosition::bottom, false);
    EXPECT_EQ(table->contentOffset().y, 51 * 44 - 844);
    table->scrollToRowAtIndexPath({0, 99}, UITableViewScrollPosition::top, false);
    EXPECT_EQ(table->contentOffset().y, 100 * 44 - 844) << "the last rows cannot reach the top";
    table->scrollToRowAtIndexPath({0, 0}, UITableViewScrollPosition::top, false);
    EXPECT_EQ(table->contentOffset().y, 5);
    table->scrollToRowAtIndexPath({0, 100}, UITableViewScrollPosition::top, false);
    EXPECT_EQ(table->contentOffset().y, 5) << "a row that does not exist is ignored";

    // The pinned section header does not cover a row scrolled into view.
    rows->titled = true;
    table->reloadData();
    table->scrollToRowAtIndexPath({0, 99}, UITableViewScrollPosition::bottom, false);
    table->scrollToRowAtIndexPath({0, 50}, UITableViewScrollPosition::none, true);
    clock->advance(1);
    runLoopTurn();
    EXPECT_EQ(table->headerViewForSection(0)->frame().maxY(),
              table->cellForRowAtIndexPath({0, 50})->frame().minY());
    const CGFloat offset = table->contentOffset().y;
    table->scrollToRowAtIndexPath({0, 52}, UITableViewScrollPosition::none, false);
    EXPECT_EQ(table->contentOffset().y, offset) << "a row in view stays put";
}

TEST_F(TableViewTests, RectanglesOfHeadersRowsAndFootersFollowTheTableHeader) {
    rows->sections = {numbered(2), numbered(3)};
    rows->titled = true;
    rows->rowHeight.reset();
    table->setTableHeaderView(std::make_shared<UIView>(CGRect{0, 0, 1, 100}));
    auto footer = std::make_shared<UIView>(CGRect{0, 0, 10, 30});
    table->setTableFooterView(footer);
    table->reloadData();
    // The delegate gives row 0 of each section 80 points; the others take the table's 44.
    EXPECT_EQ(table->rectForHeaderInSection(0), (CGRect{0, 100, 390, 28}));
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}), (CGRect{0, 128, 390, 80}));
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 1}), (CGRect{0, 208, 390, 44}));
    EXPECT_EQ(table->rectForFooterInSection(0), (CGRect{0, 252, 390, 0}));
    EXPECT_EQ(table->rectForSection(1), (CGRect{0, 252, 390, 28 + 80 + 88}));
    EXPECT_EQ(table->rectForRowAtIndexPath({1, 3}), CGRect{});
    EXPECT_EQ(table->contentSize().height, 448 + 30);
    runLoopTurn();
    EXPECT_EQ(footer->frame(), (CGRect{0, 448, 390, 30}));
    EXPECT_EQ(table->tableHeaderView()->frame().size.width, 390);
    auto header = table->headerViewForSection(1);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->frame(), table->rectForHeaderInSection(1));

    // A plain table keeps a section's header on top while the section scrolls under it.
    rows->sections = {numbered(40), numbered(40)};
    table->reloadData();
    table->setContentOffset({0, 500});
    table->layoutIfNeeded();
    EXPECT_EQ(table->headerViewForSection(0)->frame().origin.y, 500);
    EXPECT_EQ(table->indexPathForRowAtPoint({10, 129}), (NSIndexPath{0, 0}));
    EXPECT_EQ(table->indexPathForRowAtPoint({10, 127}), std::nullopt) << "that is the header";
}

TEST_F(TableViewTests, AnUpdateTheDataSourceDoesNotMatchReloadsEverything) {
    rows->sections = {numbered(10)};
    table->reloadData();
    runLoopTurn();
    rows->sections[0].erase(rows->sections[0].begin(), rows->sections[0].begin() + 2);
    table->deleteRowsAtIndexPaths({{0, 0}}, UITableViewRowAnimation::fade);
    EXPECT_EQ(table->numberOfRowsInSection(0), 8);
    runLoopTurn();
    EXPECT_EQ(textAt({0, 0}), "row 2");
    EXPECT_EQ(table->indexPathsForVisibleRows().size(), 8u);

    rows->sections[0].insert(rows->sections[0].begin() + 1, "new");
    table->insertRowsAtIndexPaths({{0, 1}}, UITableViewRowAnimation::none);
    EXPECT_EQ(textAt({0, 1}), "new");
    EXPECT_EQ(textAt({0, 2}), "row 3");
}

TEST_F(TableViewTests, TappingARowSelectsItAndReloadsDropTheSelection) {
    rows->sections = {numbered(10)};
    table->reloadData();
    runLoopTurn();
    window->tapAtPoint({100, 44 * 2 + 10});
    EXPECT_EQ(rows->selected, (std::vector<NSIndexPath>{{0, 2}}));
    EXPECT_EQ(table->indexPathForSelectedRow(), (NSIndexPath{0, 2}));
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 2})->isSelected());

    // A press that turns into a drag scrolls instead of selecting; one sideways selects nothing either.
    rows->sections = {numbered(100)};
    table->reloadData();
    EXPECT_EQ(table->indexPathForSelectedRow(), std::nullopt);
    runLoopTurn();
    // Row 6 is under both presses, before and after the scroll.
    for (auto [start, end] :
         {std::pair{CGPoint{100, 300}, CGPoint{100, 100}}, std::pair{CGPoint{100, 80}, CGPoint{250, 85}}}) {
        window->sendTouchBegan(start);
        EXPECT_TRUE(table->cellForRowAtIndexPath({0, 6})->isHighlighted());
        window->sendTouchMoved({(start.x + end.x) / 2, (start.y + end.y) / 2});
        EXPECT_FALSE(table->cellForRowAtIndexPath({0, 6})->isHighlighted());
        window->sendTouchMoved(end);
        window->sendTouchEnded(end);
    }
    EXPECT_EQ(table->contentOffset().y, 200);
    EXPECT_EQ(rows->selected.size(), 1u);

    table->selectRowAtIndexPath(NSIndexPath{0, 9}, false, UITableViewScrollPosition::none);
    table->reloadRowsAtIndexPaths({{0, 9}}, UITableViewRowAnimation::none);
    EXPECT_EQ(table->indexPathForSelectedRow(), std::nullopt);
}

TEST_F(TableViewTests, EditingDeletesAfterConfirmationWithAFadeAndMovesByTheGrip) {
    rows->sections = {numbered(5)};
    table->reloadData();
    table->setEditing(true, false);
    runLoopTurn();
    // The delete control sits at the leading edge of the row; its button asks to confirm.
    window->tapAtPoint({19, 44 + 22});
    auto cell = table->cellForRowAtIndexPath({0, 1});
    ASSERT_TRUE(cell->showingDeleteConfirmation());
    EXPECT_EQ(rows->sections[0].size(), 5u);
    auto follower = table->cellForRowAtIndexPath({0, 2});
    window->tapAtPoint({380, 44 + 22});
    EXPECT_EQ(rows->sections[0], (std::vector<std::string>{"row 0", "row 2", "row 3", "row 4"}));
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 1}), follower) << "the next row keeps its cell";
    EXPECT_EQ(cell->superview(), table) << "the deleted row stays while it fades";
    clock->advance(0.15);
    EXPECT_GT(cell->layer()->opacity(), 0.05);
    EXPECT_LT(cell->layer()->opacity(), 0.95);
    EXPECT_GT(follower->layer()->position().y, 44 + 22);
    EXPECT_LT(follower->layer()->position().y, 2 * 44 + 22) << "the next row is moving up";
    clock->advance(1);
    EXPECT_EQ(cell->superview(), nullptr);
    EXPECT_EQ(follower->layer()->position().y, 44 + 22);
    EXPECT_EQ(textAt({0, 1}), "row 2");
    EXPECT_EQ(table->contentSize().height, 4 * 44);

    // The grip at the trailing edge drags row 0 below row 2.
    window->sendTouchBegan({375, 22});
    window->sendTouchMoved({375, 60});
    window->sendTouchMoved({375, 2 * 44 + 30});
    EXPECT_EQ(table->contentOffset().y, 0) << "dragging a grip does not scroll";
    window->sendTouchEnded({375, 2 * 44 + 30});
    ASSERT_EQ(rows->moves.size(), 1u);
    EXPECT_EQ(rows->moves[0], std::make_pair(NSIndexPath{0, 0}, NSIndexPath{0, 2}));
    EXPECT_EQ(rows->sections[0], (std::vector<std::string>{"row 2", "row 3", "row 0", "row 4"}));
    clock->advance(1);
    EXPECT_EQ(textAt({0, 2}), "row 0");
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 2})->frame().origin.y, 88);
}

TEST_F(TableViewTests, AutomaticHeightsFitTheCellOnceItIsShown) {
    rows->sections = {{"short", "a long text that needs several lines in a narrow table to be shown whole, "
                                "so the row must grow to hold every one of them"}};
    rows->rowHeight = UITableViewAutomaticDimension;
    table->setFrame({0, 0, 200, 800});
    table->setEstimatedRowHeight(50);
    table->reloadData();
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 1}), (CGRect{0, 50, 200, 50}))
        << "estimates until the rows are shown";
    EXPECT_EQ(table->contentSize().height, 100);
    table->registerCellFactory("row", [] {
        auto cell = std::make_shared<UITableViewCell>(UITableViewCellStyle::defaultStyle, "row");
        cell->textLabel()->setNumberOfLines(0);
        return cell;
    });
    table->reloadData();
    runLoopTurn();
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}).size.height, 44);
    CGFloat tall = table->rectForRowAtIndexPath({0, 1}).size.height;
    EXPECT_GT(tall, 80);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 1})->frame(), (CGRect{0, 44, 200, tall}));
}

TEST_F(TableViewTests, NibRegistrationAndMissingCells) {
    int built = 0;
    UINib::registerNib("TestRowCell",
                       [&](const std::shared_ptr<UIResponder>&) -> std::vector<std::shared_ptr<UIResponder>> {
                           ++built;
                           auto cell = std::make_shared<UITableViewCell>();
                           cell->setTag(42);
                           return {std::make_shared<UIView>(), cell};
                       });
    table->registerNib(UINib::nibWithNibName("TestRowCell"), "row");
    auto cell = table->dequeueReusableCellWithIdentifier("row");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->tag(), 42);
    EXPECT_EQ(cell->reuseIdentifier(), "row");
    EXPECT_EQ(built, 1);
    EXPECT_EQ(table->dequeueReusableCellWithIdentifier("unknown"), nullptr);

    // A data source without a cell gets an empty one instead of a crash.
    class Empty : public UITableViewDataSource {
        int tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&, int) override { return 3; }
    };
    auto empty = std::make_shared<Empty>();
    table->setDataSource(empty);
    runLoopTurn();
    EXPECT_EQ(table->visibleCells().size(), 3u);
}

} // namespace
