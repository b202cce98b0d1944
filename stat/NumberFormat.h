// The number formats of the windows, Qt-free: the decimal separator is an argument (the
// windows pass the locale's).
#pragma once

#include <string>

// General format: the shortest text with at most 15 significant digits; fixed notation for 0
// and for magnitudes from 0.0001 with at most 15 digits before the separator, otherwise
// scientific ("9.9E-5", "1E20": no exponent padding, no plus sign).
std::string FormatGeneral(double value, char separator);

// The general format with at most 4 significant digits, for axis labels.
std::string FormatShort(double value, char separator);

// The general format with at most `digits` significant digits (1 to 15).
std::string FormatDigits(double value, int digits, char separator);

// Result format: rounded to 10 significant digits or 9 decimals, whichever keeps fewer, shown
// with exactly 9 decimals ("0.500000000"); a value with more than 10 digits before the
// separator is shown like the general format with at most 10 significant digits.
std::string FormatResult(double value, char separator);

// The result format where it shows at least 4 significant digits of the value; a smaller
// value that is not 0 (a tail of 7.6E-24 showed as 0.000000000) in the general format with at
// most 7 significant digits, so that the exponent fits the field beside the digits.
std::string FormatShownResult(double value, char separator);

// A positive value given by its natural logarithm (one below the doubles: a tail of 3.66E-350),
// in the form FormatShownResult gives a small value: 7 significant digits and an exponent.
std::string FormatFromLog(double logValue, char separator);

// Parses a typed number: spaces around it are skipped (tabs are not), then a sign, digits with
// an optional separator and more digits (a lone separator reads 0), an optional exponent
// ("E" or "e", a sign, digits; no digits count 0), and nothing after. False for anything else,
// the empty text, and a number too large for a double.
bool ParseNumber(const std::string& text, char separator, double& value);
