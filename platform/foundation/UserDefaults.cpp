#include "platform/foundation/UserDefaults.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyListCoding.h"

#include <map>
#include <utility>

namespace fs = std::filesystem;

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, std::shared_ptr<UserDefaults>> domains;
};

Registry& registry() {
    static Registry shared;
    return shared;
}

bool validSuiteName(const std::string& name) {
    return !name.empty() && name.front() != '.' && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

std::string standardDomainName() {
    const std::optional<std::string> identifier = Bundle::mainBundle()->bundleIdentifier();
    return identifier && validSuiteName(*identifier) ? *identifier : std::string("standard");
}

std::shared_ptr<UserDefaults> sharedDomain(const std::string& name) {
    Registry& shared = registry();
    std::lock_guard lock(shared.mutex);
    std::shared_ptr<UserDefaults>& domain = shared.domains[name];
    if (!domain)
        domain = std::make_shared<UserDefaults>(UserDefaults::defaultsDirectory() / (name + ".plist"));
    return domain;
}

} // namespace

std::shared_ptr<UserDefaults> UserDefaults::standardUserDefaults() {
    return sharedDomain(standardDomainName());
}

std::shared_ptr<UserDefaults> UserDefaults::suiteNamed(const std::string& suiteName) {
    // The standard domain's own name is not a suite (it would share the standard domain's file).
    if (!validSuiteName(suiteName) || suiteName == standardDomainName())
        return nullptr;
    return sharedDomain(suiteName);
}

void UserDefaults::resetStandardUserDefaults() {
    Registry& shared = registry();
    std::lock_guard lock(shared.mutex);
    shared.domains.clear();
}

fs::path UserDefaults::defaultsDirectory() {
    return FileSystem::ombrelHome() / "defaults";
}

UserDefaults::UserDefaults(fs::path file, const PropertyListCoding::Limits& limits)
    : file_(std::move(file)), limits_(limits) {
    load();
}

void UserDefaults::load() {
    FileSystem::removeStaleTemporaryFiles(file_.parent_path());
    FileSystem::StoredFile stored = FileSystem::readStoredFile(file_, limits_.bytes);
    std::string problem = stored.problem;
    switch (stored.status) {
    case FileSystem::StoredFile::Status::missing:
        return;
    case FileSystem::StoredFile::Status::notRegular:
        fileLocked_ = true;
        DebugConsole::notice("warning: user defaults " + file_.string() +
                             " is not a regular file; left as it is, changes will not be saved");
        return;
    case FileSystem::StoredFile::Status::read: {
        Result<AnyValue> decoded = PropertyListCoding::decode(stored.contents, limits_);
        if (decoded && decoded->dictionaryPointer() != nullptr) {
            values_ = std::move(*decoded);
            return;
        }
        problem = decoded ? "the top level is not a dictionary" : decoded.error();
        break;
    }
    case FileSystem::StoredFile::Status::tooLarge:
    case FileSystem::StoredFile::Status::unreadable:
        break;
    }
    Result<fs::path> aside = FileSystem::moveAside(file_, "corrupt");
    if (aside) {
        DebugConsole::notice("warning: user defaults " + file_.string() + " could not be read (" + problem +
                             "); kept as " + aside->string() + ", starting empty");
    } else {
        fileLocked_ = true;
        DebugConsole::notice("warning: user defaults " + file_.string() + " could not be read (" + problem +
                             ") nor moved aside (" + aside.error() + "); changes will not be saved");
    }
}

bool UserDefaults::persist(std::uint64_t values) {
    if (fileLocked_)
        return false;
    // A file that the next start would refuse is not written: the one there stays readable. (The texts
    // of the file this writer writes are never longer than the file itself.)
    if (writeBuffer_.size() > limits_.bytes || values > limits_.values) {
        DebugConsole::notice("warning: user defaults " + file_.string() +
                             " not saved: the settings would be larger than a settings file may be");
        return false;
    }
    Result<bool> written = FileSystem::writeFileAtomically(file_, writeBuffer_);
    if (!written) {
        DebugConsole::notice("warning: user defaults " + file_.string() + " not saved: " + written.error());
        return false;
    }
    return true;
}

