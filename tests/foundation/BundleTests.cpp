#include "platform/foundation/Bundle.h"
#include "platform/foundation/Locale.h"

#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(Bundle, MainBundleIsTheBuiltResourcesFolderFoundAboveTheBinary) {
    // The test binary lives in build/tests/foundation; the bundle in build/resources.
    Bundle::setMainBundlePath({});
    EXPECT_EQ(fs::weakly_canonical(Bundle::mainBundle()->bundlePath()),
              fs::weakly_canonical(OMBREL_BUNDLE_DIR));
    Bundle::setMainBundlePath(OMBREL_BUNDLE_DIR);
    auto bundle = Bundle::mainBundle();
    EXPECT_EQ(bundle->bundleIdentifier(), "com.ombrel.app");
    EXPECT_EQ(bundle->shortVersionString(), "1.0");
    EXPECT_EQ(bundle->pathForResource("Info", "plist"), fs::path(OMBREL_BUNDLE_DIR) / "Info.plist");
    // The build compiles the catalogue next to the copied resources.
    EXPECT_TRUE(bundle->pathForResource("locale/en/LC_MESSAGES/ombrel", "mo"));
    EXPECT_FALSE(bundle->pathForResource("RemoteConfigDefaults", "json"));
    EXPECT_FALSE(bundle->pathForResource("", "json"));
    EXPECT_FALSE(bundle->pathForResource("locale", "")); // a folder is not a resource

    TemporaryFolder folder;
    Bundle empty(folder.path());
    EXPECT_FALSE(empty.bundleIdentifier());
    EXPECT_TRUE(empty.infoDictionary().empty());
    EXPECT_EQ(empty.localizedString("Result", "The final result in solution view"), "Result");
}

class LocalizationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        writeCatalogue(
            "en",
            {{"Calculate Verb", "Calculate"}, {"touchToUnlock", "Touch to unlock"}, {"Result", "Result"}});
        writeCatalogue("de", {{"Calculate Verb", "Berechnen"}});
        Locale::setCurrentLanguageOverride("en");
    }
    void TearDown() override { Locale::setCurrentLanguageOverride(std::nullopt); }

    void writeCatalogue(const std::string& language,
                        const std::vector<std::pair<std::string, std::string>>& texts) {
        const fs::path folder = bundleFolder.path() / "locale" / language / "LC_MESSAGES";
        fs::create_directories(folder);
        std::ofstream po(folder / "ombrel.po");
        po << "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
        for (const auto& [key, text] : texts)
            po << "#. " << key << "\nmsgid \"" << key << "\"\nmsgstr \"" << text << "\"\n\n";
        po.close();
        const std::string command =
            "msgfmt -o '" + (folder / "ombrel.mo").string() + "' '" + (folder / "ombrel.po").string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    TemporaryFolder bundleFolder;
};

// A little-endian catalogue header and tables from 32-bit words, followed by text.
std::string catalogueBytes(const std::vector<std::uint32_t>& words, const std::string& text) {
    std::string bytes;
    for (std::uint32_t word : words)
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((word >> shift) & 0xFF);
    return bytes + text;
}

TEST_F(LocalizationTest, TranslationElseDefaultElseKeyWithEnglishForMissingLanguagesAndDamagedCatalogues) {
    Bundle bundle(bundleFolder.path());
    EXPECT_EQ(bundle.localizedString("touchToUnlock", "Touch to unlock", "ignored default"),
              "Touch to unlock");
    EXPECT_EQ(bundle.localizedString("noInternet", "", "No internet"), "No internet");
    EXPECT_EQ(bundle.localizedString("Mean", "Mean"), "Mean");
    EXPECT_EQ(bundle.localizedString("", ""), "");
    Locale::setCurrentLanguageOverride("de");
    EXPECT_EQ(bundle.localizedString("Calculate Verb"), "Berechnen");
    EXPECT_EQ(bundle.localizedString("touchToUnlock"), "touchToUnlock");
    Locale::setCurrentLanguageOverride("fr");
    EXPECT_EQ(bundle.localizedString("Calculate Verb"), "Calculate");

    // A damaged catalogue is ignored.
    const fs::path mo = bundleFolder.path() / "locale" / "en" / "LC_MESSAGES" / "ombrel.mo";
    const std::uint32_t magic = 0x950412de;
    // magic, revision, count, originals table, translations table, then the two tables and the texts.
    const std::string good = catalogueBytes({magic, 0, 1, 20, 28, 1, 36, 1, 38}, std::string("k\0v\0", 4));
    const std::vector<std::string> damaged = {
        catalogueBytes({magic, 0, 0x7fffffff, 20, 28}, ""), // more entries than the file holds
        catalogueBytes({magic, 0, 1, 20, 28, 1, 1000, 1, 38},
                       std::string("k\0v\0", 4)), // a text beyond the end
        catalogueBytes({0x12345678, 0, 1, 20, 28, 1, 36, 1, 38}, std::string("k\0v\0", 4)), // not a catalogue
        std::string("\xde\x12\x04", 3),
    };
    std::ofstream(mo, std::ios::binary) << good;
    EXPECT_EQ(Bundle(bundleFolder.path()).localizedString("k"), "v");
    for (const std::string& bytes : damaged) {
        std::ofstream(mo, std::ios::binary | std::ios::trunc) << bytes;
        EXPECT_EQ(Bundle(bundleFolder.path()).localizedString("k", "", "fallback"), "fallback");
    }
}

class EnvironmentLocaleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : names) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved)
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
        Locale::setCurrentLanguageOverride(std::nullopt);
    }

    static constexpr const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};

TEST_F(EnvironmentLocaleTest, LanguageComesFromTheFirstSetVariable) {
    EXPECT_EQ(Locale::currentLanguageCode(), "en");
    setenv("LANG", "C", 1);
    EXPECT_EQ(Locale::currentLanguageCode(), "en");
    setenv("LANG", "fr_FR.UTF-8", 1);
    EXPECT_EQ(Locale::currentLanguageCode(), "fr");
    EXPECT_EQ(Locale::currentLocale().localeIdentifier(), "fr_FR");
    setenv("LC_MESSAGES", "es_ES", 1);
    EXPECT_EQ(Locale::currentLanguageCode(), "es");
    setenv("LC_ALL", "POSIX", 1);
    EXPECT_EQ(Locale::currentLanguageCode(), "en");
    setenv("LANGUAGE", "de_AT:en", 1);
    EXPECT_EQ(Locale::currentLanguageCode(), "de");
    Locale::setCurrentLanguageOverride("it");
    EXPECT_EQ(Locale::currentLanguageCode(), "it");
    Locale::setCurrentLanguageOverride(std::nullopt);
    EXPECT_EQ(Locale::currentLanguageCode(), "de");
}

} // namespace
