#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The raw texts of an enumeration, indexed by case.
template <class Enum, std::size_t N> class RawValueTable {
  public:
    constexpr explicit RawValueTable(std::array<std::string_view, N> texts) : texts_(texts) {}

    std::string text(Enum value) const { return std::string(texts_.at(static_cast<std::size_t>(value))); }

    // Nothing for a text that names no case (the comparison is exact).
    std::optional<Enum> value(std::string_view text) const {
        for (std::size_t i = 0; i < N; ++i)
            if (texts_[i] == text)
                return static_cast<Enum>(i);
        return std::nullopt;
    }

  private:
    std::array<std::string_view, N> texts_;
};
