// The catalogue's tables, read off the families' descriptors, and its operations: parameter
// names, descriptions, bounds and their test.
#include "Families.h"

#include <cmath>
#include <string>

namespace {
template <class T, class F>
constexpr std::array<T, DistKindCount> Column(F field)
{
    std::array<T, DistKindCount> table{};
    for (int k = 0; k < DistKindCount; ++k)
        table[k] = field(*FamilyList[k]);
    return table;
}

// Per parameter slot; the slots after a kind's parameters hold `none`.
template <int N, class T, class F>
constexpr std::array<std::array<T, N>, DistKindCount> Columns(F field, T none)
{
    std::array<std::array<T, N>, DistKindCount> table{};
    for (int k = 0; k < DistKindCount; ++k)
        for (int i = 0; i < N; ++i)
            table[k][i] = i < ParamsOf(*FamilyList[k]) ? field(FamilyList[k]->params[i]) : none;
    return table;
}
}  // namespace

// Formed at compile time: the tables are constant before anything runs.
constexpr std::array<const char*, DistKindCount> DistKindName =
    Column<const char*>([](const TFamily& f) { return f.name; });
constexpr std::array<int, DistKindCount> DistParamCount =
    Column<int>([](const TFamily& f) { return ParamsOf(f); });
constexpr std::array<std::array<const char*, DistMaxParams>, DistKindCount> DistParamHints =
    Columns<DistMaxParams, const char*>([](const TParam& p) { return p.hint; }, "");
constexpr std::array<std::array<double, DistMaxParams + 1>, DistKindCount> DistParamLower =
    Columns<DistMaxParams + 1, double>([](const TParam& p) { return p.listed.lower; }, 0.0);
constexpr std::array<std::array<double, DistMaxParams + 1>, DistKindCount> DistParamUpper =
    Columns<DistMaxParams + 1, double>([](const TParam& p) { return p.listed.upper; }, 0.0);

const TFamily& Family(TDistKind kind)
{
    return *FamilyList[KindIndex(kind)];
}

namespace {
bool HasParam(TDistKind kind, int index)
{
    return index >= 0 && index < ParamCount(kind);
}
}  // namespace

void DistParamName(TDistKind kind, int index, std::string& text)
{
    if (KindIndex(kind) >= DistKindCount)
        return;
    text = HasParam(kind, index) ? Family(kind).params[index].name : "No params";
}

void DistParamHint(TDistKind kind, int index, std::string& text)
{
    text = HasParam(kind, index) ? DistParamHints[KindIndex(kind)][index] : "";
}

void DistParamRange(TDistKind kind, int index, double& lower, double& upper)
{
    if (!HasParam(kind, index))
        return;
    lower = DistParamLower[KindIndex(kind)][index];
    upper = DistParamUpper[KindIndex(kind)][index];
}

void CheckKind(TDistKind kind)
{
    if (KindIndex(kind) >= DistKindCount)
        throw EStat("Unknown distribution kind " + std::to_string(KindIndex(kind)) + ".");
}

void CheckKindAndParams(TDistKind kind, const TVector& params)
{
    CheckKind(kind);
    const int count = ParamCount(kind);
    if (params.size() == static_cast<std::size_t>(count))
        return;
    std::string names;
    for (int i = 0; i < count; ++i)
        names += std::string(i ? ", " : " (") + Family(kind).params[i].name +
                 (i + 1 == count ? ")" : "");
    const std::size_t given = params.size();
    throw EStat(std::string(DistKindName[KindIndex(kind)]) + " takes " +
                (count == 0 ? std::string("no parameters") : std::to_string(count) +
                                                                  (count == 1 ? " parameter" : " parameters") +
                                                                  names) +
                "; " + std::to_string(given) + (given == 1 ? " was" : " were") + " given.");
}

bool DistParamValid(TDistKind kind, int index, double x)
{
    if (!HasParam(kind, index))
        return false;
    double lower = 0, upper = 0;
    DistParamRange(kind, index, lower, upper);
    // Written with the negation so that a NaN fails.
    if (!(lower < x && x < upper))
        return false;
    // Degrees of freedom: the fractional part must be below the smallest positive double,
    // which only an exact 0 is.
    if (Family(kind).params[index].whole)
        return std::fabs(x - std::trunc(x)) < MinPositiveDouble;
    return true;
}
