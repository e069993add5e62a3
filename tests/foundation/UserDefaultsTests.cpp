#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/PropertyListCoding.h"
#include "platform/foundation/UserDefaults.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class UserDefaultsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Clock::setCurrent(clock);
        setenv("OMBREL_HOME", home.path().c_str(), 1);
        Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
        UserDefaults::resetStandardUserDefaults();
        DebugConsole::setListener([this](const std::string& line) { console.push_back(line); });
    }
    void TearDown() override {
        DebugConsole::setListener(nullptr);
        UserDefaults::resetStandardUserDefaults();
        unsetenv("OMBREL_HOME");
        Clock::setCurrent(nullptr);
    }

    fs::path domainFile(const std::string& name) const {
        return home.path() / "defaults" / (name + ".plist");
    }

    std::vector<fs::path> filesInDefaults() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(home.path() / "defaults"))
            files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }

    static void writeText(const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }

    // Files kept aside carry its time: 2023-11-14 22:13:20 UTC.
    const std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    TemporaryFolder home;
    std::vector<std::string> console;
};

TEST_F(UserDefaultsTest, EveryKindIsReadBackByAFreshInstance) {
    const AnyValue history = AnyValue::Array{AnyValue::Dictionary{
        {"_latexString", "x_i = [4;5]"},
        {"inputParameters", AnyValue::Dictionary{{"event0", "4"}, {"probability0", ""}}},
        {"solutionSteps", AnyValue::Array{}},
        {"setupParameter", AnyValue::Dictionary{{"appKey", "OB"}, {"inputCalculationSelection", 1}}}}};
    const AnyValue::Dictionary values = {
        {"bool", true},
        {"integer", std::int64_t{-9'000'000'000}},
        {"double", 0.30000000000000004},
        {"string", "Grüße <&>"},
        {"date", Date::dateWithTimeIntervalSince1970(1'234'567'890.0)},
        {"data", AnyValue::Data{0, 10, 255}},
        {"array", history},
        {"dictionary", AnyValue::Dictionary{{"nested", AnyValue::Array{1.5, false}}}},
    };
    auto defaults = UserDefaults::standardUserDefaults();
    for (const auto& [key, value] : values)
        ASSERT_TRUE(defaults->setObjectForKey(value, key)) << key;

    EXPECT_EQ(defaults->filePath(), domainFile("com.ombrel.app"));
    UserDefaults fresh(domainFile("com.ombrel.app"));
    EXPECT_EQ(fresh.dictionaryRepresentation(), values);
    EXPECT_EQ(fresh.integerForKey("integer"), -9'000'000'000);
    EXPECT_EQ(fresh.doubleForKey("double"), 0.30000000000000004);
    EXPECT_EQ(fresh.stringForKey("string"), "Grüße <&>");
    EXPECT_EQ(fresh.dateForKey("date")->timeIntervalSince1970(), 1'234'567'890.0);
    EXPECT_EQ(AnyValue(*fresh.arrayForKey("array")), history);
    // Typed reads of another kind give the default.
    EXPECT_EQ(fresh.integerForKey("string", 5), 5);
    EXPECT_EQ(fresh.integerForKey("absent", 7), 7);
    EXPECT_TRUE(fresh.boolForKey("integer", true));
    EXPECT_EQ(fresh.doubleForKey("integer"), -9e9);
    EXPECT_FALSE(fresh.stringForKey("integer"));
    EXPECT_FALSE(fresh.arrayForKey("dictionary"));
    EXPECT_FALSE(fresh.dictionaryForKey("array"));
    // The file is an XML property list; one that begins with a UTF-8 byte-order mark reads the same.
    const std::string text = *FileSystem::readFile(domainFile("com.ombrel.app"));
    EXPECT_NE(text.find("<plist"), std::string::npos);
    writeText(domainFile("com.ombrel.app"), "\xEF\xBB\xBF" + text);
    EXPECT_EQ(UserDefaults(domainFile("com.ombrel.app")).dictionaryRepresentation(), values);
    EXPECT_TRUE(console.empty());
}

TEST_F(UserDefaultsTest, WritingOrUpdatingToAbsentRemovesTheKeyAndANullInsideIsRefused) {
    auto defaults = UserDefaults::standardUserDefaults();
    defaults->setIntegerForKey(3, "kept");
    EXPECT_TRUE(defaults->setObjectForKey(std::optional<AnyValue>(), "kept"));
    EXPECT_TRUE(defaults->updateObjectForKey("other", [](AnyValue& value) { value = AnyValue(); }));
    EXPECT_FALSE(defaults->hasKey("kept"));
    EXPECT_FALSE(defaults->hasKey("other"));
    defaults->setIntegerForKey(1, "x");
    EXPECT_TRUE(defaults->setObjectForKey(AnyValue(), "x"));
    EXPECT_FALSE(UserDefaults(defaults->filePath()).hasKey("x"));

    defaults->setIntegerForKey(1, "x");
    EXPECT_FALSE(defaults->setObjectForKey(AnyValue::Array{1, AnyValue()}, "x"));
    EXPECT_EQ(UserDefaults(defaults->filePath()).integerForKey("x"), 1);
    EXPECT_EQ(console.size(), 1u);

    EXPECT_TRUE(defaults->updateObjectForKey("Calculations", [](AnyValue& value) {
        EXPECT_TRUE(value.isNull()); // absent so far
        value = AnyValue::Array{"first"};
    }));
    EXPECT_TRUE(defaults->updateObjectForKey("Calculations", [](AnyValue& value) {
        value.arrayPointer()->insert(value.arrayPointer()->begin(), "second");
    }));
    EXPECT_EQ(UserDefaults(defaults->filePath()).objectForKey("Calculations"),
              AnyValue(AnyValue::Array{"second", "first"}));
    EXPECT_FALSE(defaults->updateObjectForKey(
        "Calculations", [](AnyValue& value) { value.arrayPointer()->push_back(AnyValue()); }));
    EXPECT_FALSE(defaults->hasKey("Calculations"));
    EXPECT_FALSE(UserDefaults(defaults->filePath()).hasKey("Calculations"));
}

TEST_F(UserDefaultsTest, ARefusedValueLeavesTheDomainAsItWasInMemoryToo) {
    auto defaults = UserDefaults::standardUserDefaults();
    defaults->setIntegerForKey(1, "x");
    const AnyValue refused = AnyValue::Array{1, AnyValue()};
    EXPECT_FALSE(defaults->setObjectForKey(refused, "x"));
    EXPECT_FALSE(defaults->setObjectForKey(refused, "new"));
    EXPECT_EQ(defaults->dictionaryRepresentation(), (AnyValue::Dictionary{{"x", 1}}));
    EXPECT_EQ(UserDefaults(defaults->filePath()).dictionaryRepresentation(),
              (AnyValue::Dictionary{{"x", 1}}));
}

TEST_F(UserDefaultsTest, ACorruptFileIsKeptAsideAndTheDomainStartsEmpty) {
    const fs::path file = domainFile("com.ombrel.app");
    const std::string broken = "<?xml version=\"1.0\"?><plist><dict><key>Calculations</key><array>";
    writeText(file, broken);
    auto defaults = UserDefaults::standardUserDefaults();
    EXPECT_TRUE(defaults->dictionaryRepresentation().empty());
    ASSERT_EQ(console.size(), 1u);
    EXPECT_NE(console[0].find("warning"), std::string::npos);
    ASSERT_EQ(filesInDefaults().size(), 1u);
    EXPECT_NE(filesInDefaults()[0].filename().string().find("com.ombrel.app.plist.corrupt-"),
              std::string::npos);

    // The domain works again, and a second corrupt file in the same second keeps the first copy.
    defaults->setBoolForKey(true, "isOnboardingFinished");
    EXPECT_TRUE(UserDefaults(file).boolForKey("isOnboardingFinished"));
    writeText(file, "second garbage");
    EXPECT_TRUE(UserDefaults(file).dictionaryRepresentation().empty());
    std::vector<std::string> kept;
    for (const fs::path& aside : filesInDefaults())
        kept.push_back(*FileSystem::readFile(aside));
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, (std::vector<std::string>{broken, "second garbage"}));

    // A top level that is not a dictionary counts as corrupt.
    const fs::path settings = domainFile("settings");
    writeText(settings, *PropertyListCoding::encode(AnyValue::Array{1, 2}));
    auto suite = UserDefaults::suiteNamed("settings");
    ASSERT_TRUE(suite);
    EXPECT_TRUE(suite->dictionaryRepresentation().empty());
    EXPECT_EQ(filesInDefaults().size(), 3u) << "the two earlier copies and this one";
    EXPECT_FALSE(fs::exists(settings));
}

TEST_F(UserDefaultsTest, AFileThatCannotBeMovedAsideOrIsNotRegularIsNeverOverwritten) {
    const fs::path file = domainFile("locked");
    writeText(file, "garbage");
    // Every name the file could be moved to at the clock's time is taken already.
    const std::string base = file.string() + ".corrupt-20231114T221320Z";
    writeText(base, "");
    for (int n = 1; n < 1000; ++n)
        std::ofstream(base + "-" + std::to_string(n));
    // A named pipe is neither waited on nor read, a device not read without end, a socket not replaced.
    const fs::path pipe = domainFile("pipe"), device = domainFile("device"),
                   socketFile = domainFile("socket");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", device);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketFile.native().size(), sizeof address.sun_path);
    socketFile.native().copy(address.sun_path, socketFile.native().size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    for (const fs::path& path : {file, pipe, device, socketFile}) {
        console.clear();
        UserDefaults locked(path);
        ASSERT_EQ(console.size(), 1u) << path;
        EXPECT_NE(console[0].find("will not be saved"), std::string::npos);
        EXPECT_FALSE(locked.setIntegerForKey(1, "a"));
        EXPECT_EQ(locked.integerForKey("a"), 1); // kept in memory for this run
        EXPECT_EQ(console.size(), 1u) << "one notice";
    }
    EXPECT_EQ(*FileSystem::readFile(file), "garbage");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_TRUE(fs::is_symlink(device));
    EXPECT_TRUE(fs::is_socket(socketFile));
    ::close(listener);
}

TEST_F(UserDefaultsTest, ADomainFileThatIsASymbolicLinkIsSavedThroughTheLink) {
    // A relative link into another folder: the target is written there, atomically, and the link stays.
    const fs::path target = home.path() / "elsewhere" / "settings.plist";
    writeText(target, *PropertyListCoding::encode(AnyValue::Dictionary{{"kept", 1}}));
    const fs::path link = domainFile("com.ombrel.app");
    fs::create_directories(link.parent_path());
    fs::create_symlink("../elsewhere/settings.plist", link);
    auto defaults = UserDefaults::standardUserDefaults();
    EXPECT_EQ(defaults->integerForKey("kept"), 1);
    ASSERT_TRUE(defaults->setIntegerForKey(2, "added"));

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(UserDefaults(target).dictionaryRepresentation(),
              (AnyValue::Dictionary{{"kept", 1}, {"added", 2}}));
    EXPECT_EQ(filesInDefaults(), std::vector<fs::path>{link});
    EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), fs::directory_iterator()), 1)
        << "no temporary file left beside the target";
    EXPECT_TRUE(console.empty());
}

TEST_F(UserDefaultsTest, NothingIsWrittenThatTheReaderWouldRefuse) {
    const PropertyListCoding::Limits limits{.bytes = 1000, .values = 20};
    const fs::path file = domainFile("small");
    UserDefaults defaults(file, limits);
    const std::string text(500, 'a');
    ASSERT_TRUE(defaults.setObjectForKey(AnyValue(text), "text"));
    // Past the size of a file, then past the number of values: kept for this run, not written.
    EXPECT_FALSE(defaults.setObjectForKey(AnyValue(std::string(600, 'b')), "more"));
    EXPECT_EQ(defaults.stringForKey("more"), std::string(600, 'b'));
    EXPECT_TRUE(defaults.removeObjectForKey("more"));
    EXPECT_FALSE(defaults.setObjectForKey(AnyValue(AnyValue::Array(17, true)), "many"));
    EXPECT_EQ(console.size(), 2u);

    EXPECT_EQ(UserDefaults(file, limits).dictionaryRepresentation(), (AnyValue::Dictionary{{"text", text}}));
    EXPECT_EQ(filesInDefaults(), std::vector<fs::path>{file});
    // A file larger than the reader takes is put aside.
    writeText(file, *PropertyListCoding::encode(AnyValue::Dictionary{{"text", std::string(1000, 'c')}}));
    EXPECT_TRUE(UserDefaults(file, limits).dictionaryRepresentation().empty());
    ASSERT_EQ(filesInDefaults().size(), 1u);
    EXPECT_NE(filesInDefaults()[0].filename().string().find("small.plist.corrupt-"), std::string::npos);
}

TEST_F(UserDefaultsTest, LoadingRemovesOnlyOurOwnTemporaryFilesOlderThanTenMinutes) {
    const std::vector<std::pair<std::string, int>> filesAndAges = {
        {"com.ombrel.app.plist.tmp-0123456789ab", 601},
        {"veraziva.plist.tmp-fedcba987654", 86400},
        {"com.ombrel.app.plist.tmp-aaaaaaaaaaaa", 599},
        {"com.ombrel.app.plist.tmp-0123456789AB", 3600},
        {"notes.tmp-0123456789", 3600},
        {"com.ombrel.app.plist.corrupt-1", 3600}};
    const auto now = std::chrono::sys_seconds(
        std::chrono::seconds(static_cast<std::int64_t>(clock->date().timeIntervalSince1970())));
    for (const auto& [name, age] : filesAndAges) {
        writeText(home.path() / "defaults" / name, "partial");
        fs::last_write_time(home.path() / "defaults" / name,
                            fs::file_time_type::clock::from_sys(now - std::chrono::seconds(age)));
    }
    UserDefaults::standardUserDefaults();
    std::vector<std::string> kept;
    for (const fs::path& file : filesInDefaults())
        kept.push_back(file.filename().string());
    EXPECT_EQ(kept, (std::vector<std::string>{
                        "com.ombrel.app.plist.corrupt-1", "com.ombrel.app.plist.tmp-0123456789AB",
                        "com.ombrel.app.plist.tmp-aaaaaaaaaaaa", "notes.tmp-0123456789"}));
}

TEST_F(UserDefaultsTest, SuitesAreSeparateSharedDomains) {
    auto first = UserDefaults::suiteNamed("veraziva");
    ASSERT_TRUE(first);
    EXPECT_EQ(first, UserDefaults::suiteNamed("veraziva"));
    first->setObjectForKey("remote", "key");
    EXPECT_FALSE(UserDefaults::standardUserDefaults()->hasKey("key"));
    EXPECT_TRUE(fs::exists(domainFile("veraziva")));

    for (const char* refused : {"", "../escape", ".hidden", "com.ombrel.app"})
        EXPECT_FALSE(UserDefaults::suiteNamed(refused)) << refused;

    // After a reset the shared instances read their files again.
    UserDefaults::resetStandardUserDefaults();
    EXPECT_NE(first, UserDefaults::suiteNamed("veraziva"));
    EXPECT_EQ(UserDefaults::suiteNamed("veraziva")->stringForKey("key"), "remote");
}

TEST_F(UserDefaultsTest, ConcurrentWritersLoseNoKeyAndLeaveNoTemporaryFiles) {
    auto defaults = UserDefaults::standardUserDefaults();
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i)
                defaults->setIntegerForKey(i, "writer" + std::to_string(t) + "." + std::to_string(i));
        });
    for (auto& writer : writers)
        writer.join();
    EXPECT_EQ(UserDefaults(defaults->filePath()).dictionaryRepresentation().size(), 100u);
    EXPECT_EQ(filesInDefaults().size(), 1u);
}

TEST(OmbrelHome, WithoutTheVariableFallsBackToTheConfigFolders) {
    const char* original = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> savedConfig =
        original ? std::optional<std::string>(original) : std::nullopt;
    unsetenv("OMBREL_HOME");
    setenv("XDG_CONFIG_HOME", "/tmp/config-here", 1);
    EXPECT_EQ(FileSystem::ombrelHome(), fs::path("/tmp/config-here/ombrel"));
    unsetenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    EXPECT_EQ(FileSystem::ombrelHome(), fs::path(home ? home : "") / ".config" / "ombrel");
    if (savedConfig)
        setenv("XDG_CONFIG_HOME", savedConfig->c_str(), 1);
}

} // namespace
