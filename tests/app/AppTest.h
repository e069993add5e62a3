#pragma once

#include "app/InterfaceBuilders.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "platform/veraziva/VAVAnalytics.h"
#include "platform/veraziva/VAVApp.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/uikit/UIKitTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// The platform tests' clock, run loop, screen and appearance, plus the built bundle, user defaults
// in a home folder of the test's own and the analytics events the test caused.
class AppTest : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
        setenv("OMBREL_HOME", home_.path().c_str(), 1);
        UserDefaults::resetStandardUserDefaults();
        if (!VAVApp::isDefaultAppConfigured())
            VAVApp::configure();
        listener_ =
            VAVAnalytics::addEventListener([this](const APMEvent& event) { events.push_back(event); });
        InterfaceBuilders::registerAll();
    }

    void TearDown() override {
        VAVAnalytics::removeEventListener(listener_);
        window.reset();
        UserDefaults::resetStandardUserDefaults();
        UIKitTest::TearDown();
    }

    std::vector<APMEvent> eventsNamed(const std::string& name) const {
        std::vector<APMEvent> found;
        std::ranges::copy_if(events, std::back_inserter(found),
                             [&](const APMEvent& event) { return event.name == name; });
        return found;
    }

    std::vector<APMEvent> events;

  private:
    TemporaryFolder home_;
    int listener_ = 0;
};
