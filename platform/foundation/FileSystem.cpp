#include "platform/foundation/FileSystem.h"

#include "platform/foundation/Date.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string errorText(int error) {
    return std::strerror(error);
}

bool writeAll(int descriptor, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(descriptor, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

constexpr std::string_view temporaryMark = ".tmp-";
constexpr std::size_t temporarySuffixLength = 12;
constexpr double staleTemporaryAge = 10 * 60;

std::string randomSuffix() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char digits[] = "0123456789abcdef";
    std::string suffix(temporarySuffixLength, '0');
    for (char& c : suffix)
        c = digits[generator() % 16];
    return suffix;
}

bool isTemporaryName(std::string_view name) {
    if (name.size() <= temporaryMark.size() + temporarySuffixLength)
        return false;
    const std::string_view suffix = name.substr(name.size() - temporarySuffixLength);
    return name.substr(name.size() - temporarySuffixLength - temporaryMark.size(), temporaryMark.size()) ==
               temporaryMark &&
           suffix.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

std::string utcTimeStamp() {
    const auto now = static_cast<std::time_t>(Date::now().timeIntervalSince1970());
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
    return text;
}

// Offers place() the names "<path>.<suffix>-<time stamp>", then with "-1", "-2", ... appended, until it
// takes one; place() gives 0 or the errno of its failure, EEXIST for a name that is taken.
Result<fs::path> placeAside(const fs::path& path, const std::string& suffix, const char* action,
                            const std::function<int(const fs::path&)>& place) {
    const std::string base = path.string() + "." + suffix + "-" + utcTimeStamp();
    const auto failure = [&](const std::string& reason) {
        return Result<fs::path>::failure("cannot " + std::string(action) + " " + path.string() +
                                         " aside: " + reason);
    };
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const fs::path target =
            attempt == 0 ? fs::path(base) : fs::path(base + "-" + std::to_string(attempt));
        const int error = place(target);
        if (error == 0)
            return Result<fs::path>::success(target);
        if (error != EEXIST)
            return failure(errorText(error));
    }
    return failure("too many earlier copies");
}

// What path names once symbolic links are followed (the path itself when it is none); a link whose
// target is missing names that target. Nothing for a loop of links.
std::optional<fs::path> linkTarget(const fs::path& path) {
    constexpr int maximumLinks = 40; // as the kernel allows
    fs::path target = path;
    for (int link = 0; link < maximumLinks; ++link) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(target, error)))
            return target;
        const fs::path next = fs::read_symlink(target, error);
        if (error)
            return std::nullopt;
        target = target.parent_path() / next; // an absolute link replaces the folder
    }
    return std::nullopt;
}

} // namespace

fs::path FileSystem::ombrelHome() {
    if (std::string home = environment("OMBREL_HOME"); !home.empty())
        return home;
    if (std::string config = environment("XDG_CONFIG_HOME"); !config.empty())
        return fs::path(config) / "ombrel";
    return fs::path(environment("HOME")) / ".config" / "ombrel";
}

Result<std::string> FileSystem::readFile(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return Result<std::string>::failure("cannot open " + path.string() + ": " + errorText(errno));
    std::ostringstream contents;
    contents << stream.rdbuf();
    if (stream.bad())
        return Result<std::string>::failure("cannot read " + path.string());
    return Result<std::string>::success(std::move(contents).str());
}

