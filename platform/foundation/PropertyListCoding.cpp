#include "platform/foundation/PropertyListCoding.h"

#include "platform/foundation/Utf8.h"

#include <plist/plist.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <memory>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

namespace {

// libplist reads and writes reals through the C library, which follows the thread's numeric locale.
class CLocaleScope {
  public:
    CLocaleScope() : previous_(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

  private:
    static locale_t cLocale() {
        static locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
        return locale;
    }
    locale_t previous_;
};

struct NodeDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

Node toNode(const AnyValue& value) {
    switch (value.kind()) {
    case AnyValue::Kind::null:
        return nullptr;
    case AnyValue::Kind::boolean:
        return Node(plist_new_bool(*value.boolValue() ? 1 : 0));
    case AnyValue::Kind::integer:
        // libplist keeps every integer as 64 unsigned bits and writes negative ones back with their sign.
        return Node(plist_new_uint(static_cast<std::uint64_t>(*value.integerValue())));
    case AnyValue::Kind::real:
        return Node(plist_new_real(*value.doubleValue()));
    case AnyValue::Kind::string:
        return Node(plist_new_string(value.stringPointer()->c_str()));
    case AnyValue::Kind::date: {
        const double since2001 = value.dateValue()->timeIntervalSinceReferenceDate();
        const double whole = std::floor(since2001);
        if (!std::isfinite(whole) || whole < std::numeric_limits<std::int32_t>::min() ||
            whole > std::numeric_limits<std::int32_t>::max())
            return nullptr;
        return Node(plist_new_date(static_cast<std::int32_t>(whole),
                                   static_cast<std::int32_t>(std::lround((since2001 - whole) * 1e6))));
    }
    case AnyValue::Kind::data: {
        const AnyValue::Data data = *value.dataValue();
        return Node(plist_new_data(reinterpret_cast<const char*>(data.data()), data.size()));
    }
    case AnyValue::Kind::array: {
        Node array(plist_new_array());
        for (const AnyValue& item : *value.arrayPointer()) {
            Node child = toNode(item);
            if (!child)
                return nullptr;
            plist_array_append_item(array.get(), child.release());
        }
        return array;
    }
    case AnyValue::Kind::dictionary: {
        Node dictionary(plist_new_dict());
        for (const auto& [key, item] : *value.dictionaryPointer()) {
            Node child = toNode(item);
            if (!child)
                return nullptr;
            plist_dict_set_item(dictionary.get(), key.c_str(), child.release());
        }
        return dictionary;
    }
    }
    return nullptr;
}

using Limits = PropertyListCoding::Limits;

bool withinLimits(const Limits& limits, std::uint64_t values, std::uint64_t decodedBytes) {
    return values <= limits.values && decodedBytes <= limits.decodedBytes;
}

// What a file has expanded to so far, against the limits.
class Budget {
  public:
    explicit Budget(const Limits& limits) : limits_(limits) {}

    // False once the file goes past a limit.
    bool take(std::uint64_t values, std::uint64_t decodedBytes) {
        values_ += values;
        decodedBytes_ += decodedBytes;
        return withinLimits(limits_, values_, decodedBytes_);
    }

