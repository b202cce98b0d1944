// Counts typed into the count fields of the Data tab and the generation dialog, Qt-free.
#pragma once

#include <cstddef>
#include <string>

// The most numbers the buffer holds: 800 MB of doubles, and rows a grid can show.
constexpr std::size_t MaxDataCount = 100000000;

enum class TCountText { Valid, NotNumber, Negative, TooLarge };

// A decimal integer: an optional sign and at least one digit, nothing else. Valid counts are
// 0 to MaxDataCount; a longer run of digits is TooLarge, however many digits it has.
TCountText ParseCount(const std::string& text, std::size_t& count);

// The message for a count that is negative or too large.
const char* CountMessage(TCountText kind);
