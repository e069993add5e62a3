#include "platform/chartkit/AAPureJSString.h"

namespace {

bool isLineBreak(char c) {
    return c == '\n' || c == '\r';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || isLineBreak(c);
}

void appendSpace(std::string& out) {
    if (!out.empty() && out.back() != ' ')
        out.push_back(' ');
}

// Copies the string literal starting at i (a quote) and returns the index after it.
std::size_t copyStringLiteral(std::string_view text, std::size_t i, std::string& out) {
    const char quote = text[i];
    out.push_back(text[i++]);
    while (i < text.size()) {
        const char c = text[i];
        out.push_back(c);
        ++i;
        if (c == '\\' && i < text.size())
            out.push_back(text[i++]);
        else if (c == quote)
            break;
    }
    return i;
}

} // namespace

std::string aa_toPureJSString(std::string_view javaScript) {
    std::string out;
    std::size_t i = 0;
    while (i < javaScript.size()) {
        const char c = javaScript[i];
        const char next = i + 1 < javaScript.size() ? javaScript[i + 1] : '\0';
        if (c == '"' || c == '\'' || c == '`') {
            i = copyStringLiteral(javaScript, i, out);
        } else if (c == '/' && next == '/') {
            // A line comment would swallow everything folded after it.
            while (i < javaScript.size() && !isLineBreak(javaScript[i]))
                ++i;
        } else if (c == '/' && next == '*') {
            const auto end = javaScript.find("*/", i + 2);
            i = end == std::string_view::npos ? javaScript.size() : end + 2;
            appendSpace(out);
        } else if (isLineBreak(c)) {
            appendSpace(out);
            while (i < javaScript.size() && isBlank(javaScript[i]))
                ++i;
        } else {
            out.push_back(c);
            ++i;
        }
    }
    const auto first = out.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return out.substr(first, out.find_last_not_of(" \t") - first + 1);
}
