#include "platform/graphics/CATransaction.h"

#include "platform/foundation/DispatchQueue.h"

#include <utility>
#include <vector>

namespace {

constexpr CGFloat defaultDuration = 0.25;

struct Frame {
    std::shared_ptr<CATransaction::Group> group = std::make_shared<CATransaction::Group>();
    CGFloat duration = defaultDuration;
};

std::vector<std::shared_ptr<Frame>>& explicitFrames() {
    static std::vector<std::shared_ptr<Frame>> frames;
    return frames;
}

// The queued work that commits the implicit transaction owns it: work dropped from the main queue
// takes the transaction along instead of leaving it open for every later change to join.
std::weak_ptr<Frame>& implicitFrame() {
    static std::weak_ptr<Frame> frame;
    return frame;
}

// Changes made outside begin/commit belong to a transaction that commits when the main queue
// next gets to run.
std::shared_ptr<Frame> currentFrame() {
    if (!explicitFrames().empty()) {
        return explicitFrames().back();
    }
    if (auto frame = implicitFrame().lock()) {
        return frame;
    }
    auto frame = std::make_shared<Frame>();
    implicitFrame() = frame;
    DispatchQueue::main()->async([frame] {
        implicitFrame().reset();
        frame->group->committed();
    });
    return frame;
}

} // namespace

void CATransaction::begin() {
    explicitFrames().push_back(std::make_shared<Frame>());
}

void CATransaction::commit() {
    if (explicitFrames().empty()) {
        return;
    }
    std::shared_ptr<Frame> frame = std::move(explicitFrames().back());
    explicitFrames().pop_back();
    frame->group->committed();
}

void CATransaction::setCompletionBlock(std::function<void()> completion) {
    currentFrame()->group->setCompletion(std::move(completion));
}

void CATransaction::setAnimationDuration(CGFloat duration) {
    currentFrame()->duration = duration;
}

CGFloat CATransaction::animationDuration() {
    if (!explicitFrames().empty()) {
        return explicitFrames().back()->duration;
    }
    auto frame = implicitFrame().lock();
    return frame ? frame->duration : defaultDuration;
}

std::shared_ptr<CATransaction::Group> CATransaction::currentGroup() {
    return currentFrame()->group;
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
