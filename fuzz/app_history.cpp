// A user-defaults file of any bytes through the history store and the input screen's rebuild of rows
// and mode from every stored calculation: values or a refusal, never a crash, and never more rows or
// longer fields than the input table holds.
#include "app/InputRows.h"
#include "engine/CalcManager.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Every load writes the file back: on a memory file system when there is one. Removed at exit.
class Folder {
  public:
    Folder() {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        path_ = base / ("ombrel-fuzz-history-" + std::to_string(::getpid()));
        fs::create_directories(path_);
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

const fs::path& folder() {
    static const Folder made;
    return made.path();
}

void rebuild(const Calculation& calculation) {
    const auto rows = rowsWithStoredInputs({InputRow{}, InputRow{}}, calculation.inputParameters);
    if (rows && rows->size() > maximumInputRows)
        std::abort();
    for (const InputRow& row : rows.value_or(std::vector<InputRow>{})) {
        if (utf8CharacterCount(row.event) > maximumFieldLength ||
            utf8CharacterCount(row.probability) > maximumFieldLength)
            std::abort();
    }
    const auto mode = storedMode(calculation.setupParameter);
    if (mode && *mode != 0 && *mode != 1)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DebugConsole::setSilenced(true);
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder()))
        fs::remove(entry.path(), ignored);
    const fs::path file = folder() / "standard.plist";
    if (!FileSystem::writeFileAtomically(file, std::string_view(reinterpret_cast<const char*>(data), size)))
        return 0;

    CalcManager history{Defaults(std::make_shared<UserDefaults>(file))};
    for (const Calculation& calculation : history.calculations())
        rebuild(calculation);
    if (history.currentSelectedCalculation())
        rebuild(*history.currentSelectedCalculation());
    if (history.currentCalculation)
        rebuild(*history.currentCalculation);
    return 0;
}
