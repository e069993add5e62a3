#include "engine/Symbol.h"

Symbol Symbol::decodeRecord(RecordDecoder& decoder) {
    Symbol symbol;
    symbol.category = decoder.required<std::string>("category");
    symbol.subcategory = decoder.required<std::string>("subcategory");
    symbol.topic = decoder.required<std::string>("topic");
    symbol.key = decoder.required<std::string>("key");
    symbol.latex = decoder.required<std::string>("latex");
    symbol.name = decoder.required<std::string>("name");
    symbol.unit = decoder.required<std::string>("unit");
    symbol.rules = decoder.optional<std::map<std::string, double>>("rules");
    return symbol;
}

void Symbol::encodeRecord(RecordEncoder& encoder) const {
    encoder.set("category", category);
    encoder.set("subcategory", subcategory);
    encoder.set("topic", topic);
    encoder.set("key", key);
    encoder.set("latex", latex);
    encoder.set("name", name);
    encoder.set("unit", unit);
    encoder.set("rules", rules);
}
