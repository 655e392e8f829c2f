#include "platform/core/Text.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace platform;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::uint64_t bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

} // namespace

TEST(TextVal, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"6", 6.0},
        {"0", 0.0},
        {"-3", -3.0},
        {"+4", 4.0},
        {"2.5", 2.5},
        {"2.5abc", 2.5},
        {".5", 0.5},
        {"5.", 5.0},
        {"-.25", -0.25},
        {"  \t 7", 7.0},
        {"7 8", 7.0},
        {"3\t4", 3.0},
        {"0.1", 0.1},
        {"1e3", 1000.0},
        {"1E3", 1000.0},
        {"2.5e-1", 0.25},
        {"1e+2x", 100.0},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"1ex", 1.0},
        {"00012", 12.0},
        {"1e999", kInf},
        {"-1e999", -kInf},
        {"123456789012345678901234567890e300", kInf},
        {"0.000000001e-999", 0.0},
        {"1e-999", 0.0},
        {"1e99999999999999999999", kInf},
        {"9007199254740993", 9007199254740992.0}, // rounds to nearest Double
        {"abc", 0.0},
        {"", 0.0},
        {" ", 0.0},
        {"-", 0.0},
        {"+", 0.0},
        {".", 0.0},
        {"-.", 0.0},
        {"e5", 0.0},
        {"inf", 0.0},
        {"-inf", 0.0},
        {"nan", 0.0},
        {"infinity", 0.0},
        {"0x10", 0.0},
        {"1,5", 1.0},
        {"\n5", 0.0}, // only blanks and tabs are skipped
        {"- 5", 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("Val(\"") + c.text + "\")");
        const double value = Val(c.text);
        EXPECT_FALSE(std::isnan(value));
        EXPECT_EQ(bits(value), bits(c.expected)) << value;
    }
}

TEST(TextVal, MinusZeroKeepsItsSign) {
    EXPECT_TRUE(std::signbit(Val("-0")));
    EXPECT_TRUE(std::signbit(Val("-0.0")));
    EXPECT_FALSE(std::signbit(Val("0")));
}

TEST(TextVal, NeverReadsPastTheText) {
    // A String whose bytes stop in the middle of a number must not look past its end.
    const std::string backing = "12345";
    const String prefix(std::string_view(backing).substr(0, 2));
    EXPECT_EQ(Val(prefix), 12.0);
    const String exponent(std::string_view("1e5", 2));
    EXPECT_EQ(Val(exponent), 1.0);
}

TEST(TextStr, PrintsDoubles) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {6.0, "6"},
        {-1.0, "-1"},
        {12345.0, "12345"},
        {999999.0, "999999"},
        {1000000.0, "1000000"},
        {9007199254740991.0, "9007199254740991"},
        {-9007199254740991.0, "-9007199254740991"},
        {2.5, "2.5"},
        {0.1, "0.1"},
        {-1.25, "-1.25"},
        {1.0 / 3.0, "0.3333333333333333"},
        {0.0001, "0.0001"},
        {1e-5, "1e-05"},
        {9007199254740992.0, "9007199254740992"},
        {1e20, "1e+20"},
        {1.7976931348623157e308, "1.7976931348623157e+308"},
        {kNaN, "NaN"},
        {kInf, "Inf"},
        {-kInf, "-Inf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Str(c.value).view(), c.expected);
    }
}

TEST(TextStr, NonWholeTextReadsBackAsTheSameDouble) {
    const double values[] = {0.1, 2.5, 1.0 / 3.0, -7.125e-12, 123456.789, 5e-324, 1e300 / 7.0};
    for (double value : values) {
        SCOPED_TRACE(Str(value).str());
        EXPECT_EQ(bits(Val(Str(value))), bits(value));
    }
}

TEST(TextStr, PrintsIntegers) {
    EXPECT_EQ(Str(std::int64_t{0}).view(), "0");
    EXPECT_EQ(Str(5).view(), "5");
    EXPECT_EQ(Str(-42).view(), "-42");
    EXPECT_EQ(Str(std::numeric_limits<std::int64_t>::max()).view(), "9223372036854775807");
    EXPECT_EQ(Str(std::numeric_limits<std::int64_t>::min()).view(), "-9223372036854775808");
}

