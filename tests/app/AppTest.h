#pragma once

#include "app/InterfaceBuilders.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/graphics/UITraitCollection.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIViewController.h"
#include "platform/uikit/UIWindow.h"
#include "platform/veraziva/VAVAnalytics.h"
#include "platform/veraziva/VAVApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

// Each test has its own user defaults, a manual clock, the built bundle, the light appearance and
// the analytics events it caused.
class AppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
        std::random_device random;
        home_ = std::filesystem::temp_directory_path() / ("ombrel-app-" + std::to_string(random()));
        std::filesystem::create_directories(home_);
        setenv("OMBREL_HOME", home_.c_str(), 1);
        UserDefaults::resetStandardUserDefaults();
        RunLoop::main()->removeAllWork();
        clock = std::make_shared<ManualClock>();
        Clock::setCurrent(clock);
        UIScreen::mainScreen()->reset();
        UITraitCollection::setCurrentTraitCollection(UITraitCollection(UIUserInterfaceStyle::light));
        if (!VAVApp::isDefaultAppConfigured())
            VAVApp::configure();
        listener_ =
            VAVAnalytics::addEventListener([this](const APMEvent& event) { events.push_back(event.name); });
        InterfaceBuilders::registerAll();
    }

    void TearDown() override {
        VAVAnalytics::removeEventListener(listener_);
        window.reset();
        RunLoop::main()->removeAllWork();
        Clock::setCurrent(nullptr);
        UserDefaults::resetStandardUserDefaults();
        std::error_code ignored;
        std::filesystem::remove_all(home_, ignored);
    }

    void show(const std::shared_ptr<UIViewController>& controller) {
        window = std::make_shared<UIWindow>();
        window->setRootViewController(controller);
        window->makeKeyAndVisible();
        settle();
    }

    void settle() {
        RunLoop::main()->runUntilIdle();
        if (window)
            window->layoutIfNeeded();
    }

    std::shared_ptr<ManualClock> clock;
    std::shared_ptr<UIWindow> window;
    std::vector<std::string> events;

  private:
    std::filesystem::path home_;
    int listener_ = 0;
};
