#pragma once

#include "platform/foundation/Result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The app's data folder and safe file writes.
class FileSystem {
  public:
    // $OMBREL_HOME, else $XDG_CONFIG_HOME/ombrel, else ~/.config/ombrel (read on every call, so tests can
    // point it at a temporary folder).
    static std::filesystem::path ombrelHome();

    // Whole file contents; a missing or unreadable file is a failure.
    static Result<std::string> readFile(const std::filesystem::path& path);

    // A file the program keeps its own data in. Only a regular file (after symbolic links) of at most
    // maximumSize bytes is read; a named pipe, a socket or a device is neither waited on nor read.
    struct StoredFile {
        enum class Status { read, missing, notRegular, tooLarge, unreadable };
        Status status = Status::missing;
        std::string contents; // when read
        std::string problem;  // when not read
    };
    static StoredFile readStoredFile(const std::filesystem::path& path, std::uint64_t maximumSize);

    // Writes to a temporary file in the same folder, flushes it to disk and renames it over the target,
    // so the target holds either the old or the new contents, never a mix. Creates missing folders. A
    // symbolic link stays a link: its target is written, in the target's folder. A target that exists
    // and is not a regular file is left alone: a failure.
    static Result<bool> writeFileAtomically(const std::filesystem::path& path, std::string_view contents);

    // Renames the file to "<name>.<suffix>-<UTC time stamp of the current clock>[-n]" beside it, never
    // replacing an existing file. Gives the new path.
    static Result<std::filesystem::path> moveAside(const std::filesystem::path& path,
                                                   const std::string& suffix);
    // Copies the file to a new name of the same form, leaving it in place.
    static Result<std::filesystem::path> copyAside(const std::filesystem::path& path,
                                                   const std::string& suffix);

    // Removes the temporary files that writeFileAtomically leaves in the folder when a process dies
    // mid-write: only its own names, and only those last changed more than ten minutes before the
    // current clock's time, so that a write in flight in another process is left alone.
    static void removeStaleTemporaryFiles(const std::filesystem::path& folder);
};
