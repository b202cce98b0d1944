#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <iterator>
#include <limits>

#include "Fit_Lib.h"

namespace {
std::string Name(TDistKind kind, int index)
{
    std::string text = "unchanged";
    DistParamName(kind, index, text);
    return text;
}

std::string Hint(TDistKind kind, int index)
{
    std::string text = "unchanged";
    DistParamHint(kind, index, text);
    return text;
}
}  // namespace

TEST(Catalogue, KindNamesAndListPositionsFollowCatalogueOrder)
{
    // The sixteen described kinds in their places, and the kinds added after them.
    const char* expected[] = {"UniformStd", "Uniform", "NormalStd", "Normal", "Chi2",
                              "Student", "LogNormal", "Exponential", "F-distribution",
                              "Cauchy (Lorentz)", "Logistic", "Beta", "Rayleigh", "Weibull",
                              "Pareto", "ExtrValue", "Gamma", "Weibull3", "LogNormal3", "Gamma3",
                              "Exponential2", "LogLogistic", "GenPareto", "InvGauss", "Laplace",
                              "GumbelMin"};
    ASSERT_EQ(std::size(expected), static_cast<std::size_t>(DistKindCount));
    for (int k = 0; k < DistKindCount; ++k) {
        EXPECT_STREQ(DistKindName[k], expected[k]);
        EXPECT_EQ(KindIndex(DistListKind[k]), k);
    }
    EXPECT_STREQ(DistFuncName[2], "Inverse distribution");
}

TEST(Catalogue, ParamNamesOutsideAKindsParametersSayNoParams)
{
    EXPECT_EQ(Name(TDistKind::Uniform, 0), "min");
    EXPECT_EQ(Name(TDistKind::Uniform, 1), "max");
    EXPECT_EQ(Name(TDistKind::Uniform, 2), "No params");
    EXPECT_EQ(Name(TDistKind::UniformStd, 0), "No params");
    EXPECT_EQ(Name(TDistKind::NormalStd, 0), "No params");
    EXPECT_EQ(Name(TDistKind::ExtrValue, 2), "xi");
    EXPECT_EQ(Name(TDistKind::Exponential, 0), "Lambda");
    EXPECT_EQ(Name(TDistKind::Cauchy, 1), "lambda");
    for (int k = 0; k < DistKindCount; ++k)
        EXPECT_EQ(Name(static_cast<TDistKind>(k), -1), "No params");
    // A kind beyond the catalogue leaves the text alone.
    EXPECT_EQ(Name(static_cast<TDistKind>(DistKindCount), 0), "unchanged");
}

TEST(Catalogue, HintsAreEmptyOutsideAKindsParameters)
{
    EXPECT_EQ(Hint(TDistKind::Normal, 0), "Midle value");
    EXPECT_EQ(Hint(TDistKind::Logistic, 0), "Middle value");
    EXPECT_EQ(Hint(TDistKind::Normal, 2), "");
    EXPECT_EQ(Hint(TDistKind::NormalStd, 0), "");
}

TEST(Catalogue, RangeLeavesOutputsAloneOutsideAKindsParameters)
{
    double lo = 7, hi = 8;
    DistParamRange(TDistKind::Normal, 2, lo, hi);
    EXPECT_EQ(lo, 7);
    EXPECT_EQ(hi, 8);
    DistParamRange(TDistKind::Normal, 1, lo, hi);
    EXPECT_EQ(lo, -1.3E153);
    EXPECT_EQ(hi, 1.3E153);
    DistParamRange(TDistKind::Uniform, 0, lo, hi);
    EXPECT_EQ(lo, -1.7E308);
}

