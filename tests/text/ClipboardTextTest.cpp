// The Data tab's Qt-free parts: the clipboard texts and the counts.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "ClipboardText.h"
#include "Counts.h"
#include "NumberFormat.h"

namespace {
std::vector<std::string> Lines(const std::string& clipboard)
{
    const std::string_view text = WithoutFinalBreak(clipboard);
    std::vector<std::string> out;
    for (std::string_view line : PasteLines(text, PasteShape(text) == TPasteShape::Row))
        out.emplace_back(line);
    return out;
}
using Strings = std::vector<std::string>;
}  // namespace

TEST(ClipboardText, CopyWritesEveryEntryWithCrLf)
{
    EXPECT_EQ(CopyText({1, 2.5, 1E20}, '.'), "1\r\n2.5\r\n1E20\r\n");
    EXPECT_EQ(CopyText({-0.5, 9.9e-5}, ','), "-0,5\r\n9,9E-5\r\n");
    EXPECT_EQ(CopyText({}, '.'), "");
}

TEST(ClipboardText, ShapeOfAPastedText)
{
    auto shape = [](const std::string& s) { return PasteShape(WithoutFinalBreak(s)); };
    EXPECT_EQ(shape("5"), TPasteShape::Unknown);
    EXPECT_EQ(shape("5\r\n"), TPasteShape::Unknown);  // one number, with its break removed
    // Every kind of line break makes a column, as Linux programs write LF alone (refused
    // before, and a two-column block with LF endings was taken for a row).
    EXPECT_EQ(shape("1\n2\n"), TPasteShape::Column);
    EXPECT_EQ(shape("1\r2\r"), TPasteShape::Column);
    EXPECT_EQ(shape("5\n"), TPasteShape::Unknown);
    EXPECT_EQ(shape("1\t2\n3\t4\n"), TPasteShape::TwoD);
    EXPECT_EQ(shape("1\t2\t3\n"), TPasteShape::Row);
    EXPECT_EQ(shape("1\r\n2"), TPasteShape::Column);
    EXPECT_EQ(shape("1\r\n2\r\n\r\n"), TPasteShape::Column);
    EXPECT_EQ(shape("1\t2\t3\r\n"), TPasteShape::Row);
    EXPECT_EQ(shape("1\t2\r\n3\t4"), TPasteShape::TwoD);
}

TEST(ClipboardText, LinesOfAColumnOrARow)
{
    EXPECT_EQ(Lines("1\r\n\r\n2"), (Strings{"1", "", "2"}));
    EXPECT_EQ(Lines("1\r\n2\r\n\r\n"), (Strings{"1", "2"}));  // a final break starts no line
    EXPECT_EQ(Lines("1\r\n2\r3\n4"), (Strings{"1", "2", "3", "4"}));
    EXPECT_EQ(Lines("1\t2\t3\r\n"), (Strings{"1", "2", "3"}));
    EXPECT_EQ(Lines("1\t\t3"), (Strings{"1", "", "3"}));
    const auto row = PasteLines("1\t\n2", true);  // the tab's break, then a break
    EXPECT_EQ(Strings(row.begin(), row.end()), (Strings{"1", "", "2"}));
}

TEST(ClipboardText, ParsingStopsAtTheFirstBadLineAndChangesNothing)
{
    TVector values{7, 8};
    std::size_t bad = 99;
    const std::vector<std::string_view> lines{"1", "", "x"};
    EXPECT_FALSE(ParseLines(lines, '.', values, bad));
    EXPECT_EQ(bad, 1u);
    EXPECT_EQ(values, (TVector{7, 8}));
    EXPECT_TRUE(ParseLines({" 1.5 ", "-2E3"}, '.', values, bad));
    EXPECT_EQ(values, (TVector{1.5, -2000}));
}

// Numbers of at most 15 significant digits come back bit for bit, whatever the separator.
TEST(ClipboardText, CopyThenPasteGivesTheSameNumbers)
{
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::uniform_int_distribution<int> exponent(-300, 300);
    TVector values;
    for (int i = 0; i < 20000; ++i) {
        double v = 0;
        ParseNumber(FormatGeneral(unit(random) * std::pow(10.0, exponent(random)), '.'), '.', v);
        values.push_back(v);
    }
    values.insert(values.end(), {0, 1E20, 123456789012345, 0.000099, -1E-300, 4.9E-324});
    for (char separator : {'.', ','}) {
        const std::string text = CopyText(values, separator);
        const std::string_view body = WithoutFinalBreak(text);
        ASSERT_EQ(PasteShape(body), TPasteShape::Column);
        TVector back;
        std::size_t bad = 0;
        ASSERT_TRUE(ParseLines(PasteLines(body, false), separator, back, bad)) << bad;
        ASSERT_EQ(back.size(), values.size());
        EXPECT_EQ(std::memcmp(back.data(), values.data(), values.size() * sizeof(double)), 0);
    }
}

TEST(Counts, AreDecimalIntegersWithinTheBuffersReach)
{
    std::size_t n = 77;
    EXPECT_EQ(ParseCount("250", n), TCountText::Valid);
    EXPECT_EQ(n, 250u);
    EXPECT_EQ(ParseCount("+7", n), TCountText::Valid);
    EXPECT_EQ(ParseCount("-0", n), TCountText::Valid);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(ParseCount("100000000", n), TCountText::Valid);
    for (const char* bad : {"", "-", "1a", " 1", "1.5", "1e3"})
        EXPECT_EQ(ParseCount(bad, n), TCountText::NotNumber) << bad;
    EXPECT_EQ(ParseCount("-3", n), TCountText::Negative);
    EXPECT_EQ(ParseCount("-99999999999999999999999", n), TCountText::Negative);
    EXPECT_EQ(ParseCount("100000001", n), TCountText::TooLarge);
    EXPECT_EQ(ParseCount("9999999999", n), TCountText::TooLarge);
    EXPECT_EQ(ParseCount(std::string(5000, '9'), n), TCountText::TooLarge);
    EXPECT_EQ(n, 100000000u);  // left as the last valid count
}
