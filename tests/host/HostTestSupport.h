#pragma once

#include "tests/uikit/UIKitTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

// A fresh temporary folder, removed with the object.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ombrel-host-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// In-process tests: the platform tests' manual clock, empty run loop and phone screen, with a visible
// key window.
class HostTest : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        window = makeWindow();
    }

    void TearDown() override {
        window.reset();
        UIKitTest::TearDown();
    }

    std::shared_ptr<UIWindow> window;
};
