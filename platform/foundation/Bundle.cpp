#include "platform/foundation/Bundle.h"

#include "platform/foundation/FileSystem.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/PropertyListCoding.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace fs = std::filesystem;

namespace {

struct MainBundle {
    std::mutex mutex;
    fs::path override;
    std::shared_ptr<Bundle> bundle;
};

MainBundle& mainBundleState() {
    static MainBundle state;
    return state;
}

fs::path defaultMainBundlePath() {
    if (const char* path = std::getenv("OMBREL_BUNDLE"); path != nullptr && *path != '\0')
        return path;
    std::error_code error;
    const fs::path binary = fs::read_symlink("/proc/self/exe", error);
    const fs::path start = error ? fs::current_path(error) : binary.parent_path();
    for (fs::path folder = start; !folder.empty(); folder = folder.parent_path()) {
        if (fs::is_directory(folder / "resources", error))
            return folder / "resources";
        if (folder == folder.parent_path())
            break;
    }
    return start / "resources";
}

std::uint32_t readWord(std::string_view bytes, std::size_t offset, bool swapped) {
    std::uint32_t word = 0;
    std::memcpy(&word, bytes.data() + offset, sizeof word);
    return swapped ? __builtin_bswap32(word) : word;
}

// A compiled gettext catalogue: msgid -> msgstr (singular forms; the header entry is left out).
std::optional<std::map<std::string, std::string>> parseCatalogue(std::string_view bytes) {
    if (bytes.size() < 20)
        return std::nullopt;
    const std::uint32_t magic = readWord(bytes, 0, false);
    const bool swapped = magic == 0xde120495u;
    if (magic != 0x950412deu && !swapped)
        return std::nullopt;
    const std::uint64_t count = readWord(bytes, 8, swapped);
    const std::uint64_t originals = readWord(bytes, 12, swapped);
    const std::uint64_t translations = readWord(bytes, 16, swapped);
    if (originals + count * 8 > bytes.size() || translations + count * 8 > bytes.size())
        return std::nullopt;
    auto entry = [&](std::uint64_t table, std::uint64_t index) -> std::optional<std::string_view> {
        const std::uint64_t length = readWord(bytes, table + index * 8, swapped);
        const std::uint64_t offset = readWord(bytes, table + index * 8 + 4, swapped);
        if (offset + length > bytes.size())
            return std::nullopt;
        std::string_view text = bytes.substr(offset, length);
        // Plural entries hold their forms separated by NUL; the first is the singular.
        return text.substr(0, text.find('\0'));
    };
    std::map<std::string, std::string> catalogue;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::optional<std::string_view> key = entry(originals, i);
        const std::optional<std::string_view> text = entry(translations, i);
        if (!key || !text)
            return std::nullopt;
        if (!key->empty())
            catalogue.emplace(std::string(*key), std::string(*text));
    }
    return catalogue;
}

} // namespace

std::shared_ptr<Bundle> Bundle::mainBundle() {
    MainBundle& state = mainBundleState();
    std::lock_guard lock(state.mutex);
    if (!state.bundle)
        state.bundle =
            std::make_shared<Bundle>(state.override.empty() ? defaultMainBundlePath() : state.override);
    return state.bundle;
}

void Bundle::setMainBundlePath(const fs::path& path) {
    MainBundle& state = mainBundleState();
    std::lock_guard lock(state.mutex);
    state.override = path;
    state.bundle.reset();
}

Bundle::Bundle(fs::path path) : path_(std::move(path)) {}

std::optional<fs::path> Bundle::pathForResource(const std::string& name, const std::string& extension) const {
    if (name.empty())
        return std::nullopt;
    const fs::path file = path_ / (extension.empty() ? name : name + "." + extension);
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        return std::nullopt;
    return file;
}

const AnyValue::Dictionary& Bundle::infoDictionary() const {
    std::lock_guard lock(mutex_);
    if (!info_) {
        info_.emplace();
        if (Result<std::string> contents = FileSystem::readFile(path_ / "Info.plist")) {
            Result<AnyValue> decoded = PropertyListCoding::decode(*contents);
            if (decoded && decoded->dictionaryPointer() != nullptr)
                info_ = *decoded->dictionaryPointer();
        }
    }
    return *info_;
}

AnyValue Bundle::objectForInfoDictionaryKey(const std::string& key) const {
    const AnyValue::Dictionary& info = infoDictionary();
    auto found = info.find(key);
    return found == info.end() ? AnyValue() : found->second;
}

std::optional<std::string> Bundle::bundleIdentifier() const {
    return objectForInfoDictionaryKey("CFBundleIdentifier").stringValue();
}

std::optional<std::string> Bundle::shortVersionString() const {
    return objectForInfoDictionaryKey("CFBundleShortVersionString").stringValue();
}

const std::map<std::string, std::string>* Bundle::catalogue(const std::string& language) const {
    std::lock_guard lock(mutex_);
    auto found = catalogues_.find(language);
    if (found == catalogues_.end()) {
        std::optional<std::map<std::string, std::string>> parsed;
        const fs::path file = path_ / "locale" / language / "LC_MESSAGES" / "ombrel.mo";
        if (Result<std::string> contents = FileSystem::readFile(file))
            parsed = parseCatalogue(*contents);
        found = catalogues_.emplace(language, std::move(parsed)).first;
    }
    return found->second ? &*found->second : nullptr;
}

std::string Bundle::localizedString(const std::string& key, const std::string& comment,
                                    const std::string& defaultValue) const {
    (void)comment;
    const std::string language = Locale::currentLanguageCode();
    for (const std::string& candidate : {language, std::string("en")}) {
        if (const auto* texts = catalogue(candidate)) {
            if (auto found = texts->find(key); found != texts->end())
                return found->second;
            // The user's own catalogue decides; English only stands in when there is none.
            break;
        }
    }
    return defaultValue.empty() ? key : defaultValue;
}
