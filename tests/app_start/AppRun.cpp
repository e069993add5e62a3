#include "AppRun.h"

#include "platform/foundation/FileSystem.h"
#include "platform/foundation/JSONCoding.h"
#include "platform/foundation/PropertyListCoding.h"
#include "tests/support/LocalHttpServer.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <thread>

namespace {

std::optional<AppView> viewFrom(const AnyValue& value) {
    auto entry = value.dictionaryValue();
    if (!entry) {
        return std::nullopt;
    }
    AppView view;
    view.className = (*entry)["class"].stringValue().value_or("");
    view.text = (*entry)["text"].stringValue().value_or("");
    view.identifier = (*entry)["id"].stringValue().value_or("");
    auto frame = (*entry)["frame"].arrayValue().value_or(AnyValue::Array{});
    if (frame.size() == 4) {
        view.frame = {frame[0].doubleValue().value_or(0), frame[1].doubleValue().value_or(0),
                      frame[2].doubleValue().value_or(0), frame[3].doubleValue().value_or(0)};
    }
    if (auto segment = (*entry)["selectedSegment"].integerValue()) {
        view.selectedSegment = static_cast<int>(*segment);
    }
    return view;
}

} // namespace

AppRun::AppRun(const std::filesystem::path& home, std::map<std::string, std::string> environment,
               std::vector<std::string> arguments, const std::optional<std::filesystem::path>& errorFile) {
    std::map<std::string, std::string> settings{
        {"OMBREL_HOME", home.string()},
        {"OMBREL_QUIET", "1"},
        {"LANGUAGE", "en"},
        {"LC_ALL", ""},
        {"LANG", ""},
        {"OMBREL_REMOTE_CONFIG_URL", ""},
        {"OMBREL_CONNECTIVITY_URL",
         "http://127.0.0.1:" + std::to_string(LocalHttpServer::closedPort()) + "/"},
        {"DISPLAY", ""},
        {"WAYLAND_DISPLAY", ""}};
    for (auto& [name, value] : environment) {
        settings[name] = value;
    }
    client_ = AutomationClient::start(OMBREL_PROGRAM, arguments, settings, errorFile);
    ready_ = client_ && client_->readLine(30) == std::optional<std::string>("ready");
}

AppRun::~AppRun() {
    if (client_ && !client_->waitForExit(0)) {
        client_->send("quit", 5);
        client_->waitForExit(10);
    }
}

std::optional<std::string> AppRun::send(const std::string& command) {
    return client_ ? client_->send(command, 30) : std::nullopt;
}

AnyValue::Array AppRun::list(const std::string& command) {
    auto decoded = JSONCoding::decode(AutomationClient::payload(send(command)).value_or("[]"));
    return decoded ? decoded->arrayValue().value_or(AnyValue::Array{}) : AnyValue::Array{};
}

std::vector<AppView> AppRun::views() {
    std::vector<AppView> out;
    for (const auto& entry : list("views")) {
        if (auto view = viewFrom(entry)) {
            out.push_back(*view);
        }
    }
    return out;
}

std::optional<AppView> AppRun::find(const std::string& text) {
    auto payload = AutomationClient::payload(send("find " + text));
    if (!payload) {
        return std::nullopt;
    }
    auto decoded = JSONCoding::decode(*payload);
    return decoded ? viewFrom(*decoded) : std::nullopt;
}

std::vector<AppView> AppRun::viewsOfClass(const std::string& className) {
    std::vector<AppView> out;
    std::ranges::copy_if(views(), std::back_inserter(out),
                         [&](const AppView& view) { return view.className == className; });
    std::stable_sort(out.begin(), out.end(), [](const AppView& a, const AppView& b) {
        return std::pair(a.frame.minY(), a.frame.minX()) < std::pair(b.frame.minY(), b.frame.minX());
    });
    return out;
}

bool AppRun::tap(const std::string& text) {
    bool tapped = ok("tap-text " + text);
    advance(1);
    return tapped;
}

bool AppRun::tapAt(CGPoint point) {
    bool tapped = ok("tap " + std::to_string(point.x) + " " + std::to_string(point.y));
    advance(1);
    return tapped;
}

bool AppRun::scroll(const AppView& view, CGFloat dx, CGFloat dy) {
    return ok("scroll " + std::to_string(view.frame.midX()) + " " + std::to_string(view.frame.midY()) + " " +
              std::to_string(dx) + " " + std::to_string(dy));
}

