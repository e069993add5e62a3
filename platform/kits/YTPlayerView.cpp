#include "platform/kits/YTPlayerView.h"

#include "platform/foundation/DispatchQueue.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>
#include <charconv>

namespace {

bool isVideoId(const std::string& id) {
    return !id.empty() && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
               c == '_';
    });
}

std::optional<std::int64_t> startSeconds(const AnyValue::Dictionary& playerVars) {
    auto it = playerVars.find("start");
    if (it == playerVars.end()) {
        return std::nullopt;
    }
    if (auto number = it->second.integerValue()) {
        return *number >= 0 ? number : std::nullopt;
    }
    const std::string* text = it->second.stringPointer();
    if (!text || text->empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

} // namespace

YTPlayerView::YTPlayerView() : UIView() {
    prepare();
}

YTPlayerView::YTPlayerView(const CGRect& frame) : UIView(frame) {
    prepare();
}

YTPlayerView::YTPlayerView(const NSCoder& coder) : UIView(coder) {
    prepare();
}

void YTPlayerView::prepare() {
    setBackgroundColor(UIColor::blackColor());
    setClipsToBounds(true);
}

bool YTPlayerView::loadWithVideoIdPlayerVars(const std::string& videoId,
                                             const AnyValue::Dictionary& playerVars) {
    if (!isVideoId(videoId)) {
        return false;
    }
    videoId_ = videoId;
    startSeconds_ = startSeconds(playerVars);
    ready_ = false;
    std::uint64_t generation = ++loadGeneration_;
    setNeedsDisplay();
    std::weak_ptr<YTPlayerView> weakSelf = std::static_pointer_cast<YTPlayerView>(weak_from_this().lock());
    DispatchQueue::main()->async([weakSelf, generation] {
        auto self = weakSelf.lock();
        // A later load replaced this one; it reports for itself.
        if (!self || generation != self->loadGeneration_) {
            return;
        }
        self->ready_ = true;
        self->setNeedsDisplay();
        if (auto delegate = self->delegate_.lock()) {
            delegate->playerViewDidBecomeReady(*self);
        }
    });
    return true;
}

std::optional<URL> YTPlayerView::videoUrl() const {
    if (videoId_.empty()) {
        return std::nullopt;
    }
    std::string link = watchLinkPrefix + videoId_;
    if (startSeconds_) {
        link += "&t=" + std::to_string(*startSeconds_) + "s";
    }
    return URL::URLWithString(link);
}

bool YTPlayerView::playVideo() {
    auto url = videoUrl();
    if (!ready_ || !url) {
        return false;
    }
    std::weak_ptr<YTPlayerView> weakSelf = sharedAs<YTPlayerView>();
    UIApplication::sharedApplication()->openURL(*url, {}, [weakSelf](bool opened) {
        auto self = weakSelf.lock();
        auto delegate = self ? self->delegate_.lock() : nullptr;
        if (!opened && delegate) {
            delegate->playerViewCouldNotOpenVideo(*self);
        }
    });
    return true;
}

void YTPlayerView::drawRect(const CGRect&) {
    CGContext* context = UIGraphics::currentContext();
    if (!context || !ready_) {
        return;
    }
    CGRect b = bounds();
    CGFloat width = std::min<CGFloat>(68, b.width() * 0.4);
    CGFloat height = width * 0.7;
    CGRect button{b.midX() - width / 2, b.midY() - height / 2, width, height};
    context->beginPath();
    context->addPath(CGPath::withRoundedRect(button, height * 0.25));
    context->setFillColor(UIColor(0.9, 0.1, 0.1, 1));
    context->fillPath();
    CGFloat side = height * 0.45;
    context->beginPath();
    context->moveTo({button.midX() - side * 0.4, button.midY() - side / 2});
    context->addLineTo({button.midX() + side * 0.6, button.midY()});
    context->addLineTo({button.midX() - side * 0.4, button.midY() + side / 2});
    context->closePath();
    context->setFillColor(UIColor::whiteColor());
    context->fillPath();
}

void YTPlayerView::touchesEnded(UITouch& touch) {
    if (!ready_ || !bounds().contains(touch.locationInView(this))) {
        UIView::touchesEnded(touch);
        return;
    }
    playVideo();
}
