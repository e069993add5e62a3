#include "platform/chartkit/AAPointFormat.h"

#include "platform/chartkit/AANumberText.h"

#include <array>
#include <utility>

std::string AAPointFormat::text(const std::string& format, const std::string& seriesName, double x, double y,
                                const std::string& thousandsSeparator) {
    const std::string xText = AANumberText::text(x, thousandsSeparator);
    const std::array<std::pair<std::string, std::string>, 4> fields{{
        {"{point.key}", xText},
        {"{point.x}", xText},
        {"{point.y}", AANumberText::text(y, thousandsSeparator)},
        {"{series.name}", seriesName},
    }};
    std::string out;
    std::size_t i = 0;
    while (i < format.size()) {
        bool replaced = false;
        if (format[i] == '{') {
            for (const auto& [placeholder, value] : fields) {
                if (format.compare(i, placeholder.size(), placeholder) == 0) {
                    out += value;
                    i += placeholder.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out.push_back(format[i++]);
    }
    return out;
}

std::string AAPointFormat::plainText(const std::string& markup) {
    std::string out;
    std::size_t i = 0;
    while (i < markup.size()) {
        const auto close = markup[i] == '<' ? markup.find('>', i) : std::string::npos;
        if (close == std::string::npos) {
            out.push_back(markup[i++]);
            continue;
        }
        const std::string tag = markup.substr(i, close - i + 1);
        if (tag == "<br/>" || tag == "<br>" || tag == "<br />")
            out.push_back('\n');
        i = close + 1;
    }
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}
