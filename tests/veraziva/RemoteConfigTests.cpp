#include "RunLoopWaiting.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/PropertyListCoding.h"
#include "platform/veraziva/RIDAruzovAdurad.h"
#include "tests/support/BinaryPropertyList.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

#include <zlib.h>

namespace {

struct FetchOutcome {
    std::optional<RIDAruzovAduradFetchStatus> status;
    std::optional<RIDAruzovAduradError> error;
};

std::string text(const RIDAruzovAdurad& config, const std::string& key) {
    const AnyValue::Data bytes = config.configValueForKey(key).dataValue();
    return std::string(bytes.begin(), bytes.end());
}

FetchOutcome fetch(RIDAruzovAdurad& config, double expiration = 21600) {
    FetchOutcome outcome;
    config.fetchWithExpirationDurationCompletionHandler(
        expiration, [&outcome](RIDAruzovAduradFetchStatus status, std::optional<RIDAruzovAduradError> error) {
            EXPECT_TRUE(RunLoop::isMainThread());
            EXPECT_FALSE(outcome.status) << "completion ran twice";
            outcome = {status, std::move(error)};
        });
    EXPECT_TRUE(runMainLoopUntil([&] { return outcome.status.has_value(); }));
    return outcome;
}

// Gives the changed flag; fails the test on a storage error.
bool activate(RIDAruzovAdurad& config) {
    std::optional<bool> changed;
    config.activateWithCompletion([&changed](bool isChanged, std::optional<RIDAruzovAduradError> error) {
        EXPECT_FALSE(error) << error->localizedDescription;
        changed = isChanged;
    });
    EXPECT_TRUE(runMainLoopUntil([&] { return changed.has_value(); }));
    return changed.value_or(false);
}

// A zlib ("deflate") body that unpacks to the given text.
std::string deflated(const std::string& text) {
    uLongf length = compressBound(text.size());
    std::string packed(length, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &length, reinterpret_cast<const Bytef*>(text.data()),
              text.size(), Z_BEST_COMPRESSION);
    packed.resize(length);
    return packed;
}

// A JSON object of the given length in bytes.
std::string answerOfLength(std::size_t length) {
    const std::string open = R"({"apps": ")", close = R"("})";
    return open + std::string(length - open.size() - close.size(), 'a') + close;
}

class RemoteConfigTest : public testing::Test {
  protected:
    void SetUp() override {
        setenv("OMBREL_HOME", home.path().c_str(), 1);
        setenv("OMBREL_REMOTE_CONFIG_URL", server.url().c_str(), 1);
    }

    void TearDown() override {
        unsetenv("OMBREL_HOME");
        unsetenv("OMBREL_REMOTE_CONFIG_URL");
        Bundle::setMainBundlePath({});
        DebugConsole::setListener({});
        Clock::setCurrent(nullptr);
        RunLoop::main()->removeAllWork();
    }

    // A component as the app makes it, starting from whatever $OMBREL_HOME holds.
    static std::shared_ptr<RIDAruzovAdurad> start() {
        return RIDAruzovAdurad::makeWithEnvironment(RIDAruzovAdurad::defaultEnvironment());
    }

    // A component whose active values come from the given answer, on a manual clock.
    std::shared_ptr<RIDAruzovAdurad> startWithActive(const std::string& answer) {
        Clock::setCurrent(clock);
        server.respond(200, answer);
        auto config = start();
        fetch(*config);
        activate(*config);
        return config;
    }

    const std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    TemporaryFolder home;
    LocalHttpServer server;
    const std::filesystem::path storedFile = home.path() / "veraziva" / "RemoteConfigActive.plist";
};

TEST_F(RemoteConfigTest, FetchedMembersBecomeActiveAsTextsOnlyAfterActivation) {
    server.respond(200, R"({"apps": {"apps": []}, "greeting": "Hallo \"Welt\"", "count": 3, "ratio": 0.5,
                            "flag": true, "list": [1, "a", null], "nothing": null})");
    const auto config = start();

    const FetchOutcome fetched = fetch(*config);
    EXPECT_EQ(fetched.status, RIDAruzovAduradFetchStatus::success);
    EXPECT_FALSE(fetched.error);
    ASSERT_EQ(server.requestCount(), 1);
    EXPECT_EQ(server.requestLines()[0].rfind("GET /config HTTP/", 0), 0u) << server.requestLines()[0];
    EXPECT_EQ(text(*config, "greeting"), "") << "fetched values are not active yet";

