// The language rules every handler relies on: reading numbers from text, writing them back,
// whole-number conversions and resume-next error handling.

#include "language/vb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

using vb::Precision;

TEST(Language, Val)
{
    const struct {
        const char* name;
        const char* text;
        double expected;
    } rows[] = {
        { "empty", "", 0.0 },
        { "counter", "248", 248.0 },
        { "leading blank", " 4", 4.0 },
        { "blanks inside", "1 2 3", 123.0 },
        { "tab and line feed", "\t1\n2", 12.0 },
        { "fraction", "2.5", 2.5 },
        { "stops at letter", "12abc", 12.0 },
        { "not a number", "abc", 0.0 },
        { "negative", "-5880", -5880.0 },
        { "exponent", "1E3", 1000.0 },
        { "D exponent", "2D2", 200.0 },
        { "dangling exponent", "7E", 7.0 },
        { "hex", "&HFF", 255.0 },
        { "hex 16-bit wraps", "&HFFFF", -1.0 },
        { "octal", "&O17", 15.0 },
        { "second point stops", "1.2.3", 1.2 },
        { "carriage return stops", "5\r6", 5.0 },
        { "plus sign", "+5", 5.0 },
        { "point first", ".5", 0.5 },
        { "too small for a double", "1E-400", 0.0 },
        { "smallest double", "5E-324", 5e-324 },
    };
    for (const auto& row : rows)
        EXPECT_EQ(vb::val(row.text), row.expected) << row.name;
}

TEST(Language, Str)
{
    const struct {
        const char* name;
        double value;
        bool single;
        const char* expected;
    } rows[] = {
        { "whole", 250.0, false, "250" },
        { "fraction", 3.5, false, "3.5" },
        { "below one", 0.5, false, "0.5" },
        { "negative", -5880.0, true, "-5880" },
        { "negative zero", -0.0, false, "0" },
        { "15 digits", 123456789012345.0, false, "123456789012345" },
        { "16 digits go exponent", 1e15, false, "1E+15" },
        { "small goes exponent", 0.00001, false, "1E-05" },
        { "single 7 digits", 5150.0, true, "5150" },
        { "single rounds", 1.0 / 3, true, "0.3333333" },
        { "single large", 12345678.0, true, "1.234568E+07" },
        { "double third", 1.0 / 3, false, "0.333333333333333" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(
            vb::str(row.value, row.single ? Precision::Single : Precision::Double), row.expected)
            << row.name;
}

TEST(Language, ToLong)
{
    const struct {
        const char* name;
        double value;
        int expected;
        int error;
    } rows[] = {
        { "half to even 0.5", 0.5, 0, 0 },
        { "half to even 1.5", 1.5, 2, 0 },
        { "half to even 2.5", 2.5, 2, 0 },
        { "half to even 3.5", 3.5, 4, 0 },
        { "negative half", -2.5, -2, 0 },
        { "near tie", 28.4999, 28, 0 },
        { "max", 2147483647.0, 2147483647, 0 },
        { "min", -2147483648.0, int(-2147483648LL), 0 },
        { "above range", 2147483648.0, 0, 6 },
        { "infinite", std::numeric_limits<double>::infinity(), 0, 6 },
        { "nan", std::nan(""), 0, 6 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            EXPECT_EQ(vb::toLong(row.value), row.expected);
            EXPECT_EQ(row.error, 0);
        } catch (const vb::RuntimeError& e) {
            EXPECT_EQ(e.number(), row.error);
        }
    }
}

TEST(Language, ConversionsFromText)
{
    const struct {
        const char* name;
        const char* text;
        int expected;
        int error;
    } rows[] = {
        { "counter", "250", 250, 0 },
        { "blanks around", " 12 ", 12, 0 },
        { "fraction rounds", "2.5", 2, 0 },
        { "empty", "", 0, 13 },
        { "letters", "abc", 0, 13 },
        { "trailing letters", "12abc", 0, 13 },
        { "huge", "1E40", 0, 6 },
        { "beyond a double", "1E400", 0, 6 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            EXPECT_EQ(vb::toLong(std::string_view(row.text)), row.expected);
            EXPECT_EQ(row.error, 0);
        } catch (const vb::RuntimeError& e) {
            EXPECT_EQ(e.number(), row.error);
        }
    }
}

TEST(Language, ByteAndInteger)
{
    EXPECT_EQ(vb::toByte(250), std::uint8_t(250));
    EXPECT_EQ(vb::toByte(254.5), std::uint8_t(254));
    EXPECT_EQ(vb::toInteger(-32768), std::int16_t(-32768));
    for (double bad : { -1.0, 256.0, 255.5 + 1 }) {
        try {
            vb::toByte(bad);
            FAIL() << "expected Overflow for " << bad;
        } catch (const vb::RuntimeError& e) {
            EXPECT_EQ(e.number(), 6);
        }
    }
    EXPECT_THROW(vb::toInteger(32768), vb::RuntimeError);
}

TEST(Language, Arithmetic)
{
    EXPECT_EQ(vb::mod(360, 360), 0);
    EXPECT_EQ(vb::mod(-370, 360), -10);
    EXPECT_EQ(vb::mod(10.5, 360), 10); // rounded half to even first
    EXPECT_EQ(vb::mod(-2147483648.0, -1), 0);
    EXPECT_EQ(vb::divide(15360, 15), 1024.0);
    try {
        vb::divide(1, 0);
        FAIL() << "expected Division by zero";
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.number(), 11);
    }
    try {
        vb::divide(0, 0);
        FAIL() << "expected Overflow";
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
}

TEST(Language, ErrorReport)
{
    EXPECT_EQ(vb::RuntimeError(6).report(), "Run-time error '6':\r\n\r\nOverflow");
    EXPECT_EQ(vb::RuntimeError(13).report(), "Run-time error '13':\r\n\r\nType mismatch");
}

TEST(Language, ResumeNext)
{
    const vb::ResumeNext next;
    int steps = 0;
    next([&] { vb::raise(6); });
    next([&] { ++steps; });
    EXPECT_EQ(steps, 1);
    // A failing If test runs the body.
    EXPECT_TRUE(next.test([]() -> bool { vb::raise(13); }));
    EXPECT_FALSE(next.test([] { return false; }));
    // Other exceptions are not the language's errors and are not swallowed.
    EXPECT_THROW(next([] { throw std::logic_error("bug"); }), std::logic_error);
}
