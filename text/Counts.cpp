#include "Counts.h"

TCountText ParseCount(const std::string& text, std::size_t& count)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return TCountText::NotNumber;
    std::size_t value = 0;
    bool large = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return TCountText::NotNumber;
        if (!large) {
            value = value * 10 + static_cast<std::size_t>(c - '0');
            large = value > MaxDataCount;
        }
    }
    if (negative && (large || value > 0))
        return TCountText::Negative;
    if (large)
        return TCountText::TooLarge;
    count = value;
    return TCountText::Valid;
}

const char* CountMessage(TCountText kind)
{
    switch (kind) {
    case TCountText::Negative:
        return "The count of numbers can not be negative.";
    case TCountText::TooLarge:
        return "The count is too large: the buffer holds at most 100000000 numbers.";
    default:
        return "";
    }
}
