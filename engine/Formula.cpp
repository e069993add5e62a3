#include "engine/Formula.h"

Formula Formula::decodeRecord(RecordDecoder& decoder) {
    Formula formula;
    formula.category = decoder.required<std::string>("category");
    formula.subcategory = decoder.required<std::string>("subcategory");
    formula.topic = decoder.required<std::string>("topic");
    formula.type = decoder.required<std::string>("type");
    formula.imageName = decoder.required<std::string>("imageName");
    formula.searched = decoder.required<std::string>("searched");
    formula.given = decoder.required<std::vector<std::string>>("given");
    formula.latex = decoder.required<std::string>("latex");
    formula.identifier = decoder.required<std::string>("identifier");
    formula.conditions = decoder.optional<std::vector<std::string>>("conditions");
    formula.description = decoder.required<std::string>("description");
    return formula;
}

void Formula::encodeRecord(RecordEncoder& encoder) const {
    encoder.set("category", category);
    encoder.set("subcategory", subcategory);
    encoder.set("topic", topic);
    encoder.set("type", type);
    encoder.set("imageName", imageName);
    encoder.set("searched", searched);
    encoder.set("given", given);
    encoder.set("latex", latex);
    encoder.set("identifier", identifier);
    encoder.set("conditions", conditions);
    encoder.set("description", description);
}
