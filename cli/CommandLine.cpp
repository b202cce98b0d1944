// The command line: arguments read strictly (anything unknown is a usage error), the file read
// as the Data tab reads it, and the fitting tab's work done in the same order with the same
// seeds, printed as text or JSON.
#include "CommandLine.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "DataFile.h"
#include "Fit_Lib.h"
#include "NumberFormat.h"

namespace {
const char* const Usage =
    "Usage:\n"
    "  velmora fit --kind KIND [--column NAME|N] [--estimate all|NAMES] [--params VALUES]\n"
    "              [--categories K] [--format text|json] FILE\n"
    "  velmora rank [--column NAME|N] [--categories K] [--format text|json] FILE\n"
    "  velmora --help | --version\n"
    "\n"
    "KIND is a distribution's name as the window lists it (Normal, Weibull, Gamma3, ...).\n"
    "NAMES and VALUES are separated by commas: --estimate k,lambda --params 1.5,2,0 gives\n"
    "every parameter in order and estimates the named ones (all by default, none where\n"
    "--params is given alone). N counts columns from 1. K is 3 to 150 (by default\n"
    "2 n^(2/5), leaving two degrees of freedom).\n";

struct TUsageError {
    std::string message;
};
struct TDataError {
    std::string message;
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    for (std::string part; std::getline(stream, part, ',');)
        parts.push_back(part);
    return parts;
}

// A kind by its listed name, or the name before a note in brackets ("Cauchy (Lorentz)").
TDistKind KindNamed(const std::string& name)
{
    for (int k = 0; k < DistKindCount; ++k) {
        const std::string listed = DistKindName[k];
        if (Lower(listed) == Lower(name) || Lower(listed.substr(0, listed.find(" ("))) == Lower(name))
            return static_cast<TDistKind>(k);
    }
    throw TUsageError{"unknown distribution '" + name + "'"};
}

int WholeNumber(const std::string& text, const char* what)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw TUsageError{std::string(what) + " must be a whole number, not '" + text + "'"};
    return value;
}

struct TOptions {
    std::string command, kind, column, estimate, params, file;
    int categories = 0;
    bool json = false;
};

TOptions ReadOptions(int argc, const char* const* argv)
{
    TOptions o;
    o.command = argv[1];
    std::map<std::string, std::string*> valued = {
        {"--column", &o.column}, {"--estimate", &o.estimate}, {"--params", &o.params}};
    if (o.command == "fit")
        valued["--kind"] = &o.kind;
    std::string categories, format = "text";
    valued["--categories"] = &categories;
    valued["--format"] = &format;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (auto it = valued.find(a); it != valued.end()) {
            if (i + 1 >= argc)
                throw TUsageError{a + " needs a value"};
            *it->second = argv[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            throw TUsageError{"unknown option " + a};
        } else if (o.file.empty()) {
            o.file = a;
        } else {
            throw TUsageError{"one file only: '" + a + "'"};
        }
    }
    if (o.command == "rank" && (!o.estimate.empty() || !o.params.empty()))
        throw TUsageError{"rank estimates every parameter of every distribution"};
    if (o.command == "fit" && o.kind.empty())
        throw TUsageError{"fit needs --kind"};
    if (o.file.empty())
        throw TUsageError{"no file given"};
    if (format != "text" && format != "json")
        throw TUsageError{"--format is text or json"};
    o.json = format == "json";
    if (!categories.empty()) {
        o.categories = WholeNumber(categories, "--categories");
        if (o.categories < 3 || o.categories > 150)
            throw TUsageError{"--categories lies between 3 and 150"};
    }
    return o;
}

// The file's column as the Data tab loads it.
TVector ReadColumn(const std::string& path, const std::string& column)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TDataError{"Cannot open " + path + ": " + std::strerror(errno) + "."};
    std::stringstream bytes;
    bytes << in.rdbuf();
    TDataFileReader reader(bytes.str(), '.');
    while (!reader.Step()) {
    }
    if (!reader.Refusal().empty())
        throw TDataError{path + ": " + reader.Refusal()};
    std::vector<TDataColumn>& columns = reader.Columns();
    std::size_t chosen = 0;
    if (!column.empty()) {
        const auto named = std::find_if(columns.begin(), columns.end(),
                                        [&](const TDataColumn& c) { return c.name == column; });
        if (named != columns.end()) {
            chosen = static_cast<std::size_t>(named - columns.begin());
        } else {
            const int n = WholeNumber(column, "--column");
            if (n < 1 || static_cast<std::size_t>(n) > columns.size())
                throw TUsageError{"the file has no column " + column};
            chosen = static_cast<std::size_t>(n - 1);
        }
    } else if (columns.size() > 1) {
        throw TUsageError{"the file has " + std::to_string(columns.size()) + " columns: choose one with --column"};
    }
    if (columns.empty() || columns[chosen].values.empty())
        throw TDataError{path + ": the file holds no numbers."};
    if (!columns[chosen].refusal.empty())
        throw TDataError{path + ": " + columns[chosen].refusal};
    return std::move(columns[chosen].values);
}

