#include "language/vb.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace vb {

std::string_view errorDescription(int number)
{
    switch (number) {
    case ErrInvalidCall: return "Invalid procedure call or argument";
    case ErrOverflow: return "Overflow";
    case ErrOutOfMemory: return "Out of memory";
    case ErrDivisionByZero: return "Division by zero";
    case ErrTypeMismatch: return "Type mismatch";
    case ErrInvalidPropertyValue: return "Invalid property value";
    default: return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int number)
    : std::runtime_error(std::string(errorDescription(number)))
    , m_number(number)
{
}

std::string RuntimeError::report() const
{
    return "Run-time error '" + std::to_string(m_number) + "':\r\n\r\n" + what();
}

void raise(int number) { throw RuntimeError(number); }

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Reads the digits of a &H or &O literal. The language keeps such literals in 16 bits when they
// fit (so &HFFFF is -1) and in 32 bits otherwise.
double radixValue(std::string_view text, std::size_t pos, int radix)
{
    std::uint64_t value = 0;
    bool any = false;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (isBlank(c))
            continue;
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (radix == 16 && std::isxdigit(static_cast<unsigned char>(c)))
            digit = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        else
            break;
        if (digit >= radix)
            break;
        value = value * radix + digit;
        any = true;
        if (value > 0xFFFFFFFFull)
            raise(ErrOverflow);
    }
    if (!any)
        return 0;
    if (value <= 0xFFFF)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Whether a decimal number that does not fit a double is too large rather than too small: the
// power of ten of its first significant digit (mantissa and exponent; huge exponents clamp).
bool beyondLargest(std::string_view digits)
{
    const std::size_t e = digits.find('e');
    const std::string_view mantissa = digits.substr(0, e);
    long long power = 0;
    if (e != std::string_view::npos) {
        std::string_view exponent = digits.substr(e + 1);
        const bool negative = !exponent.empty() && exponent[0] == '-';
        if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+'))
            exponent.remove_prefix(1);
        for (char c : exponent)
            power = std::min(power * 10 + (c - '0'), 1'000'000'000LL);
        if (negative)
            power = -power;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return false;
    const long long lead = first < point ? static_cast<long long>(point - first) - 1
                                         : -static_cast<long long>(first - point);
    return power + lead > 0;
}

// The value of a decimal number in the language's own notation (a point, never a comma), the
// same in every locale: strtod would follow LC_NUMERIC, which QApplication takes from the
// environment. Too large is error 6; too small to tell from zero is zero.
double decimalValue(std::string_view digits)
{
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1); // from_chars takes no plus sign; the sign is applied below
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(
        digits.data(), digits.data() + digits.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (beyondLargest(digits))
            raise(ErrOverflow);
        value = 0;
    }
    if (!std::isfinite(value))
        raise(ErrOverflow);
    return negative ? -value : value;
}

// Shared scanner for Val and for whole-text conversion. Returns the value and, through `end`,
// where reading stopped.
double scanNumber(std::string_view text, bool skipInnerBlanks, std::size_t& end)
{
    std::string digits;
    std::size_t pos = 0;
    auto skip = [&] {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
    };
    skip();
    if (pos + 1 < text.size() && text[pos] == '&') {
        char p = static_cast<char>(std::toupper(static_cast<unsigned char>(text[pos + 1])));
        if (p == 'H' || p == 'O') {
            end = text.size();
            return radixValue(text, pos + 2, p == 'H' ? 16 : 8);
        }
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        digits += text[pos++];
    bool mantissa = false, point = false;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (skipInnerBlanks && isBlank(c))
            continue;
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits += c;
            mantissa = true;
        } else if (c == '.' && !point) {
            digits += c;
            point = true;
        } else {
            break;
        }
    }
    if (mantissa && pos < text.size()) {
        char e = static_cast<char>(std::toupper(static_cast<unsigned char>(text[pos])));
        if (e == 'E' || e == 'D') {
            std::size_t save = pos;
            std::string exponent = "e";
            ++pos;
            if (skipInnerBlanks)
                skip();
            if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
                exponent += text[pos++];
            bool any = false;
            for (; pos < text.size(); ++pos) {
                char c = text[pos];
                if (skipInnerBlanks && isBlank(c))
                    continue;
                if (!std::isdigit(static_cast<unsigned char>(c)))
                    break;
                exponent += c;
                any = true;
            }
            if (any)
                digits += exponent;
            else
                pos = save;
        }
    }
    end = pos;
    if (!mantissa)
        return 0;
    return decimalValue(digits);
}

} // namespace

double val(std::string_view text)
{
    std::size_t end = 0;
    return scanNumber(text, true, end);
}

double numberFromText(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size() && isBlank(text[begin]))
        ++begin;
    std::size_t end = 0;
    double value = scanNumber(text.substr(begin), false, end);
    bool sawDigit = false;
    for (std::size_t i = begin; i < begin + end; ++i)
        sawDigit = sawDigit || std::isdigit(static_cast<unsigned char>(text[i]));
    for (std::size_t i = begin + end; i < text.size(); ++i)
        if (!isBlank(text[i]))
            raise(ErrTypeMismatch);
    if (!sawDigit)
        raise(ErrTypeMismatch);
    return value;
}

std::string str(double value, Precision precision)
{
    if (value == 0)
        return "0";
    char buffer[40];
    const int digits = precision == Precision::Single ? 7 : 15;
    if (precision == Precision::Single)
        value = static_cast<float>(value);
    // As printf's "%.*G" in the C locale, whatever LC_NUMERIC says: to_chars never writes a
    // decimal comma. It writes the exponent as "e+15", so the letters are raised to match.
    const auto [end, ec]
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::int32_t toLong(double value)
{
    if (!std::isfinite(value))
        raise(ErrOverflow);
    double rounded = std::nearbyint(value); // the default rounding mode sends halves to even
    if (rounded < std::numeric_limits<std::int32_t>::min()
        || rounded > std::numeric_limits<std::int32_t>::max())
        raise(ErrOverflow);
    return static_cast<std::int32_t>(rounded);
}

std::int32_t toLong(std::string_view text) { return toLong(numberFromText(text)); }

std::int16_t toInteger(double value)
{
    std::int32_t whole = toLong(value);
    if (whole < std::numeric_limits<std::int16_t>::min()
        || whole > std::numeric_limits<std::int16_t>::max())
        raise(ErrOverflow);
    return static_cast<std::int16_t>(whole);
}

std::uint8_t toByte(double value)
{
    std::int32_t whole = toLong(value);
    if (whole < 0 || whole > 255)
        raise(ErrOverflow);
    return static_cast<std::uint8_t>(whole);
}

float toSingle(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        raise(ErrOverflow);
    return static_cast<float>(value);
}

double divide(double a, double b)
{
    if (b == 0)
        raise(a == 0 || std::isnan(a) ? ErrOverflow : ErrDivisionByZero);
    double q = a / b;
    if (!std::isfinite(q))
        raise(ErrOverflow);
    return q;
}

std::int32_t mod(double a, double b)
{
    std::int32_t divisor = toLong(b);
    if (divisor == 0)
        raise(ErrDivisionByZero);
    if (divisor == -1)
        return 0; // INT_MIN % -1 would trap
    return toLong(a) % divisor;
}

} // namespace vb
