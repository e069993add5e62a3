#include "app/AllAppMetaData.h"
#include "app/KivoAdData.h"
#include "app/RemoteConfigManager.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/RecordEncoder.h"
#include "tests/app/AppTest.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/veraziva/RunLoopWaiting.h"

namespace {

std::string app(const std::string& identifiers, const std::string& name, const std::string& extra = "") {
    return R"({"appIdentifiers":[)" + identifiers + R"(],"appName":{"en":")" + name +
           R"("},"appURL":"a://","appURLPro":"ap://","ratingURL":"https://r","ratingURLPro":"https://rp",)"
           R"("storeURL":"https://s","storeURLPro":"https://sp","shouldShow":true,"calculationsUntilInterstitial":4)" +
           extra + "}";
}

Result<AllAppMetaData> catalogue(const std::string& records) {
    return RecordDecoder::decodeJSON<AllAppMetaData>(R"({"apps":[)" + records + "]}");
}

std::vector<std::string> names(const std::vector<AppMetaData>& apps) {
    std::vector<std::string> out;
    for (const auto& record : apps) {
        out.push_back(record.appName.at("en"));
    }
    return out;
}

} // namespace

TEST(CatalogueRecords, DecodeStrictlyAndWholly) {
    auto empty = catalogue("");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->apps.empty());

    auto decoded =
        catalogue(app(R"("a.b")", "Plain") + "," + app(R"("c.d")", "Null", R"(,"isMultiApp":null)") + "," +
                  app(R"("e.f")", "Extra", R"(,"isMultiApp":true,"colour":[1,2])"));
    ASSERT_TRUE(decoded) << decoded.error();
    EXPECT_EQ(decoded->apps[0].isMultiApp, std::nullopt);
    EXPECT_EQ(decoded->apps[1].isMultiApp, std::nullopt);
    EXPECT_EQ(decoded->apps[2].isMultiApp, std::optional<bool>(true));
    EXPECT_EQ(decoded->apps[0].calculationsUntilInterstitial, 4);

    // One bad record fails the whole catalogue, whatever member it concerns.
    EXPECT_FALSE(catalogue(app(R"("a.b")", "Ok") + "," + app(R"("c.d")", "Text", R"(,"isMultiApp":"yes")")));
    std::string fractional = app(R"("a.b")", "Half");
    fractional.replace(fractional.find(":4"), 2, ":4.5");
    EXPECT_FALSE(catalogue(fractional));
    std::string hidden = app(R"("a.b")", "NoShow");
    hidden.replace(hidden.find(R"("shouldShow":true,)"), 18, "");
    EXPECT_FALSE(catalogue(hidden));

    // Written back in member order, without an absent isMultiApp, and read back equal.
    std::string json = RecordEncoder::encodeJSON(*decoded);
    EXPECT_EQ(json.find("isMultiApp"), json.rfind("isMultiApp"));
    EXPECT_LT(json.find("appIdentifiers"), json.find("calculationsUntilInterstitial"));
    EXPECT_EQ(RecordDecoder::decodeJSON<AllAppMetaData>(json).value(), *decoded);
}

class RemoteConfigManagerTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        component = RIDAruzovAdurad::makeWithEnvironment({storage.path() / "active.plist", server.url()});
        manager = std::make_shared<RemoteConfigManager>(component);
        for (const char* name :
             {RemoteConfigManager::didLoadMenuNotification, RemoteConfigManager::didLoadKivoAdsNotification,
              RemoteConfigManager::didLoadVideoTutorialsNotification}) {
            NotificationCenter::defaultCenter()->addObserver(
                this, name, nullptr, [this](const Notification& n) { posted.push_back(n.name); });
        }
        DebugConsole::setListener([this](const std::string& line) { console.push_back(line); });
    }
    void TearDown() override {
        DebugConsole::setListener({});
        NotificationCenter::defaultCenter()->removeObserver(this);
        AppTest::TearDown();
    }

    // Serves the body, fetches it and hands the outcome to the manager, as becoming active does.
    void fetch(const std::string& body) {
        server.respond(200, body);
        bool done = false;
        component->fetchWithExpirationDurationCompletionHandler(
            0, [&](RIDAruzovAduradFetchStatus status, std::optional<RIDAruzovAduradError> error) {
                manager->fetchAndActivate(status, error);
                done = true;
            });
        ASSERT_TRUE(runMainLoopUntil([&] { return done; }));
        // Activations complete in the order they were asked for: after this one, the manager's has too.
        bool activated = false;
        component->activateWithCompletion(
            [&](bool, std::optional<RIDAruzovAduradError>) { activated = true; });
        ASSERT_TRUE(runMainLoopUntil([&] { return activated; }));
        waitForLoads();
    }

    // Loads after a fetch decode on the shared background queue and replace the values through the main
    // queue.
    static void waitForLoads() {
        bool loaded = false;
        DispatchQueue::global()->async([&] { DispatchQueue::main()->async([&] { loaded = true; }); });
        ASSERT_TRUE(runMainLoopUntil([&] { return loaded; }));
    }

    TemporaryFolder storage;
    LocalHttpServer server;
    std::shared_ptr<RIDAruzovAdurad> component;
    std::shared_ptr<RemoteConfigManager> manager;
    std::vector<std::string> posted;
    std::vector<std::string> console;
};