// ---- Output ------------------------------------------------------------------------------
std::string Number(double v)
{
    if (!std::isfinite(v))
        return "null";
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            out += ' ';
            continue;
        }
        out += c;
    }
    return out + "\"";
}

std::string ParamsJson(TDistKind kind, const TVector& params, const std::vector<TParamInterval>& intervals)
{
    std::string out = "[";
    for (std::size_t i = 0; i < params.size(); ++i) {
        std::string name;
        DistParamName(kind, static_cast<int>(i), name);
        const bool formed = i < intervals.size();
        out += std::string(i ? ", " : "") + "{\"name\": " + Quote(name) + ", \"estimate\": " + Number(params[i]) +
               ", \"se\": " + (formed ? Number(intervals[i].se) : "null") +
               ", \"lower\": " + (formed ? Number(intervals[i].lower) : "null") +
               ", \"upper\": " + (formed ? Number(intervals[i].upper) : "null") + "}";
    }
    return out + "]";
}

std::string TestsJson(bool chiDone, const TFitResult& chi, const TEdfResult& edf)
{
    const bool chiTold = chiDone && !chi.fatal;
    std::string out = "\"chi_square\": {\"statistic\": " + (chiTold ? Number(static_cast<double>(chi.R)) : "null") +
                      ", \"df\": " + (chiDone ? std::to_string(chi.df) : "null") +
                      ", \"p\": " + (chiTold ? Number(chi.alpha) : "null") + "}";
    const bool tested = edf.n > 0;
    // A statistic a sequential bootstrap stopped has its own count of replicates behind it.
    for (bool ad : {true, false}) {
        const int sequential = ad ? edf.sequentialAD : edf.sequentialKS;
        out += std::string(", \"") + (ad ? "anderson_darling" : "kolmogorov_smirnov") +
               "\": {\"statistic\": " + (tested ? Number(ad ? edf.AD : edf.KS) : "null") +
               ", \"p\": " + (tested ? Number(ad ? edf.pAD : edf.pKS) : "null") +
               ", \"replicates\": " + std::to_string(sequential ? sequential : edf.replicates) +
               ", \"sequential\": " + (sequential ? "true" : "false") + "}";
    }
    return out;
}

std::string TestsText(bool chiDone, const TFitResult& chi, int estimated, const TEdfResult& edf)
{
    std::string out = "Chi-square: ";
    if (!chiDone)
        out += "not formed";
    else if (chi.fatal)
        out += "fatally not satisfied: " + FitDetails(chi, estimated, '.');
    else
        out += FitDetails(chi, estimated, '.') + "; df=" + std::to_string(chi.df) + "; p = " +
               FormatGeneral(chi.alpha, '.') + "; " + chi.verdict;
    out += "\n";
    if (edf.n == 0)
        return out + "Anderson-Darling: N/A\nKolmogorov-Smirnov: N/A\n";
    return out + "Anderson-Darling: " + EdfDetails(edf, true, '.') + "\nKolmogorov-Smirnov: " +
           EdfDetails(edf, false, '.') + "\n";
}

std::string ParamsText(TDistKind kind, const TVector& params, const std::vector<TParamInterval>& intervals,
                       const std::vector<TIntervalMethod>& methods)
{
    std::string out = "parameter  estimate  se  95 % interval  method\n";
    for (std::size_t i = 0; i < params.size(); ++i) {
        std::string name;
        DistParamName(kind, static_cast<int>(i), name);
        out += name + "  " + FormatGeneral(params[i], '.');
        if (i < intervals.size() && methods[i] != TIntervalMethod::Given)
            out += "  " + FormatGeneral(intervals[i].se, '.') + "  [" + FormatGeneral(intervals[i].lower, '.') +
                   ", " + FormatGeneral(intervals[i].upper, '.') + "]  " + IntervalMethodName(methods[i]);
        else
            out += "  given";
        out += "\n";
    }
    return out;
}

