#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstring>
#include <vector>

#include "FloatErrors.h"
#include "Oracle.h"

namespace {
const auto MessageOf = MathErrorOf;
}  // namespace

TEST(FloatErrors, EachOfTheThreeReachesTheCallerWithItsMessage)
{
    // A zero standard deviation divides by zero in the standardisation ...
    EXPECT_EQ(MessageOf(TDistKind::Normal, TDistFunc::Density, {0, 0}, 1),
              "Floating point division by zero");
    // ... and 0/0 at the mean itself is an invalid operation.
    EXPECT_EQ(MessageOf(TDistKind::Normal, TDistFunc::Distribution, {1, 0}, 1),
              "Invalid floating point operation");
    // Degrees of freedom beyond the int range overflow their whole part.
    EXPECT_EQ(MessageOf(TDistKind::Chi2, TDistFunc::Density, {3e9}, 2), "Floating point overflow");
    // A true density beyond the double range is infinite, without an error.
    EXPECT_EQ(DistEval(TDistKind::Normal, TDistFunc::Density, {0, 1e-320}, 0), HUGE_VAL);
}

TEST(FloatErrors, UnderflowAndInexactPass)
{
    EXPECT_EQ(DistEval(TDistKind::NormalStd, TDistFunc::Density, {}, 1e10), 0.0);
    EXPECT_EQ(MessageOf(TDistKind::LogNormal, TDistFunc::Density, {0, 1}, 1e-300), "no error");
}

TEST(FloatErrors, ScopesLeaveTheCallersFlagsAsTheyWere)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_OVERFLOW);
    EXPECT_NO_THROW(DistEval(TDistKind::NormalStd, TDistFunc::Density, {}, 0));
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
    EXPECT_THROW(DistEval(TDistKind::Normal, TDistFunc::Density, {0, 0}, 1), EMathError);
    EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO));
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(FloatErrors, FloatCheckedWrapsAnyComputation)
{
    volatile double zero = 0;
    EXPECT_THROW(FloatChecked([&] { return std::sqrt(zero - 1); }), EMathError);
    EXPECT_EQ(FloatChecked([&] { return zero + 2; }), 2.0);
}

// Whatever flags the caller has (errors among them or not) and whatever the evaluation raises
// (underflow in a far tail, inexact, an error that throws), the caller finds exactly its own
// error flags afterwards, and an error flag of the caller's is never taken for the
// evaluation's. Inexact and underflow pass: the caller's stay, and those raised inside are
// left raised (clearing them would cost the next extended operation a microcode wait).
TEST(FloatErrors, ScopesPutBackTheCallersErrorFlagsAndLetTheOthersPass)
{
    const int callers[] = {0, FE_INEXACT, FE_INEXACT | FE_UNDERFLOW, FE_INVALID,
                           FE_OVERFLOW | FE_INEXACT, FE_DIVBYZERO | FE_UNDERFLOW};
    struct Call {
        TDistKind kind;
        TDistFunc mode;
        TVector params;
        double x;
        bool throws;
        int passes;  // raised inside, left raised
    };
    const Call calls[] = {
        {TDistKind::Uniform, TDistFunc::Density, {0, 2}, 1, false, 0},                         // exact
        {TDistKind::NormalStd, TDistFunc::Density, {}, 0.3, false, FE_INEXACT},                // inexact
        {TDistKind::NormalStd, TDistFunc::Density, {}, 38.5, false, FE_INEXACT | FE_UNDERFLOW},  // underflow
        {TDistKind::Normal, TDistFunc::Density, {0, 0}, 1, true, 0},                           // division by zero
        {TDistKind::Chi2, TDistFunc::Distribution, {3e9}, 3, true, 0},                         // overflow
        {TDistKind::Exponential, TDistFunc::Distribution, {1.5}, 0.7, false, FE_INEXACT},     // no scope
        {TDistKind::Exponential, TDistFunc::Inverse, {1.5}, 1e-300, false, FE_INEXACT},      // no scope
    };
    for (int caller : callers) {
        for (const Call& c : calls) {
            std::feclearexcept(FE_ALL_EXCEPT);
            std::feraiseexcept(caller);
            bool threw = false;
            try {
                DistEval(c.kind, c.mode, c.params, c.x);
            } catch (const EMathError&) {
                threw = true;
            }
            EXPECT_EQ(threw, c.throws) << caller << " " << KindIndex(c.kind);
            const int errors = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
            const int after = std::fetestexcept(FE_ALL_EXCEPT);
            EXPECT_EQ(after & errors, caller & errors) << caller << " " << KindIndex(c.kind);
            EXPECT_EQ(after & ~errors & c.passes, c.passes) << caller << " " << KindIndex(c.kind);
            EXPECT_EQ(after & ~errors & caller, caller & ~errors) << caller << " " << KindIndex(c.kind);
        }
    }
    std::feclearexcept(FE_ALL_EXCEPT);
}

