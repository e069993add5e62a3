#include "UIKitTestSupport.h"

#include "platform/foundation/FileSystem.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphicsImageRenderer.h"
#include "platform/uikit/UIActivityViewController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIPopoverPresentationController.h"
#include "platform/uikit/UIWindowScene.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/veraziva/RunLoopWaiting.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class ApplicationTests : public UIKitTest {
  protected:
    void SetUp() override {
        UIKitTest::SetUp();
        setenv("OMBREL_HOME", home.c_str(), 1);
        application = UIApplication::sharedApplication();
    }

    void TearDown() override {
        application->setLinkOpener({});
        application->setDelegate(nullptr);
        unsetenv("OMBREL_HOME");
        UIKitTest::TearDown();
    }

    TemporaryFolder homeFolder;
    const std::filesystem::path home = homeFolder.path();
    std::shared_ptr<UIApplication> application;
};

TEST_F(ApplicationTests, OnlyWebLinksOpenAndTheOpenerGetsTheLinkAsItsOnlyArgumentWithoutAShell) {
    std::vector<std::string> opened;
    application->setLinkOpener([&](const std::string& link) {
        opened.push_back(link);
        return true;
    });
    std::vector<bool> results;
    for (const char* text : {"file:///etc/passwd", "ombrel://open", "javascript:alert(1)",
                             "HTTPS://example.org/a", "http://example.org/b?c=1"}) {
        auto url = URL::URLWithString(text);
        ASSERT_TRUE(url) << text;
        EXPECT_EQ(application->canOpenURL(*url), url->isHTTP()) << text;
        application->openURL(*url, {}, [&](bool success) { results.push_back(success); });
    }
    EXPECT_TRUE(results.empty()) << "completions come on the main queue";
    runLoopTurn();
    EXPECT_EQ(results, (std::vector<bool>{false, false, false, true, true}));
    EXPECT_EQ(opened, (std::vector<std::string>{"HTTPS://example.org/a", "http://example.org/b?c=1"}));
}

// The opener program gets the link as its only argument, without a shell, and the link counts as
// opened when it exits with status 0 or still runs after the grace period of the run-loop clock.
TEST_F(ApplicationTests, LinksOpenWhenTheOpenerSucceedsOrKeepsRunning) {
    std::filesystem::path record = home / "arguments.txt";
    std::filesystem::path injected = home / "injected";
    const std::string recordArguments = "{ echo \"$#\"; printf '%s\\n' \"$@\"; } > \"" + record.string() +
                                        ".tmp\"\nmv \"" + record.string() + ".tmp\" \"" + record.string() +
                                        "\"\n";
    struct Case {
        const char* name;
        std::string script;         // empty: no such program
        std::optional<bool> opened; // none: still running when the grace period ends
    };
    const Case cases[] = {{"exits 0", recordArguments, true},
                          {"exits 1", "exit 1\n", false},
                          {"keeps running", "exec sleep 30 >/dev/null 2>&1\n", std::nullopt},
                          {"cannot start", "", false}};
    std::string link = "https://example.org/a;touch%20" + injected.string() + "?q=$(touch%20" +
                       injected.string() + ")&r='x'";
    auto url = URL::URLWithString(link);
    ASSERT_TRUE(url);
    for (const Case& outcome : cases) {
        SCOPED_TRACE(outcome.name);
        std::filesystem::path opener = home / (std::string(outcome.name) + ".sh");
        if (!outcome.script.empty()) {
            std::ofstream(opener) << "#!/bin/sh\n" << outcome.script;
            std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
        }
        setenv("OMBREL_LINK_OPENER", opener.c_str(), 1);
        std::optional<bool> opened;
        application->openURL(*url, {}, [&](bool success) { opened = success; });
        if (outcome.opened) {
            ASSERT_TRUE(runMainLoopUntil([&] { return opened.has_value(); }));
            EXPECT_EQ(opened, outcome.opened);
            continue;
        }
        clock->advance(UIApplication::openerGracePeriod - 0.01);
        EXPECT_FALSE(opened);
        clock->advance(0.01);
        EXPECT_EQ(opened, std::optional<bool>(true));
    }
    unsetenv("OMBREL_LINK_OPENER");
    std::ifstream in(record);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), "1\n" + link + "\n");
    EXPECT_FALSE(std::filesystem::exists(injected));
}