  private:
    const Limits& limits_;
    std::uint64_t values_ = 0;
    std::uint64_t decodedBytes_ = 0;
};

// The nesting is bounded by the outline measured before libplist read the text.
std::optional<AnyValue> fromNode(plist_t node, Budget& budget) {
    if (!budget.take(1, 0))
        return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        std::uint8_t flag = 0;
        plist_get_bool_val(node, &flag);
        return AnyValue(flag != 0);
    }
    case PLIST_UINT: {
        std::uint64_t bits = 0;
        plist_get_uint_val(node, &bits);
        return AnyValue(static_cast<std::int64_t>(bits));
    }
    case PLIST_UID: {
        std::uint64_t uid = 0;
        plist_get_uid_val(node, &uid);
        return AnyValue(static_cast<std::int64_t>(uid));
    }
    case PLIST_REAL: {
        double real = 0;
        plist_get_real_val(node, &real);
        return AnyValue(real);
    }
    case PLIST_STRING:
    case PLIST_KEY: {
        std::uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        if (text == nullptr)
            length = 0;
        if (!budget.take(0, length))
            return std::nullopt;
        return AnyValue(std::string(text == nullptr ? "" : text, length));
    }
    case PLIST_DATE: {
        std::int32_t seconds = 0, microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        return AnyValue(Date::dateWithTimeIntervalSinceReferenceDate(seconds + microseconds / 1e6));
    }
    case PLIST_DATA: {
        std::uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        if (bytes == nullptr)
            length = 0;
        if (!budget.take(0, length))
            return std::nullopt;
        const auto* first = reinterpret_cast<const std::uint8_t*>(bytes);
        return AnyValue(AnyValue::Data(first, first + length));
    }
    case PLIST_ARRAY: {
        AnyValue::Array array;
        const std::uint32_t count = plist_array_get_size(node);
        array.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::optional<AnyValue> item = fromNode(plist_array_get_item(node, i), budget);
            if (!item)
                return std::nullopt;
            array.push_back(std::move(*item));
        }
        return AnyValue(std::move(array));
    }
    case PLIST_DICT: {
        AnyValue::Dictionary dictionary;
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        std::optional<AnyValue> result;
        for (;;) {
            char* key = nullptr;
            plist_t child = nullptr;
            plist_dict_next_item(node, iterator, &key, &child);
            if (child == nullptr) {
                result = AnyValue(std::move(dictionary));
                break;
            }
            std::string name = key == nullptr ? std::string() : std::string(key);
            std::free(key);
            if (!budget.take(1, name.size()))
                break;
            std::optional<AnyValue> item = fromNode(child, budget);
            if (!item)
                break;
            dictionary.insert_or_assign(std::move(name), std::move(*item));
        }
        std::free(iterator);
        return result;
    }
    default:
        return std::nullopt;
    }
}

// How an XML property list's text nests and how many elements it opens, read without building it: the
// arrays and dictionaries open at the deepest point (one never closed stays open), skipping comments,
// CDATA sections, processing instructions and the document type.
struct XMLOutline {
    std::uint64_t elements = 0;
    std::uint64_t nesting = 0;
};

