// Velmora's statistics library: the catalogue of the sixteen distributions, the one
// dispatcher DistEval, the numerical helpers, the distribution functions, parameter
// estimation and chi-square critical values. Qt-free.
#pragma once

#include <bitset>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "FloatErrors.h"

using TVector = std::vector<double>;
using TIntVector = std::vector<std::int32_t>;

enum class TDistKind : std::uint8_t {
    UniformStd, Uniform, NormalStd, Normal, Chi2, Student, LogNormal, Exponential,
    F, Cauchy, Logistic, Beta, Rayleigh, Weibull, Pareto, ExtrValue
};
enum class TDistFunc : std::uint8_t { Density, Distribution, Inverse };

using TDistHandler = double (*)(const TVector& params, double x);
using TParamSet = std::bitset<256>;

constexpr int DistKindCount = 16;
constexpr int DistFuncCount = 3;
constexpr int DistMaxParams = 3;

// The smallest positive double: the strict test for a positive argument, the whole-number
// test of DistParamValid and the threshold of a value that is not zero.
constexpr double MinPositiveDouble = 0x1p-1074;

class EStat : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- Catalogue ---------------------------------------------------------------------------
extern const char* const DistKindName[DistKindCount];
extern const int DistParamCount[DistKindCount];
extern const char* const DistFuncName[DistFuncCount];
extern const TDistKind DistListKind[DistKindCount];
extern const char* const DistParamHints[DistKindCount][DistMaxParams];
extern const double DistParamLower[DistKindCount][DistMaxParams + 1];
extern const double DistParamUpper[DistKindCount][DistMaxParams + 1];

inline int KindIndex(TDistKind kind) { return static_cast<int>(kind); }
inline int ParamCount(TDistKind kind) { return DistParamCount[KindIndex(kind)]; }

void DistParamName(TDistKind kind, int index, std::string& text);
void DistParamHint(TDistKind kind, int index, std::string& text);
void DistParamRange(TDistKind kind, int index, double& lower, double& upper);
bool DistParamValid(TDistKind kind, int index, double x);

// Evaluates kind's function for mode at x. The floating-point flags are cleared first and an
// invalid operation, division by zero or overflow raised on the way throws EMathError.
double DistEval(TDistKind kind, TDistFunc mode, const TVector& params, double x);

// ---- Numerical helpers -------------------------------------------------------------------
constexpr double SimpsonStep = 0x1p-10;     // panel width of both Simpson helpers
constexpr double SimpsonMinStep = 0x1p-31;  // smallest step of SimpsonInverse

// Both Simpson helpers end with EMathError at the first floating-point error flag that is
// raised, before or during their walk, and on a bound that is not finite: they are meant to
// run inside an evaluation (a FloatScope, as DistEval opens).
double SimpsonIntegral(TDistHandler density, const TVector& params, double From, double To);
double SimpsonInverse(TDistHandler density, const TVector& params,
                      double From, double Target, double Limit);
long double HalfPower(int a, long double x);
long double HalfPowerOfTwo(int a);
long double HalfGamma(int k);
void SortIndex(TIntVector& index, const TVector& values, int n);

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
