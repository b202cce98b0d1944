// Velmora's statistics library: the catalogue of the distributions, the one dispatcher
// DistEval, the numerical helpers, the distribution functions, parameter estimation and
// chi-square critical values (the tests of a fit and its intervals: Fit_Lib.h). Qt-free.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The sixteen described kinds, then the kinds users fit beside them (each with its sound
// functions alone: they have no listed algorithm).
enum class TDistKind : std::uint8_t {
    UniformStd, Uniform, NormalStd, Normal, Chi2, Student, LogNormal, Exponential,
    F, Cauchy, Logistic, Beta, Rayleigh, Weibull, Pareto, ExtrValue,
    Gamma, Weibull3, LogNormal3, Gamma3, Exponential2, LogLogistic, GenPareto, InvGauss,
    Laplace, GumbelMin
};
enum class TDistFunc : std::uint8_t { Density, Distribution, Inverse };

constexpr int DistKindCount = 26;
constexpr int DistFuncCount = 3;
constexpr int DistMaxParams = 3;

using TVector = std::vector<double>;
using TIntVector = std::vector<std::int32_t>;

using TDistHandler = double (*)(const TVector& params, double x);
using TParamSet = std::bitset<256>;

// The smallest positive double: the strict test for a positive argument, the whole-number
// test of DistParamValid and the threshold of a value that is not zero.
constexpr double MinPositiveDouble = 0x1p-1074;

class EStat : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A floating-point invalid operation, division by zero or overflow raised by an evaluation:
// "Invalid floating point operation", "Floating point division by zero" or "Floating point
// overflow".
class EMathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- Catalogue ---------------------------------------------------------------------------
// Constant tables read by kind, formed from the families' descriptors at compile time.
extern const std::array<const char*, DistKindCount> DistKindName;
extern const std::array<int, DistKindCount> DistParamCount;
// Descriptions: an empty text in the slots beyond a kind's parameters.
extern const std::array<std::array<const char*, DistMaxParams>, DistKindCount> DistParamHints;
// Open bounds, four slots a kind as the catalogue stores them: no kind has more than three
// parameters, and the slots after a kind's last (the fourth always among them) hold 0.
extern const std::array<std::array<double, DistMaxParams + 1>, DistKindCount> DistParamLower;
extern const std::array<std::array<double, DistMaxParams + 1>, DistKindCount> DistParamUpper;
inline constexpr const char* DistFuncName[DistFuncCount] = {"Density", "Distribution",
                                                            "Inverse distribution"};
// The kind shown at each position of a distribution list: position p holds kind p.
inline constexpr auto DistListKind = [] {
    std::array<TDistKind, DistKindCount> table{};
    for (int p = 0; p < DistKindCount; ++p)
        table[p] = static_cast<TDistKind>(p);
    return table;
}();

inline int KindIndex(TDistKind kind) { return static_cast<int>(kind); }
inline int ParamCount(TDistKind kind) { return DistParamCount[KindIndex(kind)]; }
// Every parameter of a kind: all on "Auto".
inline TParamSet AllParams(TDistKind kind)
{
    TParamSet all;
    for (int i = 0; i < ParamCount(kind); ++i)
        all.set(i);
    return all;
}

void DistParamName(TDistKind kind, int index, std::string& text);
void DistParamHint(TDistKind kind, int index, std::string& text);
void DistParamRange(TDistKind kind, int index, double& lower, double& upper);
// The catalogue's test of a value: strictly inside the listed bounds, and whole for degrees of
// freedom. The fitting dialog's listed check.
bool DistParamValid(TDistKind kind, int index, double x);
// The one rule of the values a parameter may take, kept in its kind's descriptor and asked by
// every window (the calculator's and the generation dialog's prompts, the fitting dialog): why
// a value of parameter `index` cannot be taken, as a message that names the parameter and the
// values it may take ("ro must be greater than 0."), or "" where the kind's functions give its
// truth. `params` holds the parameters before it (the uniform's max is checked against min),
// or is empty where they are not known yet (the tie is then left to DistParamsRefusal); the
// bounds are shown with the given separator.
std::string DistParamRefusal(TDistKind kind, int index, double value, const TVector& params,
                             char separator);