    EXPECT_TRUE(activate(*config));
    EXPECT_EQ(text(*config, "greeting"), "Hallo \"Welt\"");
    EXPECT_EQ(text(*config, "apps"), R"({"apps":[]})");
    EXPECT_EQ(text(*config, "count"), "3");
    EXPECT_EQ(text(*config, "ratio"), "0.5");
    EXPECT_EQ(text(*config, "flag"), "true");
    EXPECT_EQ(text(*config, "list"), R"([1,"a",null])");
    EXPECT_EQ(text(*config, "nothing"), "null");
    EXPECT_TRUE(config->configValueForKey("missing").dataValue().empty());
    EXPECT_FALSE(activate(*config)) << "the same values again change nothing";
}

TEST_F(RemoteConfigTest, FetchesWithinTheExpirationUseTheCacheAndOnlyActivatedValuesSurviveARestart) {
    const auto config = startWithActive(R"({"ads": "first"})");
    server.respond(200, R"({"ads": "second"})");
    clock->advance(21599);
    const FetchOutcome cached = fetch(*config);
    EXPECT_EQ(cached.status, RIDAruzovAduradFetchStatus::success);
    EXPECT_FALSE(cached.error);
    EXPECT_EQ(server.requestCount(), 1) << "answered from the cache";
    clock->advance(1);
    EXPECT_EQ(fetch(*config).status, RIDAruzovAduradFetchStatus::success);
    EXPECT_EQ(server.requestCount(), 2) << "the expiration has run out";
    activate(*config);
    EXPECT_EQ(text(*config, "ads"), "second");

    server.respond(200, R"({"ads": "fetched but never activated"})");
    ASSERT_EQ(fetch(*config, 0).status, RIDAruzovAduradFetchStatus::success);
    EXPECT_EQ(text(*start(), "ads"), "second");
    EXPECT_EQ(server.requestCount(), 3) << "starting reads the disk, not the server";
    const std::string stored = FileSystem::readFile(storedFile).value();
    std::ofstream(storedFile, std::ios::binary) << "\xEF\xBB\xBF" << stored;
    EXPECT_EQ(text(*start(), "ads"), "second") << "after a byte-order mark";
}