TEST_F(RemoteConfigManagerTest, ListsShownAppsByKindWithoutTheRunningApp) {
    EXPECT_EQ(component->configSettings().minimumFetchInterval, 0.0);
    fetch(R"({"apps":{"apps":[)" + app(R"("x.one","com.ombrel.app")", "Own") + "," +
          app(R"("m.one")", "Multi", R"(,"isMultiApp":true)") + "," + app(R"("s.one")", "Single") + "," +
          app(R"("s.two")", "SingleFalse", R"(,"isMultiApp":false)") + "," +
          app(R"("com.ombrel.app")", "OwnAgain") + "," + app("", "NoIdentifiers") + "]}}");
    EXPECT_EQ(posted, (std::vector<std::string>{"didLoadMenu"}));
    EXPECT_EQ(names(manager->multiApps()), std::vector<std::string>{"Multi"});
    EXPECT_EQ(names(manager->singleApps()),
              (std::vector<std::string>{"Single", "SingleFalse", "NoIdentifiers"}));
    ASSERT_TRUE(manager->findCurrentApp());
    EXPECT_EQ(manager->findCurrentApp()->appName.at("en"), "Own");

    // The record found first stays, even when the catalogue changes.
    fetch(R"({"apps":{"apps":[)" + app(R"("com.ombrel.app")", "Renamed") + "]}}");
    EXPECT_EQ(names(manager->apps), std::vector<std::string>{"Renamed"});
    EXPECT_EQ(manager->findCurrentApp()->appName.at("en"), "Own");
}

TEST_F(RemoteConfigManagerTest, PromotionsAndVideosKeepTheirOldValuesWhenNewOnesDoNotDecode) {
    fetch(R"({"ads":{"spring":[{"imageName":"sale","linkingString":"https://x","discountNumber":"20"}]},)"
          R"("videoTutorials":{"OB":{"en":["https://youtu.be/ABCDEFGHIJK"]}}})");
    EXPECT_EQ(manager->ads.size(), 1u);
    ASSERT_TRUE(manager->videoTutorials);
    posted.clear();
    console.clear();

    fetch(R"({"ads":{"spring":[{"imageName":"sale","linkingString":"https://x","discountNumber":20}]},)"
          R"("videoTutorials":["not", "an", "object"]})");
    EXPECT_EQ(manager->ads.at("spring").at(0), (KivoAdData{"sale", "https://x", "20"}));
    EXPECT_EQ(manager->videoTutorials->at("OB").at("en").size(), 1u);
    // Only the catalogue (from the bundle) was announced; both failures went to the console.
    EXPECT_EQ(posted, std::vector<std::string>{"didLoadMenu"});
    EXPECT_EQ(console.size(), 2u);

    posted.clear();
    fetch(R"({"ads":{},"videoTutorials":{}})");
    EXPECT_TRUE(manager->ads.empty());
    ASSERT_TRUE(manager->videoTutorials);
    EXPECT_TRUE(manager->videoTutorials->empty());
    EXPECT_EQ(posted,
              (std::vector<std::string>{"didLoadMenu", "didLoadKivoAds", "didLoadVideoTutorialsData"}));
}

TEST_F(RemoteConfigManagerTest, AFailedFetchWithoutAnErrorLoadsNothing) {
    manager->fetchAndActivate(RIDAruzovAduradFetchStatus::failure, std::nullopt);
    RunLoop::main()->runUntilIdle();
    EXPECT_EQ(console, (std::vector<std::string>{"Config not fetched", "Error: No error available."}));
    EXPECT_TRUE(posted.empty());

    // With an error the loaders run on the values in force.
    console.clear();
    manager->fetchAndActivate(RIDAruzovAduradFetchStatus::failure, RIDAruzovAduradError{2, "offline"});
    waitForLoads();
    EXPECT_EQ(posted, std::vector<std::string>{"didLoadMenu"});
    EXPECT_EQ(console.size(), 2u) << "nothing in force decodes as promotions or videos";
}
