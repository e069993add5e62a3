#include "platform/foundation/PropertyListCoding.h"

#include "platform/foundation/Utf8.h"

#include <plist/plist.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace {

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

void appendUtf8(std::string& text, std::uint32_t code) {
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
}

// XML property lists are read here in one pass: libplist's reader compares each key of a dictionary with
// every key before it (a dictionary of 500,000 keys took seconds) and keeps a second copy of the whole
// tree. Values are counted against the limits as they are read, so reading stops as soon as a file goes
// past one, and nesting is bounded before it could exhaust the stack.
class XMLReader {
  public:
    XMLReader(std::string_view text, const Limits& limits) : text_(text), limits_(limits), budget_(limits) {}

    // The document's value: one value element, inside a plist element or on its own.
    std::optional<AnyValue> read() {
        skipMarkup();
        Tag tag;
        if (!openTag(tag))
            return std::nullopt;
        std::optional<AnyValue> value;
        if (tag.name == "plist") {
            skipMarkup();
            Tag inner;
            if (tag.empty || !openTag(inner) || !(value = valueOf(inner, 0)))
                return std::nullopt;
            skipMarkup();
            if (!closeTag("plist"))
                return std::nullopt;
        } else if (!(value = valueOf(tag, 0))) {
            return std::nullopt;
        }
        skipMarkup();
        return at_ == text_.size() ? value : std::nullopt;
    }

  private:
    struct Tag {
        std::string_view name;
        bool empty = false; // <name/>
    };

    bool startsWith(std::string_view prefix) const { return text_.substr(at_).starts_with(prefix); }

    // Past the next `end`; false (at the end of the text) when there is none.
    bool skipPast(std::string_view end) {
        const std::size_t found = text_.find(end, at_);
        at_ = found == std::string_view::npos ? text_.size() : found + end.size();
        return found != std::string_view::npos;
    }

    // White space, comments, processing instructions and the document type, which carry no value.
    void skipMarkup() {
        for (;;) {
            at_ = std::min(text_.size(), text_.find_first_not_of(" \t\r\n", at_));
            if (startsWith("<!--"))
                skipPast("-->");
            else if (startsWith("<?"))
                skipPast("?>");
            else if (startsWith("<!DOCTYPE"))
                skipDeclaration();
            else
                return;
        }
    }

