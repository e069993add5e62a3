#pragma once

#include "platform/graphics/CGGeometry.h"

#include <functional>
#include <memory>

// Groups animations added between begin and commit. The completion block runs on the main
// queue once every animation of the group has finished or been removed (at once, after commit,
// when the group has none). Outside begin/commit the animations added until the main queue next
// runs form one group.
class CATransaction {
  public:
    static void begin();
    static void commit();
    static void setCompletionBlock(std::function<void()> completion);
    static void setAnimationDuration(CGFloat duration);
    static CGFloat animationDuration();

    // Used by layers: the group an animation added now belongs to.
    class Group;
    static std::shared_ptr<Group> currentGroup();
};

class CATransaction::Group {
  public:
    void animationStarted() { ++pending_; }
    void animationFinished();
    void setCompletion(std::function<void()> completion) { completion_ = std::move(completion); }
    void committed();

  private:
    void completeIfDone();

    int pending_ = 0;
    bool committed_ = false;
    bool completed_ = false;
    std::function<void()> completion_;
};