// A run of values is bit for bit its calls one at a time, fails where one of its calls would
// throw (an error flag raised by one value among good ones, parameters that cannot be read),
// and leaves the caller's flags in place either way (its error flags as they were).
TEST(FloatErrors, ARunOfValuesFailsWhereOneOfItsCallsWould)
{
    const auto same = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    const auto run = [](TDistKind kind, TDistFunc mode, const TVector& params,
                        const std::vector<double>& xs, std::vector<double>& values) {
        values.assign(xs.size(), 0);
        return DistEvalEach(kind, mode, params, xs.data(), values.data(), xs.size());
    };
    std::vector<double> values;
    const std::vector<double> ps = {1e-300, 1e-9, 0.3, 0.5, 0.7, 1 - 1e-9, 0, 1};
    for (TDistKind kind : {TDistKind::NormalStd, TDistKind::Beta, TDistKind::Student}) {
        const TVector params = kind == TDistKind::Beta      ? TVector{2, 5}
                               : kind == TDistKind::Student ? TVector{5}
                                                            : TVector{};
        for (TDistFunc mode : {TDistFunc::Density, TDistFunc::Distribution, TDistFunc::Inverse}) {
            ASSERT_TRUE(run(kind, mode, params, ps, values)) << KindIndex(kind);
            for (std::size_t i = 0; i < ps.size(); ++i)
                EXPECT_TRUE(same(values[i], DistEval(kind, mode, params, ps[i])))
                    << KindIndex(kind) << " " << static_cast<int>(mode) << " " << ps[i];
        }
    }
    const TVector far = {1e300, 2};
    EXPECT_TRUE(run(TDistKind::Weibull, TDistFunc::Density, far, {0.5, 1.5, 2}, values));
    EXPECT_THROW(DistEval(TDistKind::Weibull, TDistFunc::Density, far, 1e300), EMathError);
    for (int caller : {0, FE_INEXACT | FE_UNDERFLOW, FE_INVALID}) {
        std::feclearexcept(FE_ALL_EXCEPT);
        std::feraiseexcept(caller);
        EXPECT_FALSE(run(TDistKind::Weibull, TDistFunc::Density, far, {0.5, 1e300, 2}, values));
        const auto callersKept = [caller] {
            const int errors = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
            const int after = std::fetestexcept(FE_ALL_EXCEPT);
            return (after & errors) == (caller & errors) && (after & caller) == caller;
        };
        EXPECT_FALSE(run(TDistKind::Normal, TDistFunc::Density, {0}, {0.5}, values));
        EXPECT_TRUE(callersKept()) << caller;
        EXPECT_TRUE(run(TDistKind::NormalStd, TDistFunc::Density, {}, {0.5, 38.5}, values));
        EXPECT_TRUE(callersKept()) << caller;
    }
    std::feclearexcept(FE_ALL_EXCEPT);
}