TEST(TextFormat, PrintsByPattern) {
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    };
    const Case cases[] = {
        {5.0 / 9.0, ".0000", ".5556"},
        {0.0, ".0000", ".0000"},
        {100000.0, ".0000", "100000.0000"},
        {0.43021978021978, "+.0000", "+.4302"},
        {-0.25, "+.0000", "-.2500"},
        {-0.25, ".0000", "-.2500"},
        {15.6379, "+##.00", "+15.64"},
        {2.1512, "+##.00", "+2.15"},
        {0.0, "+##.00", "+.00"},
        {0.9999, ".0000", ".9999"},
        {1.0, ".0000", "1.0000"},
        {1.0 - 0x1p-53, ".0000", "1.0000"},
        {0.99995, ".0000", "1.0000"},
        {1234.5, "+##.00", "+1234.50"},
        {0.5, "0.00", "0.50"},
        {7.0, "000", "007"},
        {1234.0, "00", "1234"},
        {7.0, "#", "7"},
        {0.0, "#", ""},
        {1e20, "#", "100000000000000000000"},
        {0.5, ".##", ".5"},
        {0.5, ".0#", ".5"},
        {0.5, ".#0", ".50"},
        {0.0, ".0#", ".0"},
        {0.0, "#.##", "."},
        {0.125, ".0#", ".12"}, // 0.125 is exact: the tie goes to the even digit
        {0.375, ".0#", ".38"},
        {2.5, "#", "2"},
        {3.5, "#", "4"},
        {0.1 + 0.2, ".0000000000000000", ".3000000000000000"},
        {0.30000000000000004, ".00000000000000000", ".30000000000000004"},
        {-0.00001, ".0000", "-.0000"},
        {-0.0, "+.0000", "+.0000"},
        {-0.0, ".0000", ".0000"},
        {-3.0, "+##.00", "-3.00"},
        {kNaN, ".0000", "NaN"},
        {kNaN, "+.0000", "NaN"},
        {kInf, ".0000", "Inf"},
        {kInf, "+##.00", "+Inf"},
        {-kInf, ".0000", "-Inf"},
        {-kInf, "+.0000", "-Inf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("Format(") + Str(c.value).str() + ", \"" + c.pattern + "\")");
        EXPECT_EQ(Format(c.value, c.pattern).view(), c.expected);
    }
}

TEST(TextFormat, LargestDoubleKeepsAllItsDigits) {
    const String text = Format(std::numeric_limits<double>::max(), ".0000");
    EXPECT_EQ(text.length(), 309 + 5);
    EXPECT_EQ(text.view().substr(0, 6), "179769");
    EXPECT_EQ(text.view().substr(309), ".0000");
}

