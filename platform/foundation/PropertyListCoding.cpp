#include "platform/foundation/PropertyListCoding.h"

#include <plist/plist.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <memory>

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

Result<std::string> PropertyListCoding::encode(const AnyValue& value, Format format) {
    Node root = toNode(value);
    if (!root)
        return Result<std::string>::failure("The value holds a null or a date out of range, which a "
                                            "property list cannot store.");
    CLocaleScope cLocale;
    char* bytes = nullptr;
    std::uint32_t length = 0;
    if (format == Format::xml) {
        plist_to_xml(root.get(), &bytes, &length);
    } else {
        plist_to_bin(root.get(), &bytes, &length);
    }
    if (bytes == nullptr)
        return Result<std::string>::failure("The property list could not be written.");
    std::string text(bytes, length);
    if (format == Format::xml) {
        plist_to_xml_free(bytes);
    } else {
        plist_to_bin_free(bytes);
    }
    return Result<std::string>::success(std::move(text));
}
