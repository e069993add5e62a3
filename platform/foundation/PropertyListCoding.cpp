#include "platform/foundation/PropertyListCoding.h"

#include <plist/plist.h>

#include <array>
#include <charconv>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cmath>
#include <cstdlib>
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
        if (whole < std::numeric_limits<std::int32_t>::min() || whole > std::numeric_limits<std::int32_t>::max())
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

std::optional<AnyValue> fromNode(plist_t node) {
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
        return AnyValue(std::string(text == nullptr ? "" : text, text == nullptr ? 0 : length));
    }
    case PLIST_DATE: {
        std::int32_t seconds = 0, microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        return AnyValue(Date::dateWithTimeIntervalSinceReferenceDate(seconds + microseconds / 1e6));
    }
    case PLIST_DATA: {
        std::uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        const auto* first = reinterpret_cast<const std::uint8_t*>(bytes);
        return AnyValue(AnyValue::Data(first, first + (bytes == nullptr ? 0 : length)));
    }
    case PLIST_ARRAY: {
        AnyValue::Array array;
        const std::uint32_t count = plist_array_get_size(node);
        array.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::optional<AnyValue> item = fromNode(plist_array_get_item(node, i));
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
            std::optional<AnyValue> item = fromNode(child);
            std::string name = key == nullptr ? std::string() : std::string(key);
            std::free(key);
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

// The XML form is written directly, without indentation, through a raw cursor: it is what every
// defaults change writes, and both libplist's node tree and piecewise string appends cost several times
// more than the text itself.
class XMLWriter {
  public:
    explicit XMLWriter(std::string& out) : out_(out) {}

    // Only the elements, for one share of a large array.
    bool writeElements(std::span<const AnyValue> items) {
        out_.resize(std::max<std::size_t>(out_.capacity(), 4096));
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
        out_.resize(std::max<std::size_t>(out_.capacity(), 4096));
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
    // The longest replacement of one byte: "&#31;".
    static constexpr std::size_t maximumEscapeGrowth = 5;

    void reserve(std::size_t length) {
        const auto used = static_cast<std::size_t>(cursor_ - out_.data());
        if (out_.size() - used >= length)
            return;
        out_.resize(std::max(out_.size() * 2, used + length));
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
        reserve(tag.open.size() + text.size() * maximumEscapeGrowth + tag.close.size());
        putReserved(tag.open);
        escaped(text);
        putReserved(tag.close);
    }

    void putReserved(std::string_view text) {
        std::memcpy(cursor_, text.data(), text.size());
        cursor_ += text.size();
    }

    void escaped(const std::string& text) {
        static constexpr auto special = [] {
            std::array<bool, 256> table{};
            for (int c = 0; c < 0x20; ++c)
                table[static_cast<std::size_t>(c)] = c != '\t' && c != '\n';
            table['&'] = table['<'] = table['>'] = true;
            return table;
        }();
        for (const char character : text) {
            const auto c = static_cast<unsigned char>(character);
            if (!special[c]) {
                *cursor_++ = character;
            } else if (c == '&') {
                putReserved("&amp;");
            } else if (c == '<') {
                putReserved("&lt;");
            } else if (c == '>') {
                putReserved("&gt;");
            } else {
                // Control characters (and CR, which XML readers fold into LF) travel as references.
                char reference[8];
                const int length = std::snprintf(reference, sizeof reference, "&#%u;", static_cast<unsigned>(c));
                putReserved(std::string_view(reference, static_cast<std::size_t>(length)));
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
        const std::size_t shares = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
        std::vector<std::string> texts(shares);
        std::vector<char> written(shares, 0);
        std::vector<std::thread> writers;
        const std::size_t perShare = (array.size() + shares - 1) / shares;
        for (std::size_t share = 0; share < shares; ++share) {
            const std::size_t first = std::min(array.size(), share * perShare);
            const std::size_t count = std::min(perShare, array.size() - first);
            writers.emplace_back([&, share, first, count] {
                written[share] = XMLWriter(texts[share]).writeElements(std::span(array).subspan(first, count));
            });
        }
        for (std::thread& writer : writers)
            writer.join();
        for (std::size_t share = 0; share < shares; ++share) {
            if (!written[share])
                return false;
            put(texts[share]);
        }
        return true;
    }

    std::string& out_;
    char* cursor_ = nullptr;
};

} // namespace

Result<AnyValue> PropertyListCoding::decode(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<std::uint32_t>::max())
        return Result<AnyValue>::failure("The data is not a property list.");
    CLocaleScope cLocale;
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &root);
    if (root == nullptr)
        return Result<AnyValue>::failure("The data is not a property list.");
    Node owner(root);
    std::optional<AnyValue> value = fromNode(root);
    if (!value)
        return Result<AnyValue>::failure("The property list holds a value of an unknown type.");
    return Result<AnyValue>::success(std::move(*value));
}

bool PropertyListCoding::encodeXML(const AnyValue& value, std::string& buffer) {
    return XMLWriter(buffer).write(value);
}

Result<std::string> PropertyListCoding::encode(const AnyValue& value, Format format) {
    if (format == Format::xml) {
        std::string text;
        if (!encodeXML(value, text))
            return Result<std::string>::failure("The value holds a null, which a property list cannot store.");
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
