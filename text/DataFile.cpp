// Data files: the bytes decoded to UTF-8, the separator and decimal mark found from the first
// lines, the fields parsed by libcsv in pieces, each cell read as the calculator reads a typed
// number.
#include "DataFile.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "NumberFormat.h"

namespace {
constexpr std::size_t Piece = 4 << 20;         // bytes parsed a step
constexpr std::size_t SampleBytes = 64 << 10;  // the first lines the separator is found from
constexpr std::size_t SampleLines = 200;
constexpr std::size_t MaxColumns = 10000;
constexpr std::size_t ShownCell = 40;
constexpr std::size_t FieldBlock = 16 << 20;  // characters of a refused cell quoted in its message

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 after its byte-order mark, to UTF-8; a lone surrogate becomes U+FFFD.
std::string FromUtf16(const std::string& bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size() / 2);
    const auto unit = [&](std::size_t i) {
        const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t next = unit(i + 2);
            if (next >= 0xDC00 && next < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
                i += 2;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

// A cell as a message quotes it: at most ShownCell characters, control bytes and bytes outside
// ASCII as '?', so that a message never carries invalid text.
std::string Quoted(const char* text, std::size_t length)
{
    std::string out;
    for (std::size_t i = 0; i < length && out.size() < ShownCell; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    }
    if (length > ShownCell)
        out += "...";
    return out;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

void OnField(void* text, std::size_t length, void* reader)
{
    static_cast<TDataFileReader*>(reader)->Field(static_cast<const char*>(text), length);
}

void OnRowEnd(int, void* reader)
{
    static_cast<TDataFileReader*>(reader)->RowEnd();
}

// Spaces trimmed around unquoted fields: blanks and tabs, except the separator. libcsv's test
// takes no context: the separator of the reader being set up, one at a time on any thread.
thread_local char TrimmedSeparator = 0;
int IsBlank(unsigned char c)
{
    return (c == ' ' || c == '\t') && c != static_cast<unsigned char>(TrimmedSeparator);
}
}  // namespace

std::string ColumnLetters(std::size_t index)
{
    std::string letters;
    for (std::size_t n = index + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters;
}

TDataFileReader::TDataFileReader(std::string bytes, char localeDecimal)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE)
        text_ = FromUtf16(bytes, false);
    else if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
             static_cast<unsigned char>(bytes[1]) == 0xFF)
        text_ = FromUtf16(bytes, true);
    else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text_ = bytes.substr(3);
    else
        text_ = std::move(bytes);
    if (text_.find('\0') != std::string::npos) {
        refusal_ = "The file holds NUL bytes: it is not a text file.";
        done_ = true;
        return;
    }
    Detect(localeDecimal);
    if (!refusal_.empty()) {
        done_ = true;
        return;
    }
    parser_ = new csv_parser;
    csv_init(parser_, 0);
    csv_set_delim(parser_, static_cast<unsigned char>(separator_));
    csv_set_space_func(parser_, IsBlank);
    // A field's buffer grows by up to 16 MB at a time: by libcsv's 128 bytes, a line of 100 MB
    // took 800,000 copies of itself.
    csv_set_blk_size(parser_, std::clamp<std::size_t>(text_.size(), 128, FieldBlock));
}

TDataFileReader::~TDataFileReader()
{
    if (parser_) {
        csv_free(parser_);
        delete parser_;
    }
}

// The first lines outside quotes: the lines that hold each separator, and the marks between
// digits.
void TDataFileReader::Detect(char localeDecimal)
{
    std::size_t lines = 0, tabs = 0, semicolons = 0, commas = 0, blanks = 0;
    std::size_t singleCommas = 0, fewestCommas = SIZE_MAX, mostCommas = 0;
    bool point = false, comma = false;
    bool quoted = false;
    std::array<std::size_t, 3> inLine{};  // tabs, semicolons, commas of the line
    bool blankRun = false, content = false;
    const std::size_t end = std::min(text_.size(), SampleBytes);
    const auto endLine = [&] {
        if (content) {
            ++lines;
            tabs += inLine[0] > 0;
            semicolons += inLine[1] > 0;
            commas += inLine[2] > 0;
            singleCommas += inLine[2] == 1;
            fewestCommas = std::min(fewestCommas, inLine[2]);
            mostCommas = std::max(mostCommas, inLine[2]);
            blanks += blankRun;
        }
        inLine = {};
        blankRun = content = false;
    };
    for (std::size_t i = 0; i < end && lines < SampleLines; ++i) {
        const char c = text_[i];
        if (c == '"')
            quoted = !quoted;
        if (quoted)
            continue;
        const bool between = i > 0 && i + 1 < text_.size() && IsDigit(text_[i - 1]) && IsDigit(text_[i + 1]);
        switch (c) {
        case '\r':
        case '\n':
            endLine();
            break;
        case '\t':
            ++inLine[0];
            break;
        case ';':
            ++inLine[1];
            break;
        case ',':
            ++inLine[2];
            comma = comma || between;
            break;
        case '.':
            point = point || between;
            break;
        case ' ':
            // A blank after content and before more of it separates fields.
            if (content) {
                std::size_t j = i;
                while (j < end && text_[j] == ' ')
                    ++j;
                if (j < end && text_[j] != '\r' && text_[j] != '\n')
                    blankRun = true;
            }
            break;
        default:
            break;
        }
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            content = true;
    }
    endLine();
    const auto most = [&](std::size_t n) { return lines > 0 && 2 * n >= lines; };
    // Commas separate only where every line holds as many: "1.234,5" beside "2" is a number
    // with a thousands separator, not two columns.
    const bool evenCommas = commas == lines && fewestCommas == mostCommas;
    // One comma between the digits of every line, no point, and a comma locale: one column
    // of decimal commas ("1,5"), not two of whole numbers.
    const bool decimalCommas = commas > 0 && singleCommas == commas && comma && !point &&
                               localeDecimal == ',';
    if (most(tabs))
        separator_ = '\t';
    else if (most(semicolons))
        separator_ = ';';
    else if (evenCommas && commas > 0 && !decimalCommas)
        separator_ = ',';
    else if (most(blanks))
        separator_ = ' ';
    if (separator_ == ',')
        comma = false;
    if (point && comma) {
        refusal_ = "The numbers use both '.' and ',': a thousands separator is not read.";
        return;
    }
    decimal_ = comma ? ',' : point ? '.' : localeDecimal;
    TrimmedSeparator = separator_;
}

TDataColumn& TDataFileReader::ColumnAt(std::size_t index)
{
    while (columns_.size() <= index) {
        TDataColumn column;
        column.name = ColumnLetters(columns_.size());
        columns_.push_back(std::move(column));
    }
    return columns_[index];
}

void TDataFileReader::Field(const char* text, std::size_t length)
{
    if (!refusal_.empty())
        return;
    if (separator_ == ' ' && length == 0)
        return;  // a run of blanks is one separator
    if (column_ >= MaxColumns) {
        refusal_ = "The file has more than " + std::to_string(MaxColumns) + " columns.";
        return;
    }
    if (row_ == 0)
        firstRow_.emplace_back(text, length);
    else
        Cell(column_, text, length, row_ + 1);
    ++column_;
}

void TDataFileReader::Cell(std::size_t index, const char* text, std::size_t length, std::size_t row)
{
    TDataColumn& column = ColumnAt(index);
    if (length == 0) {
        ++column.empty;
        return;
    }
    if (!column.refusal.empty())
        return;
    double value = 0;
    cell_.assign(text, length);
    if (ParseNumber(cell_, decimal_, value))
        column.values.push_back(value);
    else
        column.refusal = "Row " + std::to_string(row) + ", column " + ColumnLetters(index) + ": '" +
                         Quoted(text, length) + "' is not a number.";
}

void TDataFileReader::RowEnd()
{
    if (!refusal_.empty())
        return;
    if (row_ == 0) {
        double value = 0;
        header_ = std::any_of(firstRow_.begin(), firstRow_.end(), [&](const std::string& cell) {
            return !cell.empty() && !ParseNumber(cell, decimal_, value);
        });
        for (std::size_t i = 0; i < firstRow_.size(); ++i) {
            const std::string& cell = firstRow_[i];
            if (!header_)
                Cell(i, cell.data(), cell.size(), 1);
            else if (!cell.empty())
                ColumnAt(i).name = Quoted(cell.data(), cell.size());
            else
                ColumnAt(i);
        }
        firstRow_.clear();
    }
    ++row_;
    column_ = 0;
}

bool TDataFileReader::Step()
{
    if (done_)
        return true;
    const std::size_t length = std::min(Piece, text_.size() - at_);
    if (length > 0 && csv_parse(parser_, text_.data() + at_, length, OnField, OnRowEnd, this) != length)
        refusal_ = std::string("The file cannot be read: ") + csv_strerror(csv_error(parser_)) + ".";
    at_ += length;
    if (at_ >= text_.size() || !refusal_.empty()) {
        if (refusal_.empty())
            csv_fini(parser_, OnField, OnRowEnd, this);
        done_ = true;
    }
    return done_;
}

double TDataFileReader::Progress() const
{
    return text_.empty() ? 1 : static_cast<double>(at_) / text_.size();
}

std::string DataColumnText(const TVector& values, bool csv)
{
    std::string out = csv ? "x\n" : "";
    out.reserve(out.size() + values.size() * 20);
    char buffer[32];
    for (double v : values) {
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
        out.append(buffer, end);
        out += '\n';
    }
    return out;
}