std::vector<std::string> AppRun::fieldTexts(const std::string& identifierPrefix) {
    std::map<int, std::string> rows;
    for (const auto& view : views()) {
        if (view.className == "DTTextField" && view.identifier.rfind(identifierPrefix, 0) == 0) {
            std::string rest = view.identifier.substr(identifierPrefix.size());
            if (!rest.empty() && rest.find_first_not_of("0123456789") == std::string::npos) {
                rows[std::stoi(rest)] = view.text;
            }
        }
    }
    std::vector<std::string> out;
    for (const auto& [row, text] : rows) {
        out.push_back(text);
    }
    return out;
}

std::vector<AppEvent> AppRun::events() {
    std::vector<AppEvent> out;
    for (const auto& entry : list("events")) {
        auto event = entry.dictionaryValue().value_or(AnyValue::Dictionary{});
        out.push_back({event["name"].stringValue().value_or(""),
                       event["parameters"].dictionaryValue().value_or(AnyValue::Dictionary{})});
    }
    return out;
}

std::vector<AppEvent> AppRun::events(const std::string& name) {
    std::vector<AppEvent> out;
    std::ranges::copy_if(events(), std::back_inserter(out),
                         [&](const AppEvent& event) { return event.name == name; });
    return out;
}

std::vector<std::string> AppRun::links() {
    std::vector<std::string> out;
    for (const auto& link : list("links")) {
        out.push_back(link.stringValue().value_or(""));
    }
    return out;
}

std::optional<int> AppRun::quit() {
    if (!client_) {
        return std::nullopt;
    }
    client_->send("quit", 10);
    return client_->waitForExit(20);
}

bool AppRun::waitUntil(const std::function<bool()>& condition, double seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        advance(0.1);
    }
    return condition();
}

std::filesystem::path defaultsFile(const std::filesystem::path& home) {
    return home / "defaults" / "com.ombrel.app.plist";
}

namespace {

AnyValue::Dictionary readDictionary(const std::filesystem::path& file) {
    auto bytes = FileSystem::readFile(file);
    if (!bytes) {
        return {};
    }
    auto decoded = PropertyListCoding::decode(*bytes);
    return decoded ? decoded->dictionaryValue().value_or(AnyValue::Dictionary{}) : AnyValue::Dictionary{};
}

std::filesystem::path activeRemoteConfigFile(const std::filesystem::path& home) {
    return home / "veraziva" / "RemoteConfigActive.plist";
}

} // namespace

AnyValue::Dictionary readDefaults(const std::filesystem::path& home) {
    return readDictionary(defaultsFile(home));
}

std::vector<std::string> storedLatex(const std::filesystem::path& home) {
    std::vector<std::string> out;
    for (const auto& entry : readDefaults(home)["Calculations"].arrayValue().value_or(AnyValue::Array{})) {
        out.push_back(
            entry.dictionaryValue().value_or(AnyValue::Dictionary{})["_latexString"].stringValue().value_or(
                ""));
    }
    return out;
}

void writeDefaults(const std::filesystem::path& home, const AnyValue::Dictionary& values) {
    AnyValue::Dictionary stored = readDefaults(home);
    for (const auto& [key, value] : values) {
        stored[key] = value;
    }
    FileSystem::writeFileAtomically(defaultsFile(home), PropertyListCoding::encode(AnyValue(stored)).value());
}

std::string appRecord(const std::string& identifier, const std::string& name, const std::string& slug,
                      const std::string& multi, const std::string& ratingScheme) {
    return R"({"appIdentifiers":[")" + identifier + R"("],"appName":{"en":")" + name +
           R"("},"appURL":"remote-)" + slug + R"(://","appURLPro":"remote-)" + slug +
           R"(-pro://","ratingURL":"https://remote.example.org/)" + slug + R"(/rate","ratingURLPro":")" +
           ratingScheme + "://remote.example.org/" + slug +
           R"(/rate-pro","storeURL":"https://remote.example.org/)" + slug +
           R"(","storeURLPro":"https://remote.example.org/)" + slug + R"(-pro",)" + multi +
           R"("shouldShow":true,"calculationsUntilInterstitial":3})";
}

void writeActiveRemoteConfig(const std::filesystem::path& home,
                             const std::map<std::string, std::string>& values) {
    AnyValue::Dictionary stored;
    for (const auto& [key, json] : values) {
        stored[key] = AnyValue(json);
    }
    FileSystem::writeFileAtomically(activeRemoteConfigFile(home),
                                    PropertyListCoding::encode(AnyValue(stored)).value());
}