XMLOutline outlineOf(std::string_view text) {
    XMLOutline outline;
    std::uint64_t open = 0;
    // Past the end of what starts at `from` and ends with `end`; the whole text when it never ends.
    const auto skipPast = [&](std::size_t from, std::string_view end) {
        const std::size_t found = text.find(end, from);
        return found == std::string_view::npos ? text.size() : found + end.size();
    };
    std::size_t at = 0;
    while ((at = text.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = text.substr(at);
        if (rest.starts_with("<!--")) {
            at = skipPast(at + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            at = skipPast(at + 9, "]]>");
        } else if (rest.starts_with("<?")) {
            at = skipPast(at + 2, "?>");
        } else if (rest.starts_with("<!")) {
            // Up to the first '>' only, even with an internal subset: what follows is measured as well.
            at = skipPast(at + 2, ">");
        } else {
            const bool closing = rest.starts_with("</");
            const std::size_t nameStart = closing ? 2 : 1;
            const std::string_view name =
                rest.substr(nameStart, rest.find_first_of(" \t\r\n/>", nameStart) - nameStart);
            // A tag ends at its '>'; one cut short by the next '<' is measured as open.
            const std::size_t tagEnd = rest.find_first_of("<>", 1);
            const bool ended = tagEnd != std::string_view::npos && rest[tagEnd] == '>';
            const bool empty = ended && rest[tagEnd - 1] == '/';
            const bool container = name == "array" || name == "dict";
            if (closing) {
                if (container && open > 0)
                    --open;
            } else if (name != "plist") {
                ++outline.elements;
                if (container && !empty)
                    outline.nesting = std::max(outline.nesting, ++open);
            }
            at = tagEnd == std::string_view::npos ? text.size() : at + tagEnd + (ended ? 1 : 0);
        }
    }
    return outline;
}

// Binary property lists are read here rather than by libplist, whose reader accepts malformed files
// (such as dictionaries with non-text keys) that its own accessors then abort on. Every offset and count
// is checked against the data, and an object that contains itself is refused. What the file expands to
// is measured from its object table first, each object once, so that objects referred to from many places
// cannot make a small file unfold into more than the limits allow.
class BinaryReader {
  public:
    BinaryReader(std::string_view bytes, const Limits& limits) : bytes_(bytes), limits_(limits) {}

    std::optional<AnyValue> read() {
        constexpr std::size_t headerSize = 8, trailerSize = 32;
        if (bytes_.size() < headerSize + trailerSize || !bytes_.starts_with("bplist0"))
            return std::nullopt;
        const std::size_t trailer = bytes_.size() - trailerSize;
        offsetSize_ = static_cast<unsigned char>(bytes_[trailer + 6]);
        referenceSize_ = static_cast<unsigned char>(bytes_[trailer + 7]);
        const std::uint64_t count = bigEndian(trailer + 8, 8);
        const std::uint64_t top = bigEndian(trailer + 16, 8);
        offsetTable_ = bigEndian(trailer + 24, 8);
        if (offsetSize_ < 1 || offsetSize_ > 8 || referenceSize_ < 1 || referenceSize_ > 8 || top >= count ||
            offsetTable_ < headerSize || offsetTable_ > trailer ||
            count > (trailer - offsetTable_) / offsetSize_)
            return std::nullopt;
        // Every object of a well-formed file is one of its values.
        if (count > limits_.values)
            return std::nullopt;
        objectCount_ = count;
        extents_.assign(count, Extent{});
        if (!measure(top, 0))
            return std::nullopt;
        return object(top);
    }

  private:
    // What an object expands to, everything it refers to included; within the limits once measured.
    struct Extent {
        enum class State : std::uint8_t { unmeasured, measuring, measured };
        std::uint64_t values = 0;
        std::uint64_t decodedBytes = 0;
        // Arrays and dictionaries within each other, the object included.
        std::uint16_t nesting = 0;
        State state = State::unmeasured;
    };

    std::uint64_t bigEndian(std::uint64_t at, std::size_t size) const {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes_[at + i]);
        return value;
    }

    bool available(std::uint64_t at, std::uint64_t size) const {
        return at <= bytes_.size() && size <= bytes_.size() - at;
    }

    // Length of a data, text, array or dictionary object: in the marker, or in a following integer.
    std::optional<std::uint64_t> length(std::uint64_t& at, unsigned char marker) const {
        if ((marker & 0x0F) != 0x0F)
            return marker & 0x0F;
        if (!available(at, 1))
            return std::nullopt;
        const auto intMarker = static_cast<unsigned char>(bytes_[at]);
        if ((intMarker & 0xF0) != 0x10 || (intMarker & 0x0F) > 3)
            return std::nullopt;
        const std::size_t size = std::size_t{1} << (intMarker & 0x0F);
        if (!available(at + 1, size))
            return std::nullopt;
        const std::uint64_t value = bigEndian(at + 1, size);
        at += 1 + size;
        return value;
    }

    std::optional<std::uint64_t> offsetOf(std::uint64_t index) const {
        if (index >= objectCount_)
            return std::nullopt;
        const std::uint64_t at = bigEndian(offsetTable_ + index * offsetSize_, offsetSize_);
        if (at < 8 || at >= offsetTable_)
            return std::nullopt;
        return at;
    }

    std::uint64_t reference(std::uint64_t at, std::uint64_t i) const {
        return bigEndian(at + i * referenceSize_, referenceSize_);
    }

    // False for a broken reference, an object that contains itself, or one that goes past the limits
    // at this depth (the number of containers above it).
    bool measure(std::uint64_t index, int depth) {
        if (index >= objectCount_ || depth > limits_.depth)
            return false;
        if (extents_[index].state == Extent::State::measuring)
            return false;
        if (extents_[index].state == Extent::State::unmeasured) {
            extents_[index].state = Extent::State::measuring;
            const std::optional<Extent> extent = measureContents(index, depth);
            if (!extent)
                return false;
            extents_[index] = *extent;
        }
        return depth + extents_[index].nesting <= limits_.depth;
    }

    std::optional<Extent> measureContents(std::uint64_t index, int depth) {
        std::optional<std::uint64_t> at = offsetOf(index);
        if (!at)
            return std::nullopt;
        const auto marker = static_cast<unsigned char>(bytes_[(*at)++]);
        std::uint64_t values = 1, decodedBytes = 0;
        unsigned nesting = 0;
        switch (marker >> 4) {
        case 0x4:
        case 0x5: {
            const std::optional<std::uint64_t> size = length(*at, marker);
            if (!size)
                return std::nullopt;
            decodedBytes = *size;
            break;
        }
        case 0x6: {
            const std::optional<std::uint64_t> units = length(*at, marker);
            if (!units || *units > bytes_.size() / 2 || !available(*at, *units * 2))
                return std::nullopt;
            forEachCodePoint(*at, *units, [&](std::uint32_t code) { decodedBytes += utf8Length(code); });
            break;
        }
        case 0xA:
        case 0xD: {
            const std::optional<std::uint64_t> count = length(*at, marker);
            const std::uint64_t references = (marker >> 4) == 0xD ? 2 : 1;
            if (!count || *count > bytes_.size() / (references * referenceSize_) ||
                !available(*at, *count * references * referenceSize_))
                return std::nullopt;
            nesting = 1;
            for (std::uint64_t i = 0; i < *count * references; ++i) {
                const std::uint64_t child = reference(*at, i);
                if (!measure(child, depth + 1))
                    return std::nullopt;
                values += extents_[child].values;
                decodedBytes += extents_[child].decodedBytes;
                nesting = std::max(nesting, extents_[child].nesting + 1u);
                if (!withinLimits(limits_, values, decodedBytes))
                    return std::nullopt;
            }
            break;
        }
        default:
            break;
        }
        if (!withinLimits(limits_, values, decodedBytes))
            return std::nullopt;
        return Extent{values, decodedBytes, static_cast<std::uint16_t>(nesting), Extent::State::measured};
    }

    // Called once measure() accepted the object: its references are sound and their values bounded.
    std::optional<AnyValue> object(std::uint64_t index) {
        const std::optional<std::uint64_t> at = offsetOf(index);
        return at ? objectAt(*at) : std::nullopt;
    }

    std::optional<AnyValue> objectAt(std::uint64_t at) {
        const auto marker = static_cast<unsigned char>(bytes_[at++]);
        switch (marker >> 4) {
        case 0x0:
            if (marker == 0x08 || marker == 0x09)
                return AnyValue(marker == 0x09);
            return std::nullopt;
        case 0x1: {
            const unsigned power = marker & 0x0F;
            if (power > 4)
                return std::nullopt;
            const std::size_t size = std::size_t{1} << power;
            if (!available(at, size))
                return std::nullopt;
            // 16-byte integers carry the value in their low 8 bytes.
            return AnyValue(static_cast<std::int64_t>(
                bigEndian(at + (size > 8 ? size - 8 : 0), std::min<std::size_t>(size, 8))));
        }
        case 0x2:
        case 0x3: {
            const bool date = marker == 0x33;
            const unsigned power = marker & 0x0F;
            if ((marker >> 4) == 0x3 && !date)
                return std::nullopt;
            if (power != 2 && power != 3)
                return std::nullopt;
            const std::size_t size = std::size_t{1} << power;
            if (!available(at, size))
                return std::nullopt;
            const std::uint64_t bits = bigEndian(at, size);
            double real;
            if (size == 4) {
                float single;
                const auto bits32 = static_cast<std::uint32_t>(bits);
                std::memcpy(&single, &bits32, sizeof single);
                real = single;
            } else {
                std::memcpy(&real, &bits, sizeof real);
            }
            if (date)
                return AnyValue(Date::dateWithTimeIntervalSinceReferenceDate(real));
            return AnyValue(real);
        }
        case 0x4: {
            const std::optional<std::uint64_t> size = length(at, marker);
            if (!size || !available(at, *size))
                return std::nullopt;
            const auto* first = reinterpret_cast<const std::uint8_t*>(bytes_.data() + at);
            return AnyValue(AnyValue::Data(first, first + *size));
        }
        case 0x5: {
            const std::optional<std::uint64_t> size = length(at, marker);
            if (!size || !available(at, *size))
                return std::nullopt;
            return AnyValue(std::string(bytes_.substr(at, *size)));
        }
        case 0x6: {
            const std::optional<std::uint64_t> units = length(at, marker);
            if (!units || *units > bytes_.size() / 2 || !available(at, *units * 2))
                return std::nullopt;
            return AnyValue(utf16ToUTF8(at, *units));
        }
        case 0x8: {
            const std::size_t size = (marker & 0x0F) + 1u;
            if (size > 8 || !available(at, size))
                return std::nullopt;
            return AnyValue(static_cast<std::int64_t>(bigEndian(at, size)));
        }
        case 0xA: {
            const std::optional<std::uint64_t> count = length(at, marker);
            if (!count || *count > bytes_.size() / referenceSize_ || !available(at, *count * referenceSize_))
                return std::nullopt;
            AnyValue::Array array;
            array.reserve(*count);
            for (std::uint64_t i = 0; i < *count; ++i) {
                std::optional<AnyValue> item = object(reference(at, i));
                if (!item)
                    return std::nullopt;
                array.push_back(std::move(*item));
            }
            return AnyValue(std::move(array));
        }
        case 0xD: {
            const std::optional<std::uint64_t> count = length(at, marker);
            if (!count || *count > bytes_.size() / (2 * referenceSize_) ||
                !available(at, *count * 2 * referenceSize_))
                return std::nullopt;
            AnyValue::Dictionary dictionary;
            for (std::uint64_t i = 0; i < *count; ++i) {
                std::optional<AnyValue> key = object(reference(at, i));
                if (!key || key->stringPointer() == nullptr)
                    return std::nullopt;
                std::optional<AnyValue> item = object(reference(at, *count + i));
                if (!item)
                    return std::nullopt;
                dictionary.insert_or_assign(*key->stringPointer(), std::move(*item));
            }
            return AnyValue(std::move(dictionary));
        }
        default:
            return std::nullopt;
        }
    }

    template <typename Each> void forEachCodePoint(std::uint64_t at, std::uint64_t units, Each each) const {
        auto unit = [&](std::uint64_t i) { return static_cast<std::uint32_t>(bigEndian(at + 2 * i, 2)); };
        for (std::uint64_t i = 0; i < units; ++i) {
            std::uint32_t code = unit(i);
            if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
                unit(i + 1) <= 0xDFFF)
                code = 0x10000 + ((code - 0xD800) << 10) + (unit(++i) - 0xDC00);
            else if (code >= 0xD800 && code <= 0xDFFF)
                code = 0xFFFD; // a lone surrogate
            each(code);
        }
    }

    static std::uint64_t utf8Length(std::uint32_t code) {
        return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
    }

    std::string utf16ToUTF8(std::uint64_t at, std::uint64_t units) const {
        std::string text;
        text.reserve(units);
        forEachCodePoint(at, units, [&](std::uint32_t code) {
            if (code < 0x80) {
                text += static_cast<char>(code);
            } else if (code < 0x800) {
                text += static_cast<char>(0xC0 | code >> 6);
                text += static_cast<char>(0x80 | (code & 0x3F));
            } else if (code < 0x10000) {
                text += static_cast<char>(0xE0 | code >> 12);
                text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
                text += static_cast<char>(0x80 | (code & 0x3F));
            } else {
                text += static_cast<char>(0xF0 | code >> 18);
                text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
                text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
                text += static_cast<char>(0x80 | (code & 0x3F));
            }
        });
        return text;
    }

    std::string_view bytes_;
    const Limits& limits_;
    std::size_t offsetSize_ = 0;
    std::size_t referenceSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t offsetTable_ = 0;
    std::vector<Extent> extents_;
};

