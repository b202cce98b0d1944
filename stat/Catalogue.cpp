// The catalogue of the sixteen distributions and the dispatcher through which every density,
// distribution and inverse distribution value is computed.
#include "Stat_Lib.h"

#include <cmath>

namespace {
constexpr double Big = 1.7E308;    // open bound of location-like parameters
constexpr double Wide = 1.3E153;   // open bound where a square must stay finite
}

const char* const DistKindName[DistKindCount] = {
    "UniformStd", "Uniform", "NormalStd", "Normal", "Chi2", "Student", "LogNormal",
    "Exponential", "F-distribution", "Cauchy (Lorentz)", "Logistic", "Beta", "Rayleigh",
    "Weibull", "Pareto", "ExtrValue",
};

const int DistParamCount[DistKindCount] = {0, 2, 0, 2, 1, 1, 2, 1, 2, 2, 2, 2, 1, 2, 2, 3};

const char* const DistFuncName[DistFuncCount] = {"Density", "Distribution",
                                                 "Inverse distribution"};

const TDistKind DistListKind[DistKindCount] = {
    TDistKind::UniformStd, TDistKind::Uniform, TDistKind::NormalStd, TDistKind::Normal,
    TDistKind::Chi2, TDistKind::Student, TDistKind::LogNormal, TDistKind::Exponential,
    TDistKind::F, TDistKind::Cauchy, TDistKind::Logistic, TDistKind::Beta,
    TDistKind::Rayleigh, TDistKind::Weibull, TDistKind::Pareto, TDistKind::ExtrValue,
};

namespace {
const char* const DistParamNames[DistKindCount][DistMaxParams] = {
    {"", "", ""},
    {"min", "max", ""},
    {"", "", ""},
    {"mu", "ro", ""},
    {"N", "", ""},
    {"N", "", ""},
    {"mu", "ro", ""},
    {"Lambda", "", ""},
    {"N", "M", ""},
    {"a", "lambda", ""},
    {"mu", "s", ""},
    {"alpha", "beta", ""},
    {"ro", "", ""},
    {"k", "lambda", ""},
    {"xm", "alpha", ""},
    {"mu", "ro", "xi"},
};
}  // namespace

const char* const DistParamHints[DistKindCount][DistMaxParams] = {
    {"", "", ""},
    {"Minimum of uniform distribution", "Maximum of uniform distribution", ""},
    {"", "", ""},
    {"Midle value", "Standard deviation", ""},
    {"The count of freedom degrees", "", ""},
    {"The count of freedom degrees", "", ""},
    {"Midle value", "Standard deviation", ""},
    {"Rate parameter", "", ""},
    {"The count of freedom degrees N1", "The count of freedom degrees N2", ""},
    {"Location parameter", "Scale parameter", ""},
    {"Middle value", "Scale parameter", ""},
    {"Alpha shape parameter", "Beta shape parameter", ""},
    {"Scale parameter", "", ""},
    {"Shape parameter", "Scale parameter", ""},
    {"Minimal value", "Shape alpha parameter", ""},
    {"Location parameter", "Scale parameter", "Shape parameter"},
};

const double DistParamLower[DistKindCount][DistMaxParams + 1] = {
    {0, 0, 0, 0},
    {-Big, -Big, 0, 0},
    {0, 0, 0, 0},
    {-Wide, -Wide, 0, 0},
    {1, 0, 0, 0},
    {1, 0, 0, 0},
    {-Wide, 0, 0, 0},
    {0, 0, 0, 0},
    {1, 1, 0, 0},
    {-Wide, 0, 0, 0},
    {-Big, 0, 0, 0},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {-Big, 0, -709, 0},
};

const double DistParamUpper[DistKindCount][DistMaxParams + 1] = {
    {0, 0, 0, 0},
    {Big, Big, 0, 0},
    {0, 0, 0, 0},
    {Wide, Wide, 0, 0},
    {1023, 0, 0, 0},
    {1023, 0, 0, 0},
    {Wide, Wide, 0, 0},
    {Big, 0, 0, 0},
    {1023, 1023, 0, 0},
    {Wide, Wide, 0, 0},
    {Big, Big, 0, 0},
    {709, 709, 0, 0},
    {Wide, 0, 0, 0},
    {709, Big, 0, 0},
    {Big, 709, 0, 0},
    {Big, Big, 709, 0},
};

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
    text = HasParam(kind, index) ? DistParamNames[KindIndex(kind)][index] : "No params";
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

bool DistParamValid(TDistKind kind, int index, double x)
{
    if (!HasParam(kind, index))
        return false;
    double lower = 0, upper = 0;
    DistParamRange(kind, index, lower, upper);
    // Written with the negation so that a NaN fails.
    if (!(lower < x && x < upper))
        return false;
    switch (kind) {
    case TDistKind::Chi2:
    case TDistKind::Student:
    case TDistKind::F: {
        const double fraction = x - std::trunc(x);
        return std::fabs(fraction) < MinPositiveDouble;
    }
    default:
        return true;
    }
}
