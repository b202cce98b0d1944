#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "NumberFormat.h"

namespace {
std::string G(double v, char sep = '.') { return FormatGeneral(v, sep); }
std::string R(double v, char sep = '.') { return FormatResult(v, sep); }
bool Parses(const std::string& text, double expected, char sep = '.')
{
    double v = -12345;
    return ParseNumber(text, sep, v) && (v == expected || (std::isnan(v) && std::isnan(expected)));
}
bool Rejects(const std::string& text, char sep = '.')
{
    double v = 0;
    return !ParseNumber(text, sep, v);
}
}  // namespace

TEST(GeneralFormat, FixedFromTenToTheMinusFourUpToFifteenDigits)
{
    EXPECT_EQ(G(0), "0");
    EXPECT_EQ(G(-0.0), "0");
    EXPECT_EQ(G(1.5), "1.5");
    EXPECT_EQ(G(-2), "-2");
    EXPECT_EQ(G(0.0001), "0.0001");
    EXPECT_EQ(G(0.00012), "0.00012");
    EXPECT_EQ(G(0.000099), "9.9E-5");
    EXPECT_EQ(G(123456789012345.0), "123456789012345");  // 15 digits before the separator
    EXPECT_EQ(G(1234567890123456.0), "1.23456789012346E15");  // 16: scientific, 15 digits
    EXPECT_EQ(G(0.1 + 0.2), "0.3");  // 0.30000000000000004 at 15 significant digits
    EXPECT_EQ(G(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(G(999999999999999.9), "1E15");
    EXPECT_EQ(G(1E20), "1E20");
    EXPECT_EQ(G(-2.5E-7), "-2.5E-7");
}

TEST(GeneralFormat, ExtremesAndNonFiniteValues)
{
    EXPECT_EQ(G(DBL_MAX), "1.79769313486232E308");
    EXPECT_EQ(G(std::numeric_limits<double>::denorm_min()), "4.94065645841247E-324");
    EXPECT_EQ(G(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(G(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(G(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(R(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(R(std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(ResultFormat, NineDecimalsAtMostTenSignificantDigits)
{
    EXPECT_EQ(R(0.5), "0.500000000");
    EXPECT_EQ(R(1), "1.000000000");
    EXPECT_EQ(R(123.4567890123), "123.456789000");
    EXPECT_EQ(R(0.9999999999995), "1.000000000");
    EXPECT_EQ(R(0.25), "0.250000000");
    EXPECT_EQ(R(4e-10), "0.000000000");  // small values never turn scientific
    EXPECT_EQ(R(-4e-10), "0.000000000");
    EXPECT_EQ(R(-0.0), "0.000000000");
    EXPECT_EQ(R(-1.959963985), "-1.959963985");
    EXPECT_EQ(R(1234567890.4), "1234567890.000000000");  // ten digits before the separator
    EXPECT_EQ(R(12345678901.0), "1.23456789E10");        // eleven: general, 10 digits
    EXPECT_EQ(R(9999999999.7), "1E10");
    EXPECT_EQ(R(DBL_MAX), "1.797693135E308");
}

// The shown result keeps the result format where it shows 4 digits or more; a smaller value
// that is not 0 gets its digits in the general format (7.6E-24 showed as 0.000000000).
TEST(ShownResultFormat, SmallValuesKeepTheirDigits)
{
    const std::pair<double, const char*> rows[] = {
        {0.5, "0.500000000"},           {123.4567890123, "123.456789000"},
        {1e-6, "0.000001000"},          {1.2346e-6, "0.000001235"},
        {9.99e-7, "9.99E-7"},           {3e-9, "3E-9"},
        {7.61985302416047e-24, "7.619853E-24"}, {-2.5e-300, "-2.5E-300"},
        {0.000999, "0.000999000"},      {4e-10, "4E-10"},
        {0, "0.000000000"},             {1e20, "1E20"},
        {5e-324, "4.940656E-324"}};
    for (const auto& [value, text] : rows)
        EXPECT_EQ(FormatShownResult(value, '.'), text) << value;
    EXPECT_EQ(FormatShownResult(7.61985302416047e-24, ','), "7,619853E-24");
    EXPECT_EQ(FormatShownResult(-HUGE_VAL, '.'), "-INF");
}

TEST(NumberFormats, UseTheGivenDecimalSeparator)
{
    EXPECT_EQ(G(1.5, ','), "1,5");
    EXPECT_EQ(G(2.5E-7, ','), "2,5E-7");
    EXPECT_EQ(R(0.5, ','), "0,500000000");
    EXPECT_TRUE(Parses("1,25", 1.25, ','));
    EXPECT_TRUE(Rejects("1.25", ','));
    EXPECT_TRUE(Rejects("1,25", '.'));
}

TEST(Parsing, AcceptsTheNumberGrammar)
{
    EXPECT_TRUE(Parses("1.5", 1.5));
    EXPECT_TRUE(Parses("  -2  ", -2));
    EXPECT_TRUE(Parses("+3", 3));
    EXPECT_TRUE(Parses(".5", 0.5));
    EXPECT_TRUE(Parses("5.", 5));
    EXPECT_TRUE(Parses(".", 0));
    EXPECT_TRUE(Parses("-.", 0));
    EXPECT_TRUE(Parses("1E3", 1000));
    EXPECT_TRUE(Parses("1e-3", 0.001));
    EXPECT_TRUE(Parses("2E", 2));   // missing exponent digits count 0
    EXPECT_TRUE(Parses("2e+", 2));
    EXPECT_TRUE(Parses("1.7E308", 1.7E308));
    EXPECT_TRUE(Parses("1E-400", 0));  // too small reads as 0
    EXPECT_TRUE(Parses("0.1", 0.1));
}

TEST(Parsing, RejectsEverythingElse)
{
    for (const char* text : {"", "   ", "\t1", "1\t", "abc", "1x", "E5", "1.2.3", "--1", "1 2",
                             "1E5.5", "INF", "NAN", "1,5", "1E400", "-1E309"})
        EXPECT_TRUE(Rejects(text)) << text;
}

TEST(Parsing, GeneralFormatTextReadsBackTheSameNumber)
{
    for (double v : {0.1, 1.0 / 3, 2.5e-7, 123456.789, -9.87654321e100, 0.00012})
        EXPECT_TRUE(Parses(G(v), std::stod(G(v)))) << v;
}

// Texts no field should meet, but a paste or a script can bring: they are read or refused,
// in bounded time, and never read past their end.
TEST(Parsing, HostileTexts)
{
    const std::string zeros(1 << 20, '0');
    EXPECT_TRUE(Parses("0." + zeros + "1", 0));  // a megabyte of digits, rounded as strtod does
    EXPECT_TRUE(Parses(zeros + "25", 25));
    EXPECT_TRUE(Rejects("1" + zeros));                    // 1E1048576: too large
    EXPECT_TRUE(Parses("1e-" + zeros + "7", 1e-7));
    EXPECT_TRUE(Rejects(std::string(1 << 20, ' ') + "x"));
    EXPECT_TRUE(Rejects("1e999999999"));
    EXPECT_TRUE(Rejects("1e99999999999999999999"));
    EXPECT_TRUE(Parses("1e-999999999", 0));
    EXPECT_TRUE(Rejects(std::string("1\0" "5", 3)));  // a NUL byte
    EXPECT_TRUE(Rejects(std::string("\0", 1)));
    EXPECT_TRUE(Rejects("\xd9\xa3"));                    // ARABIC-INDIC DIGIT THREE
    EXPECT_TRUE(Rejects("\xef\xbc\x91"));                // FULLWIDTH DIGIT ONE
    EXPECT_TRUE(Rejects("1\xc2\xa0" "5"));               // a no-break space inside
    // Both separators: only the given one is the separator.
    EXPECT_TRUE(Parses("1,5", 1.5, ','));
    EXPECT_TRUE(Rejects("1.5", ','));
    EXPECT_TRUE(Rejects("1,5", '.'));
    EXPECT_TRUE(Rejects("1,5.5", ','));
    EXPECT_TRUE(Parses(",25e1", 2.5, ','));
}
