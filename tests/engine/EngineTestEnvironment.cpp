#include "platform/foundation/Bundle.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace {

// Every test process reads the built bundle and keeps its user defaults in a folder of its own.
class EngineEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
        std::random_device random;
        home_ = std::filesystem::temp_directory_path() / ("ombrel-engine-" + std::to_string(random()));
        std::filesystem::create_directories(home_);
        setenv("OMBREL_HOME", home_.c_str(), 1);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(home_, ignored);
    }

  private:
    std::filesystem::path home_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

} // namespace
