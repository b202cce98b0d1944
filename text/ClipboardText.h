// The clipboard texts of the Data tab, Qt-free: what Copy writes, and how Paste reads a row or
// a column of numbers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Stat_Lib.h"

// Every entry in the general format followed by CR LF; the empty text for no entries.
std::string CopyText(const TVector& values, char separator);

// A line break is CR LF, LF or CR alone: Linux programs end lines with LF, spreadsheets on
// other systems with CR LF.

// The shape of a pasted text once one trailing line break is removed.
enum class TPasteShape {
    Column,   // line breaks and no tab
    Row,      // tabs and no line break: loaded as a column after a question
    TwoD,     // both
    Unknown,  // neither
};
TPasteShape PasteShape(std::string_view text);

// Removes one trailing line break, whichever kind.
std::string_view WithoutFinalBreak(std::string_view text);

// The lines of a pasted text, the row separator (tab) taken as a line break: a line ends at
// CR, LF or CR LF (one break), a final break starts no further line, empty lines count.
std::vector<std::string_view> PasteLines(std::string_view text, bool row);

// Parses every line; false at the first that does not parse, with its index in `bad`, and
// `values` then unchanged.
bool ParseLines(const std::vector<std::string_view>& lines, char separator, TVector& values,
                std::size_t& bad);
