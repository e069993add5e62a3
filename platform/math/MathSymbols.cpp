#include "platform/math/MathSymbols.h"

#include <charconv>
#include <unordered_map>

namespace {

using Type = MathAtomType;

constexpr char32_t mathItalicCapitalA = 0x1D434;
constexpr char32_t mathItalicSmallA = 0x1D44E;
constexpr char32_t mathItalicSmallAlpha = 0x1D6FC;
constexpr char32_t planckConstant = 0x210E; // the math italic h lives outside the alphanumeric block

char32_t mathItalic(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return mathItalicCapitalA + (c - U'A');
    if (c == U'h')
        return planckConstant;
    if (c >= U'a' && c <= U'z')
        return mathItalicSmallA + (c - U'a');
    if (c >= 0x3B1 && c <= 0x3C9)
        return mathItalicSmallAlpha + (c - 0x3B1);
    return c;
}

MathSymbol symbol(Type type, char32_t c) {
    return MathSymbol{type, std::u32string(1, c), false};
}

const std::unordered_map<std::string_view, MathSymbol>& commandSymbols() {
    static const auto table = [] {
        std::unordered_map<std::string_view, MathSymbol> t;
        const auto ord = [&](std::string_view name, char32_t c) { t[name] = symbol(Type::Ordinary, c); };
        const auto bin = [&](std::string_view name, char32_t c) {
            t[name] = symbol(Type::BinaryOperator, c);
        };
        const auto rel = [&](std::string_view name, char32_t c) { t[name] = symbol(Type::Relation, c); };
        const auto op = [&](std::string_view name, char32_t c, bool limits) {
            t[name] = MathSymbol{Type::LargeOperator, std::u32string(1, c), limits};
        };
        const auto function = [&](std::string_view name, bool limits) {
            t[name] = MathSymbol{Type::LargeOperator, std::u32string(name.begin(), name.end()), limits};
        };

        const std::string_view lowerGreek[] = {
            "alpha", "beta",   "gamma",   "delta",  "varepsilon", "zeta",    "eta",  "theta", "iota",
            "kappa", "lambda", "mu",      "nu",     "xi",         "omicron", "pi",   "rho",   "varsigma",
            "sigma", "tau",    "upsilon", "varphi", "chi",        "psi",     "omega"};
        for (char32_t i = 0; i < std::size(lowerGreek); ++i)
            ord(lowerGreek[i], mathItalicSmallAlpha + i);
        ord("epsilon", 0x1D716);
        ord("vartheta", 0x1D717);
        ord("phi", 0x1D719);
        ord("varrho", 0x1D71A);
        ord("varpi", 0x1D71B);
        ord("Gamma", 0x393);
        ord("Delta", 0x394);
        ord("Theta", 0x398);
        ord("Lambda", 0x39B);
        ord("Xi", 0x39E);
        ord("Pi", 0x3A0);
        ord("Sigma", 0x3A3);
        ord("Upsilon", 0x3A5);
        ord("Phi", 0x3A6);
        ord("Psi", 0x3A8);
        ord("Omega", 0x3A9);

        ord("infty", 0x221E);
        ord("partial", 0x2202);
        ord("nabla", 0x2207);
        ord("prime", 0x2032);
        ord("emptyset", 0x2205);
        ord("forall", 0x2200);
        ord("exists", 0x2203);
        ord("neg", 0xAC);
        ord("hbar", 0x210F);
        ord("ell", 0x2113);
        ord("angle", 0x2220);
        ord("degree", 0xB0);
        ord("ldots", 0x2026);
        ord("cdots", 0x22EF);
        ord("%", U'%');
        ord("$", U'$');
        ord("#", U'#');
        ord("&", U'&');
        ord("_", U'_');
        t["{"] = symbol(Type::Open, U'{');
        t["lbrace"] = symbol(Type::Open, U'{');
        t["}"] = symbol(Type::Close, U'}');
        t["rbrace"] = symbol(Type::Close, U'}');
        t["langle"] = symbol(Type::Open, 0x27E8);
        t["rangle"] = symbol(Type::Close, 0x27E9);
        t["lfloor"] = symbol(Type::Open, 0x230A);
        t["rfloor"] = symbol(Type::Close, 0x230B);
        t["lceil"] = symbol(Type::Open, 0x2308);
        t["rceil"] = symbol(Type::Close, 0x2309);
        ord("|", 0x2016);

        bin("cdot", 0x22C5);
        bin("times", 0xD7);
        bin("div", 0xF7);
        bin("pm", 0xB1);
        bin("mp", 0x2213);
        bin("ast", 0x2217);
        bin("circ", 0x2218);
        bin("bullet", 0x2219);
        bin("cup", 0x222A);
        bin("cap", 0x2229);
        bin("setminus", 0x2216);
        bin("wedge", 0x2227);
        bin("vee", 0x2228);
        bin("oplus", 0x2295);
        bin("otimes", 0x2297);

        rel("approx", 0x2248);
        rel("le", 0x2264);
        rel("leq", 0x2264);
        rel("ge", 0x2265);
        rel("geq", 0x2265);
        rel("ne", 0x2260);
        rel("neq", 0x2260);
        rel("equiv", 0x2261);
        rel("sim", 0x223C);
        rel("simeq", 0x2243);
        rel("cong", 0x2245);
        rel("propto", 0x221D);
        rel("in", 0x2208);
        rel("notin", 0x2209);
        rel("subset", 0x2282);
        rel("subseteq", 0x2286);
        rel("to", 0x2192);
        rel("rightarrow", 0x2192);
        rel("leftarrow", 0x2190);
        rel("Rightarrow", 0x21D2);
        rel("Leftrightarrow", 0x21D4);
        rel("mapsto", 0x21A6);
        rel("ll", 0x226A);
        rel("gg", 0x226B);
        rel("mid", 0x2223);

        op("sum", 0x2211, true);
        op("prod", 0x220F, true);
        op("coprod", 0x2210, true);
        op("bigcup", 0x22C3, true);
        op("bigcap", 0x22C2, true);
        op("int", 0x222B, false);
        op("oint", 0x222E, false);
        for (std::string_view name : {"sin", "cos", "tan", "cot", "arcsin", "arccos", "arctan", "sinh",
                                      "cosh", "tanh", "log", "ln", "lg", "exp", "arg", "deg", "dim", "ker"})
            function(name, false);
        for (std::string_view name : {"lim", "max", "min", "sup", "inf", "det", "gcd", "Pr"})
            function(name, true);
        return t;
    }();
    return table;
}

} // namespace

