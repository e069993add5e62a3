#pragma once

#include "platform/uikit/UICollectionViewDataSource.h"
#include "platform/uikit/UICollectionViewDelegateFlowLayout.h"
#include "platform/uikit/UITableViewCell.h"

#include <memory>
#include <string>
#include <vector>

class FABButton;
class UIButton;
class UICollectionView;
class UILabel;

// The last row of the result page: the tutorial videos of the calculator, side by side, covered by
// a lock until the user agrees to the video host's privacy terms.
class VideoCollectionTableViewCell : public UITableViewCell,
                                     public UICollectionViewDataSource,
                                     public UICollectionViewDelegateFlowLayout {
  public:
    static constexpr const char* cellNibName = "VideoCollectionTableViewCell";
    static constexpr const char* reuseIdentifierName = "videoCollectionTableViewCell";

    using UITableViewCell::UITableViewCell;

    std::weak_ptr<UIView> lockingView;
    std::weak_ptr<UIButton> unlockButton;
    std::weak_ptr<UILabel> titleLabel;
    std::weak_ptr<FABButton> privacyButton;
    std::weak_ptr<FABButton> manualButton;
    std::weak_ptr<UICollectionView> videoCollectionView;
    std::vector<std::string> videoUrlStringArray;

    // Also registers the nib of the video items.
    static void registerNib();

    void awakeFromNib() override;
    // The result table runs past the page's trailing edge; the row's content keeps to the part of
    // the row that the window shows.
    void layoutSubviews() override;

    int collectionViewNumberOfItemsInSection(const std::shared_ptr<UICollectionView>& collectionView,
                                             int section) override;
    std::shared_ptr<UICollectionViewCell>
    collectionViewCellForItemAtIndexPath(const std::shared_ptr<UICollectionView>& collectionView,
                                         const NSIndexPath& indexPath) override;
    // A square 0.95 times the collection view's height.
    std::optional<CGSize>
    collectionViewLayoutSizeForItemAtIndexPath(const std::shared_ptr<UICollectionView>& collectionView,
                                               UICollectionViewLayout& layout,
                                               const NSIndexPath& indexPath) override;

    void tappedLockingViewButton();
    void tappedPrivacyButton();
    void tappedManualButton();

  private:
    void setLocked(bool locked);
    static void presentVideoIntroduction();
};