    // Up to the '>' that ends the declaration, outside quotes and its internal subset.
    void skipDeclaration() {
        char quote = 0;
        int brackets = 0;
        for (; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (quote != 0) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[' || c == ']') {
                brackets += c == '[' ? 1 : -1;
            } else if (c == '>' && brackets <= 0) {
                ++at_;
                return;
            }
        }
    }

    // An opening (or empty) element's tag at the position; its attributes are passed over.
    bool openTag(Tag& tag) {
        if (!startsWith("<") || startsWith("</"))
            return false;
        const std::size_t nameEnd = text_.find_first_of(" \t\r\n/>", at_ + 1);
        if (nameEnd == std::string_view::npos || nameEnd == at_ + 1)
            return false;
        tag.name = text_.substr(at_ + 1, nameEnd - at_ - 1);
        char quote = 0;
        for (at_ = nameEnd; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (quote != 0) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '<') {
                return false;
            } else if (c == '>') {
                tag.empty = text_[at_ - 1] == '/';
                ++at_;
                return true;
            }
        }
        return false;
    }

    bool closeTag(std::string_view name) {
        if (!startsWith("</") || !text_.substr(at_ + 2).starts_with(name))
            return false;
        at_ = std::min(text_.size(), text_.find_first_not_of(" \t\r\n", at_ + 2 + name.size()));
        if (!startsWith(">"))
            return false;
        ++at_;
        return true;
    }

    // depth: the arrays and dictionaries around the element.
    std::optional<AnyValue> valueOf(const Tag& tag, int depth) {
        if (!budget_.take(1, 0))
            return std::nullopt;
        const std::string_view name = tag.name;
        if (name == "array" || name == "dict") {
            if (tag.empty)
                return name == "array" ? AnyValue(AnyValue::Array{}) : AnyValue(AnyValue::Dictionary{});
            if (depth >= limits_.depth)
                return std::nullopt;
            return name == "array" ? arrayOf(depth + 1) : dictionaryOf(depth + 1);
        }
        if (name == "true" || name == "false")
            return tag.empty || closeTag(name) ? std::optional<AnyValue>(AnyValue(name == "true"))
                                               : std::nullopt;
        std::string content;
        if (!tag.empty && !textUntilClosed(name, content))
            return std::nullopt;
        if (name == "string")
            return budget_.take(0, content.size()) ? std::optional<AnyValue>(AnyValue(std::move(content)))
                                                   : std::nullopt;
        if (name == "integer")
            return integerOf(trimmed(content));
        if (name == "real")
            return realOf(trimmed(content));
        if (name == "date") {
            const std::optional<Date> date = Date::fromISO8601(std::string(trimmed(content)));
            return date ? std::optional<AnyValue>(AnyValue(*date)) : std::nullopt;
        }
        if (name == "data") {
            std::optional<AnyValue::Data> data = base64Decoded(content);
            if (!data || !budget_.take(0, data->size()))
                return std::nullopt;
            return AnyValue(std::move(*data));
        }
        return std::nullopt; // a key outside a dictionary, or no property-list element
    }

    std::optional<AnyValue> arrayOf(int depth) {
        AnyValue::Array array;
        for (;;) {
            skipMarkup();
            if (startsWith("</"))
                return closeTag("array") ? std::optional<AnyValue>(AnyValue(std::move(array))) : std::nullopt;
            Tag tag;
            std::optional<AnyValue> item;
            if (!openTag(tag) || !(item = valueOf(tag, depth)))
                return std::nullopt;
            array.push_back(std::move(*item));
        }
    }

    std::optional<AnyValue> dictionaryOf(int depth) {
        AnyValue::Dictionary dictionary;
        for (;;) {
            skipMarkup();
            if (startsWith("</"))
                return closeTag("dict") ? std::optional<AnyValue>(AnyValue(std::move(dictionary)))
                                        : std::nullopt;
            Tag key;
            std::string name;
            if (!openTag(key) || key.name != "key" || (!key.empty && !textUntilClosed("key", name)) ||
                !budget_.take(1, name.size()))
                return std::nullopt;
            skipMarkup();
            Tag tag;
            std::optional<AnyValue> item;
            if (!openTag(tag) || !(item = valueOf(tag, depth)))
                return std::nullopt;
            dictionary.insert_or_assign(std::move(name), std::move(*item));
        }
    }

    // The character data up to the element's end tag: references replaced, CDATA sections taken as
    // they stand, comments left out, line ends made line feeds (as XML reads them).
    bool textUntilClosed(std::string_view name, std::string& text) {
        for (;;) {
            const std::size_t special = text_.find_first_of("<&\r", at_);
            if (special == std::string_view::npos)
                return false;
            text.append(text_.substr(at_, special - at_));
            at_ = special;
            if (text_[at_] == '\r') {
                text += '\n';
                at_ += startsWith("\r\n") ? 2 : 1;
            } else if (text_[at_] == '&') {
                if (!appendReference(text))
                    return false;
            } else if (startsWith("<![CDATA[")) {
                const std::size_t start = at_ + 9;
                if (!skipPast("]]>"))
                    return false;
                appendWithLineFeeds(text, text_.substr(start, at_ - 3 - start));
            } else if (startsWith("<!--")) {
                if (!skipPast("-->"))
                    return false;
            } else if (startsWith("<?")) {
                if (!skipPast("?>"))
                    return false;
            } else {
                return closeTag(name);
            }
        }
    }

    static void appendWithLineFeeds(std::string& text, std::string_view part) {
        for (std::size_t i = 0; i < part.size(); ++i) {
            if (part[i] != '\r')
                text += part[i];
            else if (i + 1 == part.size() || part[i + 1] != '\n')
                text += '\n';
        }
    }

    // An entity or character reference at the position.
    bool appendReference(std::string& text) {
        const std::size_t end = text_.find(';', at_);
        if (end == std::string_view::npos || end - at_ > 12)
            return false;
        const std::string_view name = text_.substr(at_ + 1, end - at_ - 1);
        at_ = end + 1;
        static constexpr std::pair<std::string_view, char> named[] = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
        for (const auto& [entity, character] : named)
            if (name == entity) {
                text += character;
                return true;
            }
        if (!name.starts_with('#'))
            return false;
        const bool hexadecimal = name.starts_with("#x");
        const std::string_view digits = name.substr(hexadecimal ? 2 : 1);
        std::uint32_t code = 0;
        const auto [rest, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), code, hexadecimal ? 16 : 10);
        if (digits.empty() || error != std::errc() || rest != digits.data() + digits.size() || code == 0 ||
            code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        appendUtf8(text, code);
        return true;
    }

    static std::string_view trimmed(std::string_view text) {
        const std::size_t first = text.find_first_not_of(" \t\n");
        if (first == std::string_view::npos)
            return {};
        return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
    }

    // Decimal or "0x" hexadecimal, with a sign; beyond the signed range a whole number keeps its 64 bits.
    static std::optional<AnyValue> integerOf(std::string_view text) {
        const bool negative = text.starts_with('-');
        if (negative || text.starts_with('+'))
            text.remove_prefix(1);
        const bool hexadecimal = text.starts_with("0x") || text.starts_with("0X");
        if (hexadecimal)
            text.remove_prefix(2);
        std::uint64_t magnitude = 0;
        const auto [rest, error] =
            std::from_chars(text.data(), text.data() + text.size(), magnitude, hexadecimal ? 16 : 10);
        if (text.empty() || error != std::errc() || rest != text.data() + text.size())
            return std::nullopt;
        return AnyValue(static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude));
    }

    static std::optional<AnyValue> realOf(std::string_view text) {
        if (text.starts_with('+'))
            text.remove_prefix(1);
        double real = 0;
        const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), real);
        if (text.empty() || error != std::errc() || rest != text.data() + text.size())
            return std::nullopt;
        return AnyValue(real);
    }

    // White space between the characters is passed over.
    static std::optional<AnyValue::Data> base64Decoded(std::string_view text) {
        AnyValue::Data data;
        data.reserve(text.size() / 4 * 3);
        std::uint32_t bits = 0;
        int count = 0;
        bool padded = false;
        for (const char c : text) {
            int value = -1;
            if (c >= 'A' && c <= 'Z')
                value = c - 'A';
            else if (c >= 'a' && c <= 'z')
                value = c - 'a' + 26;
            else if (c >= '0' && c <= '9')
                value = c - '0' + 52;
            else if (c == '+')
                value = 62;
            else if (c == '/')
                value = 63;
            else if (c == '=')
                padded = true;
            else if (c != ' ' && c != '\t' && c != '\n')
                return std::nullopt;
            if (value < 0)
                continue;
            if (padded)
                return std::nullopt; // characters after the padding
            bits = bits << 6 | static_cast<std::uint32_t>(value);
            if (++count % 4 == 0) {
                data.push_back(static_cast<std::uint8_t>(bits >> 16));
                data.push_back(static_cast<std::uint8_t>(bits >> 8));
                data.push_back(static_cast<std::uint8_t>(bits));
            }
        }
        if (count % 4 == 1)
            return std::nullopt;
        if (count % 4 == 2)
            data.push_back(static_cast<std::uint8_t>(bits >> 4));
        if (count % 4 == 3) {
            data.push_back(static_cast<std::uint8_t>(bits >> 10));
            data.push_back(static_cast<std::uint8_t>(bits >> 2));
        }
        return data;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    const Limits& limits_;
    Budget budget_;
};

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
        forEachCodePoint(at, units, [&](std::uint32_t code) { appendUtf8(text, code); });
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
    // XML allows a byte-order mark before the declaration.
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::optional<AnyValue> value = XMLReader(bytes, limits).read();
    if (!value)
        return Result<AnyValue>::failure("The data is not a property list, or it expands past the limits.");
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