std::optional<MathSymbol> mathSymbolForCommand(std::string_view name) {
    const auto& table = commandSymbols();
    if (const auto it = table.find(name); it != table.end())
        return it->second;
    return std::nullopt;
}

std::optional<MathSymbol> mathSymbolForCharacter(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= 0x3B1 && c <= 0x3C9))
        return symbol(Type::Ordinary, mathItalic(c));
    switch (c) {
    case U'+':
    case 0xB1:
    case 0xD7:
    case 0xF7:
    case 0x2213:
        return symbol(Type::BinaryOperator, c);
    case U'-':
    case 0x2212:
        return symbol(Type::BinaryOperator, 0x2212);
    case U'*':
        return symbol(Type::BinaryOperator, 0x2217);
    case 0xB7:
        return symbol(Type::BinaryOperator, 0x22C5);
    case U'=':
    case U'<':
    case U'>':
    case U':':
    case 0x2248:
    case 0x2260:
    case 0x2264:
    case 0x2265:
        return symbol(Type::Relation, c);
    case U',':
    case U';':
        return symbol(Type::Punctuation, c);
    case U'(':
    case U'[':
        return symbol(Type::Open, c);
    case U')':
    case U']':
    case U'!':
    case U'?':
        return symbol(Type::Close, c);
    case U'&':
    case U'#':
    case U'$':
    case U'%':
        return std::nullopt;
    default:
        if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return std::nullopt;
        return symbol(Type::Ordinary, c);
    }
}

std::optional<char32_t> mathDelimiterForCharacter(char32_t c) {
    switch (c) {
    case U'(':
    case U')':
    case U'[':
    case U']':
    case U'|':
    case U'/':
        return c;
    case U'.':
        return char32_t{0};
    default:
        return std::nullopt;
    }
}

std::optional<char32_t> mathDelimiterForCommand(std::string_view name) {
    static const std::unordered_map<std::string_view, char32_t> delimiters = {
        {"{", U'{'},        {"}", U'}'},        {"lbrace", U'{'},   {"rbrace", U'}'},  {"langle", 0x27E8},
        {"rangle", 0x27E9}, {"lfloor", 0x230A}, {"rfloor", 0x230B}, {"lceil", 0x2308}, {"rceil", 0x2309},
        {"|", 0x2016},      {"vert", U'|'},     {"Vert", 0x2016},
    };
    if (const auto it = delimiters.find(name); it != delimiters.end())
        return it->second;
    return std::nullopt;
}

std::optional<char32_t> mathAccentForCommand(std::string_view name) {
    static const std::unordered_map<std::string_view, char32_t> accents = {
        {"bar", 0x304}, {"hat", 0x302}, {"tilde", 0x303}, {"vec", 0x20D7}, {"dot", 0x307}, {"ddot", 0x308},
    };
    if (const auto it = accents.find(name); it != accents.end())
        return it->second;
    return std::nullopt;
}

std::optional<double> mathSpaceForCommand(std::string_view name) {
    static const std::unordered_map<std::string_view, double> spaces = {
        {",", 3}, {":", 4}, {";", 5}, {"!", -3}, {" ", 6}, {"quad", 18}, {"qquad", 36},
    };
    if (const auto it = spaces.find(name); it != spaces.end())
        return it->second;
    return std::nullopt;
}

std::optional<std::uint32_t> mathColorNamed(std::string_view name) {
    if (!name.empty() && name.front() == '#') {
        const std::string_view hex = name.substr(1);
        if (hex.size() != 3 && hex.size() != 6)
            return std::nullopt;
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
        if (error != std::errc{} || end != hex.data() + hex.size())
            return std::nullopt;
        if (hex.size() == 3)
            value =
                ((value >> 8 & 0xF) * 0x11) << 16 | ((value >> 4 & 0xF) * 0x11) << 8 | (value & 0xF) * 0x11;
        return value << 8 | 0xFF;
    }
    static const std::unordered_map<std::string_view, std::uint32_t> colors = {
        {"black", 0x000000FF}, {"white", 0xFFFFFFFF},  {"red", 0xFF0000FF},     {"green", 0x00FF00FF},
        {"blue", 0x0000FFFF},  {"cyan", 0x00FFFFFF},   {"magenta", 0xFF00FFFF}, {"yellow", 0xFFFF00FF},
        {"gray", 0x808080FF},  {"orange", 0xFF8000FF}, {"purple", 0xBF0040FF},  {"brown", 0xBF8040FF},
    };
    if (const auto it = colors.find(name); it != colors.end())
        return it->second;
    return std::nullopt;
}