TEST(Catalogue, ValidityUsesOpenBoundsAndWholeDegreesOfFreedom)
{
    EXPECT_FALSE(DistParamValid(TDistKind::Chi2, 0, 1));
    EXPECT_TRUE(DistParamValid(TDistKind::Chi2, 0, 2));
    EXPECT_FALSE(DistParamValid(TDistKind::Chi2, 0, 2.5));
    EXPECT_TRUE(DistParamValid(TDistKind::Chi2, 0, 1022));
    EXPECT_FALSE(DistParamValid(TDistKind::Chi2, 0, 1023));
    EXPECT_FALSE(DistParamValid(TDistKind::F, 1, 3.0000001));
    EXPECT_TRUE(DistParamValid(TDistKind::Normal, 0, 5));
    EXPECT_TRUE(DistParamValid(TDistKind::Normal, 1, -1));
    EXPECT_FALSE(DistParamValid(TDistKind::LogNormal, 1, 0));
    EXPECT_FALSE(DistParamValid(TDistKind::Beta, 0, 709));
    EXPECT_TRUE(DistParamValid(TDistKind::ExtrValue, 2, -708.5));
    EXPECT_FALSE(DistParamValid(TDistKind::Normal, 2, 0));
    EXPECT_FALSE(DistParamValid(TDistKind::Normal, 0, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(DistParamValid(TDistKind::NormalStd, 0, 0));
}

// Each parameter is refused where the kind's functions cannot give its truth, with a message
// that names it and the values it may take; everything the functions serve is taken, degrees
// of freedom of 1 and above 1022 among them.
TEST(Catalogue, ParameterRefusalsNameTheParameterAndItsRange)
{
    struct Row {
        TDistKind kind;
        int index;
        double value;
        const char* message;
    };
    const Row rows[] = {
        {TDistKind::Normal, 1, -1, "ro must be greater than 0."},
        {TDistKind::Normal, 1, 0, "ro must be greater than 0."},
        {TDistKind::Normal, 1, 1e200, "ro must be less than 1.3E153."},
        {TDistKind::Normal, 0, -1e200, "mu must lie between -1.3E153 and 1.3E153."},
        {TDistKind::Weibull, 0, 0, "k must be greater than 0 and less than 709."},
        {TDistKind::Beta, 0, -2, "alpha must be greater than 0 and less than 709."},
        {TDistKind::Student, 0, -3, "N must be a whole number from 1 to 1000000."},
        {TDistKind::Student, 0, 2.5, "N must be a whole number from 1 to 1000000."},
        {TDistKind::Chi2, 0, 1e9, "N must be a whole number from 1 to 1000000."},
        {TDistKind::ExtrValue, 2, 800, "xi must lie between -709 and 709."},
        {TDistKind::Pareto, 1, 0, "alpha must be greater than 0 and less than 709."},
        {TDistKind::Exponential, 0, -1, "Lambda must be greater than 0."},
        {TDistKind::Chi2, 0, 1, ""},
        {TDistKind::Chi2, 0, 1500, ""},
        {TDistKind::F, 1, 1e6, ""},
        {TDistKind::Normal, 1, 1e-300, ""},
        {TDistKind::ExtrValue, 2, -0.5, ""},
    };
    for (const Row& r : rows) {
        const TVector params(static_cast<std::size_t>(ParamCount(r.kind)), 1);
        EXPECT_EQ(DistParamRefusal(r.kind, r.index, r.value, params, '.'), r.message)
            << KindIndex(r.kind) << " " << r.index << " " << r.value;
    }
    // The uniform's max against its min, at the last prompt; the separator of the locale.
    EXPECT_EQ(DistParamRefusal(TDistKind::Uniform, 1, 2, {3, 0}, '.'), "max must be greater than min.");
    EXPECT_EQ(DistParamRefusal(TDistKind::Uniform, 1, 4, {3, 0}, '.'), "");
    EXPECT_EQ(DistParamRefusal(TDistKind::Normal, 1, 1e200, {0, 0}, ','), "ro must be less than 1,3E153.");
    // Where the parameters before are not known yet (a fitting row left on "Auto") the tie
    // waits for the whole vector, which is refused at its first fault.
    EXPECT_EQ(DistParamRefusal(TDistKind::Uniform, 1, 2, {}, '.'), "");
    EXPECT_EQ(DistParamsRefusal(TDistKind::Uniform, {3, 2}, '.'), "max must be greater than min.");
    EXPECT_EQ(DistParamsRefusal(TDistKind::Normal, {1e200, -1}, '.'),
              "mu must lie between -1.3E153 and 1.3E153.");
    EXPECT_EQ(DistParamsRefusal(TDistKind::Weibull, {1.5, 2}, '.'), "");
    EXPECT_THROW(DistParamsRefusal(TDistKind::Weibull, {1.5}, '.'), EStat);
}

// A plot range beyond the doubles stays within them (it raised an overflow).
TEST(Catalogue, ChartRangesStayFinite)
{
    double lo = 0, hi = 0;
    ChartRange(TDistKind::Exponential, {1.7e308}, lo, hi);
    EXPECT_EQ(hi, DBL_MAX);
    ChartRange(TDistKind::ExtrValue, {-1e308, 1e308, 0}, lo, hi);
    EXPECT_EQ(lo, -DBL_MAX);
    EXPECT_EQ(hi, 0);
    EXPECT_THROW(ChartRange(TDistKind::Pareto, {1, 0}, lo, hi), EMathError);
}

TEST(Catalogue, DistEvalOfAKindWithoutParametersReadsNoVector)
{
    const TVector none;
    EXPECT_EQ(DistEval(TDistKind::NormalStd, TDistFunc::Density, none, 0),
              static_cast<double>(0.398942280401433L));
}

// What cannot be read is refused with a message that says what was expected: a parameter
// vector of another length than the kind's count (an ExtrValue given two was read past its
// end), a kind or a mode outside the catalogue.
TEST(Catalogue, EvaluationRefusesWhatItCannotRead)
{
    const auto message = [](auto call) -> std::string {
        try {
            call();
        } catch (const EStat& e) {
            return e.what();
        }
        return "no error";
    };
    for (int k = 0; k < DistKindCount; ++k) {
        const TDistKind kind = DistListKind[k];
        for (int extra : {-1, 1}) {
            if (ParamCount(kind) + extra < 0)
                continue;
            const TVector params(static_cast<std::size_t>(ParamCount(kind) + extra), 1.0);
            for (TDistFunc mode : {TDistFunc::Density, TDistFunc::Distribution, TDistFunc::Inverse})
                EXPECT_THROW(DistEval(kind, mode, params, 0.5), EStat) << k;
            double lo = 0, hi = 0;
            EXPECT_THROW(ChartRange(kind, params, lo, hi), EStat) << k;
            EXPECT_THROW(ChiSquareFitTest({1, 2, 3, 4}, kind, params, 0, 3), EStat) << k;
        }
    }
    EXPECT_EQ(message([] { DistEval(TDistKind::ExtrValue, TDistFunc::Density, {0, 1}, 0); }),
              "ExtrValue takes 3 parameters (mu, ro, xi); 2 were given.");
    EXPECT_EQ(message([] { DistEval(TDistKind::Chi2, TDistFunc::Density, {}, 0); }),
              "Chi2 takes 1 parameter (N); 0 were given.");
    EXPECT_EQ(message([] { DistEval(TDistKind::NormalStd, TDistFunc::Density, {1}, 0); }),
              "NormalStd takes no parameters; 1 was given.");
    EXPECT_EQ(message([] { DistEval(static_cast<TDistKind>(DistKindCount), TDistFunc::Density, {}, 0); }),
              "Unknown distribution kind 26.");
    EXPECT_EQ(message([] { DistEval(TDistKind::NormalStd, static_cast<TDistFunc>(3), {}, 0); }),
              "Unknown evaluation mode 3.");
}
