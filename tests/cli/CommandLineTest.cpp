// The batch commands on real files: exit codes and messages, the estimates and tests against
// the library's own calls with the fitting tab's seeds, and the ranking's order.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "CommandLine.h"
#include "Fit_Lib.h"

namespace {
struct TRun {
    int code;
    std::string out, err;
};

TRun Velmora(std::vector<std::string> args)
{
    args.insert(args.begin(), "velmora");
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int code = RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

struct CommandLine : ::testing::Test {
    // A file of the case's own: CTest runs the cases side by side.
    std::string path = testing::TempDir() + "velmora-cli-" +
                       testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv";
    TVector data;
    CommandLine()
    {
        std::ofstream file(path);
        file.precision(17);
        file << "life;batch\n";
        for (int i = 1; i <= 200; ++i) {
            // Weibull(1.5, 2) quantiles at the plotting positions, and a batch number.
            const double x = DistEval(TDistKind::Weibull, TDistFunc::Inverse, {1.5, 2}, (i - 0.5) / 200);
            data.push_back(x);
            file << x << ";" << i % 3 << "\n";
        }
    }
    ~CommandLine() override { std::remove(path.c_str()); }
};
}  // namespace

TEST_F(CommandLine, ArgumentsAndExitCodes)
{
    EXPECT_TRUE(IsCommandLine(2, std::vector<const char*>{"velmora", "fit"}.data()));
    EXPECT_FALSE(IsCommandLine(2, std::vector<const char*>{"velmora", "data.csv"}.data()));
    EXPECT_EQ(Velmora({"--help"}).code, 0);
    EXPECT_EQ(Velmora({"--version"}).out, "velmora 1.0.0\n");
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"fit", path}, {"fit", "--kind", "Nope", path},
          {"fit", "--kind", "Normal", "--column", "life", "--categories", "2", path},
          {"fit", "--kind", "Normal", "--bogus", path}, {"rank", "--column", "life"},
          {"fit", "--kind", "Normal", "--column", "life", "--format", "xml", path},
          {"fit", "--kind", "Normal", path}, {"rank", "--column", "9", path},
          {"fit", "--kind", "Weibull", "--column", "life", "--estimate", "mu", path}}) {
        const TRun r = Velmora(bad);
        EXPECT_EQ(r.code, 2) << bad[1] << " " << bad[2];
        EXPECT_NE(r.err.find("Usage:"), std::string::npos);
        EXPECT_TRUE(r.out.empty());
    }
    const TRun missing = Velmora({"fit", "--kind", "Normal", testing::TempDir() + "no-such.csv"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("No such file or directory"), std::string::npos);
    // Data that cannot be fitted: the window's message.
    const TRun negative = Velmora({"fit", "--kind", "Weibull", "--column", "life", "--params", "1,-2", path});
    EXPECT_EQ(negative.code, 1);
    EXPECT_EQ(negative.err, "lambda must be greater than 0.\n");
}

// The numbers are the library's, called as the fitting tab calls it.
TEST_F(CommandLine, FitGivesTheTabsNumbers)
{
    const TRun r = Velmora({"fit", "--kind", "weibull", "--column", "life", "--categories", "12",
                           "--format", "json", path});
    ASSERT_EQ(r.code, 0) << r.err;
    const TParamSet all = AllParams(TDistKind::Weibull);
    TVector params(2);
    ASSERT_TRUE(EstimateParams(TDistKind::Weibull, data, params, all));
    const auto iv = ParamIntervals(TDistKind::Weibull, data, params, all, 0.95);
    TEdfTest test(data, TDistKind::Weibull, params, all, TEdfTest::SeedOf(data, TDistKind::Weibull, params, all));
    const TEdfResult edf = test.Result();
    const auto number = [](double v) {
        std::ostringstream s;
        s.precision(17);
        s << v;
        return s.str();
    };
    EXPECT_EQ(r.out.rfind("{\"n\": 200, \"kind\": \"Weibull\", \"categories\": 12, \"params\": [{\"name\": \"k\"", 0), 0u);
    for (double v : {params[0], params[1], iv[0].se, iv[1].lower, iv[1].upper, edf.AD, edf.pKS})
        EXPECT_NE(r.out.find(number(v).substr(0, 12)), std::string::npos) << v << "\n" << r.out;
    EXPECT_NE(r.out.find("\"replicates\": 1000"), std::string::npos);
    // Typed parameters with one estimated; the text form names each interval's method.
    const TRun typed = Velmora({"fit", "--kind", "Weibull", "--column", "1", "--params", "1.5,2",
                               "--estimate", "lambda", path});
    ASSERT_EQ(typed.code, 0) << typed.err;
    EXPECT_NE(typed.out.find("k  1.5  given"), std::string::npos) << typed.out;
    EXPECT_NE(typed.out.find("Anderson-Darling: A2 = "), std::string::npos);
}

TEST_F(CommandLine, RankListsEveryKindByAic)
{
    const TRun r = Velmora({"rank", "--column", "life", "--format", "json", path});
    ASSERT_EQ(r.code, 0) << r.err;
    std::size_t kinds = 0;
    for (std::size_t at = r.out.find("{\"kind\""); at != std::string::npos; at = r.out.find("{\"kind\"", at + 1))
        ++kinds;
    EXPECT_EQ(kinds, static_cast<std::size_t>(DistKindCount));
    // The sample's own law, or a law holding it (Weibull3, GenPareto...), ranks near the top.
    const std::size_t weibull = r.out.find("\"kind\": \"Weibull\"");
    const std::size_t normal = r.out.find("\"kind\": \"Normal\"");
    EXPECT_LT(weibull, normal);
    EXPECT_NE(r.out.find("\"reason\": \"alpha and beta cannot be estimated"), std::string::npos);
}
