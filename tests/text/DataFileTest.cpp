// Data files read from disk as a user's would be: separators, decimal marks, encodings, quotes,
// headers, refusals; and a column saved and read back bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

#include "DataFile.h"

namespace {
// Writes the bytes to a file and reads them back as the window does.
struct Read {
    std::vector<TDataColumn> columns;
    std::string refusal;
    char separator = 0, decimal = 0;
    bool header = false;
};

Read ReadFile(const std::string& bytes, char localeDecimal = '.')
{
    // A name of this process's own: CTest runs the cases of the suite side by side.
    static int made = 0;
    const std::string path = testing::TempDir() + "velmora-data-file-" + std::to_string(getpid()) +
                             "-" + std::to_string(++made);
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    std::remove(path.c_str());
    TDataFileReader reader(content.str(), localeDecimal);
    while (!reader.Step()) {
    }
    return {reader.Columns(), reader.Refusal(), reader.Separator(), reader.Decimal(), reader.Header()};
}
}  // namespace

TEST(DataFile, SeparatorsAndLineEndings)
{
    struct Case {
        std::string bytes;
        char separator;
        std::size_t columns;
    } cases[] = {
        {"1.5\n2.5\n3\n", 0, 1},
        {"1.5\r\n2.5\r\n3", 0, 1},
        {"1.5\r2.5\r3\r", 0, 1},
        {"1\t2\n3\t4\n", '\t', 2},
        {"1;2;3\n4;5;6\n", ';', 3},
        {"1,2\n3,4\n", ',', 2},
        {"  1.5   2\n 3    4.25\n", ' ', 2},
    };
    for (const Case& c : cases) {
        const Read r = ReadFile(c.bytes);
        EXPECT_EQ(r.refusal, "") << c.bytes;
        EXPECT_EQ(r.separator, c.separator) << c.bytes;
        ASSERT_EQ(r.columns.size(), c.columns) << c.bytes;
        EXPECT_EQ(r.columns[0].values.size(), c.columns == 1 ? 3u : 2u) << c.bytes;
    }
    const Read spaces = ReadFile("  1.5   2\n 3    4.25\n");
    EXPECT_EQ(spaces.columns[1].values, (TVector{2, 4.25}));
}

TEST(DataFile, HeaderQuotesAndEmptyCells)
{
    // RFC 4180: quoted fields with the separator, a doubled quote and a line break inside.
    const Read r = ReadFile("\"name, with comma\",\"b \"\"x\"\"\",c\n"
                            "1,\"2.5\",\n"
                            ",4,\"line\nbreak\"\n"
                            "5,6,\n");
    EXPECT_TRUE(r.header);
    ASSERT_EQ(r.columns.size(), 3u);
    EXPECT_EQ(r.columns[0].name, "name, with comma");
    EXPECT_EQ(r.columns[1].name, "b \"x\"");
    EXPECT_EQ(r.columns[0].values, (TVector{1, 5}));
    EXPECT_EQ(r.columns[0].empty, 1u);
    EXPECT_EQ(r.columns[1].values, (TVector{2.5, 4, 6}));
    EXPECT_EQ(r.columns[2].empty, 2u);
    // The text cell refuses its column only, with its row (the header is row 1) and letter.
    EXPECT_EQ(r.columns[2].refusal, "Row 3, column C: 'line?break' is not a number.");
    EXPECT_EQ(r.columns[1].refusal, "");
    // Without a header the columns take letters, and the first row is data.
    const Read plain = ReadFile("1;2\n3;n/a\n");
    EXPECT_FALSE(plain.header);
    EXPECT_EQ(plain.columns[1].name, "B");
    EXPECT_EQ(plain.columns[1].refusal, "Row 2, column B: 'n/a' is not a number.");
    EXPECT_EQ(ColumnLetters(0), "A");
    EXPECT_EQ(ColumnLetters(25), "Z");
    EXPECT_EQ(ColumnLetters(26), "AA");
    EXPECT_EQ(ColumnLetters(701), "ZZ");
    EXPECT_EQ(ColumnLetters(702), "AAA");
}

