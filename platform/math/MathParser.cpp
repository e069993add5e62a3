#include "platform/math/MathParser.h"

#include "platform/foundation/Utf8.h"
#include "platform/math/MathSymbols.h"

#include <utility>

namespace {

struct Failure {
    std::string message;
    std::size_t offset;
};

// Where the list being read ends.
enum class Terminator { Input, Brace, Right, Bracket };

bool isSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r';
}
bool isAsciiLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}
bool isNumberCharacter(char32_t c) {
    return (c >= U'0' && c <= U'9') || c == U'.';
}

void colorUncolored(MathList& list, std::uint32_t color) {
    for (MathAtom& atom : list)
        if (!atom.color)
            atom.color = color;
}

class Parser {
  public:
    explicit Parser(std::string_view source) : source_(source) {}

    MathFormula parseFormula() {
        MathFormula formula;
        do {
            formula.rows.emplace_back();
        } while (parseList(formula.rows.back(), Terminator::Input));
        return formula;
    }

  private:
    std::string_view source_;
    std::size_t position_ = 0;
    int depth_ = 0;

    // Deeper nesting than any formula of the app needs is refused, so that recursion stays bounded.
    class Nesting {
      public:
        explicit Nesting(Parser& parser) : parser_(parser) {
            if (++parser_.depth_ > MathParser::maximumDepth)
                parser_.fail("formula nested too deeply");
        }
        ~Nesting() { --parser_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

      private:
        Parser& parser_;
    };

    [[noreturn]] void fail(std::string message) const { throw Failure{std::move(message), position_}; }

    bool atEnd() const { return position_ >= source_.size(); }

    char32_t next() {
        if (const auto byte = static_cast<unsigned char>(source_[position_]); byte < 0x80) {
            ++position_;
            return byte;
        }
        const std::size_t start = position_;
        const std::optional<char32_t> c = decodeUtf8(source_, position_);
        if (!c) {
            position_ = start;
            fail("invalid UTF-8");
        }
        return *c;
    }

    void skipSpaces() {
        while (!atEnd() && isSpace(static_cast<unsigned char>(source_[position_])))
            ++position_;
    }

    // Reads the list up to its terminator; returns true when it stopped at a \\ line break of the top level.
    bool parseList(MathList& list, Terminator terminator) {
        while (true) {
            skipSpaces();
            if (atEnd()) {
                switch (terminator) {
                case Terminator::Input:
                    return false;
                case Terminator::Brace:
                    fail("missing }");
                case Terminator::Right:
                    fail("missing \\right");
                case Terminator::Bracket:
                    fail("missing ]");
                }
            }
            const char32_t c = next();
            if (c == U'}') {
                if (terminator != Terminator::Brace)
                    fail("unbalanced }");
                return false;
            }
            if (c == U']' && terminator == Terminator::Bracket)
                return false;
            if (c == U'\\') {
                const std::string name = readCommandName();
                if (name == "right") {
                    if (terminator != Terminator::Right)
                        fail("\\right without \\left");
                    return false;
                }
                if (name == "\\") {
                    if (terminator != Terminator::Input)
                        fail("line break inside a group");
                    return true;
                }
                parseCommand(name, list);
                continue;
            }
            parseCharacter(c, list);
        }
    }

    void parseCharacter(char32_t c, MathList& list) {
        switch (c) {
        case U'{': {
            MathAtom group;
            group.type = MathAtomType::Group;
            parseBracedBody(group.body());
            list.push_back(std::move(group));
            return;
        }
        case U'^':
        case U'_':
            attachScript(list, c == U'^');
            return;
        case U'\'':
            attachPrime(list);
            return;
        case U'~':
            list.push_back(spaceAtom(*mathSpaceForCommand(" ")));
            return;
        default:
            break;
        }
        if (isNumberCharacter(c) && !list.empty()) {
            const MathAtom& last = list.back();
            if (last.type == MathAtomType::Ordinary && !last.hasScripts() && !last.color &&
                !last.nucleus.empty() && isNumberCharacter(last.nucleus.back())) {
                list.back().nucleus.push_back(c);
                return;
            }
        }
        const std::optional<MathSymbol> symbol = mathSymbolForCharacter(c);
        if (!symbol)
            fail("unexpected character");
        list.push_back(atomFor(*symbol));
    }

    static MathAtom atomFor(const MathSymbol& symbol) {
        MathAtom atom;
        atom.type = symbol.type;
        atom.nucleus = symbol.text;
        atom.limits = symbol.limits;
        return atom;
    }

    static MathAtom spaceAtom(double mu) {
        MathAtom atom;
        atom.type = MathAtomType::Space;
        atom.spaceMu = mu;
        return atom;
    }

    // The letters of a control word, or the single character of a control symbol (\\, \{, \;).
    std::string readCommandName() {
        if (atEnd())
            fail("lone backslash at the end");
        const std::size_t start = position_;
        if (isAsciiLetter(static_cast<unsigned char>(source_[position_]))) {
            while (!atEnd() && isAsciiLetter(static_cast<unsigned char>(source_[position_])))
                ++position_;
        } else {
            next();
        }
        return std::string(source_.substr(start, position_ - start));
    }

