// The LaTeX display post-processor must end on every text.
#include "engine/KivoStringOutput.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    KivoStringOutput::beautifyLatex(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
