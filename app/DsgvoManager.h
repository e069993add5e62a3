#pragma once

#include "platform/defaults/DefaultsKey.h"

#include <functional>
#include <memory>

class UIViewController;

// Asks for the two consents, the app's privacy terms and the video host's, with alerts and keeps
// the answers in the user defaults. Both operations return at once: the alert is built and shown
// on a later turn of the main queue.
class DsgvoManager {
  public:
    static const DefaultsKey<bool> isDsgvoAcceptedKey;
    static const DefaultsKey<bool> isYoutubeDsgvoAcceptedKey;

    // The privacy alert has one button only: it can be accepted, not declined.
    static void showPrivacyConsent(const std::shared_ptr<UIViewController>& viewController,
                                   std::function<void()> completion = {});
    // Accepting stores true, declining false, then the matching callback runs.
    static void showVideoConsent(const std::shared_ptr<UIViewController>& viewController,
                                 std::function<void()> accept = {}, std::function<void()> decline = {});
};