TEST(DataFile, DecimalMarksFromTheContentElseTheLocale)
{
    // A comma between digits where the separator is not one: decimal commas.
    const Read semicolon = ReadFile("1,5;2\n2,75;3\n");
    EXPECT_EQ(semicolon.decimal, ',');
    EXPECT_EQ(semicolon.columns[0].values, (TVector{1.5, 2.75}));
    // One comma a line and no point: two whole columns for a point locale, one column of
    // decimals for a comma locale.
    EXPECT_EQ(ReadFile("1,5\n2,75\n", '.').columns.size(), 2u);
    const Read comma = ReadFile("1,5\n2,75\n", ',');
    ASSERT_EQ(comma.columns.size(), 1u);
    EXPECT_EQ(comma.columns[0].values, (TVector{1.5, 2.75}));
    // Whole numbers alone: the locale's mark.
    EXPECT_EQ(ReadFile("1\n2\n", ',').decimal, ',');
    // Both marks: a thousands separator, refused rather than guessed.
    EXPECT_EQ(ReadFile("1.234,5\n2\n").refusal,
              "The numbers use both '.' and ',': a thousands separator is not read.");
    EXPECT_EQ(ReadFile("1.5\n2,75\n", ',').refusal,
              "The numbers use both '.' and ',': a thousands separator is not read.");
}

TEST(DataFile, EncodingsAndOddFiles)
{
    const std::string bom = "\xEF\xBB\xBFx\n1.5\n2\n";
    const Read utf8 = ReadFile(bom);
    EXPECT_EQ(utf8.columns[0].name, "x");
    EXPECT_EQ(utf8.columns[0].values, (TVector{1.5, 2}));
    // UTF-16 with its mark, both byte orders.
    for (bool big : {false, true}) {
        std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
        for (char c : std::string("v\r\n-3.25\r\n1e3\r\n")) {
            bytes += big ? '\0' : c;
            bytes += big ? c : '\0';
        }
        const Read r = ReadFile(bytes);
        EXPECT_EQ(r.refusal, "") << big;
        ASSERT_EQ(r.columns.size(), 1u) << big;
        EXPECT_EQ(r.columns[0].values, (TVector{-3.25, 1000})) << big;
    }
    EXPECT_EQ(ReadFile(std::string("1\n\0\n2", 5)).refusal,
              "The file holds NUL bytes: it is not a text file.");
    EXPECT_TRUE(ReadFile("").columns.empty());
    EXPECT_TRUE(ReadFile("\xEF\xBB\xBF").columns.empty());
    // Invalid UTF-8 in a refused cell is quoted as '?'.
    EXPECT_EQ(ReadFile("1\n\xFF\xFE" "a\n").columns[0].refusal, "Row 2, column A: '??a' is not a number.");
    // Columns beyond the limit are refused, not listed.
    EXPECT_EQ(ReadFile(std::string(20000, ',') + "\n").refusal, "The file has more than 10000 columns.");
}

// Saved and opened again: the same doubles, bit for bit, at every magnitude.
TEST(DataFile, SaveThenOpenGivesTheSameDoubles)
{
    std::mt19937_64 g(5);
    TVector values{0.1, -0, 5e-324, 1.7976931348623157e308, 1.0 / 3, -2.5e-300, 123456789012345678.0};
    for (int i = 0; i < 2000; ++i) {
        double v = 0;
        do {
            const std::uint64_t bits = g();
            std::memcpy(&v, &bits, sizeof v);
        } while (!std::isfinite(v));
        values.push_back(v);
    }
    for (bool csv : {true, false}) {
        const Read r = ReadFile(DataColumnText(values, csv));
        ASSERT_EQ(r.columns.size(), 1u);
        EXPECT_EQ(r.header, csv);
        ASSERT_EQ(r.columns[0].values.size(), values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            ASSERT_EQ(std::memcmp(&r.columns[0].values[i], &values[i], sizeof(double)), 0) << values[i];
    }
    EXPECT_EQ(DataColumnText({1.5, -2, 1e300}, true), "x\n1.5\n-2\n1e+300\n");
}
