// The catalogue of the sixteen distributions: one constant row per kind, in catalogue order,
// and the tables read by kind that are formed from it at compile time.
#pragma once

#include <array>
#include <cstdint>

enum class TDistKind : std::uint8_t {
    UniformStd, Uniform, NormalStd, Normal, Chi2, Student, LogNormal, Exponential,
    F, Cauchy, Logistic, Beta, Rayleigh, Weibull, Pareto, ExtrValue
};
enum class TDistFunc : std::uint8_t { Density, Distribution, Inverse };

constexpr int DistKindCount = 16;
constexpr int DistFuncCount = 3;
constexpr int DistMaxParams = 3;

// One kind: display name, parameter count, and per parameter its short name, its description
// and its open bounds (the bounds have a fourth slot, always 0).
struct TDistRow {
    const char* name;
    int paramCount;
    const char* paramNames[DistMaxParams];
    const char* paramHints[DistMaxParams];
    double lower[DistMaxParams + 1];
    double upper[DistMaxParams + 1];
};

namespace catalogue {
constexpr double Big = 1.7E308;   // open bound of location-like parameters
constexpr double Wide = 1.3E153;  // open bound where a square must stay finite

inline constexpr TDistRow Rows[DistKindCount] = {
    {"UniformStd", 0, {}, {}, {}, {}},
    {"Uniform", 2, {"min", "max"},
     {"Minimum of uniform distribution", "Maximum of uniform distribution"},
     {-Big, -Big}, {Big, Big}},
    {"NormalStd", 0, {}, {}, {}, {}},
    {"Normal", 2, {"mu", "ro"}, {"Midle value", "Standard deviation"},
     {-Wide, -Wide}, {Wide, Wide}},
    {"Chi2", 1, {"N"}, {"The count of freedom degrees"}, {1}, {1023}},
    {"Student", 1, {"N"}, {"The count of freedom degrees"}, {1}, {1023}},
    {"LogNormal", 2, {"mu", "ro"}, {"Midle value", "Standard deviation"},
     {-Wide, 0}, {Wide, Wide}},
    {"Exponential", 1, {"Lambda"}, {"Rate parameter"}, {0}, {Big}},
    {"F-distribution", 2, {"N", "M"},
     {"The count of freedom degrees N1", "The count of freedom degrees N2"},
     {1, 1}, {1023, 1023}},
    {"Cauchy (Lorentz)", 2, {"a", "lambda"}, {"Location parameter", "Scale parameter"},
     {-Wide, 0}, {Wide, Wide}},
    {"Logistic", 2, {"mu", "s"}, {"Middle value", "Scale parameter"}, {-Big, 0}, {Big, Big}},
    {"Beta", 2, {"alpha", "beta"}, {"Alpha shape parameter", "Beta shape parameter"},
     {0, 0}, {709, 709}},
    {"Rayleigh", 1, {"ro"}, {"Scale parameter"}, {0}, {Wide}},
    {"Weibull", 2, {"k", "lambda"}, {"Shape parameter", "Scale parameter"}, {0, 0}, {709, Big}},
    {"Pareto", 2, {"xm", "alpha"}, {"Minimal value", "Shape alpha parameter"},
     {0, 0}, {Big, 709}},
    {"ExtrValue", 3, {"mu", "ro", "xi"},
     {"Location parameter", "Scale parameter", "Shape parameter"},
     {-Big, 0, -709}, {Big, Big, 709}},
};

// A table of one value per kind, read off the rows.
template <class T, class F>
constexpr std::array<T, DistKindCount> Column(F field)
{
    std::array<T, DistKindCount> table{};
    for (int k = 0; k < DistKindCount; ++k)
        table[k] = field(Rows[k]);
    return table;
}

template <int N, class T, class F>
constexpr std::array<std::array<T, N>, DistKindCount> Columns(F field)
{
    std::array<std::array<T, N>, DistKindCount> table{};
    for (int k = 0; k < DistKindCount; ++k)
        for (int i = 0; i < N; ++i)
            table[k][i] = field(Rows[k], i);
    return table;
}
}  // namespace catalogue

inline constexpr auto DistKindName =
    catalogue::Column<const char*>([](const TDistRow& r) { return r.name; });
inline constexpr auto DistParamCount =
    catalogue::Column<int>([](const TDistRow& r) { return r.paramCount; });
// Descriptions: an empty text in the slots beyond a kind's parameters.
inline constexpr auto DistParamHints = catalogue::Columns<DistMaxParams, const char*>(
    [](const TDistRow& r, int i) { return r.paramHints[i] ? r.paramHints[i] : ""; });
inline constexpr auto DistParamLower = catalogue::Columns<DistMaxParams + 1, double>(
    [](const TDistRow& r, int i) { return r.lower[i]; });
inline constexpr auto DistParamUpper = catalogue::Columns<DistMaxParams + 1, double>(
    [](const TDistRow& r, int i) { return r.upper[i]; });

inline constexpr const char* DistFuncName[DistFuncCount] = {"Density", "Distribution",
                                                            "Inverse distribution"};

// The kind shown at each position of a distribution list: position p holds kind p.
inline constexpr auto DistListKind = [] {
    std::array<TDistKind, DistKindCount> table{};
    for (int p = 0; p < DistKindCount; ++p)
        table[p] = static_cast<TDistKind>(p);
    return table;
}();
