#include "platform/chartkit/AAOptions.h"

AAOptions& AAOptions::series(const std::vector<AASeriesElement>& values) {
    auto list = nlohmann::json::array();
    for (const auto& element : values)
        list.push_back(element.toJSON());
    return set("series", std::move(list));
}
