#include "platform/foundation/URL.h"

#include <cctype>
#include <charconv>

namespace {

bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// RFC 3986 unreserved, sub-delims, ":", "@", "/", "?", "#", "[", "]" and well-formed "%" escapes.
bool hasOnlyURLCharacters(std::string_view text) {
    static constexpr std::string_view allowed = "-._~!$&'()*+,;=:@/?#[]";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size() || !isHexDigit(text[i + 1]) || !isHexDigit(text[i + 2]))
                return false;
            i += 2;
            continue;
        }
        if (std::isalnum(static_cast<unsigned char>(c)) == 0 && allowed.find(c) == std::string_view::npos)
            return false;
    }
    return true;
}

bool isSchemeCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' || c == '.';
}

} // namespace

std::optional<URL> URL::URLWithString(std::string_view text) {
    if (text.empty() || !hasOnlyURLCharacters(text))
        return std::nullopt;
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 ||
        std::isalpha(static_cast<unsigned char>(text[0])) == 0)
        return std::nullopt;
    URL url;
    url.text_ = std::string(text);
    for (std::size_t i = 0; i < colon; ++i) {
        if (!isSchemeCharacter(text[i]))
            return std::nullopt;
        url.scheme_ += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    }
    std::string_view rest = text.substr(colon + 1);

    if (const std::size_t hash = rest.find('#'); hash != std::string_view::npos) {
        url.fragment_ = std::string(rest.substr(hash + 1));
        rest = rest.substr(0, hash);
    }
    if (const std::size_t question = rest.find('?'); question != std::string_view::npos) {
        url.query_ = std::string(rest.substr(question + 1));
        rest = rest.substr(0, question);
    }
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        std::string_view authority = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
        if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
            authority.remove_prefix(at + 1);
        std::string_view host = authority;
        std::string_view port;
        if (authority.starts_with('[')) {
            const std::size_t close = authority.find(']');
            if (close == std::string_view::npos)
                return std::nullopt;
            host = authority.substr(0, close + 1);
            std::string_view after = authority.substr(close + 1);
            if (!after.empty()) {
                if (after.front() != ':')
                    return std::nullopt;
                port = after.substr(1);
            }
        } else if (const std::size_t portColon = authority.rfind(':'); portColon != std::string_view::npos) {
            host = authority.substr(0, portColon);
            port = authority.substr(portColon + 1);
        }
        if (host.find_first_of("[]") != std::string_view::npos && !host.starts_with('['))
            return std::nullopt;
        if (!port.empty()) {
            int number = 0;
            const auto result = std::from_chars(port.data(), port.data() + port.size(), number);
            if (result.ec != std::errc{} || result.ptr != port.data() + port.size() || number < 0 ||
                number > 65535)
                return std::nullopt;
            url.port_ = number;
        }
        for (char c : host)
            url.host_ += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    url.path_ = std::string(rest);
    return url;
}
