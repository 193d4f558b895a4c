#pragma once

// The rules of the language the handlers were first written in. Every handler follows them, so
// counters kept as text, positions read back through text and the whole-number conversions
// behave exactly as the tutorials' listings say they do.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vb {

// A run-time error: its number and the language's description of it.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number);
    int number() const { return m_number; }

    // "Run-time error '6':", an empty line, then "Overflow".
    std::string report() const;

private:
    int m_number;
};

enum : int {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrInvalidPropertyValue = 380,
};

std::string_view errorDescription(int number);
[[noreturn]] void raise(int number);

// Val: the number a text begins with. Blanks, tabs and line feeds are skipped anywhere, reading
// stops at the first character that cannot continue a number, &H and &O prefixes and E or D
// exponents are understood, and anything else reads as 0.
double val(std::string_view text);

// Conversion of a text to a number where the whole text must be a number (leading and trailing
// blanks allowed); anything else is error 13 "Type mismatch".
double numberFromText(std::string_view text);

enum class Precision { Single, Double };

// A number written as text the way the language assigns it to a text property: no leading
// blank, up to 7 (single) or 15 (double) significant digits, trailing zeros dropped, exponent
// form such as 1E+15 or 1E-05 outside that range. Negative zero is written "0".
std::string str(double value, Precision precision = Precision::Double);

// The same, for the Single-typed properties (positions and sizes).
inline std::string str(float value) { return str(static_cast<double>(value), Precision::Single); }

// Whole-number conversions: nearest integer, exact halves to the even neighbour; out of range or
// not finite is error 6 "Overflow".
std::int32_t toLong(double value);
std::int32_t toLong(std::string_view text); // error 13 if the text is not wholly a number
std::int16_t toInteger(double value);
std::uint8_t toByte(double value);

// A Double stored into a Single property: error 6 when it does not fit.
float toSingle(double value);

// a / b in double precision; dividing by zero is error 11, and 0 / 0 is error 6.
double divide(double a, double b);

// a Mod b: both rounded to whole numbers first; the result has the sign of the dividend.
std::int32_t mod(double a, double b);

// "On Error Resume Next": a statement that raises an error is abandoned and the next one runs.
// When the failing statement is the test of an If, the statements under it run as if the test
// had been met.
class ResumeNext {
public:
    template <class Statement> void operator()(Statement&& statement) const
    {
        try {
            statement();
        } catch (const RuntimeError&) {
        }
    }

    template <class Condition> bool test(Condition&& condition) const
    {
        try {
            return condition();
        } catch (const RuntimeError&) {
            return true;
        }
    }
};

} // namespace vb
