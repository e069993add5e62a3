#include "app/LongScreenshot.h"

#include "charts/ChartTableViewCell.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/graphics/UIImage.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UITableView.h"

#include <algorithm>

namespace {

constexpr double chartSettleSeconds = 2.0;
constexpr CGFloat widestRowInScreenWidths = 3;

// Scrolls the rectangle of the table's content to the top of its visible part, as far as the
// content allows.
void scrollRectToTop(UITableView& table, const CGRect& rect) {
    table.setContentOffset(table.clampedContentOffset({table.contentOffset().x, rect.origin.y}));
}

// A chart animates into place; taken at once it would show half-drawn.
bool cellNeedsTimeToDraw(const UITableViewCell& cell) {
    return dynamic_cast<const ChartTableViewCell*>(&cell) != nullptr;
}

// The row drawn whole: the cell is widened to the width it needs for the drawing and put back. A row
// wider than `widest` is drawn straight at the scale that fits, so no bitmap is ever wider.
std::shared_ptr<UIImage> wholeRowImage(UITableViewCell& cell, CGFloat widest) {
    const CGRect frame = cell.frame();
    const CGFloat whole = cell.sizeThatFits(frame.size).width;
    if (whole <= frame.width())
        return screenshot(cell);
    cell.setFrame({frame.origin, {whole, frame.height()}});
    cell.layoutIfNeeded();
    const CGFloat scale = std::min<CGFloat>(1, widest / whole);
    auto image = UIGraphicsImageRenderer(CGSize{scale < 1 ? widest : whole, frame.height() * scale})
                     .image([&cell, scale](UIGraphicsImageRendererContext& context) {
                         context.cgContext().scaleBy(scale, scale);
                         cell.layer()->renderInContext(context.cgContext());
                     });
    cell.setFrame(frame);
    cell.layoutIfNeeded();
    return image;
}

// One capture, advanced piece by piece; it keeps itself alive across its waits.
class TableCapture : public std::enable_shared_from_this<TableCapture> {
  public:
    TableCapture(std::shared_ptr<UITableView> table, std::optional<std::set<int>> headers,
                 std::optional<std::set<int>> footers,
                 std::function<void(std::shared_ptr<UIImage>)> completion)
        : table_(std::move(table)), headers_(std::move(headers)), footers_(std::move(footers)),
          completion_(std::move(completion)) {}

    void start() {
        if (const auto& header = table_->tableHeaderView()) {
            const CGPoint offset = table_->contentOffset();
            scrollRectToTop(*table_, header->frame());
            append(screenshotForCroppingRectWithCroppingRect(*table_, header->frame()));
            table_->setContentOffset(offset);
        }
        sections_ = table_->numberOfSections();
        proceed();
    }

  private:
    static bool includes(const std::optional<std::set<int>>& sections, int section) {
        return !sections || sections->count(section) > 0;
    }

    void append(const std::shared_ptr<UIImage>& image) {
        if (image)
            images_.push_back(image);
    }

    void appendSectionView(const CGRect& rect) {
        const CGPoint offset = table_->contentOffset();
        scrollRectToTop(*table_, rect);
        auto image = screenshotForCroppingRectWithCroppingRect(*table_, rect);
        table_->setContentOffset(offset);
        if (!image) {
            UIGraphicsImageRendererFormat format;
            format.scale = UIScreen::mainScreen()->scale();
            image = UIGraphicsImageRenderer(CGSize{table_->bounds().width(), rect.height()}, format)
                        .image([](UIGraphicsImageRendererContext&) {});
        }
        if (image->size().width > 0 && image->size().height > 0)
            images_.push_back(image);
    }

    // Runs until the table is done or a row needs time to draw.
    void proceed() {
        while (section_ < sections_) {
            if (row_ < 0) {
                if (includes(headers_, section_))
                    appendSectionView(table_->rectForHeaderInSection(section_));
                row_ = 0;
            }
            if (row_ < table_->numberOfRowsInSection(section_)) {
                const NSIndexPath indexPath{section_, row_++};
                const CGPoint offset = table_->contentOffset();
                table_->scrollToRowAtIndexPath(indexPath, UITableViewScrollPosition::top, false);
                auto cell = table_->cellForRowAtIndexPath(indexPath);
                if (!cell) {
                    table_->setContentOffset(offset);
                    continue;
                }
                cell->setBackgroundColor(UIColor::systemBackgroundColor());
                if (!cellNeedsTimeToDraw(*cell)) {
                    finishRow(*cell, offset);
                    continue;
                }
                DispatchQueue::main()->asyncAfter(chartSettleSeconds,
                                                  [self = shared_from_this(), cell, offset] {
                                                      self->finishRow(*cell, offset);
                                                      self->proceed();
                                                  });
                return;
            }
            if (includes(footers_, section_))
                appendSectionView(table_->rectForFooterInSection(section_));
            ++section_;
            row_ = -1;
        }
        completion_(stackImagesVertically(images_, UIColor::systemBackgroundColor()));
    }

    void finishRow(UITableViewCell& cell, CGPoint offset) {
        append(wholeRowImage(cell, widestRowInScreenWidths * UIScreen::mainScreen()->bounds().width()));
        table_->setContentOffset(offset);
    }

    std::shared_ptr<UITableView> table_;
    std::optional<std::set<int>> headers_;
    std::optional<std::set<int>> footers_;
    std::function<void(std::shared_ptr<UIImage>)> completion_;
    std::vector<std::shared_ptr<UIImage>> images_;
    int sections_ = 0;
    int section_ = 0;
    // -1 until the section's header is taken.
    int row_ = -1;
};

} // namespace

std::shared_ptr<UIImage> screenshotForCroppingRectWithCroppingRect(UIView& view, const CGRect& rect) {
    view.layoutIfNeeded();
    return UIGraphicsImageRenderer(rect.size).image([&view](UIGraphicsImageRendererContext& context) {
        view.layer()->renderInContext(context.cgContext());
    });
}

std::shared_ptr<UIImage> screenshot(UIView& view) {
    return screenshotForCroppingRectWithCroppingRect(view, view.bounds());
}

void captureFullTableImage(const std::shared_ptr<UITableView>& tableView,
                           std::optional<std::set<int>> headerSections,
                           std::optional<std::set<int>> footerSections,
                           std::function<void(std::shared_ptr<UIImage>)> completion) {
    auto capture = std::make_shared<TableCapture>(tableView, std::move(headerSections),
                                                  std::move(footerSections), std::move(completion));
    capture->start();
}

std::shared_ptr<UIImage> stackImagesVertically(const std::vector<std::shared_ptr<UIImage>>& images,
                                               const std::optional<UIColor>& background) {
    if (images.empty()) {
        UIGraphicsBeginImageContextWithOptions({0, 0}, false, 0);
        auto image = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        return image;
    }
    CGSize canvas{0, 0};
    for (const auto& image : images) {
        canvas.width = std::max(canvas.width, image->size().width);
        canvas.height += image->size().height;
    }
    UIGraphicsBeginImageContextWithOptions(canvas, false, 0);
    if (background) {
        UIGraphicsGetCurrentContext()->setFillColor(*background);
        UIGraphicsGetCurrentContext()->fillRect({{0, 0}, canvas});
    }
    CGFloat y = 0;
    for (const auto& image : images) {
        image->drawAtPoint({0, y});
        y += image->size().height;
    }
    auto stacked = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return stacked;
}
