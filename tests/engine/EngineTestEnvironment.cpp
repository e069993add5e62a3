#include "platform/foundation/Bundle.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

// Every test process reads the built bundle and keeps its user defaults in a folder of its own.
class EngineEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
        home_.emplace();
        setenv("OMBREL_HOME", home_->path().c_str(), 1);
    }
    void TearDown() override { home_.reset(); }

  private:
    std::optional<TemporaryFolder> home_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

} // namespace
