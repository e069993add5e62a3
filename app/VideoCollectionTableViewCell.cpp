#include "app/VideoCollectionTableViewCell.h"

#include "app/ColorManager.h"
#include "app/DsgvoManager.h"
#include "app/OnboardingManager.h"
#include "app/VideoCollectionViewCell.h"
#include "app/ViewManager.h"
#include "engine/LocalizedString.h"
#include "platform/defaults/Defaults.h"
#include "platform/graphics/UIImage.h"
#include "platform/kits/OnboardViewController.h"
#include "platform/material/FABButton.h"
#include "platform/uikit/UICollectionView.h"
#include "platform/uikit/UICollectionViewFlowLayout.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINib.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

namespace {

constexpr CGFloat inset = 16;
constexpr CGFloat titleHeight = 28;
constexpr CGFloat buttonSide = 44;

std::shared_ptr<FABButton> roundButton(const std::shared_ptr<UIImage>& image, ColorTag tag,
                                       const char* identifier) {
    auto button = std::make_shared<FABButton>(image);
    button->setTag(tag);
    button->setAccessibilityIdentifier(identifier);
    return button;
}

std::vector<std::shared_ptr<UIResponder>> buildCell(const std::shared_ptr<UIResponder>&) {
    const CGFloat width = UIScreen::mainScreen()->bounds().width();
    auto cell = std::make_shared<VideoCollectionTableViewCell>(
        UITableViewCellStyle::defaultStyle, VideoCollectionTableViewCell::reuseIdentifierName);
    cell->setFrame({0, 0, width, width});
    cell->setSelectionStyle(UITableViewCellSelectionStyle::none);
    // The content view takes the cell's size in layout; the views below are placed in that size.
    cell->layoutIfNeeded();
    const auto& content = cell->contentView();
    const CGFloat innerWidth = width - 2 * inset;

    auto title = std::make_shared<UILabel>(CGRect{inset, inset, innerWidth, titleHeight});
    title->setFont(UIFont::fontWithName("Avenir-Heavy", 17).value_or(UIFont::boldSystemFontOfSize(17)));
    title->setTextColor(UIColor::labelColor());
    title->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    content->addSubview(title);

    const CGFloat videosTop = 2 * inset + titleHeight;
    const CGFloat videosHeight = width - videosTop - 2 * inset - buttonSide;
    auto layout = std::make_shared<UICollectionViewFlowLayout>();
    layout->scrollDirection = UICollectionViewScrollDirection::horizontal;
    layout->minimumLineSpacing = inset;
    auto collection =
        std::make_shared<UICollectionView>(CGRect{inset, videosTop, innerWidth, videosHeight}, layout);
    collection->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    collection->setAccessibilityIdentifier("videoCollection");
    content->addSubview(collection);

    auto lock = std::make_shared<UIView>(CGRect{inset, videosTop, innerWidth, videosHeight});
    lock->setBackgroundColor(UIColor::colorWithWhite(0.08, 0.85));
    lock->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    lock->layer()->setCornerRadius(8);
    lock->setAccessibilityIdentifier("videoLock");
    auto unlock = UIButton::buttonWithType(UIButtonType::custom);
    unlock->setFrame(lock->bounds());
    unlock->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    unlock->setImage(UIImage::systemImageNamed("lock.fill"), UIControlStateNormal);
    unlock->setAccessibilityIdentifier("unlockButton");
    lock->addSubview(unlock);
    content->addSubview(lock);

    const CGFloat buttonsTop = width - inset - buttonSide;
    auto privacy = roundButton(UIImage::systemImageNamed("lock.fill"), violetTag, "videoPrivacyButton");
    privacy->setFrame({width - inset - buttonSide, buttonsTop, buttonSide, buttonSide});
    privacy->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    content->addSubview(privacy);
    auto manual = roundButton(nullptr, greenAccentTag, "videoManualButton");
    manual->setTitle("?");
    manual->setFrame({width - 2 * (inset + buttonSide), buttonsTop, buttonSide, buttonSide});
    manual->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    content->addSubview(manual);

    unlock->addTarget(cell, &VideoCollectionTableViewCell::tappedLockingViewButton,
                      UIControlEventTouchUpInside);
    privacy->addTarget(cell, &VideoCollectionTableViewCell::tappedPrivacyButton, UIControlEventTouchUpInside);
    manual->addTarget(cell, &VideoCollectionTableViewCell::tappedManualButton, UIControlEventTouchUpInside);
    cell->titleLabel = title;
    cell->videoCollectionView = collection;
    cell->lockingView = lock;
    cell->unlockButton = unlock;
    cell->privacyButton = privacy;
    cell->manualButton = manual;
    return {cell};
}

} // namespace

void VideoCollectionTableViewCell::registerNib() {
    UINib::registerNib(cellNibName, buildCell);
    VideoCollectionViewCell::registerNib();
}