bool UserDefaults::persistValues() {
    const std::optional<std::uint64_t> written = PropertyListCoding::encodeXML(values_, writeBuffer_);
    return written && persist(*written);
}

AnyValue UserDefaults::objectForKey(const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto found = values().find(key);
    return found == values().end() ? AnyValue() : found->second;
}

bool UserDefaults::hasKey(const std::string& key) const {
    std::lock_guard lock(mutex_);
    return values().contains(key);
}

bool UserDefaults::setObjectForKey(AnyValue value, const std::string& key) {
    if (value.isNull())
        return removeObjectForKey(key);
    AnyValue previous;
    std::unique_lock lock(mutex_);
    auto [slot, inserted] = values().try_emplace(key);
    previous = std::exchange(slot->second, std::move(value));
    // The encoder meets a null inside the value before anything is written.
    const std::optional<std::uint64_t> written = PropertyListCoding::encodeXML(values_, writeBuffer_);
    if (!written) {
        if (inserted)
            values().erase(slot);
        else
            slot->second = std::move(previous);
        DebugConsole::notice("warning: user defaults: the value for \"" + key +
                             "\" holds a null and is not a property-list value; not stored");
        return false;
    }
    const bool saved = persist(*written);
    lock.unlock();
    // The replaced value can be the whole history: freeing its many small blocks takes as long as writing
    // the file, so it happens off the caller's thread.
    if (previous.kind() == AnyValue::Kind::array || previous.kind() == AnyValue::Kind::dictionary)
        DispatchQueue::global()->async([discarded = std::move(previous)] {});
    return saved;
}

bool UserDefaults::removeObjectForKey(const std::string& key) {
    std::lock_guard lock(mutex_);
    values().erase(key);
    return persistValues();
}

bool UserDefaults::updateObjectForKey(const std::string& key, const std::function<void(AnyValue&)>& change) {
    std::lock_guard lock(mutex_);
    auto slot = values().try_emplace(key).first;
    change(slot->second);
    bool stored = true;
    if (slot->second.isNull()) {
        values().erase(slot);
    } else if (const std::optional<std::uint64_t> written =
                   PropertyListCoding::encodeXML(values_, writeBuffer_)) {
        return persist(*written);
    } else {
        values().erase(slot);
        stored = false;
        DebugConsole::notice("warning: user defaults: the value for \"" + key +
                             "\" holds a null and is not a property-list value; removed");
    }
    return persistValues() && stored;
}

bool UserDefaults::boolForKey(const std::string& key, bool defaultValue) const {
    return objectForKey(key).boolValue().value_or(defaultValue);
}

std::int64_t UserDefaults::integerForKey(const std::string& key, std::int64_t defaultValue) const {
    return objectForKey(key).integerValue().value_or(defaultValue);
}

double UserDefaults::doubleForKey(const std::string& key, double defaultValue) const {
    return objectForKey(key).doubleValue().value_or(defaultValue);
}

std::optional<std::string> UserDefaults::stringForKey(const std::string& key) const {
    return objectForKey(key).stringValue();
}

std::optional<AnyValue::Array> UserDefaults::arrayForKey(const std::string& key) const {
    return objectForKey(key).arrayValue();
}

std::optional<AnyValue::Dictionary> UserDefaults::dictionaryForKey(const std::string& key) const {
    return objectForKey(key).dictionaryValue();
}

std::optional<Date> UserDefaults::dateForKey(const std::string& key) const {
    return objectForKey(key).dateValue();
}

AnyValue::Dictionary UserDefaults::dictionaryRepresentation() const {
    std::lock_guard lock(mutex_);
    return values();
}