FileSystem::StoredFile FileSystem::readStoredFile(const fs::path& path, std::uint64_t maximumSize) {
    using Status = StoredFile::Status;
    const auto notRead = [&](Status status, const std::string& problem) {
        return StoredFile{status, {}, path.string() + ": " + problem};
    };
    // Without O_NONBLOCK, opening a named pipe waits for a writer.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        const int openError = errno;
        // A socket cannot be opened at all; like a pipe, it is no file of ours.
        struct stat status {};
        if (openError != ENOENT && ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
            return notRead(Status::notRegular, "not a regular file");
        return notRead(openError == ENOENT ? Status::missing : Status::unreadable, errorText(openError));
    }
    struct stat status {};
    StoredFile stored;
    if (::fstat(descriptor, &status) != 0) {
        stored = notRead(Status::unreadable, errorText(errno));
    } else if (!S_ISREG(status.st_mode)) {
        stored = notRead(Status::notRegular, "not a regular file");
    } else if (static_cast<std::uint64_t>(status.st_size) > maximumSize) {
        stored = notRead(Status::tooLarge, "larger than " + std::to_string(maximumSize) + " bytes");
    } else {
        stored.status = Status::read;
        // One byte more than the file holds shows whether it grew since fstat, without a second buffer.
        stored.contents.resize(static_cast<std::size_t>(status.st_size) + 1);
        std::size_t length = 0;
        // Up to one byte past the limit, in case the file grew since fstat.
        for (;;) {
            if (length == stored.contents.size())
                stored.contents.resize(std::min<std::uint64_t>(maximumSize + 1, length * 2 + 4096));
            const ssize_t count =
                ::read(descriptor, stored.contents.data() + length, stored.contents.size() - length);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0) {
                stored = notRead(Status::unreadable, errorText(errno));
                break;
            }
            length += static_cast<std::size_t>(count);
            if (count == 0) {
                stored.contents.resize(length);
                break;
            }
            if (length > maximumSize) {
                stored = notRead(Status::tooLarge, "larger than " + std::to_string(maximumSize) + " bytes");
                break;
            }
        }
    }
    ::close(descriptor);
    return stored;
}

Result<bool> FileSystem::writeFileAtomically(const fs::path& link, std::string_view contents) {
    const std::optional<fs::path> target = linkTarget(link);
    if (!target)
        return Result<bool>::failure(link.string() + ": too many symbolic links");
    const fs::path& path = *target;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return Result<bool>::failure(link.string() + " is not a regular file; it is left as it is");
    std::error_code error;
    const fs::path folder = path.parent_path();
    if (!folder.empty())
        fs::create_directories(folder, error);
    if (error)
        return Result<bool>::failure("cannot create " + folder.string() + ": " + error.message());

    const fs::path temporary = path.string() + std::string(temporaryMark) + randomSuffix();
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return Result<bool>::failure("cannot create " + temporary.string() + ": " + errorText(errno));
    const bool written = writeAll(descriptor, contents) && ::fsync(descriptor) == 0;
    const int writeError = errno;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed) {
        ::unlink(temporary.c_str());
        return Result<bool>::failure("cannot write " + temporary.string() + ": " + errorText(writeError));
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        return Result<bool>::failure("cannot replace " + path.string() + ": " + errorText(renameError));
    }
    // The rename itself is only durable once the folder entry is on disk.
    const int folderDescriptor =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderDescriptor >= 0) {
        ::fsync(folderDescriptor);
        ::close(folderDescriptor);
    }
    return Result<bool>::success(true);
}

Result<fs::path> FileSystem::moveAside(const fs::path& path, const std::string& suffix) {
    return placeAside(path, suffix, "move", [&](const fs::path& target) {
        // Both refuse an existing target, so an earlier copy is never replaced; link() serves file
        // systems without RENAME_NOREPLACE.
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
            return 0;
        if ((errno == EINVAL || errno == ENOSYS) && ::link(path.c_str(), target.c_str()) == 0) {
            ::unlink(path.c_str());
            return 0;
        }
        return errno;
    });
}

Result<fs::path> FileSystem::copyAside(const fs::path& path, const std::string& suffix) {
    const Result<std::string> contents = readFile(path);
    if (!contents)
        return Result<fs::path>::failure(contents.error());
    return placeAside(path, suffix, "copy", [&](const fs::path& target) {
        const int descriptor = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (descriptor < 0)
            return errno;
        const bool written = writeAll(descriptor, *contents) && ::fsync(descriptor) == 0;
        const int writeError = errno;
        if (::close(descriptor) == 0 && written)
            return 0;
        ::unlink(target.c_str());
        return written ? EIO : writeError;
    });
}

void FileSystem::removeStaleTemporaryFiles(const fs::path& folder) {
    const double now = Date::now().timeIntervalSince1970();
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        struct stat status {};
        if (!isTemporaryName(entry->path().filename().native()) ||
            ::lstat(entry->path().c_str(), &status) != 0 || !S_ISREG(status.st_mode))
            continue;
        const double changed =
            static_cast<double>(status.st_mtim.tv_sec) + static_cast<double>(status.st_mtim.tv_nsec) * 1e-9;
        if (now - changed > staleTemporaryAge)
            ::unlink(entry->path().c_str());
    }
}
