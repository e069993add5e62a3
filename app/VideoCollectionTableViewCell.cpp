#include "app/VideoCollectionTableViewCell.h"

#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIScreen.h"

namespace {

std::vector<std::shared_ptr<UIResponder>> buildCell(const std::shared_ptr<UIResponder>&) {
    const CGFloat width = UIScreen::mainScreen()->bounds().width();
    auto cell = std::make_shared<VideoCollectionTableViewCell>(UITableViewCellStyle::defaultStyle,
                                                               "videoCollectionTableViewCell");
    cell->setFrame({0, 0, width, width});
    cell->setSelectionStyle(UITableViewCellSelectionStyle::none);
    auto collection = std::make_shared<UICollectionView>(NSCoder{});
    collection->setFrame(cell->contentView()->bounds());
    collection->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    collection->setBackgroundColor(UIColor::clearColor());
    cell->contentView()->addSubview(collection);
    cell->videoCollectionView = collection;
    return {cell};
}

} // namespace

void VideoCollectionTableViewCell::registerNib() {
    UINib::registerNib(cellNibName, buildCell);
}
