#pragma once

#include <string>
#include <string_view>

// The one-line form in which the chart embeds a JavaScript function text verbatim: comments
// dropped, each line break with the indentation after it folded into one space, string literals
// untouched, surrounding blanks trimmed.
std::string aa_toPureJSString(std::string_view javaScript);