void VideoCollectionTableViewCell::awakeFromNib() {
    UITableViewCell::awakeFromNib();
    if (auto title = titleLabel.lock()) {
        title->setText(LocalizedString::recommendedVideoIfUnclear());
    }
    if (auto unlock = unlockButton.lock()) {
        unlock->setTitle(LocalizedString::touchToUnlock(), UIControlStateNormal);
    }
    setLocked(!Defaults().get(DsgvoManager::isYoutubeDsgvoAcceptedKey));
    for (const std::shared_ptr<UIView>& button : std::vector<std::shared_ptr<UIView>>{
             unlockButton.lock(), privacyButton.lock(), manualButton.lock()}) {
        if (button) {
            ColorManager::styleViewByTag(*button);
        }
    }
    if (auto collection = videoCollectionView.lock()) {
        auto self = std::dynamic_pointer_cast<VideoCollectionTableViewCell>(shared_from_this());
        collection->setDelegate(std::static_pointer_cast<UICollectionViewDelegate>(self));
        collection->setDataSource(std::static_pointer_cast<UICollectionViewDataSource>(self));
        collection->registerNib(UINib::nibWithNibName(VideoCollectionViewCell::cellNibName),
                                VideoCollectionViewCell::reuseIdentifierName);
        collection->setBackgroundColor(UIColor::clearColor());
    }
    setBackgroundColor(UIColor::clearColor());
}

void VideoCollectionTableViewCell::layoutSubviews() {
    UITableViewCell::layoutSubviews();
    auto window = this->window();
    if (!window)
        return;
    const CGFloat left = convertPointToView({0, 0}, window.get()).x;
    CGRect content = contentView()->frame();
    content.size.width =
        std::clamp(window->bounds().width() - left - content.origin.x, CGFloat{0}, content.size.width);
    contentView()->setFrame(content);
}

void VideoCollectionTableViewCell::setLocked(bool locked) {
    if (auto lock = lockingView.lock()) {
        lock->setHidden(!locked);
    }
    if (auto privacy = privacyButton.lock()) {
        privacy->setImage(UIImage::systemImageNamed(locked ? "lock.fill" : "lock.open.fill"));
    }
}

int VideoCollectionTableViewCell::collectionViewNumberOfItemsInSection(
    const std::shared_ptr<UICollectionView>&, int) {
    return static_cast<int>(videoUrlStringArray.size());
}

std::shared_ptr<UICollectionViewCell> VideoCollectionTableViewCell::collectionViewCellForItemAtIndexPath(
    const std::shared_ptr<UICollectionView>& collectionView, const NSIndexPath& indexPath) {
    auto cell = collectionView->dequeueReusableCellWithReuseIdentifier(
        VideoCollectionViewCell::reuseIdentifierName, indexPath);
    auto video = std::dynamic_pointer_cast<VideoCollectionViewCell>(cell);
    auto item = static_cast<std::size_t>(indexPath.item());
    if (video) {
        video->setBackgroundColor(UIColor::clearColor());
        video->loadVideo(item < videoUrlStringArray.size()
                             ? std::optional<std::string>(videoUrlStringArray[item])
                             : std::nullopt);
    }
    return cell;
}

std::optional<CGSize> VideoCollectionTableViewCell::collectionViewLayoutSizeForItemAtIndexPath(
    const std::shared_ptr<UICollectionView>& collectionView, UICollectionViewLayout&, const NSIndexPath&) {
    CGFloat side = collectionView->frame().height() * 0.95;
    return CGSize{side, side};
}

void VideoCollectionTableViewCell::tappedLockingViewButton() {
    auto root = ViewManager::keyWindowRoot();
    if (!root) {
        return;
    }
    std::weak_ptr<VideoCollectionTableViewCell> weakSelf =
        std::dynamic_pointer_cast<VideoCollectionTableViewCell>(shared_from_this());
    DsgvoManager::showVideoConsent(root, [weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->setLocked(false);
        }
        presentVideoIntroduction();
    });
}

void VideoCollectionTableViewCell::tappedPrivacyButton() {
    auto root = ViewManager::keyWindowRoot();
    if (!root) {
        return;
    }
    std::weak_ptr<VideoCollectionTableViewCell> weakSelf =
        std::dynamic_pointer_cast<VideoCollectionTableViewCell>(shared_from_this());
    DsgvoManager::showVideoConsent(root, {}, [weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->setLocked(true);
        }
    });
}

void VideoCollectionTableViewCell::tappedManualButton() {
    presentVideoIntroduction();
}

void VideoCollectionTableViewCell::presentVideoIntroduction() {
    auto root = ViewManager::keyWindowRoot();
    if (!root) {
        return;
    }
    OnboardingManager manager;
    auto introduction = std::make_shared<OnboardViewController>(
        manager.makeOnboardPages(OnboardingManager::videoOnboardingPages()), manager.makeOnboardAppearance(),
        [] { OnboardingManager::markOnboardingFinished({}); });
    introduction->setModalPresentationStyle(UIModalPresentationStyle::formSheet);
    introduction->presentFrom(root, true);
}
