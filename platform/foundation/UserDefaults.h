#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/PropertyListCoding.h"

#include <concepts>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

// Key-value settings, one domain per XML property list under $OMBREL_HOME/defaults/.
// The standard domain's file is named after the main bundle's identifier ("standard" without one);
// a suite's file after the suite name. Every change rewrites the domain file atomically. A file that
// cannot be read or parsed is moved aside (kept, with a time stamp) and the domain starts empty, with
// one warning line on the debug console. Something other than a regular file (a named pipe, a device)
// is left in place unread, and that run's changes are not saved. A change that would make the file
// larger than the reader accepts (PropertyListCoding::Limits) is kept in memory only, with a warning, so
// that the next start never puts aside a file written here. Loading also removes the stale temporary
// files of interrupted writes from the folder. Safe to use from several threads.
class UserDefaults {
  public:
    // Created on first use and shared; reads its file at creation.
    static std::shared_ptr<UserDefaults> standardUserDefaults();
    // A named suite, shared per name. Nothing for an empty name, a name containing "/" or starting
    // with ".", and for the standard domain's own name.
    static std::shared_ptr<UserDefaults> suiteNamed(const std::string& suiteName);
    // Forgets the shared instances so that the next call reads the files again (after $OMBREL_HOME or
    // the main bundle changed, as tests do). Instances already handed out keep working on their files.
    static void resetStandardUserDefaults();

    // The folder of the domain files: $OMBREL_HOME/defaults.
    static std::filesystem::path defaultsDirectory();

    // A domain kept in the given file, read and written within the limits.
    explicit UserDefaults(std::filesystem::path file, const PropertyListCoding::Limits& limits = {});

    const std::filesystem::path& filePath() const { return file_; }

    // Null when the key is absent.
    AnyValue objectForKey(const std::string& key) const;
    bool hasKey(const std::string& key) const;

    // Writing null removes the key. A value that holds a null inside cannot be stored: nothing changes
    // and the result is false. The result is also false when the file could not be written (the value
    // is kept in memory and a warning is printed).
    bool setObjectForKey(AnyValue value, const std::string& key);
    // An absent value removes the key. (A template so that plain values never pick this overload.)
    template <typename Optional>
    requires std::same_as<Optional, std::optional<AnyValue>>
    bool setObjectForKey(const Optional& value, const std::string& key) {
        return value ? setObjectForKey(*value, key) : removeObjectForKey(key);
    }
    bool removeObjectForKey(const std::string& key);
    // Changes the value of key where it is kept and saves the domain, so that a large value that changes
    // a little at a time (a long history) is not copied for every change. The change receives null for
    // an absent key; null afterwards removes the key. A result that holds a null inside is not stored:
    // the key is removed and the result is false. The change must not use this domain.
    bool updateObjectForKey(const std::string& key, const std::function<void(AnyValue&)>& change);

    bool setBoolForKey(bool value, const std::string& key) { return setObjectForKey(AnyValue(value), key); }
    bool setIntegerForKey(std::int64_t value, const std::string& key) {
        return setObjectForKey(AnyValue(value), key);
    }
    bool setDoubleForKey(double value, const std::string& key) {
        return setObjectForKey(AnyValue(value), key);
    }

    // Typed reads: the default applies when the key is absent or holds another kind.
    bool boolForKey(const std::string& key, bool defaultValue = false) const;
    std::int64_t integerForKey(const std::string& key, std::int64_t defaultValue = 0) const;
    // Integers read as doubles too.
    double doubleForKey(const std::string& key, double defaultValue = 0) const;
    std::optional<std::string> stringForKey(const std::string& key) const;
    std::optional<AnyValue::Array> arrayForKey(const std::string& key) const;
    std::optional<AnyValue::Dictionary> dictionaryForKey(const std::string& key) const;
    std::optional<Date> dateForKey(const std::string& key) const;

    AnyValue::Dictionary dictionaryRepresentation() const;

  private:
    void load();
    // Writes writeBuffer_, the encoded domain of that many values.
    bool persist(std::uint64_t values);
    // Encodes the domain and writes it.
    bool persistValues();
    const AnyValue::Dictionary& values() const { return *values_.dictionaryPointer(); }
    AnyValue::Dictionary& values() { return *values_.dictionaryPointer(); }

    std::filesystem::path file_;
    PropertyListCoding::Limits limits_;
    mutable std::mutex mutex_;
    // Always a dictionary.
    AnyValue values_ = AnyValue::Dictionary{};
    // Reused by every write: the history makes the file large, and fresh memory for it costs more than
    // the writing.
    std::string writeBuffer_;
    // Set when an unreadable file could not be moved aside, or is not a regular file: it must not be
    // overwritten.
    bool fileLocked_ = false;
};
