#include "platform/foundation/AnyValue.h"
#include "platform/foundation/JSONCoding.h"
#include "platform/foundation/PropertyListCoding.h"
#include "platform/foundation/RecordDecoder.h"
#include "platform/foundation/RecordEncoder.h"
#include "tests/support/BinaryPropertyList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

AnyValue everyKind() {
    return AnyValue::Dictionary{
        {"flag", true},
        {"negative", std::int64_t{-42}},
        {"largest", std::numeric_limits<std::int64_t>::max()},
        {"smallest", std::numeric_limits<std::int64_t>::min()},
        {"real", 0.1},
        {"tiny", 4.440892098500626e-16},
        {"text", "a < b & \"c\" ünïcödé"},
        {"empty", ""},
        {"date", Date::dateWithTimeIntervalSince1970(1'700'000'123.0)},
        {"data", AnyValue::Data{0, 1, 2, 254, 255}},
        {"list", AnyValue::Array{1, "two", AnyValue::Array{}, AnyValue::Dictionary{}}},
        {"nested", AnyValue::Dictionary{{"inner", AnyValue::Dictionary{{"k", 3.5}}}}},
    };
}

TEST(Date, ISO8601TextReadsBackAndStaysInFourDigitYears) {
    const Date date = Date::dateWithTimeIntervalSince1970(1'700'000'123.75);
    EXPECT_EQ(date.iso8601(), "2023-11-14T22:15:23Z");
    EXPECT_EQ(Date::fromISO8601("2023-11-14T22:15:23Z")->timeIntervalSince1970(), 1'700'000'123.0);
    EXPECT_EQ(Date::dateWithTimeIntervalSinceReferenceDate(0).iso8601(), "2001-01-01T00:00:00Z");
    EXPECT_EQ(Date::dateWithTimeIntervalSince1970(1e300).iso8601(), "9999-12-31T23:59:59Z");
    EXPECT_EQ(Date::dateWithTimeIntervalSince1970(-1e300).iso8601(), "0001-01-01T00:00:00Z");
    for (const char* bad :
         {"", "2023-11-14 22:15:23Z", "2023-13-14T22:15:23Z", "2023-11-14T22:15:23", "20x3-11-14T22:15:23Z"})
        EXPECT_FALSE(Date::fromISO8601(bad)) << bad;
}

TEST(AnyValue, ReadsGiveNothingOnAnotherKindAndEqualityComparesKindAndContent) {
    const AnyValue text("5");
    EXPECT_EQ(text.stringValue(), "5");
    EXPECT_FALSE(text.integerValue());
    EXPECT_FALSE(text.doubleValue());
    EXPECT_FALSE(text.boolValue());

    const AnyValue integer(7);
    EXPECT_EQ(integer.integerValue(), 7);
    EXPECT_EQ(integer.doubleValue(), 7.0); // numbers read as numbers
    EXPECT_FALSE(integer.boolValue());
    EXPECT_FALSE(AnyValue(7.5).integerValue());
    EXPECT_FALSE(AnyValue(true).integerValue());
    EXPECT_FALSE(AnyValue().stringValue());
    EXPECT_EQ(AnyValue(true).kind(), AnyValue::Kind::boolean);

    // A shaped read refuses the whole value for one bad member.
    const AnyValue inputs = AnyValue::Dictionary{{"event0", "4"}, {"probability0", 3}};
    EXPECT_FALSE(inputs.stringDictionaryValue());
    const AnyValue good = AnyValue::Dictionary{{"event0", "4"}, {"probability0", "0.3"}};
    EXPECT_EQ(good.stringDictionaryValue()->at("probability0"), "0.3");

    EXPECT_FALSE(AnyValue(AnyValue::Array{"a", 1}).stringArrayValue());
    EXPECT_FALSE(AnyValue(AnyValue::Array{AnyValue::Dictionary{}, "x"}).dictionaryArrayValue());
    EXPECT_EQ(AnyValue(AnyValue::Array{AnyValue::Dictionary{}}).dictionaryArrayValue()->size(), 1u);

    // Equality compares kind and content, in depth.
    EXPECT_NE(AnyValue(1), AnyValue(1.0));
    EXPECT_NE(AnyValue("1"), AnyValue(1));
    EXPECT_NE(AnyValue(AnyValue::Array{1, 2}), AnyValue(AnyValue::Array{2, 1}));
    EXPECT_NE(AnyValue(AnyValue::Dictionary{{"k", AnyValue::Array{3.5}}}),
              AnyValue(AnyValue::Dictionary{{"k", AnyValue::Array{3.25}}}));
    EXPECT_EQ(AnyValue(), AnyValue(nullptr));
}

TEST(PropertyListCoding, EveryKindSurvivesXMLAndBinaryWithTextEscapedAndRealsExact) {
    for (auto format : {PropertyListCoding::Format::xml, PropertyListCoding::Format::binary}) {
        Result<std::string> encoded = PropertyListCoding::encode(everyKind(), format);
        ASSERT_TRUE(encoded) << encoded.error();
        Result<AnyValue> decoded = PropertyListCoding::decode(*encoded);
        ASSERT_TRUE(decoded) << decoded.error();
        EXPECT_EQ(*decoded, everyKind());
    }
    const AnyValue value = AnyValue::Dictionary{{"<&>", "x<y&z"}, {"third", 1.0 / 3.0}};
    const std::string xml = *PropertyListCoding::encode(value);
    EXPECT_NE(xml.find("<key>&lt;&amp;&gt;</key>"), std::string::npos) << xml;
    EXPECT_EQ(*PropertyListCoding::decode(xml), value);

    // Long texts whose replacements outgrow the room made for them as they stand, before plain text.
    const std::string tail(200'000, 'p');
    std::string replaced;
    for (int i = 0; i < 50'000; ++i)
        replaced += "\uFFFD";
    const Result<AnyValue> longTexts = PropertyListCoding::decode(*PropertyListCoding::encode(
        AnyValue::Array{std::string(100'000, '&') + tail, std::string(50'000, '\001') + tail}));
    ASSERT_TRUE(longTexts);
    EXPECT_EQ(*longTexts, AnyValue(AnyValue::Array{std::string(100'000, '&') + tail, replaced + tail}));
}

TEST(PropertyListCoding, XMLCarriesOnlyWhatXMLAllowsAndStillReadsOlderFiles) {
    // Tab, line feed and carriage return survive; every other control character, U+FFFE and bytes that
    // are not UTF-8 are written as U+FFFD, so that strict XML readers accept the file.
    const AnyValue value = AnyValue::Dictionary{
        {"key\001", AnyValue::Array{"a\001b\r\nc\td", "\037\xEF\xBF\xBE\xC3", "Grüße €😀"}}};
    const std::string xml = *PropertyListCoding::encode(value);
    EXPECT_EQ(xml.find("&#1;"), std::string::npos) << xml;
    EXPECT_EQ(*PropertyListCoding::decode(xml),
              AnyValue(AnyValue::Dictionary{
                  {"key\uFFFD", AnyValue::Array{"a\uFFFDb\r\nc\td", "\uFFFD\uFFFD\uFFFD", "Grüße €😀"}}}));
    EXPECT_EQ(
        *PropertyListCoding::decode("<?xml version=\"1.0\"?>\n<plist><string>a&#1;b&#31;</string></plist>"),
        AnyValue("a\001b\037"));
}

TEST(PropertyListCoding, XMLOfOtherWritersReadsAsXMLMeansIt) {
    const Result<AnyValue> decoded = PropertyListCoding::decode(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!DOCTYPE plist [ <!ENTITY e \"<dict>\"> ]>\n"
        "<plist version='1.0' note=\"a > b\"><dict>\n"
        "  <key>text</key> <!-- a comment --> "
        "<string>a&lt;&#x1F600;&#233;<![CDATA[<&>\r\n]]>b<!-- c -->\r\nc</string>\n"
        "  <key>numbers</key><array><integer> -42 </integer><integer>0x1F</integer>"
        "<integer>18446744073709551615</integer><real>+infinity</real><real>-2.5e3</real></array>\n"
        "  <key>data</key><data>\n AAEC\n /w== </data>\n"
        "  <key>date</key><date>2023-11-14T22:13:20Z</date>\n"
        "  <key>empty</key><array><string/><dict/><true></true><false/></array>\n"
        "</dict></plist>\n<!-- after -->");
    ASSERT_TRUE(decoded) << decoded.error();
    EXPECT_EQ(*decoded,
              AnyValue(AnyValue::Dictionary{
                  {"text", "a<\U0001F600\u00E9<&>\nb\nc"},
                  {"numbers", AnyValue::Array{-42, 31, -1, std::numeric_limits<double>::infinity(), -2500.0}},
                  {"data", AnyValue::Data{0, 1, 2, 255}},
                  {"date", Date::dateWithTimeIntervalSince1970(1'700'000'000)},
                  {"empty", AnyValue::Array{"", AnyValue::Dictionary{}, true, false}}}));
    // The value may stand without the plist element.
    EXPECT_EQ(*PropertyListCoding::decode("<string>x</string>"), AnyValue("x"));
    for (const std::string bad : {
             "<plist><string>&nbsp;</string></plist>",     // an entity XML does not define
             "<plist><string>&#0;</string></plist>",       // no character
             "<plist><key>k</key></plist>",                // a key outside a dictionary
             "<plist><dict><key>k</key></dict></plist>",   // a key without its value
             "<plist><dict><true/><true/></dict></plist>", // a value where its key belongs
             "<plist><array>text<true/></array></plist>",  // text between elements
             "<plist><integer>12a</integer></plist>",
             "<plist><real>one</real></plist>",
             "<plist><date>2023-11-14</date></plist>",
             "<plist><data>AA=A</data></plist>",
             "<plist><true/></plist><true/>", // a second value
             "<plist><unknown/></plist>",
             "<plist><string>cut short</plist>",
         })
        EXPECT_FALSE(PropertyListCoding::decode(bad)) << bad;
}

TEST(PropertyListCoding, AHundredThousandEntryHistoryComesBackWholeAndInOrder) {
    // Entries as the history store writes them: 31 values each, 3.1 million in all, which the writer
    // counts across the shares it writes on several threads.
    AnyValue::Array history;
    for (int i = 0; i < 100'000; ++i) {
        AnyValue::Dictionary inputs;
        for (int row = 0; row < 5; ++row) {
            inputs.emplace("event" + std::to_string(row), std::to_string(i + row));
            inputs.emplace("probability" + std::to_string(row), "0.2");
        }
        history.push_back(AnyValue::Dictionary{{"_latexString", "x<" + std::to_string(i) + "&"},
                                               {"inputParameters", std::move(inputs)},
                                               {"setupParameter", AnyValue::Dictionary{{"mode", i % 2}}},
                                               {"solutionSteps", AnyValue::Array{}}});
    }
    AnyValue value = AnyValue::Dictionary{{"Calculations", std::move(history)}};
    std::string buffer = "stale contents";
    EXPECT_EQ(PropertyListCoding::encodeXML(value, buffer), std::optional<std::uint64_t>(3'100'003));
    const PropertyListCoding::Limits roomy{.bytes = std::uint64_t{1} << 30, .values = 4'000'000};
    EXPECT_EQ(*PropertyListCoding::decode(buffer, roomy), value);
    EXPECT_EQ(buffer, *PropertyListCoding::encode(value));

    // A null deep inside any share of the array still fails the whole value.
    AnyValue::Array& calculations = *value.dictionaryPointer()->at("Calculations").arrayPointer();
    (*calculations[54321].dictionaryPointer())["solutionSteps"] = AnyValue::Array{AnyValue()};
    EXPECT_FALSE(PropertyListCoding::encodeXML(value, buffer));
}

TEST(PropertyListCoding, NullAndDatesOutsideTheBinaryRangeAreRefused) {
    EXPECT_TRUE(everyKind().isPropertyListValue());
    EXPECT_FALSE(AnyValue().isPropertyListValue());
    EXPECT_FALSE(AnyValue(AnyValue::Dictionary{{"a", AnyValue::Array{1, AnyValue()}}}).isPropertyListValue());
    EXPECT_FALSE(PropertyListCoding::encode(AnyValue()));
    EXPECT_FALSE(PropertyListCoding::encode(AnyValue::Array{1, AnyValue()}));
    for (const double seconds : {std::nan(""), 1e300, -1e300}) {
        const AnyValue date(Date::dateWithTimeIntervalSinceReferenceDate(seconds));
        EXPECT_FALSE(PropertyListCoding::encode(AnyValue::Array{date}, PropertyListCoding::Format::binary))
            << seconds;
    }
}

std::string repeated(std::string_view text, std::size_t times) {
    std::string result;
    result.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        result += text;
    return result;
}

TEST(PropertyListCoding, MalformedOrBoundlessXMLIsAFailureValue) {
    const std::string plist = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    const auto nested = [&](std::size_t levels) {
        return plist + repeated("<array>", levels) + repeated("</array>", levels) + "</plist>";
    };
    for (const std::string& bytes :
         {std::string(), std::string("not a plist"), plist + "<dict><key>a",
          std::string("bplist00\xff\xff\xff", 11), std::string("<plist><array><integer>1</array></plist>"),
          // Measured before libplist reads the text (deeper nesting exhausts its stack).
          plist + repeated("<array>", 200'000), nested(513),
          plist + "<array>" + repeated("<true/>", PropertyListCoding::Limits{}.values) +
              "</array></plist>"}) {
        Result<AnyValue> decoded = PropertyListCoding::decode(bytes);
        ASSERT_FALSE(decoded) << bytes.substr(0, 100);
        EXPECT_FALSE(decoded.error().empty());
    }
    // Empty elements, and tags in comments, CDATA, processing instructions and the document type, do
    // not nest; a UTF-8 byte-order mark may come first.
    EXPECT_TRUE(PropertyListCoding::decode(nested(512)));
    AnyValue::Array expected(600, AnyValue::Array{});
    expected.push_back(repeated("<dict>", 600));
    const Result<AnyValue> decoded = PropertyListCoding::decode(
        "\xEF\xBB\xBF<?xml version=\"1.0\"?><!DOCTYPE plist \"<array\"><?pi <array> ?><plist><array>" +
        repeated("<array/>", 600) + "<!-- " + repeated("<array>", 600) + " --><string><![CDATA[" +
        repeated("<dict>", 600) + "]]></string></array></plist>");
    ASSERT_TRUE(decoded) << decoded.error();
    EXPECT_EQ(*decoded, AnyValue(expected));
}

TEST(PropertyListCoding, EveryLimitTakesAListAtItAndRefusesOnePast) {
    using Limits = PropertyListCoding::Limits;
    const std::string plist = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    // An array and 99 values in it; a text of 1,000 bytes; three arrays within each other.
    const std::string list = plist + "<array>" + repeated("<true/>", 99) + "</array></plist>";
    const std::string text = plist + "<string>" + std::string(1000, 'x') + "</string></plist>";
    const std::string nested = plist + "<array><array><array></array></array></array></plist>";
    // Sixteen references to one text of ten bytes under four arrays and a dictionary: 16 texts, 15
    // arrays, the dictionary and its key "Calculations" make 33 values of 172 bytes, five levels deep.
    const std::string shared = BinaryPropertyList::sharedReferences(4, "\x5A" + std::string(10, 'x'));
    struct Case {
        std::string bytes;
        Limits atTheLimit;
        Limits pastIt;
    };
    for (const Case& edge : {
             Case{list, {.values = 100}, {.values = 99}},
             Case{list, {.bytes = list.size()}, {.bytes = list.size() - 1}},
             Case{text, {.decodedBytes = 1000}, {.decodedBytes = 999}},
             Case{nested, {.depth = 3}, {.depth = 2}},
             Case{shared, {.values = 33}, {.values = 32}},
             Case{shared, {.decodedBytes = 172}, {.decodedBytes = 171}},
             Case{shared, {.bytes = shared.size()}, {.bytes = shared.size() - 1}},
             Case{shared, {.depth = 5}, {.depth = 4}},
         }) {
        EXPECT_TRUE(PropertyListCoding::decode(edge.bytes, edge.atTheLimit)) << edge.bytes.substr(0, 60);
        EXPECT_FALSE(PropertyListCoding::decode(edge.bytes, edge.pastIt)) << edge.bytes.substr(0, 60);
    }
    // Without limits given, those of a settings file: a text of 1 MiB referred to 16 times is taken,
    // 32 times (and the key "Calculations") is more text than the reader takes.
    const std::string mebibyte = std::string("\x5F\x12\x00\x10\x00\x00", 6) + std::string(1 << 20, 'x');
    EXPECT_TRUE(PropertyListCoding::decode(BinaryPropertyList::sharedReferences(4, mebibyte)));
    EXPECT_FALSE(PropertyListCoding::decode(BinaryPropertyList::sharedReferences(5, mebibyte)));
}

TEST(PropertyListCoding, BinaryReaderChecksStructure) {
    // A text in UTF-16 with a surrogate pair, inside a dictionary.
    Result<AnyValue> text = PropertyListCoding::decode(BinaryPropertyList::of(
        {std::string("\xD1\x01\x02", 3), "\x51k", std::string("\x63\x00\xE9\xD8\x3D\xDE\x00", 7)}));
    ASSERT_TRUE(text) << text.error();
    EXPECT_EQ(text->find("k")->stringValue(), "\xC3\xA9\xF0\x9F\x98\x80");

    // An array that contains itself, a dictionary keyed by a number, a reference past the objects,
    // a length past the end and a cut-off trailer are refused.
    EXPECT_FALSE(PropertyListCoding::decode(BinaryPropertyList::of({std::string("\xA1\x00", 2)})));
    EXPECT_FALSE(PropertyListCoding::decode(
        BinaryPropertyList::of({std::string("\xD1\x01\x02", 3), "\x10\x05", "\x10\x06"})));
    EXPECT_FALSE(PropertyListCoding::decode(BinaryPropertyList::of({std::string("\xA1\x07", 2)})));
    EXPECT_FALSE(PropertyListCoding::decode(BinaryPropertyList::of({"\x5F\x10\xFF"})));
    // Objects referred to many times are counted each time against the limits, before anything is built:
    // too many values, or too many bytes of text.
    EXPECT_FALSE(
        PropertyListCoding::decode(BinaryPropertyList::sharedReferences(24, "\x5A" + std::string(10, 'x'))));
    EXPECT_FALSE(PropertyListCoding::decode(BinaryPropertyList::sharedReferences(
        20, std::string("\x5F\x11\x01\x2C", 4) + std::string(300, 'x'))));
    const AnyValue pair = AnyValue::Array{"ab", "ab"}; // "R" is 0x52: a text of two bytes
    EXPECT_EQ(*PropertyListCoding::decode(BinaryPropertyList::sharedReferences(2, "Rab")),
              AnyValue(AnyValue::Dictionary{{"Calculations", AnyValue::Array{pair, pair}}}));

    const std::string valid = BinaryPropertyList::of({"\x10\x05"});
    EXPECT_EQ(*PropertyListCoding::decode(valid), AnyValue(5));
    EXPECT_FALSE(PropertyListCoding::decode(valid.substr(0, valid.size() - 1)));
}

TEST(JSONCoding, ReadsIntegersOrRealsRoundTripsAndRefusesMalformedOrHostileText) {
    Result<AnyValue> decoded =
        JSONCoding::decode(R"({"i": 3, "r": 2.0, "e": 1e2, "n": null, "big": 18446744073709551615,
                                                     "s": "\u00e9", "a": [true, false]})");
    ASSERT_TRUE(decoded) << decoded.error();
    EXPECT_EQ(decoded->find("i")->kind(), AnyValue::Kind::integer);
    EXPECT_EQ(decoded->find("r")->kind(), AnyValue::Kind::real);
    EXPECT_EQ(decoded->find("e")->doubleValue(), 100.0);
    EXPECT_TRUE(decoded->find("n")->isNull());
    EXPECT_EQ(decoded->find("big")->doubleValue(), 18446744073709551615.0);
    EXPECT_EQ(decoded->find("s")->stringValue(), "\xc3\xa9");
    EXPECT_EQ(*decoded->find("a"), AnyValue(AnyValue::Array{true, false}));

    const AnyValue value =
        AnyValue::Dictionary{{"b", AnyValue::Array{1, 2.5, "x", AnyValue()}}, {"a", false}};
    Result<std::string> text = JSONCoding::encode(value);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, R"({"a":false,"b":[1,2.5,"x",null]})");
    EXPECT_EQ(*JSONCoding::decode(*text), value);
    EXPECT_EQ(*JSONCoding::decode(*JSONCoding::encode(value, true)), value);

    EXPECT_FALSE(JSONCoding::encode(AnyValue(std::nan(""))));
    EXPECT_FALSE(JSONCoding::encode(AnyValue::Array{Date::now()}));
    EXPECT_FALSE(JSONCoding::encode(AnyValue(AnyValue::Data{1})));
    for (const char* text : {"", "{", "[1,]", "{\"a\" 1}", "nul", "\"unterminated", "{} trailing", "\xff"}) {
        EXPECT_FALSE(JSONCoding::decode(text)) << text;
    }
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    EXPECT_FALSE(JSONCoding::decode(deep));
}

struct Item {
    std::string name;
    std::int64_t count = 0;
    double factor = 0;
    std::optional<bool> flag;
    std::optional<std::map<std::string, double>> rules;
    std::vector<std::string> tags;

    static Item decodeRecord(RecordDecoder& decoder) {
        Item item;
        item.name = decoder.required<std::string>("name");
        item.count = decoder.required<std::int64_t>("count");
        item.factor = decoder.required<double>("factor");
        item.flag = decoder.optional<bool>("flag");
        item.rules = decoder.optional<std::map<std::string, double>>("rules");
        item.tags = decoder.required<std::vector<std::string>>("tags");
        return item;
    }
    void encodeRecord(RecordEncoder& encoder) const {
        encoder.set("name", name);
        encoder.set("count", count);
        encoder.set("factor", factor);
        encoder.set("flag", flag);
        encoder.set("rules", rules);
        encoder.set("tags", tags);
    }
};

TEST(RecordCoding, DecodesRequiredAndOptionalMembersIgnoringUnknownOnesAndEncodesInOrder) {
    Result<std::vector<Item>> items = RecordDecoder::decodeJSON<std::vector<Item>>(R"([
        {"name": "a", "count": 3, "factor": 2, "tags": [], "unknown": {"x": 1}, "flag": null},
        {"name": "b", "count": 4.0, "factor": 0.5, "tags": ["t"], "flag": true, "rules": {"r": 2}}])");
    ASSERT_TRUE(items) << items.error();
    ASSERT_EQ(items->size(), 2u);
    EXPECT_EQ((*items)[0].factor, 2.0);
    EXPECT_FALSE((*items)[0].flag);
    EXPECT_FALSE((*items)[0].rules);
    EXPECT_EQ((*items)[1].count, 4);
    EXPECT_EQ((*items)[1].flag, true);
    EXPECT_EQ((*items)[1].rules->at("r"), 2.0);
    EXPECT_EQ((*items)[1].tags, std::vector<std::string>{"t"});

    // Encoding writes members in order and leaves out absent optionals.
    Item item{"n", 2, 0.25, std::nullopt, std::map<std::string, double>{{"r", 1.5}}, {"x"}};
    EXPECT_EQ(RecordEncoder::encodeJSON(item),
              R"({"name":"n","count":2,"factor":0.25,"rules":{"r":1.5},"tags":["x"]})");
    Result<std::vector<Item>> list =
        RecordDecoder::decodeJSON<std::vector<Item>>(RecordEncoder::encodeJSON(std::vector<Item>{item}));
    ASSERT_TRUE(list);
    EXPECT_EQ((*list)[0].rules, item.rules);
    EXPECT_EQ((*list)[0].name, "n");
}

TEST(RecordDecoder, OneBadRequiredMemberFailsTheWholeValue) {
    const char* item = R"({"name": "a", "count": 1, "factor": 1, "tags": []})";
    ASSERT_TRUE(RecordDecoder::decodeJSON<Item>(item));
    const std::vector<std::pair<std::string, std::string>> broken = {
        {R"({"count": 1, "factor": 1, "tags": []})", "\"name\""},             // missing
        {R"({"name": null, "count": 1, "factor": 1, "tags": []})", "null"},   // null
        {R"({"name": 5, "count": 1, "factor": 1, "tags": []})", "string"},    // mistyped
        {R"({"name": "a", "count": 1.5, "factor": 1, "tags": []})", "count"}, // fractional integer
        {R"({"name": "a", "count": true, "factor": 1, "tags": []})", "count"},
        {R"({"name": "a", "count": 1, "factor": "1", "tags": []})", "factor"},
        {R"({"name": "a", "count": 1, "factor": 1, "tags": [1]})", "tags"},
        {R"({"name": "a", "count": 1, "factor": 1, "tags": [], "flag": "yes"})", "flag"}, // optional mistyped
        {R"({"name": "a", "count": 1, "factor": 1, "tags": [], "rules": {"r": "2"}})", "rules"},
        {R"([])", "expected an object"},
        {R"({"name": "a", "count": 1e300, "factor": 1, "tags": []})", "count"},
    };
    for (const auto& [json, mention] : broken) {
        Result<Item> decoded = RecordDecoder::decodeJSON<Item>(json);
        ASSERT_FALSE(decoded) << json;
        EXPECT_NE(decoded.error().find(mention), std::string::npos) << decoded.error();
    }
    // One broken element anywhere fails the dictionary of lists that holds it.
    Result<std::map<std::string, std::vector<Item>>> lists =
        RecordDecoder::decodeJSON<std::map<std::string, std::vector<Item>>>(
            std::string(R"({"x": [)") + item + R"(], "y": [)" + item + R"(, {"name": "b"}]})");
    ASSERT_FALSE(lists);
    EXPECT_NE(lists.error().find("\"y\"[1]"), std::string::npos) << lists.error();
    EXPECT_FALSE(RecordDecoder::decodeJSON<std::vector<Item>>("not json"));
}

} // namespace