TEST_F(ApplicationTests, WindowsJoinTheOneSceneAndLeaveWhenReleased) {
    auto scenes = application->connectedScenes();
    ASSERT_EQ(scenes.size(), 1u);
    auto scene = std::dynamic_pointer_cast<UIWindowScene>(scenes[0]);
    ASSERT_NE(scene, nullptr);
    std::size_t before = scene->windows().size();
    auto first = std::make_shared<UIWindow>();
    auto second = std::make_shared<UIWindow>(CGRect{0, 0, 100, 100});
    auto windows = scene->windows();
    ASSERT_EQ(windows.size(), before + 2);
    EXPECT_EQ(windows[before], first);
    EXPECT_EQ(windows.back(), second);
    EXPECT_EQ(second->windowSafeAreaInsets(), (UIEdgeInsets{47, 0, 0, 0})) << "a small window at the top";
    second->makeKeyAndVisible();
    EXPECT_EQ(application->keyWindow(), second);
    windows.clear();
    second.reset();
    EXPECT_EQ(scene->windows().size(), before + 1);
    EXPECT_EQ(application->keyWindow(), nullptr);
}

TEST_F(ApplicationTests, SharingSavesEachImageAsANewPNGAndReportsWhere) {
    UIGraphicsImageRenderer renderer(CGSize{10, 20});
    auto image = renderer.image([](UIGraphicsImageRendererContext& context) {
        context.cgContext().setFillColor(UIColor::redColor());
        context.fillRect({0, 0, 10, 20});
    });
    auto window = makeWindow();
    auto root = std::make_shared<UIViewController>();
    window->setRootViewController(root);

    std::optional<std::string> reportedType;
    bool reportedCompleted = false;
    auto share = std::make_shared<UIActivityViewController>(std::vector<std::shared_ptr<UIImage>>{image});
    share->setCompletionWithItemsHandler([&](std::optional<std::string> type, bool completed) {
        reportedType = type;
        reportedCompleted = completed;
    });
    root->presentViewController(share, false);
    EXPECT_EQ(share->popoverPresentationController(), nullptr) << "a sheet on a phone";
    ASSERT_EQ(share->savedPaths().size(), 1u);
    std::filesystem::path saved = share->savedPaths()[0];
    EXPECT_EQ(saved.parent_path(), home / "shared");
    EXPECT_NE(share->statusText().find(saved.string()), std::string::npos);
    auto back = UIImage::imageWithContentsOfFile(saved.string());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->size().width * back->scale(), 30);
    auto pixel = back->colorAtPoint({2, 2});
    ASSERT_TRUE(pixel);
    EXPECT_NEAR(pixel->red, 1, 0.01);

    auto again = std::make_shared<UIActivityViewController>(std::vector<std::shared_ptr<UIImage>>{image});
    again->loadViewIfNeeded();
    ASSERT_EQ(again->savedPaths().size(), 1u);
    EXPECT_NE(again->savedPaths()[0], saved) << "an earlier picture is never replaced";

    window->tapAtPoint({340, 57 + 35});
    clock->advance(0.5);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(reportedType, std::optional<std::string>(UIActivityViewController::activityTypeSaveToFiles));
    EXPECT_TRUE(reportedCompleted);

    // A folder that cannot be created is reported, not claimed as saved.
    std::ofstream(home / "blocker") << "x";
    setenv("OMBREL_HOME", (home / "blocker").c_str(), 1);
    auto failing = std::make_shared<UIActivityViewController>(std::vector<std::shared_ptr<UIImage>>{image});
    failing->loadViewIfNeeded();
    EXPECT_TRUE(failing->savedPaths().empty());
    EXPECT_EQ(failing->statusText(), "The image could not be saved.");
}

} // namespace
