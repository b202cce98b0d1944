#include "NumberFormat.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

// Digits are placed by std::to_chars, which knows no locale: the separator comes only from the
// argument, whatever LC_NUMERIC is in force.
namespace {
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "INF", "-INF" and "NAN" in both formats; false for a finite value.
bool NonFinite(double value, std::string& text)
{
    if (std::isnan(value))
        text = "NAN";
    else if (std::isinf(value))
        text = value < 0 ? "-INF" : "INF";
    else
        return false;
    return true;
}

// The value rounded to `digits` significant digits: its digit string (trailing zeros
// dropped, at least one digit) and the decimal exponent of its first digit.
void Significant(double magnitude, int digits, std::string& mantissa, int& exponent)
{
    char buffer[64];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific,
                      digits - 1)
            .ptr;
    // buffer: d.ddddde[+-]xx
    mantissa.clear();
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            mantissa += *p;
    ++p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    std::from_chars(p, end, exponent);
    if (negative)
        exponent = -exponent;
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
}

// General-style text of a value with at most `precision` significant digits.
std::string General(double value, int precision, char separator)
{
    if (value == 0)
        return "0";
    std::string digits;
    int e = 0;
    Significant(std::fabs(value), precision, digits, e);
    std::string text = value < 0 ? "-" : "";
    const int count = static_cast<int>(digits.size());
    if (e >= -4 && e < precision) {
        if (e >= 0) {
            for (int i = 0; i <= e; ++i)
                text += i < count ? digits[i] : '0';
            if (count > e + 1)
                text += separator + digits.substr(e + 1);
        } else {
            text += '0';
            text += separator;
            text += std::string(-e - 1, '0') + digits;
        }
        return text;
    }
    text += digits[0];
    if (count > 1)
        text += separator + digits.substr(1);
    text += 'E' + std::to_string(e);
    return text;
}
}  // namespace

std::string FormatGeneral(double value, char separator)
{
    std::string text;
    if (NonFinite(value, text))
        return text;
    return General(value, 15, separator);
}

std::string FormatShort(double value, char separator)
{
    return FormatDigits(value, 4, separator);
}

std::string FormatDigits(double value, int digits, char separator)
{
    std::string text;
    if (NonFinite(value, text))
        return text;
    return General(value, digits, separator);
}

std::string FormatResult(double value, char separator)
{
    std::string text;
    if (NonFinite(value, text))
        return text;
    std::string digits;
    int e = 0;
    if (value != 0)
        Significant(std::fabs(value), 10, digits, e);
    if (value != 0 && e >= 10)
        return General(value, 10, separator);
    // Ten significant digits leave 9 - e decimals for e >= 0; smaller values keep 9.
    const int decimals = e >= 0 ? 9 - e : 9;
    char buffer[400];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals)
            .ptr;
    text.assign(static_cast<const char*>(buffer), end);
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        text += '.';
    text.append(9 - decimals, '0');
    text[text.find('.')] = separator;
    // A value that rounds to zero shows no sign.
    if (text[0] == '-' && text.find_first_not_of(std::string("-0") + separator) == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string FormatShownResult(double value, char separator)
{
    const std::string text = FormatResult(value, separator);
    if (value == 0 || !std::isfinite(value))
        return text;
    int significant = 0;
    bool leading = true;
    for (char c : text) {
        if (!IsDigit(c))
            continue;
        leading = leading && c == '0';
        significant += !leading;
    }
    return significant < 4 ? General(value, 7, separator) : text;
}

std::string FormatFromLog(double logValue, char separator)
{
    // log10 of the value in extended precision: its fraction gives the digits.
    const long double tens = logValue / 2.302585092994045684017991454684364208L;
    long double exponent = std::floor(tens);
    std::string digits;
    int shift = 0;
    Significant(static_cast<double>(std::pow(10.0L, tens - exponent)), 7, digits, shift);
    exponent += shift;  // a mantissa that rounds up to 10
    std::string text(1, digits[0]);
    if (digits.size() > 1)
        text += separator + digits.substr(1);
    // The exponent whole, also beyond the 64-bit integers (a logarithm below -2e19, where no
    // digit of the mantissa is known and it reads 1).
    char power[400];
    std::snprintf(power, sizeof power, "%.0Lf", exponent);
    return text + 'E' + power;
}

bool ParseNumber(const std::string& text, char separator, double& value)
{
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return false;
    const std::size_t end = text.find_last_not_of(' ') + 1;
    std::size_t i = begin;
    std::string normal;
    if (text[i] == '+' || text[i] == '-')
        normal += text[i++];
    std::string whole, fraction;
    while (i < end && IsDigit(text[i]))
        whole += text[i++];
    bool point = false;
    if (i < end && text[i] == separator) {
        point = true;
        ++i;
        while (i < end && IsDigit(text[i]))
            fraction += text[i++];
    }
    if (whole.empty() && !point)
        return false;
    std::string exponent = "0";
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        std::string sign;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            sign = text[i++];
        std::string digits;
        while (i < end && IsDigit(text[i]))
            digits += text[i++];
        exponent = sign + (digits.empty() ? "0" : digits);
    }
    if (i != end)
        return false;
    normal += (whole.empty() ? "0" : whole) + "." + (fraction.empty() ? "0" : fraction) + "e" +
              exponent;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    errno = 0;
    const double parsed = strtod_l(normal.c_str(), nullptr, cLocale);
    if (errno == ERANGE && std::isinf(parsed))
        return false;  // too large for a double; a value too small reads as 0 or subnormal
    value = parsed;
    return true;
}
