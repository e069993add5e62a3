#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/UIColor.h"

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class UIImage;
class UITableView;
class UIView;

// A picture of a whole table, however long, taken piece by piece: each piece is scrolled into view
// and rendered, and the pieces are stacked top to bottom.

// The view's layer as it shows now, in an image of the rectangle's size (its origin is not applied).
std::shared_ptr<UIImage> screenshotForCroppingRectWithCroppingRect(UIView& view, const CGRect& rect);
std::shared_ptr<UIImage> screenshot(UIView& view);

// Runs on the main queue and finishes there; rows that hold charts are given two seconds to finish
// drawing. Absent section sets take every header and footer. The table ends where it started.
// Each row is drawn whole, as wide as its cell's sizeThatFits says, up to three screen widths; a
// wider row is drawn at the smaller scale that fits. Narrower pieces stand on the page's background.
void captureFullTableImage(const std::shared_ptr<UITableView>& tableView,
                           std::optional<std::set<int>> headerSections,
                           std::optional<std::set<int>> footerSections,
                           std::function<void(std::shared_ptr<UIImage>)> completion);

// Widest width, summed heights, each image at x 0 below the ones before it, on the background
// colour when one is given (else clear).
std::shared_ptr<UIImage> stackImagesVertically(const std::vector<std::shared_ptr<UIImage>>& images,
                                               const std::optional<UIColor>& background = std::nullopt);