// The XML form is written directly, without indentation, through a raw cursor: it is what every
// defaults change writes, and both libplist's node tree and piecewise string appends cost several times
// more than the text itself.
class XMLWriter {
  public:
    explicit XMLWriter(std::string& out) : out_(out) {}

    // Only the elements, for one share of a large array.
    bool writeElements(std::span<const AnyValue> items) {
        out_.clear();
        cursor_ = out_.data();
        bool written = true;
        for (const AnyValue& item : items)
            if (!(written = writeValue(item)))
                break;
        out_.resize(static_cast<std::size_t>(cursor_ - out_.data()));
        return written;
    }

    bool write(const AnyValue& value) {
        using namespace std::string_view_literals;
        out_.clear();
        cursor_ = out_.data();
        put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
            "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
            "<plist version=\"1.0\">\n"sv);
        const bool written = writeValue(value);
        put("</plist>\n"sv);
        out_.resize(static_cast<std::size_t>(cursor_ - out_.data()));
        return written;
    }

    // The values written so far, dictionary keys included.
    std::uint64_t values() const { return values_; }

  private:
    struct Tag {
        std::string_view open;
        std::string_view close;
    };
    static constexpr Tag keyTag{"<key>", "</key>\n"};
    static constexpr Tag stringTag{"<string>", "</string>\n"};
    static constexpr Tag integerTag{"<integer>", "</integer>\n"};
    static constexpr Tag realTag{"<real>", "</real>\n"};
    static constexpr Tag dateTag{"<date>", "</date>\n"};
    static constexpr Tag dataTag{"<data>", "</data>\n"};
    static constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

    // Room for length more bytes at the cursor. The capacity grows to twice what is needed, so that a
    // long text is rarely copied, but only what is written is touched (a chunk at a time): the memory
    // of room that is never used is not taken.
    void reserve(std::size_t length) {
        static constexpr std::size_t chunk = 64 * 1024;
        const auto used = static_cast<std::size_t>(cursor_ - out_.data());
        if (out_.size() - used >= length)
            return;
        if (out_.capacity() - used < length)
            out_.reserve(2 * (used + length));
        out_.resize(std::min(out_.capacity(), used + std::max(length, chunk)));
        cursor_ = out_.data() + used;
    }

    void put(std::string_view text) {
        reserve(text.size());
        std::memcpy(cursor_, text.data(), text.size());
        cursor_ += text.size();
    }

    void element(const Tag& tag, std::string_view text) {
        reserve(tag.open.size() + text.size() + tag.close.size());
        putReserved(tag.open);
        putReserved(text);
        putReserved(tag.close);
    }

    void textElement(const Tag& tag, const std::string& text) {
        put(tag.open);
        escaped(text);
        put(tag.close);
    }

    void putReserved(std::string_view text) {
        std::memcpy(cursor_, text.data(), text.size());
        cursor_ += text.size();
    }

    // A replacement for the bytes before rest: room is made for it and the rest of the text as it stands.
    void putReplacing(std::string_view replacement, std::size_t rest) {
        reserve(replacement.size() + rest);
        putReserved(replacement);
    }

    // Characters that XML 1.0 cannot carry in any form (control characters other than tab, line feed and
    // carriage return, U+FFFE, U+FFFF, and bytes that are not UTF-8) become U+FFFD, so that every
    // property-list reader accepts the file. Room is made for the text as it stands, and more only for
    // what a replacement adds: a long text is not given room for its worst case.
    void escaped(const std::string& text) {
        static constexpr auto special = [] {
            std::array<bool, 256> table{};
            for (int c = 0; c < 0x20; ++c)
                table[static_cast<std::size_t>(c)] = c != '\t' && c != '\n';
            for (int c = 0x80; c < 0x100; ++c)
                table[static_cast<std::size_t>(c)] = true;
            table['&'] = table['<'] = table['>'] = true;
            return table;
        }();
        reserve(text.size());
        for (std::size_t at = 0; at < text.size(); ++at) {
            const auto c = static_cast<unsigned char>(text[at]);
            const std::size_t rest = text.size() - at - 1;
            if (!special[c]) {
                *cursor_++ = text[at];
            } else if (c == '&') {
                putReplacing("&amp;", rest);
            } else if (c == '<') {
                putReplacing("&lt;", rest);
            } else if (c == '>') {
                putReplacing("&gt;", rest);
            } else if (c == '\r') {
                // A literal carriage return would be read back as a line feed.
                putReplacing("&#13;", rest);
            } else if (c >= 0x80) {
                std::size_t next = at;
                const std::optional<char32_t> code = decodeUtf8(text, next);
                if (code && *code != 0xFFFE && *code != 0xFFFF)
                    putReserved(std::string_view(text).substr(at, next - at));
                else
                    putReplacing(replacementCharacter, text.size() - next);
                at = next - 1;
            } else {
                putReplacing(replacementCharacter, rest);
            }
        }
    }

    static std::string realText(double real) {
        if (std::isnan(real))
            return "nan";
        if (std::isinf(real))
            return real > 0 ? "+infinity" : "-infinity";
        char text[32];
        return std::string(text, std::to_chars(text, text + sizeof text, real).ptr);
    }

    static std::string base64(const AnyValue::Data& data) {
        static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        std::string text;
        text.reserve((data.size() + 2) / 3 * 4);
        for (std::size_t i = 0; i < data.size(); i += 3) {
            const std::uint32_t chunk = (std::uint32_t{data[i]} << 16) |
                                        (i + 1 < data.size() ? std::uint32_t{data[i + 1]} << 8 : 0) |
                                        (i + 2 < data.size() ? std::uint32_t{data[i + 2]} : 0);
            text += alphabet[(chunk >> 18) & 63];
            text += alphabet[(chunk >> 12) & 63];
            text += i + 1 < data.size() ? alphabet[(chunk >> 6) & 63] : '=';
            text += i + 2 < data.size() ? alphabet[chunk & 63] : '=';
        }
        return text;
    }

    bool writeValue(const AnyValue& value) {
        using namespace std::string_view_literals;
        ++values_;
        switch (value.kind()) {
        case AnyValue::Kind::null:
            return false;
        case AnyValue::Kind::boolean:
            put(*value.boolValue() ? "<true/>\n"sv : "<false/>\n"sv);
            return true;
        case AnyValue::Kind::integer: {
            char text[24];
            const auto end = std::to_chars(text, text + sizeof text, *value.integerValue()).ptr;
            element(integerTag, std::string_view(text, static_cast<std::size_t>(end - text)));
            return true;
        }
        case AnyValue::Kind::real:
            element(realTag, realText(*value.doubleValue()));
            return true;
        case AnyValue::Kind::string:
            textElement(stringTag, *value.stringPointer());
            return true;
        case AnyValue::Kind::date:
            element(dateTag, value.dateValue()->iso8601());
            return true;
        case AnyValue::Kind::data:
            element(dataTag, base64(*value.dataValue()));
            return true;
        case AnyValue::Kind::array: {
            const AnyValue::Array& array = *value.arrayPointer();
            if (array.empty()) {
                put("<array/>\n"sv);
                return true;
            }
            put("<array>\n"sv);
            if (!(array.size() >= parallelThreshold ? writeInParallel(array) : writeElementsHere(array)))
                return false;
            put("</array>\n"sv);
            return true;
        }
        case AnyValue::Kind::dictionary: {
            const AnyValue::Dictionary& dictionary = *value.dictionaryPointer();
            if (dictionary.empty()) {
                put("<dict/>\n"sv);
                return true;
            }
            put("<dict>\n"sv);
            for (const auto& [key, item] : dictionary) {
                ++values_;
                textElement(keyTag, key);
                if (!writeValue(item))
                    return false;
            }
            put("</dict>\n"sv);
            return true;
        }
        }
        return false;
    }

    bool writeElementsHere(std::span<const AnyValue> items) {
        for (const AnyValue& item : items)
            if (!writeValue(item))
                return false;
        return true;
    }

    // A history of thousands of records is written in shares on several threads: walking the values is
    // bound by memory latency, which more cores hide.
    static constexpr std::size_t parallelThreshold = 2048;

    bool writeInParallel(const AnyValue::Array& array) {
        // The first share is written here, straight into the output; the others on helper threads.
        const std::size_t shares = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
        const std::size_t perShare = (array.size() + shares - 1) / shares;
        std::vector<std::string> texts(shares);
        std::vector<char> written(shares, 0);
        std::vector<std::uint64_t> values(shares, 0);
        std::vector<std::thread> helpers;
        for (std::size_t share = 1; share < shares; ++share) {
            const std::size_t first = std::min(array.size(), share * perShare);
            const std::size_t count = std::min(perShare, array.size() - first);
            helpers.emplace_back([&, share, first, count] {
                XMLWriter writer(texts[share]);
                written[share] = writer.writeElements(std::span(array).subspan(first, count));
                values[share] = writer.values();
            });
        }
        bool allWritten = writeElementsHere(std::span(array).subspan(0, std::min(perShare, array.size())));
        for (std::thread& helper : helpers)
            helper.join();
        for (std::size_t share = 1; share < shares && allWritten; ++share) {
            allWritten = written[share] != 0;
            if (allWritten) {
                put(texts[share]);
                values_ += values[share];
            }
        }
        return allWritten;
    }

    std::string& out_;
    char* cursor_ = nullptr;
    std::uint64_t values_ = 0;
};

} // namespace

