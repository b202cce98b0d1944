// The laws' moments against scipy's and mpmath's (tests/stat/data/moments.tsv, written by
// scripts/moments_truths.py), the modes against the density, and the moments that do not
// exist or are infinite.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Oracle.h"

namespace {
// Within 1e-9 relative; a truth of 0 (a symmetric law's skewness, a median at 0 that scipy
// gives as 7e-17) within 1e-12 absolute; NaN and the infinities exactly.
::testing::AssertionResult Agrees(const char* what, double ours, double truth)
{
    if (std::isnan(truth) ? std::isnan(ours)
        : std::isinf(truth) ? ours == truth
        : std::fabs(truth) < 1e-12 ? std::fabs(ours) <= 1e-12
                                    : std::fabs(ours - truth) <= 1e-9 * std::fabs(truth))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " " << ours << ", truth " << truth;
}

}  // namespace

namespace {
struct Row {
    TDistKind kind;
    TVector params;
    double mean, variance, skewness, kurtosis, median;
    std::string line;
};

std::vector<Row> Table()
{
    std::vector<Row> rows;
    for (const TOracleRow& r : OracleTable(VELMORA_MOMENTS)) {
        const TVector& v = r.values;
        rows.push_back({r.kind, r.params, v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), r.line});
    }
    return rows;
}
}  // namespace

TEST(Moments, EveryKindAgainstScipyAndMpmath)
{
    const std::vector<Row> rows = Table();
    ASSERT_GT(rows.size(), 70u);
    for (const Row& r : rows) {
        const TMoments m = DistMoments(r.kind, r.params);
        SCOPED_TRACE(r.line);
        EXPECT_TRUE(Agrees("mean", m.mean, r.mean));
        EXPECT_TRUE(Agrees("sd", m.sd, std::sqrt(r.variance)));
        EXPECT_TRUE(Agrees("skewness", m.skewness, r.skewness));
        EXPECT_TRUE(Agrees("kurtosis", m.kurtosis, r.kurtosis));
        EXPECT_TRUE(Agrees("median", m.median, r.median));
    }
}

// At every parameter set of the table: no density near the mode is above the mode's; a mode
// at the start of the support (where the density may be infinite, or its limit) has the
// density falling from it.
TEST(Moments, TheModeIsWhereTheDensityPeaks)
{
    for (const Row& r : Table()) {
        const TMoments m = DistMoments(r.kind, r.params);
        if (std::isnan(m.mode))
            continue;
        const double step = 1e-4 * (std::isfinite(m.sd) ? m.sd : 1);
        const auto f = [&](double x) { return DistEval(r.kind, TDistFunc::Density, r.params, x); };
        if (DistEval(r.kind, TDistFunc::Distribution, r.params, m.mode) == 0) {
            EXPECT_GE(f(m.mode + step), f(m.mode + 2 * step)) << r.line;
            continue;
        }
        for (double x : {m.mode - step, m.mode + step})
            EXPECT_LE(f(x), f(m.mode)) << r.line;
    }
}

TEST(Moments, ThoseThatDoNotExistOrAreInfinite)
{
    const TMoments cauchy = DistMoments(TDistKind::Cauchy, {3, 2});
    EXPECT_TRUE(std::isnan(cauchy.mean) && std::isnan(cauchy.sd) && std::isnan(cauchy.skewness));
    EXPECT_EQ(cauchy.median, 3);
    EXPECT_EQ(cauchy.mode, 3);
    const TMoments student2 = DistMoments(TDistKind::Student, {2});
    EXPECT_EQ(student2.mean, 0);
    EXPECT_EQ(student2.sd, HUGE_VAL);
    EXPECT_TRUE(std::isnan(student2.kurtosis));
    EXPECT_EQ(DistMoments(TDistKind::Student, {4}).kurtosis, HUGE_VAL);
    EXPECT_EQ(DistMoments(TDistKind::Pareto, {1, 1}).mean, HUGE_VAL);
    EXPECT_EQ(DistMoments(TDistKind::Pareto, {1, 2}).sd, HUGE_VAL);
    EXPECT_EQ(DistMoments(TDistKind::Pareto, {1, 4}).kurtosis, HUGE_VAL);
    EXPECT_EQ(DistMoments(TDistKind::F, {5, 2}).mean, HUGE_VAL);
    EXPECT_EQ(DistMoments(TDistKind::F, {5, 8}).kurtosis, HUGE_VAL);
    EXPECT_EQ(DistMoments(TDistKind::ExtrValue, {0, 1, 1}).mean, HUGE_VAL);
    EXPECT_EQ(DistMoments(TDistKind::ExtrValue, {0, 1, 0.5}).sd, HUGE_VAL);
    EXPECT_EQ(DistMoments(TDistKind::ExtrValue, {0, 1, 0.3}).kurtosis, HUGE_VAL);
    EXPECT_TRUE(std::isnan(DistMoments(TDistKind::Beta, {0.5, 0.5}).mode));
    EXPECT_EQ(DistMoments(TDistKind::Beta, {0.5, 2}).mode, 0);
    EXPECT_EQ(DistMoments(TDistKind::Gamma, {0.5, 2}).mode, 0);
    EXPECT_THROW(DistMoments(TDistKind::Normal, {0, -1}), EStat);
}
