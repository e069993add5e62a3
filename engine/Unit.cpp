#include "engine/Unit.h"

Unit Unit::decodeRecord(RecordDecoder& decoder) {
    Unit unit;
    unit.key = decoder.required<std::string>("key");
    unit.latex = decoder.required<std::string>("latex");
    unit.name = decoder.required<std::string>("name");
    unit.factor = decoder.required<double>("factor");
    return unit;
}

void Unit::encodeRecord(RecordEncoder& encoder) const {
    encoder.set("key", key);
    encoder.set("latex", latex);
    encoder.set("name", name);
    encoder.set("factor", factor);
}