TEST(TextNthField, SplitsAtEverySeparator) {
    const String tab = "\t";
    struct Case {
        const char* source;
        std::int64_t index;
        const char* expected;
    };
    const Case cases[] = {
        {"1\t2\t3", 1, "1"},   {"1\t2\t3", 2, "2"},
        {"1\t2\t3", 3, "3"},   {"1\t2\t3", 4, ""},
        {"1\t2\t3", 0, ""},    {"1\t2\t3", -1, ""},
        {"\t5\t1", 1, ""},     {"\t5\t1", 2, "5"},
        {"4\t\t2", 2, ""},     {"4\t\t2", 3, "2"},
        {"1 2 3", 1, "1 2 3"}, {"1 2 3", 2, ""},
        {"", 1, ""},           {"", 2, ""},
        {"6\t", 2, ""},        {"\xC3\xA4\t\xE2\x82\xAC", 2, "\xE2\x82\xAC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " #" + std::to_string(c.index));
        EXPECT_EQ(NthField(c.source, tab, c.index).view(), c.expected);
    }
    EXPECT_EQ(NthField("a\t1", tab, std::numeric_limits<std::int64_t>::max()).view(), "");
}

TEST(TextNthField, SeparatorsOfSeveralCharacters) {
    EXPECT_EQ(NthField("a::b::c", "::", 2).view(), "b");
    EXPECT_EQ(NthField("a\xE2\x82\xAC"
                       "b",
                       "\xE2\x82\xAC", 2)
                  .view(),
              "b");
    EXPECT_EQ(NthField("abc", "", 1).view(), "");
}

TEST(TextRight, TakesTheLastCharacters) {
    const String pad = "                         "; // 25 blanks, as a report cell pads
    ASSERT_EQ(Len(pad), 25);
    EXPECT_EQ(Right(pad + "100000.0000", 10).view(), "00000.0000");
    EXPECT_EQ(Right(pad + ".5556", 12).view(), "       .5556");
    EXPECT_EQ(Right(pad + "6", 4).view(), "   6");
    EXPECT_EQ(Right(pad + "12345", 4).view(), "2345");
    EXPECT_EQ(Right("abc", 3).view(), "abc");
    EXPECT_EQ(Right("abc", 99).view(), "abc");
    EXPECT_EQ(Right("abc", 0).view(), "");
    EXPECT_EQ(Right("abc", -2).view(), "");
    EXPECT_EQ(Right("", 4).view(), "");
    EXPECT_EQ(Right("x\xC3\xA4\xE2\x82\xAC", 2).view(), "\xC3\xA4\xE2\x82\xAC");
    EXPECT_EQ(Right("x\xC3\xA4\xE2\x82\xAC", 1).view(), "\xE2\x82\xAC");
}

TEST(TextRight, InvalidBytesStayInBounds) {
    // Stray continuation bytes belong to the character before them; a truncated sequence at
    // the end is one character.
    const String text("\x80\x80"
                      "a\xBF"
                      "b\xE2\x82");
    EXPECT_EQ(Len(text), 3);
    EXPECT_EQ(Right(text, 1).view(), "\xE2\x82");
    EXPECT_EQ(Right(text, 2).view(), "b\xE2\x82");
    EXPECT_EQ(Right(text, 3).view(), text.view());
    EXPECT_EQ(Right(text, 2).length(), 2);
}

TEST(TextLen, CountsCharacters) {
    EXPECT_EQ(Len(""), 0);
    EXPECT_EQ(Len("Category10"), 10);
    EXPECT_EQ(Len("\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80"), 3);
}

TEST(TextAscChr, CodesRoundTrip) {
    const std::int64_t codes[] = {0,      1,      8,      9,       13,      32,
                                  48,     127,    128,    0xE4,    0x7FF,   0x800,
                                  0x20AC, 0xFFFD, 0xFFFF, 0x10000, 0x1F600, 0x10FFFF};
    for (std::int64_t code : codes) {
        SCOPED_TRACE(code);
        const String text = Chr(code);
        EXPECT_EQ(Len(text), 1);
        EXPECT_EQ(Asc(text), code);
    }
}

TEST(TextAscChr, KnownEncodings) {
    EXPECT_EQ(Chr(9).view(), "\t");
    EXPECT_EQ(Chr(13).view(), "\r");
    EXPECT_EQ(Chr(8).view(), "\b");
    EXPECT_EQ(Chr(127).view(), "\x7F");
    EXPECT_EQ(Chr(0).view(), std::string_view("\0", 1));
    EXPECT_EQ(Chr(0xE4).view(), "\xC3\xA4");
    EXPECT_EQ(Chr(0x20AC).view(), "\xE2\x82\xAC");
    EXPECT_EQ(Chr(0x1F600).view(), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Asc("abc"), 97);
    EXPECT_EQ(Asc("\xE2\x82\xAC"
                  "x"),
              0x20AC);
    EXPECT_EQ(Asc(""), 0);
}

TEST(TextAscChr, NoCharacterGivesEmptyText) {
    for (std::int64_t code :
         {std::int64_t{-1}, std::int64_t{0xD800}, std::int64_t{0xDFFF}, std::int64_t{0x110000},
          std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min()}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(Chr(code).view(), "");
    }
}

TEST(TextAscChr, InvalidLeadGivesItsByte) {
    struct Case {
        const char* text;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"\x80", 0x80},             // continuation byte first
        {"\xFF", 0xFF},             // never valid
        {"\xC0\x80", 0xC0},         // overlong NUL
        {"\xE0\x80\x80", 0xE0},     // overlong
        {"\xED\xA0\x80", 0xED},     // surrogate
        {"\xF4\x90\x80\x80", 0xF4}, // above U+10FFFF
        {"\xE2\x82", 0xE2},         // cut short
        {"\xE2"
         "ab",
         0xE2}, // not followed by continuation bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(Asc(c.text), c.expected);
    }
}