    void parseCommand(const std::string& name, MathList& list) {
        if (name == "frac" || name == "binom") {
            MathAtom fraction;
            fraction.type = MathAtomType::Fraction;
            parseArgument(fraction.body());
            parseArgument(fraction.extra());
            if (name == "binom") {
                fraction.hasRule = false;
                fraction.leftDelimiter = U'(';
                fraction.rightDelimiter = U')';
            }
            list.push_back(std::move(fraction));
        } else if (name == "sqrt") {
            MathAtom radical;
            radical.type = MathAtomType::Radical;
            skipSpaces();
            if (!atEnd() && source_[position_] == '[') {
                ++position_;
                Nesting nesting(*this);
                parseList(radical.extra(), Terminator::Bracket);
            }
            parseArgument(radical.body());
            list.push_back(std::move(radical));
        } else if (name == "left") {
            MathAtom inner;
            inner.type = MathAtomType::Inner;
            inner.leftDelimiter = parseDelimiter();
            {
                Nesting nesting(*this);
                parseList(inner.body(), Terminator::Right);
            }
            inner.rightDelimiter = parseDelimiter();
            list.push_back(std::move(inner));
        } else if (name == "text") {
            MathAtom text;
            text.type = MathAtomType::Text;
            text.nucleus = parseText();
            list.push_back(std::move(text));
        } else if (name == "color") {
            const std::uint32_t color = parseColor();
            MathList body;
            parseArgument(body);
            colorUncolored(body, color);
            for (MathAtom& atom : body)
                list.push_back(std::move(atom));
        } else if (const auto accent = mathAccentForCommand(name)) {
            MathAtom atom;
            atom.type = MathAtomType::Accent;
            atom.nucleus = std::u32string(1, *accent);
            parseArgument(atom.body());
            list.push_back(std::move(atom));
        } else if (const auto mu = mathSpaceForCommand(name)) {
            list.push_back(spaceAtom(*mu));
        } else if (const auto symbol = mathSymbolForCommand(name)) {
            list.push_back(atomFor(*symbol));
        } else {
            fail("unknown command \\" + name);
        }
    }

    // A braced group, or else a single character or command, as TeX reads a macro argument.
    void parseArgument(MathList& list) {
        skipSpaces();
        if (atEnd())
            fail("missing argument");
        const char32_t c = next();
        Nesting nesting(*this);
        switch (c) {
        case U'{':
            parseList(list, Terminator::Brace);
            return;
        case U'}':
        case U'^':
        case U'_':
            fail("missing argument");
        case U'\\': {
            const std::string name = readCommandName();
            if (name == "right" || name == "\\")
                fail("missing argument");
            parseCommand(name, list);
            return;
        }
        default:
            parseCharacter(c, list);
        }
    }

    void parseBracedBody(MathList& list) {
        Nesting nesting(*this);
        parseList(list, Terminator::Brace);
    }

    void attachScript(MathList& list, bool superscript) {
        if (list.empty() || list.back().type == MathAtomType::Space)
            list.emplace_back();
        MathList script;
        parseArgument(script);
        MathList& target = superscript ? list.back().superscript() : list.back().subscript();
        if (!target.empty())
            fail(superscript ? "double superscript" : "double subscript");
        target = std::move(script);
    }

    void attachPrime(MathList& list) {
        if (list.empty() || list.back().type == MathAtomType::Space)
            list.emplace_back();
        list.back().superscript().push_back(atomFor(*mathSymbolForCommand("prime")));
    }

    char32_t parseDelimiter() {
        skipSpaces();
        if (atEnd())
            fail("missing delimiter");
        const char32_t c = next();
        const std::optional<char32_t> delimiter =
            c == U'\\' ? mathDelimiterForCommand(readCommandName()) : mathDelimiterForCharacter(c);
        if (!delimiter)
            fail("unknown delimiter");
        return *delimiter;
    }

    void expect(char32_t wanted, const char* message) {
        skipSpaces();
        if (atEnd() || next() != wanted)
            fail(message);
    }

    std::uint32_t parseColor() {
        expect(U'{', "missing colour");
        const std::size_t start = position_;
        while (!atEnd() && source_[position_] != '}')
            ++position_;
        if (atEnd())
            fail("missing }");
        std::string_view name = source_.substr(start, position_ - start);
        ++position_;
        while (!name.empty() && isSpace(static_cast<unsigned char>(name.front())))
            name.remove_prefix(1);
        while (!name.empty() && isSpace(static_cast<unsigned char>(name.back())))
            name.remove_suffix(1);
        const std::optional<std::uint32_t> color = mathColorNamed(name);
        if (!color)
            fail("unknown colour");
        return *color;
    }

    // Text mode: characters are kept as typed, runs of blanks become one space, braces only group.
    std::u32string parseText() {
        expect(U'{', "missing argument");
        std::u32string text;
        int braces = 0;
        while (true) {
            if (atEnd())
                fail("missing }");
            const char32_t c = next();
            if (c == U'{') {
                if (++braces > MathParser::maximumDepth)
                    fail("formula nested too deeply");
            } else if (c == U'}') {
                if (braces-- == 0)
                    return text;
            } else if (isSpace(c)) {
                if (text.empty() || text.back() != U' ')
                    text.push_back(U' ');
            } else if (c == U'\\') {
                const std::string name = readCommandName();
                if (name == " ")
                    text.push_back(U' ');
                else if (name.size() == 1 &&
                         std::string_view("{}%$#&_").find(name[0]) != std::string_view::npos)
                    text.push_back(static_cast<char32_t>(name[0]));
                else
                    fail("unknown command \\" + name + " in text");
            } else if (c < 0x20 || c == 0x7F) {
                fail("unexpected character");
            } else {
                text.push_back(c);
            }
        }
    }
};

} // namespace

MathParseResult MathParser::parse(std::string_view latex) {
    if (latex.size() > maximumLength)
        return {std::nullopt, MathParseError{"formula too long", 0}};
    try {
        return {Parser(latex).parseFormula(), std::nullopt};
    } catch (const Failure& failure) {
        return {std::nullopt, MathParseError{failure.message, failure.offset}};
    }
}