// The same rule for a whole parameter vector: the first refusal in parameter order, the tie
// between them included, or "".
std::string DistParamsRefusal(TDistKind kind, const TVector& params, char separator);
// Throws EStat for a kind outside the catalogue, or a parameter vector whose length is not the
// kind's parameter count ("Normal takes 2 parameters (mu, ro); 1 was given.").
void CheckKindAndParams(TDistKind kind, const TVector& params);
// The plot range of the calculator's chart for the kind, held within the doubles (an end
// beyond them is the largest double); an invalid operation or a division by zero on the way
// (Pareto with alpha 0, Cauchy with a negative lambda) throws EMathError.
void ChartRange(TDistKind kind, const TVector& params, double& lo, double& hi);

// Evaluates kind's function for mode at x. The floating-point flags are cleared first and an
// invalid operation, division by zero or overflow raised on the way throws EMathError; a kind,
// mode or parameter vector it cannot read throws EStat (CheckKindAndParams).
double DistEval(TDistKind kind, TDistFunc mode, const TVector& params, double x);
// values[i] := DistEval(kind, mode, params, xs[i]) for i < n, bit for bit, with the kind and
// the parameters read once. False where any of those calls would throw (the values are then
// unspecified): the caller who needs the error calls DistEval in turn.
bool DistEvalEach(TDistKind kind, TDistFunc mode, const TVector& params, const double* xs,
                  double* values, std::size_t n);
// The upper tail P(X > x) with its own relative precision (formed directly, never as
// 1 - P(X <= x)), and its inverse: the x with P(X > x) = q for q in (0, 1) (outside it, the
// quantile of 1 - q). The same errors as DistEval.
double DistUpper(TDistKind kind, const TVector& params, double x);
double DistUpperInverse(TDistKind kind, const TVector& params, double q);
// The calculator's four probabilities: P(X <= a), P(X > a), P(a < X <= b) and the two tails
// P(X <= a) + P(X > b) (b is read by the last two, which need a <= b: EStat otherwise). Each
// from the tails that keep its digits: an interval from the difference of the upper tails
// where both bounds lie in the upper half, of the lower tails where both lie in the lower, and
// where those tails are within a factor 2 of each other, by Gauss-Legendre's rule on the
// density over [a, b]. The same errors as DistEval.
enum class TProbability : std::uint8_t { Below, Above, Between, Outside };
double DistProbability(TDistKind kind, const TVector& params, TProbability what, double a,
                       double b = 0);
// The natural logarithms of the density and of a probability, for values below the least
// double: the logarithm of the value where that is a normal double, and beyond it the kind's
// own (the density of every kind; the tails of the kinds whose logarithmic tails are formed
// soundly). NaN where the value is 0 (outside the support, or an empty interval, for every
// kind); DistLogDensity's -infinity where
// the logarithm itself lies beyond the doubles. DistLogProbability is false where the kind has
// no logarithmic tails and the probability lies below the normal doubles, or its logarithm
// beyond the doubles. The same errors as DistEval.
double DistLogDensity(TDistKind kind, const TVector& params, double x);
bool DistLogProbability(TDistKind kind, const TVector& params, TProbability what, double a,
                        double b, double& logValue);

// The law's moments: NaN where one does not exist (the Cauchy's mean, the uniform's mode),
// +-infinity where it is infinite (a Pareto's mean for alpha <= 1, its skewness for alpha <= 3);
// each true to 1e-9 relative. The median is the quantile of 1/2, the kurtosis the excess over
// the normal's 3. The same errors as DistEval.
struct TMoments {
    double mean, sd, median, mode, skewness, kurtosis;
};
TMoments DistMoments(TDistKind kind, const TVector& params);

// ---- Numerical helpers -------------------------------------------------------------------
// Both Simpson helpers end with EMathError at the first floating-point error flag that is
// raised, before or during their walk, and on a bound that is not finite: they are meant to
// run inside an evaluation (a FloatScope, as DistEval opens).
double SimpsonIntegral(TDistHandler density, const TVector& params, double From, double To);
double SimpsonInverse(TDistHandler density, const TVector& params,
                      double From, double Target, double Limit);
