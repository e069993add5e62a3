#include "engine/TextUtilities.h"

#include <unicode/brkiter.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool replaceAll(std::string& text, std::string_view from, std::string_view to) {
    std::size_t position = text.find(from);
    if (from.empty() || position == std::string::npos)
        return false;
    std::string result;
    result.reserve(text.size() + (to.size() > from.size() ? text.size() / 4 : 0));
    std::size_t start = 0;
    while (position != std::string::npos) {
        result.append(text, start, position - start);
        result.append(to);
        start = position + from.size();
        position = text.find(from, start);
    }
    result.append(text, start, std::string::npos);
    text = std::move(result);
    return true;
}

std::string replacingAll(std::string text, std::string_view from, std::string_view to) {
    replaceAll(text, from, to);
    return text;
}

std::vector<std::string_view> splitDroppingEmpty(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            pieces.push_back(text.substr(start, end - start));
        start = end + separator.size();
    }
    return pieces;
}

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view withoutPlusSign(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        return text.substr(1);
    return text;
}

} // namespace

std::optional<std::int64_t> parseInt64(std::string_view text) {
    std::string_view body = withoutPlusSign(text);
    bool negative = body.size() == text.size() && !body.empty() && body.front() == '-';
    std::string_view digits = negative ? body.substr(1) : body;
    if (digits.empty())
        return std::nullopt;
    for (char c : digits)
        if (!isDigit(c))
            return std::nullopt;
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (error != std::errc() || end != body.data() + body.size())
        return std::nullopt;
    return value;
}

std::optional<double> parseDecimal(std::string_view text) {
    std::string_view body = withoutPlusSign(text);
    bool negative = body.size() == text.size() && !body.empty() && body.front() == '-';
    std::string_view number = negative ? body.substr(1) : body;
    bool seenDigit = false;
    bool seenPoint = false;
    bool nonZeroIntegerDigit = false;
    for (char c : number) {
        if (isDigit(c)) {
            seenDigit = true;
            nonZeroIntegerDigit = nonZeroIntegerDigit || (!seenPoint && c != '0');
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    double value = 0;
    auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range)
        value = nonZeroIntegerDigit ? std::numeric_limits<double>::infinity() : 0.0;
    else if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return negative ? -value : value;
}

namespace {

struct BreakIteratorDeleter {
    void operator()(icu::BreakIterator* iterator) const { delete iterator; }
};

// A character break iterator over the given UTF-8 text; the iterator is kept per thread.
icu::BreakIterator* characterBreaks(std::string_view text, UText*& utext) {
    thread_local std::unique_ptr<icu::BreakIterator, BreakIteratorDeleter> iterator;
    UErrorCode status = U_ZERO_ERROR;
    if (!iterator) {
        iterator.reset(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status))
            iterator.reset();
    }
    if (!iterator)
        return nullptr;
    status = U_ZERO_ERROR;
    utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    if (U_FAILURE(status))
        return nullptr;
    iterator->setText(utext, status);
    if (U_FAILURE(status)) {
        utext_close(utext);
        utext = nullptr;
        return nullptr;
    }
    return iterator.get();
}

} // namespace

std::vector<std::string_view> characterClusters(std::string_view text) {
    std::vector<std::string_view> clusters;
    if (isAscii(text) && !contains(text, "\r\n")) {
        clusters.reserve(text.size());
        for (std::size_t i = 0; i < text.size(); ++i)
            clusters.push_back(text.substr(i, 1));
        return clusters;
    }
    UText* utext = nullptr;
    icu::BreakIterator* iterator = characterBreaks(text, utext);
    if (iterator == nullptr)
        return {text};
    int32_t start = iterator->first();
    for (int32_t end = iterator->next(); end != icu::BreakIterator::DONE; start = end, end = iterator->next())
        clusters.push_back(
            text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
    utext_close(utext);
    return clusters;
}

long characterCount(std::string_view text) {
    return static_cast<long>(characterClusters(text).size());
}

std::size_t lengthWithoutLastCharacters(long count, std::string_view text) {
    if (count <= 0)
        return text.size();
    UText* utext = nullptr;
    icu::BreakIterator* iterator = characterBreaks(text, utext);
    if (iterator == nullptr)
        return text.size() - std::min<std::size_t>(text.size(), static_cast<std::size_t>(count));
    int32_t position = iterator->last();
    for (long dropped = 0; dropped < count && position > 0; ++dropped)
        position = iterator->previous();
    utext_close(utext);
    return position > 0 ? static_cast<std::size_t>(position) : 0;
}

namespace {

std::optional<icu::UnicodeString> canonicalForm(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status))
        return std::nullopt;
    icu::UnicodeString normalized = nfd->normalize(
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size()))),
        status);
    if (U_FAILURE(status))
        return std::nullopt;
    return normalized;
}

} // namespace

bool canonicallyEqual(std::string_view a, std::string_view b) {
    if (a == b)
        return true;
    if (isAscii(a) && isAscii(b))
        return false;
    std::optional<icu::UnicodeString> first = canonicalForm(a);
    std::optional<icu::UnicodeString> second = canonicalForm(b);
    return first && second && *first == *second;
}
