#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/host/AutomationClient.h"
#include "tests/support/TemporaryFolder.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A view of the running app as the automation reports it.
struct AppView {
    std::string className;
    std::string text;
    std::string identifier;
    CGRect frame;
    std::optional<int> selectedSegment;
};

struct AppEvent {
    std::string name;
    AnyValue::Dictionary parameters;
};

// One run of the whole program offscreen, on a manual clock, with its data under home. The run is
// pinned to English, quiet and kept offline (the connectivity check and remote configuration reach
// nothing) unless the environment given says otherwise; its standard error goes to errorFile if
// one is given.
class AppRun {
  public:
    explicit AppRun(const std::filesystem::path& home, std::map<std::string, std::string> environment = {},
                    std::vector<std::string> arguments = {"--offscreen", "--automation", "--manual-clock"},
                    const std::optional<std::filesystem::path>& errorFile = std::nullopt);
    ~AppRun();

    // The program started and rendered its first frame.
    bool isReady() const { return ready_; }

    std::optional<std::string> send(const std::string& command);
    bool ok(const std::string& command) { return send(command) == std::optional<std::string>("ok"); }
    void advance(double seconds) { ok("advance " + std::to_string(seconds)); }

    std::vector<AppView> views();
    // Front-most visible view showing the text (or with that identifier).
    std::optional<AppView> find(const std::string& text);
    // The visible views of the class, top to bottom, then left to right.
    std::vector<AppView> viewsOfClass(const std::string& className);
    bool shows(const std::string& text) { return find(text).has_value(); }
    // Taps the front-most view showing the text, then lets 1 s pass (animations, queued work).
    bool tap(const std::string& text);
    bool tapAt(CGPoint point);
    // Taps the menu button, then the menu row showing the text.
    bool openMenu(const std::string& row) { return tap("menuButton") && tap(row); }
    // A wheel or swipe scroll by (dx, dy) points over the middle of the view.
    bool scroll(const AppView& view, CGFloat dx, CGFloat dy);
    // Texts of the visible text fields with the identifier prefix, in row order ("event", "probability").
    std::vector<std::string> fieldTexts(const std::string& identifierPrefix);

    std::vector<AppEvent> events();
    std::vector<AppEvent> events(const std::string& name);
    std::vector<std::string> links();

    // Ends the program; its exit status.
    std::optional<int> quit();
    // Waits for the program to end by itself; its exit status.
    std::optional<int> waitForExit(double seconds) {
        return client_ ? client_->waitForExit(seconds) : std::nullopt;
    }

    // Polls (advancing the manual clock a little each time) until the condition holds; false after
    // the time limit. For work that waits for the network.
    bool waitUntil(const std::function<bool()>& condition, double seconds = 15);

  private:
    // The JSON list the command answers with; empty when it answers none.
    AnyValue::Array list(const std::string& command);

    std::unique_ptr<AutomationClient> client_;
    bool ready_ = false;
};

// The app's standard user-defaults domain under home.
std::filesystem::path defaultsFile(const std::filesystem::path& home);
AnyValue::Dictionary readDefaults(const std::filesystem::path& home);
// The formula texts of the stored history, in stored order.
std::vector<std::string> storedLatex(const std::filesystem::path& home);
// Merges values into the stored domain, as an earlier run would have left them.
void writeDefaults(const std::filesystem::path& home, const AnyValue::Dictionary& values);

// A fresh home whose introduction is done: a run in it starts at the input screen.
class IntroducedHome : public TemporaryFolder {
  public:
    IntroducedHome() {
        writeDefaults(path(),
                      {{"isOnboardingFinished", AnyValue(true)}, {"isDsgvoAccepted", AnyValue(true)}});
    }
};

// A catalogue record as the remote configuration serves it, its links under remote.example.org/slug;
// multi is empty or an "isMultiApp" member with its comma. The rating link has the scheme given.
std::string appRecord(const std::string& identifier, const std::string& name, const std::string& slug,
                      const std::string& multi, const std::string& ratingScheme = "https");
// Remote configuration values as an earlier run would have activated them: key → JSON text.
void writeActiveRemoteConfig(const std::filesystem::path& home,
                             const std::map<std::string, std::string>& values);