// Whole-number arguments are 64-bit: sums such as n + m of two degrees of freedom stay exact.
long double HalfPower(long long a, long double x);
long double HalfPowerOfTwo(long long a);
long double HalfGamma(long long k);
void SortIndex(TIntVector& index, const TVector& values, int n);
// The first and last of the first n values in SortIndex's ascending order, as values: the
// minimum and maximum found in one pass, or the sort itself where the two may differ (a NaN,
// or zeros of both signs, whose order the sort alone decides). Nothing is written for n < 1.
void SortedEnds(const TVector& values, int n, double& first, double& last);

// ---- Distribution functions (the entries of the handler table) --------------------------
double NormalStdDensity(const TVector& params, double x);
double NormalStdDistribution(const TVector& params, double x);
double NormalStdInverse(const TVector& params, double p);
double NormalDensity(const TVector& params, double x);
double NormalDistribution(const TVector& params, double x);
double NormalInverse(const TVector& params, double p);
double LogNormalDensity(const TVector& params, double x);
double LogNormalDistribution(const TVector& params, double x);
double LogNormalInverse(const TVector& params, double p);
double Chi2Density(const TVector& params, double x);
double Chi2Distribution(const TVector& params, double x);
double Chi2Inverse(const TVector& params, double p);
double StudentDensity(const TVector& params, double x);
double StudentDistribution(const TVector& params, double x);
double StudentInverse(const TVector& params, double p);

double UniformStdDensity(const TVector& params, double x);
double UniformStdDistribution(const TVector& params, double x);
double UniformStdInverse(const TVector& params, double p);
double UniformDensity(const TVector& params, double x);
double UniformDistribution(const TVector& params, double x);
double UniformInverse(const TVector& params, double p);
double ExponentialDensity(const TVector& params, double x);
double ExponentialDistribution(const TVector& params, double x);
double ExponentialInverse(const TVector& params, double p);
double CauchyDensity(const TVector& params, double x);
double CauchyDistribution(const TVector& params, double x);
double CauchyInverse(const TVector& params, double p);
double LogisticDensity(const TVector& params, double x);
double LogisticDistribution(const TVector& params, double x);
double LogisticInverse(const TVector& params, double p);
double RayleighDensity(const TVector& params, double x);
double RayleighDistribution(const TVector& params, double x);
double RayleighInverse(const TVector& params, double p);
double WeibullDensity(const TVector& params, double x);
double WeibullDistribution(const TVector& params, double x);
double WeibullInverse(const TVector& params, double p);
double ParetoDensity(const TVector& params, double x);
double ParetoDistribution(const TVector& params, double x);
double ParetoInverse(const TVector& params, double p);
double ExtrValueDensity(const TVector& params, double x);
double ExtrValueDistribution(const TVector& params, double x);
double ExtrValueInverse(const TVector& params, double p);

double FDensity(const TVector& params, double x);
double FDistribution(const TVector& params, double x);
double FInverse(const TVector& params, double p);
double BetaDensity(const TVector& params, double x);
double BetaDistribution(const TVector& params, double x);
double BetaInverse(const TVector& params, double p);

// ---- Estimation and critical values ------------------------------------------------------
// As below, without the refusal's reason. A parameter vector of the wrong length throws EStat
// (CheckKindAndParams), before anything is written.
bool EstimateParams(TDistKind kind, const TVector& data, TVector& params, const TParamSet& which);
// Estimates of the parameters in `which`: moments for the normal, log-normal, exponential,
// logistic and Rayleigh distributions and the uniform's extremes; maximum likelihood for the
// rest (whole numbers for degrees of freedom). False for fewer than 3 values (refusal left
// empty), or with `refusal` saying which parameter cannot be estimated and why; nothing is
// written then.
bool EstimateParams(TDistKind kind, const TVector& data, TVector& params, const TParamSet& which,
                    std::string& refusal);
// How many of the estimated parameters in `which` use up a degree of freedom of the fitting
// test: not the whole numbers, nor the sample's extremes (the uniform's ends, the Pareto
// minimum).
int DistFreedomUsed(TDistKind kind, const TParamSet& which);
// Upper 5 % critical value of chi-square for df degrees of freedom, interpolated in a table;
// throws EStat "Count of parameters was not found" for df below 1 or from 16777216 on.
double ChiSquareCritical(std::int32_t df);