Result<AnyValue> PropertyListCoding::decode(std::string_view bytes) {
    return decode(bytes, Limits{});
}

Result<AnyValue> PropertyListCoding::decode(std::string_view bytes, const Limits& limits) {
    if (bytes.size() > limits.bytes)
        return Result<AnyValue>::failure("The property list is larger than " + std::to_string(limits.bytes) +
                                         " bytes.");
    if (bytes.starts_with("bplist")) {
        std::optional<AnyValue> value = BinaryReader(bytes, limits).read();
        if (!value)
            return Result<AnyValue>::failure(
                "The data is not a valid binary property list, or it expands past the limits.");
        return Result<AnyValue>::success(std::move(*value));
    }
    // XML allows a byte-order mark before the declaration; libplist does not.
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (bytes.empty() || bytes.size() > std::numeric_limits<std::uint32_t>::max())
        return Result<AnyValue>::failure("The data is not a property list.");
    // libplist reads nested elements recursively: deep nesting would exhaust the stack.
    const XMLOutline outline = outlineOf(bytes);
    if (outline.nesting > static_cast<std::uint64_t>(limits.depth) || outline.elements > limits.values)
        return Result<AnyValue>::failure("The property list is nested too deeply or holds too many values.");
    CLocaleScope cLocale;
    plist_t root = nullptr;
    plist_from_xml(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &root);
    if (root == nullptr)
        return Result<AnyValue>::failure("The data is not a property list.");
    Node owner(root);
    Budget budget(limits);
    std::optional<AnyValue> value = fromNode(root, budget);
    if (!value)
        return Result<AnyValue>::failure(
            "The property list holds a value of an unknown type or too many values.");
    return Result<AnyValue>::success(std::move(*value));
}

std::optional<std::uint64_t> PropertyListCoding::encodeXML(const AnyValue& value, std::string& buffer) {
    XMLWriter writer(buffer);
    if (!writer.write(value))
        return std::nullopt;
    return writer.values();
}

Result<std::string> PropertyListCoding::encode(const AnyValue& value, Format format) {
    if (format == Format::xml) {
        std::string text;
        if (!encodeXML(value, text))
            return Result<std::string>::failure(
                "The value holds a null, which a property list cannot store.");
        return Result<std::string>::success(std::move(text));
    }
    Node root = toNode(value);
    if (!root)
        return Result<std::string>::failure("The value holds a null or a date out of range, which a "
                                            "property list cannot store.");
    char* bytes = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root.get(), &bytes, &length);
    if (bytes == nullptr)
        return Result<std::string>::failure("The property list could not be written.");
    std::string binary(bytes, length);
    plist_to_bin_free(bytes);
    return Result<std::string>::success(std::move(binary));
}
