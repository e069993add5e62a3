#include "app/VideoCollectionViewCell.h"

#include "app/AppLinks.h"
#include "app/ColorManager.h"
#include "app/ViewControllerOperations.h"
#include "app/ViewManager.h"
#include "engine/TextUtilities.h"
#include "platform/kits/YTPlayerView.h"
#include "platform/uikit/UINib.h"

namespace {

std::vector<std::shared_ptr<UIResponder>> buildCell(const std::shared_ptr<UIResponder>&) {
    auto cell = std::make_shared<VideoCollectionViewCell>(CGRect{0, 0, 240, 240});
    const auto& content = cell->contentView();
    auto player = std::make_shared<YTPlayerView>(content->bounds());
    player->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    player->setAccessibilityIdentifier("videoPlayer");
    content->addSubview(player);
    auto cover = std::make_shared<UIView>(content->bounds());
    cover->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    cover->setBackgroundColor(UIColor::systemGray4Color());
    cover->setAccessibilityIdentifier("videoCover");
    content->addSubview(cover);
    cell->videoView = player;
    cell->coveringView = cover;
    return {cell};
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
}

bool hasVideoIdLength(const std::string& id) {
    return characterCount(id) == static_cast<long>(VideoCollectionViewCell::videoIdLength);
}

} // namespace

void VideoCollectionViewCell::registerNib() {
    UINib::registerNib(cellNibName, buildCell);
}

void VideoCollectionViewCell::awakeFromNib() {
    UICollectionViewCell::awakeFromNib();
    ColorManager::applyCardShadow(*this);
    if (auto player = videoView.lock()) {
        player->setDelegate(std::dynamic_pointer_cast<YTPlayerViewDelegate>(shared_from_this()));
    }
}

void VideoCollectionViewCell::loadVideo(const std::optional<std::string>& link) {
    if (auto cover = coveringView.lock()) {
        cover->setHidden(false);
    }
    const AppLinks& links = AppLinks::shared();
    if (link && startsWith(*link, links.videoWatchLinkPrefix)) {
        loadWatchLink(link->substr(links.videoWatchLinkPrefix.size()));
    } else if (link && startsWith(*link, links.videoShortLinkPrefix)) {
        loadShortLink(link->substr(links.videoShortLinkPrefix.size()));
    } else {
        hidePlayer();
    }
}

void VideoCollectionViewCell::loadWatchLink(const std::string& rest) {
    auto pieces = splitDroppingEmpty(rest, "&");
    std::string id = pieces.empty() ? std::string() : std::string(pieces.front());
    if (!hasVideoIdLength(id)) {
        hidePlayer();
        return;
    }
    AnyValue::Dictionary playerVars{{"iv_load_policy", AnyValue(1)}};
    std::string last = std::string(pieces.back());
    if (last.size() >= 3 && last.compare(0, 2, "t=") == 0 && last.back() == 's') {
        std::string seconds = replacingAll(last, "t=", "");
        seconds.pop_back();
        if (!seconds.empty() && parseInt64(seconds)) {
            playerVars["start"] = AnyValue(seconds);
        }
    }
    if (auto player = videoView.lock()) {
        player->setHidden(false);
        player->loadWithVideoIdPlayerVars(id, playerVars);
    }
}

void VideoCollectionViewCell::loadShortLink(const std::string& id) {
    if (!hasVideoIdLength(id)) {
        hidePlayer();
        return;
    }
    if (auto player = videoView.lock()) {
        player->setHidden(false);
        player->loadWithVideoIdPlayerVars(id, {{"iv_load_policy", AnyValue(1)}});
    }
}

void VideoCollectionViewCell::hidePlayer() {
    if (auto player = videoView.lock()) {
        player->setHidden(true);
    }
}

void VideoCollectionViewCell::playerViewDidBecomeReady(YTPlayerView&) {
    if (auto cover = coveringView.lock()) {
        cover->setHidden(true);
    }
}

void VideoCollectionViewCell::playerViewCouldNotOpenVideo(YTPlayerView&) {
    if (auto root = ViewManager::keyWindowRoot()) {
        presentPageUnavailable(*root);
    }
}
