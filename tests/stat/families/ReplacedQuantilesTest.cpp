// Quantiles at the probabilities a generation draws, against mpmath: a listed quantile that
// stands is within 1e-9 of the truth, and one that a sound search replaced (or the quantile of
// a kind with no listed one) within 1e-15, however the search found it.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>

#include "Family.h"
#include "FloatErrors.h"
#include "Oracle.h"

namespace {
struct Row {
    int kind = 0;
    TVector params;
    double p = 0, truth = 0;
};

std::vector<Row> Rows()
{
    std::vector<Row> rows;
    for (const TOracleRow& r : OracleTable(VELMORA_QUANTILE_TRUTHS))
        rows.push_back({static_cast<int>(r.kind), r.params, r.values.at(0), r.values.at(1)});
    return rows;
}

// The listed quantile, where the kind has one and it raises no error.
bool Listed(const Row& r, double& value)
{
    const TDistHandler listed = Family(static_cast<TDistKind>(r.kind)).listed.inverse;
    if (!listed)
        return false;
    try {
        FloatScope scope;  // as DistEval runs it: its own flags, none from before
        value = listed(r.params, r.p);
        return scope.End() == 0;
    } catch (const std::exception&) {
        return false;
    }
}
}  // namespace

TEST(ReplacedQuantiles, WithinTheirToleranceOfMpmath)
{
    const std::vector<Row> rows = Rows();
    ASSERT_EQ(rows.size(), 12u * 304u);
    std::map<std::string, int> replaced;
    for (const Row& r : rows) {
        const double value = DistEval(static_cast<TDistKind>(r.kind), TDistFunc::Inverse, r.params, r.p);
        double listed = 0;
        const bool stands = Listed(r, listed) && listed == value;
        std::ostringstream set;
        set << DistKindName[r.kind];
        for (double v : r.params)
            set << ' ' << v;
        if (!stands)
            ++replaced[set.str()];
        EXPECT_LE(std::fabs(value - r.truth), (stands ? tol::Shown : 1e-15) * std::fabs(r.truth))
            << set.str() << " at p = " << r.p << (stands ? " (listed)" : " (replaced)") << ": "
            << value << ", truth " << r.truth;
    }
    // Every set has replaced values to try (F(5, 8)'s listed quantile never stands).
    EXPECT_EQ(replaced.size(), 12u);
    EXPECT_EQ(replaced["F-distribution 5 8"], 304);
}
