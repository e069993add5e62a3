#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Binary property lists made byte by byte, for files no writer would make.
class BinaryPropertyList {
  public:
    // The given objects (one-byte offsets and references), object 0 on top.
    static std::string of(const std::vector<std::string>& objects) {
        std::string bytes = "bplist00";
        std::string offsets;
        for (const std::string& object : objects) {
            offsets += static_cast<char>(bytes.size());
            bytes += object;
        }
        const std::size_t tableOffset = bytes.size();
        bytes += offsets;
        std::string trailer(6, '\0');
        trailer += '\1'; // offset size
        trailer += '\1'; // reference size
        for (std::uint64_t field :
             {std::uint64_t{objects.size()}, std::uint64_t{0}, std::uint64_t{tableOffset}})
            for (int shift = 56; shift >= 0; shift -= 8)
                trailer += static_cast<char>((field >> shift) & 0xFF);
        return bytes + trailer;
    }

    // A dictionary {"Calculations": a} where a is an array of the same array twice, `levels` deep, over
    // the object `leaf`: a few bytes that expand to 2^levels copies of the leaf.
    static std::string sharedReferences(int levels, const std::string& leaf) {
        std::vector<std::string> objects = {std::string("\xD1\x01\x02", 3),
                                            std::string("\x5C") + "Calculations"};
        for (int level = 0; level < levels; ++level)
            objects.push_back({'\xA2', static_cast<char>(level + 3), static_cast<char>(level + 3)});
        objects.push_back(leaf);
        return of(objects);
    }
};
