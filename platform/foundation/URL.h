#pragma once

#include <optional>
#include <string>
#include <string_view>

// An absolute URL (scheme ":" ...), split into its parts. Texts with characters a URL cannot hold
// (blanks, controls, non-ASCII, bad "%" escapes) are refused.
class URL {
  public:
    static std::optional<URL> URLWithString(std::string_view text);

    const std::string& absoluteString() const { return text_; }
    // Lower-case scheme: "https".
    const std::string& scheme() const { return scheme_; }
    // Empty when there is no authority ("mailto:x@y").
    const std::string& host() const { return host_; }
    std::optional<int> port() const { return port_; }
    const std::string& path() const { return path_; }
    std::optional<std::string> query() const { return query_; }
    std::optional<std::string> fragment() const { return fragment_; }

    bool isHTTP() const { return scheme_ == "http" || scheme_ == "https"; }

    bool operator==(const URL& other) const { return text_ == other.text_; }

  private:
    URL() = default;

    std::string text_;
    std::string scheme_;
    std::string host_;
    std::optional<int> port_;
    std::string path_;
    std::optional<std::string> query_;
    std::optional<std::string> fragment_;
};
