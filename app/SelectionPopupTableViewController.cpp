#include "app/SelectionPopupTableViewController.h"

#include "app/ColorManager.h"
#include "engine/KivoColor.h"
#include "platform/graphics/CAShapeLayer.h"
#include "platform/uikit/UILabel.h"

SelectionPopupTableViewController::SelectionPopupTableViewController() {
    setDefaultColors();
}

SelectionPopupTableViewController::SelectionPopupTableViewController(const NSCoder& coder)
    : UITableViewController(coder) {
    setDefaultColors();
}

void SelectionPopupTableViewController::setDefaultColors() {
    tableViewBgColor = KivoColor::paletteDarkBlue();
    tableViewSeparatorColor = KivoColor::paletteDarkBlue();
    cellBgColor = KivoColor::paletteBlue();
    cellHighlightColor = KivoColor::paletteViolet();
    cellTextColor = ColorManager::buttonWhite();
}

CGSize SelectionPopupTableViewController::preferredContentSize() const {
    return {static_cast<CGFloat>(rowWidth), cellHeight * static_cast<CGFloat>(data.size())};
}

void SelectionPopupTableViewController::viewDidLoad() {
    UITableViewController::viewDidLoad();
    // The presentation reads the stored size once it has loaded the view.
    setPreferredContentSize(preferredContentSize());
    auto table = tableView();
    table->registerClass<UITableViewCell>(cellIdentifier);
    table->setBackgroundColor(tableViewBgColor);
    table->setSeparatorColor(tableViewSeparatorColor);
}

void SelectionPopupTableViewController::viewWillAppear(bool animated) {
    UITableViewController::viewWillAppear(animated);
    if (selectedIndex) {
        tableView()->scrollToRowAtIndexPath(NSIndexPath::indexPathForRowInSection(*selectedIndex, 0),
                                            UITableViewScrollPosition::middle, true);
    }
}

void SelectionPopupTableViewController::viewDidLayoutSubviews() {
    UITableViewController::viewDidLayoutSubviews();
    auto superview = view()->superview();
    auto container = superview ? superview->superview() : nullptr;
    if (!container) {
        return;
    }
    for (const auto& sublayer : container->layer()->sublayers()) {
        if (sublayer->name() == "border") {
            return;
        }
    }
    auto mask = container->maskView();
    auto maskShape = mask ? std::dynamic_pointer_cast<CAShapeLayer>(mask->layer()) : nullptr;
    if (!maskShape) {
        return;
    }
    auto border = std::make_shared<CAShapeLayer>();
    border->setPath(maskShape->path());
    border->setLineWidth(4.0);
    border->setStrokeColor(cellHighlightColor);
    border->setFillColor(UIColor::clearColor());
    border->setFrame(maskShape->bounds());
    border->setName("border");
    container->layer()->addSublayer(border);
}

int SelectionPopupTableViewController::tableViewNumberOfRowsInSection(const std::shared_ptr<UITableView>&,
                                                                      int) {
    return static_cast<int>(data.size());
}

std::optional<CGFloat>
SelectionPopupTableViewController::tableViewHeightForRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                    const NSIndexPath&) {
    return cellHeight;
}

std::shared_ptr<UITableViewCell> SelectionPopupTableViewController::tableViewCellForRowAtIndexPath(
    const std::shared_ptr<UITableView>& tableView, const NSIndexPath& indexPath) {
    auto cell = tableView->dequeueReusableCellWithIdentifier(cellIdentifier);
    if (!cell) {
        cell = std::make_shared<UITableViewCell>(UITableViewCellStyle::defaultStyle, cellIdentifier);
    }
    auto label = cell->textLabel();
    auto row = static_cast<std::size_t>(indexPath.row);
    label->setText(row < data.size() ? data[row] : std::string());
    label->setTextAlignment(textAlignment);
    label->setTextColor(cellTextColor);
    bool highlighted = selectedIndex && *selectedIndex == indexPath.row;
    cell->setBackgroundColor(highlighted ? cellHighlightColor : cellBgColor);
    return cell;
}

void SelectionPopupTableViewController::tableViewDidSelectRowAtIndexPath(const std::shared_ptr<UITableView>&,
                                                                         const NSIndexPath& indexPath) {
    if (completion) {
        completion(indexPath.row);
    }
    dismissViewControllerAnimated(true);
}
