// Data files, Qt-free: a table of numbers read from CSV, TSV or plain text, and a column
// written back. The reader takes the file's bytes whole and parses them in steps, so that a
// window can show progress and cancel between them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Stat_Lib.h"

struct csv_parser;

// One column of the file: its numbers in file order, the empty cells it skipped, and the
// first cell that is not a number ("Row 17, column B: 'n/a' is not a number."), which refuses
// the column.
struct TDataColumn {
    std::string name;  // the header's, or the spreadsheet's letter ("A", "B", ... "AA")
    TVector values;
    std::size_t empty = 0;
    std::string refusal;
};

// Reading rules: UTF-8 with or without a byte-order mark, UTF-16 with one; any line ending;
// RFC 4180 fields (quotes, separators and line breaks inside quotes) by libcsv. The separator
// is found from the first lines: a tab, else a semicolon, else a comma, else runs of spaces,
// each where at least half the lines hold it; a file with none has one column. The decimal
// mark is the one the numbers use (a comma where the separator is not one), else the locale's;
// numbers with both marks (a thousands separator) are refused, not guessed. A first row with a
// cell that is not a number names the columns.
class TDataFileReader {
public:
    TDataFileReader(std::string bytes, char localeDecimal);
    ~TDataFileReader();
    TDataFileReader(const TDataFileReader&) = delete;
    TDataFileReader& operator=(const TDataFileReader&) = delete;

    // Parses the next piece; true when the whole file is read (or refused).
    bool Step();
    double Progress() const;
    // Why the file cannot be read as a table; empty when it can.
    const std::string& Refusal() const { return refusal_; }
    char Separator() const { return separator_; }  // '\0': one column
    char Decimal() const { return decimal_; }
    bool Header() const { return header_; }
    // The columns, once Step returned true.
    std::vector<TDataColumn>& Columns() { return columns_; }

    // Parser callbacks (libcsv's C interface).
    void Field(const char* text, std::size_t length);
    void RowEnd();

private:
    std::string text_;  // the file as UTF-8, without a byte-order mark
    std::size_t at_ = 0;
    csv_parser* parser_ = nullptr;
    char separator_ = 0, decimal_ = '.';
    bool header_ = false, done_ = false;
    std::string refusal_;
    std::vector<TDataColumn> columns_;
    std::vector<std::string> firstRow_;
    std::size_t row_ = 0, column_ = 0;
    std::string cell_;  // the cell being read, kept to spare an allocation a cell
    void Detect(char localeDecimal);
    void Cell(std::size_t index, const char* text, std::size_t length, std::size_t row);
    TDataColumn& ColumnAt(std::size_t index);
};

// A column as a file: one value a line in the shortest form that reads back to the same double,
// under the header "x" for CSV.
std::string DataColumnText(const TVector& values, bool csv);

// The letters a spreadsheet names its column with: 0 is "A", 26 is "AA".
std::string ColumnLetters(std::size_t index);