TEST_F(RemoteConfigTest, UnreadableOrOversizedStoredValuesAreMovedAsideNeverOverwritten) {
    const std::string oversized = *PropertyListCoding::encode(AnyValue(
        AnyValue::Dictionary{{"apps", std::string(RIDAruzovAdurad::maximumConfigurationSize, 'a')}}));
    // Within the size limit, but expanding to gigabytes or nested past the stack.
    const std::string expanding = BinaryPropertyList::sharedReferences(24, "\x5A" + std::string(10, 'x'));
    std::string deep = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    for (int level = 0; level < 200'000; ++level)
        deep += "<array>";
    Clock::setCurrent(clock);
    for (const std::string& contents : {std::string("not a property list"), oversized, expanding, deep}) {
        TemporaryFolder folder;
        setenv("OMBREL_HOME", folder.path().c_str(), 1);
        const std::filesystem::path file = folder.path() / "veraziva" / "RemoteConfigActive.plist";
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << contents;
        // Left by a write that was cut off long ago: removed at the start.
        const std::filesystem::path stale = file.string() + ".tmp-0123456789ab";
        std::ofstream(stale) << contents;
        std::filesystem::last_write_time(stale,
                                         std::filesystem::file_time_type::clock::from_sys(
                                             std::chrono::sys_seconds(std::chrono::seconds(1'699'990'000))));
        server.respond(200, R"({"apps": "fresh"})");
        const auto config = start();
        EXPECT_EQ(text(*config, "apps"), "");

        fetch(*config, 0);
        activate(*config);
        EXPECT_EQ(text(*start(), "apps"), "fresh");
        std::vector<std::filesystem::path> aside;
        for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
            if (entry.path() != file)
                aside.push_back(entry.path());
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_NE(aside[0].filename().string().find("RemoteConfigActive.plist.corrupt-"), std::string::npos);
        EXPECT_TRUE(FileSystem::readFile(aside[0]).value() == contents) << "kept byte for byte";
    }

    // A named pipe is neither waited on nor read, and stays in place; the values fetched are active for
    // this run only, and standard error says so.
    std::vector<std::string> notices;
    DebugConsole::setListener([&notices](const std::string& line) { notices.push_back(line); });
    setenv("OMBREL_HOME", home.path().c_str(), 1);
    std::filesystem::create_directories(storedFile.parent_path());
    ASSERT_EQ(mkfifo(storedFile.c_str(), 0600), 0);
    const auto config = start();
    fetch(*config, 0);
    std::optional<RIDAruzovAduradError> error;
    config->activateWithCompletion([&](bool, std::optional<RIDAruzovAduradError> failure) {
        error = failure.value_or(RIDAruzovAduradError{});
    });
    EXPECT_TRUE(runMainLoopUntil([&] { return error.has_value(); }));
    EXPECT_EQ(error->code, RIDAruzovAduradError::storage);
    EXPECT_EQ(text(*config, "apps"), "fresh") << "active for this run";
    EXPECT_TRUE(std::filesystem::is_fifo(storedFile));
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(
        notices.back().rfind("warning: remote configuration " + storedFile.string() + " not saved: ", 0), 0u)
        << notices.back();
}

TEST_F(RemoteConfigTest, AnAnswerAboveTheSizeLimitFailsWhileItArrivesAndChangesNothing) {
    const auto config = startWithActive(R"({"apps": "kept"})");
    const std::string stored = FileSystem::readFile(storedFile).value();

    const std::string tooLong = answerOfLength(RIDAruzovAdurad::maximumConfigurationSize + 1);
    // Unpacked it is four times the limit; the transfer ends at the limit all the same.
    const std::string packed = deflated(answerOfLength(4 * RIDAruzovAdurad::maximumConfigurationSize));
    for (const std::string& response :
         {"HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(tooLong.size()) + "\r\n\r\n" + tooLong,
          "HTTP/1.0 200 OK\r\nContent-Encoding: deflate\r\nContent-Length: " + std::to_string(packed.size()) +
              "\r\n\r\n" + packed}) {
        server.respondWith(response);
        const FetchOutcome refused = fetch(*config, 0);
        EXPECT_EQ(refused.status, RIDAruzovAduradFetchStatus::failure);
        ASSERT_TRUE(refused.error);
        EXPECT_EQ(refused.error->code, RIDAruzovAduradError::badResponse);
        EXPECT_NE(refused.error->localizedDescription.find("larger than 2097152 bytes"), std::string::npos);
        EXPECT_FALSE(activate(*config));
        EXPECT_EQ(text(*config, "apps"), "kept");
        EXPECT_EQ(FileSystem::readFile(storedFile).value(), stored);
        clock->advance(RIDAruzovAdurad::longestRetryDelay);
    }

    // An answer just within the limit is taken.
    server.respond(200, answerOfLength(RIDAruzovAdurad::maximumConfigurationSize - 1024));
    EXPECT_EQ(fetch(*config, 0).status, RIDAruzovAduradFetchStatus::success);
    EXPECT_TRUE(activate(*config));
    EXPECT_EQ(text(*start(), "apps").size(), RIDAruzovAdurad::maximumConfigurationSize - 1024 - 12);
}

TEST_F(RemoteConfigTest, FailedFetchesKeepTheActiveValuesAndLeaveTheServerAloneForAWhile) {
    const auto config = startWithActive(R"({"apps": "kept"})");
    clock->advance(21600);

    setenv("OMBREL_REMOTE_CONFIG_URL",
           ("http://127.0.0.1:" + std::to_string(LocalHttpServer::closedPort()) + "/config").c_str(), 1);
    const auto closedPort = start();
    const FetchOutcome refused = fetch(*closedPort);
    EXPECT_EQ(refused.status, RIDAruzovAduradFetchStatus::failure);
    ASSERT_TRUE(refused.error);
    EXPECT_EQ(refused.error->code, RIDAruzovAduradError::network);
    EXPECT_FALSE(activate(*closedPort));
    EXPECT_EQ(text(*closedPort, "apps"), "kept");

    // Each failure doubles the pause before the server is asked again, up to six hours; failures
    // never count as the last successful fetch.
    const std::vector<std::pair<int, std::string>> failures{
        {500, R"({"apps": "server error"})"}, {200, R"(["not", "an", "object"])"}, {200, "{broken"}};
    const std::vector<double> pauses{60, 120, 240, 480, 960, 1920, 3840, 7680, 15360, 21600, 21600};
    for (std::size_t i = 0; i < pauses.size(); ++i) {
        const auto& [status, body] = failures[i % failures.size()];
        server.respond(status, body);
        const int asked = server.requestCount();
        const FetchOutcome failed = fetch(*config);
        EXPECT_EQ(failed.status, RIDAruzovAduradFetchStatus::failure) << body;
        EXPECT_EQ(failed.error.value_or(RIDAruzovAduradError{}).code, RIDAruzovAduradError::badResponse)
            << body;
        clock->advance(pauses[i] - 1);
        const FetchOutcome early = fetch(*config);
        EXPECT_EQ(early.status, RIDAruzovAduradFetchStatus::failure);
        EXPECT_EQ(early.error.value_or(RIDAruzovAduradError{}).code, RIDAruzovAduradError::throttled)
            << pauses[i];
        EXPECT_EQ(server.requestCount(), asked + 1) << pauses[i];
        clock->advance(1);
    }
    EXPECT_EQ(text(*config, "apps"), "kept");

    server.respond(200, R"({"apps": "later"})");
    EXPECT_EQ(fetch(*config).status, RIDAruzovAduradFetchStatus::success);
    server.respond(500, "");
    fetch(*config, 0);
    clock->advance(60);
    fetch(*config, 0);
    EXPECT_EQ(server.requestCount(), 15) << "a success starts the pauses afresh";

    // A server that never answers: while its one request is in flight, further fetches start none and
    // never complete; 30 seconds without a byte end the request, and the pauses begin.
    server.holdRequests();
    clock->advance(RIDAruzovAdurad::longestRetryDelay);
    std::vector<FetchOutcome> outcomes(3);
    for (FetchOutcome& outcome : outcomes)
        config->fetchWithExpirationDurationCompletionHandler(
            0, [&outcome](RIDAruzovAduradFetchStatus status, std::optional<RIDAruzovAduradError> error) {
                outcome = {status, std::move(error)};
            });
    ASSERT_TRUE(runMainLoopUntil([&] { return server.requestCount() == 16; }));
    clock->advance(RIDAruzovAdurad::requestIdleTimeout);
    ASSERT_TRUE(runMainLoopUntil([&] { return outcomes[0].status.has_value(); }));
    EXPECT_EQ(outcomes[0].error.value_or(RIDAruzovAduradError{}).localizedDescription,
              "The request timed out.");
    EXPECT_FALSE(outcomes[1].status || outcomes[2].status);
    EXPECT_EQ(fetch(*config, 0).error.value_or(RIDAruzovAduradError{}).code, RIDAruzovAduradError::throttled);
    EXPECT_EQ(server.requestCount(), 16);
}

TEST_F(RemoteConfigTest, EndpointComesFromTheEnvironmentElseFromTheBundleElseTheFetchFails) {
    TemporaryFolder bundle;
    Bundle::setMainBundlePath(bundle.path());
    std::ofstream(bundle.path() / "VerazivaConfig.plist") << R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>APP_ID</key><string>1:test</string>
<key>REMOTE_CONFIG_URL</key><string>https://config.example/values</string></dict></plist>)";
    EXPECT_EQ(RIDAruzovAdurad::defaultEnvironment().endpoint, server.url());
    EXPECT_EQ(RIDAruzovAdurad::defaultEnvironment().storageFile, storedFile);
    setenv("OMBREL_REMOTE_CONFIG_URL", "", 1);
    EXPECT_EQ(RIDAruzovAdurad::defaultEnvironment().endpoint, "https://config.example/values");

    Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
    EXPECT_FALSE(RIDAruzovAdurad::defaultEnvironment().endpoint)
        << "the shipped configuration names no server";
    EXPECT_EQ(RIDAruzovAdurad::remoteConfig(), RIDAruzovAdurad::remoteConfig());

    // Without an HTTP endpoint a fetch fails without network.
    for (const std::optional<std::string>& endpoint :
         {std::optional<std::string>(), std::optional<std::string>("file:///etc/passwd"),
          std::optional<std::string>("not a url")}) {
        const auto config = RIDAruzovAdurad::makeWithEnvironment({storedFile, endpoint});
        const FetchOutcome outcome = fetch(*config);
        EXPECT_EQ(outcome.status, RIDAruzovAduradFetchStatus::failure);
        EXPECT_EQ(outcome.error.value_or(RIDAruzovAduradError{}).code, RIDAruzovAduradError::noEndpoint);
    }
    EXPECT_EQ(server.requestCount(), 0);
}

} // namespace
