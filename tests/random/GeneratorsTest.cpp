#include <gtest/gtest.h>

#include <boost/math/distributions.hpp>
#include <cmath>
#include <functional>
#include <limits>

#include "Generators.h"
#include "SimpleRandomLib.h"

namespace bm = boost::math;

namespace {
// Binned test of a sampler: bins of equal probability between the quantiles lo and hi; each
// bin's count must lie within 5 sigma of its binomial expectation. (The tails beyond are
// tested with a million numbers by sample_tails.)
template <class D>
void ExpectFollows(const char* what, const D& d, const std::function<double()>& draw,
                   double lo = 0.02, double hi = 0.98, int samples = 8000, int bins = 12)
{
    std::vector<double> edges;
    for (int b = 0; b <= bins; ++b)
        edges.push_back(bm::quantile(d, lo + (hi - lo) * b / bins));
    std::vector<int> counts(bins);
    for (int i = 0; i < samples; ++i) {
        const double x = draw();
        for (int b = 0; b < bins; ++b)
            if (x > edges[b] && x <= edges[b + 1])
                ++counts[b];
    }
    for (int b = 0; b < bins; ++b) {
        const double p = bm::cdf(d, edges[b + 1]) - bm::cdf(d, edges[b]);
        const double mean = samples * p, sigma = std::sqrt(samples * p * (1 - p));
        EXPECT_NEAR(counts[b], mean, 5 * sigma) << what << " bin " << b;
    }
}

std::function<double()> Inverse(TDistKind kind, TVector params)
{
    return [kind, params] { return GenInverse(kind, params); };
}
}  // namespace

TEST(Generators, InverseMethodFollowsEveryKind)
{
    SeedRandom(123456789);
    ExpectFollows("uniform std", bm::uniform_distribution<double>(0, 1), Inverse(TDistKind::UniformStd, {}));
    ExpectFollows("uniform", bm::uniform_distribution<double>(-2, 5), Inverse(TDistKind::Uniform, {-2, 5}));
    ExpectFollows("normal std", bm::normal_distribution<double>(0, 1), Inverse(TDistKind::NormalStd, {}));
    ExpectFollows("normal", bm::normal_distribution<double>(3, 2), Inverse(TDistKind::Normal, {3, 2}));
    ExpectFollows("chi2 1", bm::chi_squared_distribution<double>(1), Inverse(TDistKind::Chi2, {1}));
    ExpectFollows("chi2 6", bm::chi_squared_distribution<double>(6), Inverse(TDistKind::Chi2, {6}));
    ExpectFollows("student 4", bm::students_t_distribution<double>(4), Inverse(TDistKind::Student, {4}));
    ExpectFollows("lognormal", bm::lognormal_distribution<double>(0.5, 0.4), Inverse(TDistKind::LogNormal, {0.5, 0.4}));
    ExpectFollows("exponential", bm::exponential_distribution<double>(2), Inverse(TDistKind::Exponential, {2}));
    ExpectFollows("f", bm::fisher_f_distribution<double>(5, 8), Inverse(TDistKind::F, {5, 8}));
    ExpectFollows("cauchy", bm::cauchy_distribution<double>(1, 0.5), Inverse(TDistKind::Cauchy, {1, 0.5}));
    ExpectFollows("logistic", bm::logistic_distribution<double>(1, 2), Inverse(TDistKind::Logistic, {1, 2}));
    ExpectFollows("beta", bm::beta_distribution<double>(2, 5), Inverse(TDistKind::Beta, {2, 5}));
    ExpectFollows("beta singular", bm::beta_distribution<double>(0.5, 0.7), Inverse(TDistKind::Beta, {0.5, 0.7}));
    ExpectFollows("rayleigh", bm::rayleigh_distribution<double>(1.5), Inverse(TDistKind::Rayleigh, {1.5}));
    ExpectFollows("weibull", bm::weibull_distribution<double>(1.5, 2), Inverse(TDistKind::Weibull, {1.5, 2}));
    ExpectFollows("pareto", bm::pareto_distribution<double>(1, 3), Inverse(TDistKind::Pareto, {1, 3}));
    ExpectFollows("gumbel", bm::extreme_value_distribution<double>(1, 2), Inverse(TDistKind::ExtrValue, {1, 2, 0}));
}

TEST(Generators, TransformationMethodFollowsChiSquareAndStudent)
{
    SeedRandom(987654321);
    ExpectFollows("chi2 sum", bm::chi_squared_distribution<double>(5),
                  [] { return GenChi2Sum(TDistKind::Chi2, {5}); });
    ExpectFollows("student t", bm::students_t_distribution<double>(5),
                  [] { return GenStudentT(TDistKind::Student, {5}); });
}

TEST(Generators, DrawOrderAndFractionalDegreesOfFreedom)
{
    // N = 2.7 sums two squared normal draws ...
    SeedRandom(31);
    const double chi = GenChi2Sum(TDistKind::Chi2, {2.7});
    SeedRandom(31);
    const double z1 = GenInverse(TDistKind::NormalStd, {});
    const double z2 = GenInverse(TDistKind::NormalStd, {});
    EXPECT_EQ(chi, z2 * z2 + z1 * z1);
    // ... and Student divides that sum by 2.7, then draws its normal.
    SeedRandom(31);
    const double t = GenStudentT(TDistKind::Student, {2.7});
    SeedRandom(31);
    GenInverse(TDistKind::NormalStd, {});
    GenInverse(TDistKind::NormalStd, {});
    const double z = GenInverse(TDistKind::NormalStd, {});
    EXPECT_DOUBLE_EQ(t, z / std::sqrt(chi / 2.7));
    // No degrees of freedom: the sum is 0 and the divisor falls back to MinPositiveDouble.
    SeedRandom(31);
    EXPECT_EQ(GenChi2Sum(TDistKind::Chi2, {0.5}), 0.0);
    SeedRandom(31);
    const double zero = GenStudentT(TDistKind::Student, {0});
    SeedRandom(31);
    EXPECT_EQ(zero, GenInverse(TDistKind::NormalStd, {}) / std::sqrt(MinPositiveDouble));
}

// The counter is an integer: from 2^53 on a double counter stops moving and the loop of a
// huge N would never end.
TEST(Generators, DrawCountOfTheChiSquareSum)
{
    EXPECT_EQ(Chi2SumTerms(2.7), 2u);
    EXPECT_EQ(Chi2SumTerms(0.99), 0u);
    EXPECT_EQ(Chi2SumTerms(-5), 0u);
    EXPECT_EQ(Chi2SumTerms(std::nan("")), 0u);
    EXPECT_EQ(Chi2SumTerms(0x1p53), std::uint64_t{1} << 53);
    EXPECT_EQ(Chi2SumTerms(0x1p53 + 2), (std::uint64_t{1} << 53) + 2);
    EXPECT_EQ(Chi2SumTerms(0x1p63), std::uint64_t{1} << 63);
    EXPECT_EQ(Chi2SumTerms(1e300), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(Chi2SumTerms(INFINITY), std::numeric_limits<std::uint64_t>::max());
}
