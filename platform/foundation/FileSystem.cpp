#include "platform/foundation/FileSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <sstream>
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

std::string randomSuffix() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char digits[] = "0123456789abcdef";
    std::string suffix(12, '0');
    for (char& c : suffix)
        c = digits[generator() % 16];
    return suffix;
}

std::string utcTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
    return text;
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

Result<bool> FileSystem::writeFileAtomically(const fs::path& path, std::string_view contents) {
    std::error_code error;
    const fs::path folder = path.parent_path();
    if (!folder.empty())
        fs::create_directories(folder, error);
    if (error)
        return Result<bool>::failure("cannot create " + folder.string() + ": " + error.message());

    const fs::path temporary = path.string() + ".tmp-" + randomSuffix();
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
    const std::string base = path.string() + "." + suffix + "-" + utcTimeStamp();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const fs::path target =
            attempt == 0 ? fs::path(base) : fs::path(base + "-" + std::to_string(attempt));
        // Both refuse an existing target, so an earlier copy is never replaced; link() serves file
        // systems without RENAME_NOREPLACE.
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
            return Result<fs::path>::success(target);
        if ((errno == EINVAL || errno == ENOSYS) && ::link(path.c_str(), target.c_str()) == 0) {
            ::unlink(path.c_str());
            return Result<fs::path>::success(target);
        }
        if (errno != EEXIST)
            return Result<fs::path>::failure("cannot move " + path.string() + " aside: " + errorText(errno));
    }
    return Result<fs::path>::failure("cannot move " + path.string() + " aside: too many earlier copies");
}