int Fit(const TOptions& o, std::ostream& out)
{
    const TDistKind kind = KindNamed(o.kind);
    const TVector data = ReadColumn(o.file, o.column);
    const int count = ParamCount(kind);
    TVector params(count, 0);
    TParamSet which = o.params.empty() ? AllParams(kind) : TParamSet();
    if (!o.params.empty()) {
        const std::vector<std::string> values = Split(o.params);
        if (static_cast<int>(values.size()) != count)
            throw TUsageError{o.kind + " takes " + std::to_string(count) + " parameters in --params"};
        for (int i = 0; i < count; ++i)
            if (!ParseNumber(values[i], '.', params[i]))
                throw TUsageError{"'" + values[i] + "' is not a number"};
    }
    if (!o.estimate.empty() && Lower(o.estimate) != "all") {
        which.reset();
        for (const std::string& name : Split(o.estimate)) {
            int found = -1;
            for (int i = 0; i < count; ++i) {
                std::string listed;
                DistParamName(kind, i, listed);
                if (listed == name)
                    found = i;
            }
            if (found < 0)
                throw TUsageError{o.kind + " has no parameter '" + name + "'"};
            which.set(found);
        }
    } else if (!o.estimate.empty()) {
        which = AllParams(kind);
    }
    std::string refusal;
    if (which.any() && !EstimateParams(kind, data, params, which, refusal))
        throw TDataError{refusal.empty() ? "The parameters cannot be estimated from fewer than 3 values." : refusal};
    const std::string broken = DistParamsRefusal(kind, params, '.');
    if (!broken.empty())
        throw TDataError{broken};
    // The fitting tab's run: the chi-square over the categories with the estimates refitted
    // to them, both tests on the empirical distribution function seeded by the question, and
    // the intervals at the shown estimates.
    const int used = DistFreedomUsed(kind, which);
    const int k = o.categories ? o.categories : DefaultCategoryCount(data.size(), used);
    TVector refitted = params;
    const bool chiDone = RefitToCategories(data, kind, refitted, which, k);
    TFitResult chi;
    if (chiDone)
        chi = ChiSquareFitTest(data, kind, refitted, used, k);
    TEdfTest test(data, kind, params, which, TEdfTest::SeedOf(data, kind, params, which));
    const TEdfResult edf = test.Result();
    std::vector<TIntervalMethod> methods;
    std::vector<TParamInterval> intervals;
    try {
        intervals = ParamIntervals(kind, data, params, which, 0.95, &methods);
    } catch (const std::exception&) {
        intervals.clear();  // printed as null: the window says why in its estimates view
    }
    if (o.json) {
        out << "{\"n\": " << data.size() << ", \"kind\": " << Quote(DistKindName[KindIndex(kind)])
            << ", \"categories\": " << k << ", \"params\": " << ParamsJson(kind, params, intervals) << ", "
            << TestsJson(chiDone, chi, edf) << "}\n";
        return 0;
    }
    out << "n = " << data.size() << "; " << DistKindName[KindIndex(kind)] << "; " << k << " categories\n"
        << ParamsText(kind, params, intervals, methods) << TestsText(chiDone, chi, used, edf);
    return 0;
}

int Rank(const TOptions& o, std::ostream& out)
{
    const TVector data = ReadColumn(o.file, o.column);
    const int k = o.categories ? o.categories : DefaultCategoryCount(data.size(), 0);
    TKindRanking ranking(data, k);
    const std::vector<TKindFit> fits = ranking.Result();
    if (o.json) {
        out << "{\"n\": " << data.size() << ", \"categories\": " << k << ", \"ranking\": [";
        for (std::size_t i = 0; i < fits.size(); ++i) {
            const TKindFit& f = fits[i];
            out << (i ? ",\n  " : "\n  ") << "{\"kind\": " << Quote(DistKindName[KindIndex(f.kind)]);
            if (!f.fitted) {
                out << ", \"reason\": " << Quote(f.reason) << "}";
                continue;
            }
            out << ", \"params\": " << ParamsJson(f.kind, f.params, f.intervals)
                << ", \"log_likelihood\": " << Number(f.logLikelihood) << ", \"aic\": " << Number(f.aic)
                << ", \"bic\": " << Number(f.bic) << ", " << TestsJson(f.chiSquareDone, f.chiSquare, f.edf) << "}";
        }
        out << "\n]}\n";
        return 0;
    }
    out << "n = " << data.size() << "; " << k << " categories\n";
    for (const TKindFit& f : fits) {
        out << "\n" << DistKindName[KindIndex(f.kind)];
        if (!f.fitted) {
            out << ": " << f.reason << "\n";
            continue;
        }
        out << ": log-likelihood " << FormatGeneral(f.logLikelihood, '.') << "; AIC " << FormatGeneral(f.aic, '.')
            << "; BIC " << FormatGeneral(f.bic, '.') << "\n"
            << ParamsText(f.kind, f.params, f.intervals, f.methods)
            << TestsText(f.chiSquareDone, f.chiSquare, DistFreedomUsed(f.kind, AllParams(f.kind)), f.edf);
    }
    return 0;
}
}  // namespace

bool IsCommandLine(int argc, const char* const* argv)
{
    if (argc < 2)
        return false;
    const std::string first = argv[1];
    return first == "fit" || first == "rank" || first == "--help" || first == "-h" || first == "--version";
}

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        out << Usage;
        return 0;
    }
    if (first == "--version") {
        out << "velmora " << VELMORA_VERSION << "\n";
        return 0;
    }
    try {
        const TOptions options = ReadOptions(argc, argv);
        return options.command == "fit" ? Fit(options, out) : Rank(options, out);
    } catch (const TUsageError& e) {
        err << "velmora: " << e.message << "\n\n" << Usage;
        return 2;
    } catch (const TDataError& e) {
        err << e.message << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << e.what() << "\n";
        return 1;
    }
}
