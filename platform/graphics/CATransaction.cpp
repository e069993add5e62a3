#include "platform/graphics/CATransaction.h"

#include "platform/foundation/DispatchQueue.h"

#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr CGFloat defaultDuration = 0.25;

struct Frame {
    std::shared_ptr<CATransaction::Group> group = std::make_shared<CATransaction::Group>();
    CGFloat duration = defaultDuration;
};

std::vector<Frame>& explicitFrames() {
    static std::vector<Frame> frames;
    return frames;
}

std::optional<Frame>& implicitFrame() {
    static std::optional<Frame> frame;
    return frame;
}

// Changes made outside begin/commit belong to a transaction that commits when the main queue
// next gets to run.
Frame& currentFrame() {
    if (!explicitFrames().empty()) {
        return explicitFrames().back();
    }
    if (!implicitFrame()) {
        implicitFrame().emplace();
        DispatchQueue::main()->async([] {
            if (auto frame = std::exchange(implicitFrame(), std::nullopt)) {
                frame->group->committed();
            }
        });
    }
    return *implicitFrame();
}

} // namespace

void CATransaction::begin() {
    explicitFrames().emplace_back();
}

void CATransaction::commit() {
    if (explicitFrames().empty()) {
        return;
    }
    Frame frame = std::move(explicitFrames().back());
    explicitFrames().pop_back();
    frame.group->committed();
}

void CATransaction::setCompletionBlock(std::function<void()> completion) {
    currentFrame().group->setCompletion(std::move(completion));
}

void CATransaction::setAnimationDuration(CGFloat duration) {
    currentFrame().duration = duration;
}

CGFloat CATransaction::animationDuration() {
    if (!explicitFrames().empty()) {
        return explicitFrames().back().duration;
    }
    return implicitFrame() ? implicitFrame()->duration : defaultDuration;
}

std::shared_ptr<CATransaction::Group> CATransaction::currentGroup() {
    return currentFrame().group;
}

void CATransaction::Group::animationFinished() {
    if (pending_ > 0) {
        --pending_;
    }
    completeIfDone();
}

void CATransaction::Group::committed() {
    committed_ = true;
    completeIfDone();
}

void CATransaction::Group::completeIfDone() {
    if (!committed_ || pending_ > 0 || completed_) {
        return;
    }
    completed_ = true;
    if (completion_) {
        DispatchQueue::main()->async(std::move(completion_));
    }
}
