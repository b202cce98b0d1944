#include "ClipboardText.h"

#include "NumberFormat.h"

std::string CopyText(const TVector& values, char separator)
{
    std::string text;
    text.reserve(values.size() * 20);
    for (double v : values) {
        text += FormatGeneral(v, separator);
        text += "\r\n";
    }
    return text;
}

std::string_view WithoutFinalBreak(std::string_view text)
{
    if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n")
        text.remove_suffix(2);
    else if (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

TPasteShape PasteShape(std::string_view text)
{
    const bool lines = text.find_first_of("\r\n") != std::string_view::npos;
    const bool tabs = text.find('\t') != std::string_view::npos;
    if (lines && tabs)
        return TPasteShape::TwoD;
    if (lines)
        return TPasteShape::Column;
    if (tabs)
        return TPasteShape::Row;
    return TPasteShape::Unknown;
}

std::vector<std::string_view> PasteLines(std::string_view text, bool row)
{
    std::vector<std::string_view> lines;
    std::size_t begin = 0, i = 0;
    const auto isBreak = [row](char c) { return c == '\r' || c == '\n' || (row && c == '\t'); };
    while (i < text.size()) {
        if (!isBreak(text[i])) {
            ++i;
            continue;
        }
        lines.push_back(text.substr(begin, i - begin));
        // A tab stands for CR LF; CR LF (or a tab's CR LF) is one break.
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        begin = ++i;
    }
    if (begin < text.size())
        lines.push_back(text.substr(begin));
    return lines;
}

bool ParseLines(const std::vector<std::string_view>& lines, char separator, TVector& values,
                std::size_t& bad)
{
    TVector parsed(lines.size());
    std::string line;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        line.assign(lines[i]);
        if (!ParseNumber(line, separator, parsed[i])) {
            bad = i;
            return false;
        }
    }
    values.swap(parsed);
    return true;
}
