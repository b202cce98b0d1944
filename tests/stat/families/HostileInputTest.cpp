// Extreme finite inputs, kind by kind, in a child process with a deadline per call: each call
// ends in time, with a value or an EMathError, and never crashes. The deadline is the
// harness's own (the child is killed by its alarm), not a timing assertion.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "Stat_Lib.h"

namespace {
constexpr unsigned DeadlineSeconds = 30;  // far above the worst cold call, even when sanitized

struct Input {
    TDistFunc mode;
    TVector params;
    double x;
};

// Runs the calls in a child; the index of the call under way goes through a pipe, so that a
// call that fails to end, crashes or throws another type is named.
void ExpectAllEnd(TDistKind kind, const std::vector<Input>& inputs)
{
    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(channel[0]);
        for (int i = 0; i < static_cast<int>(inputs.size()); ++i) {
            if (write(channel[1], &i, sizeof i) != sizeof i)
                _exit(3);
            alarm(DeadlineSeconds);
            try {
                DistEval(kind, inputs[i].mode, inputs[i].params, inputs[i].x);
            } catch (const EMathError&) {
            } catch (...) {
                _exit(2);
            }
        }
        _exit(0);
    }
    close(channel[1]);
    int last = -1, index;
    while (read(channel[0], &index, sizeof index) == sizeof index)
        last = index;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    std::string what = "kind " + std::to_string(KindIndex(kind));
    if (last >= 0) {
        const Input& in = inputs[last];
        what += " mode " + std::to_string(static_cast<int>(in.mode)) + " x " + std::to_string(in.x);
        for (double p : in.params)
            what += " p " + std::to_string(p);
    }
    ASSERT_TRUE(WIFEXITED(status)) << what << (WIFSIGNALED(status) && WTERMSIG(status) == SIGALRM
                                                   ? ": past the deadline"
                                                   : ": killed");
    EXPECT_EQ(WEXITSTATUS(status), 0) << what << ": an unexpected exception type";
}

std::vector<Input> Grid(const std::vector<TVector>& sets, const std::vector<double>& xs,
                        const std::vector<double>& ps)
{
    std::vector<Input> inputs;
    for (const TVector& params : sets) {
        for (double x : xs) {
            inputs.push_back({TDistFunc::Density, params, x});
            inputs.push_back({TDistFunc::Distribution, params, x});
        }
        for (double p : ps)
            inputs.push_back({TDistFunc::Inverse, params, p});
    }
    return inputs;
}

const std::vector<double> Far = {-1e300, -1e6, 0, 1e-300, 3, 5000, 1e300};
const std::vector<double> Probabilities = {1e-300, 0.5, 1 - 1e-9, 0.9999999999999999};
}  // namespace

TEST(HostileInputs, NormalFamily)
{
    ExpectAllEnd(TDistKind::NormalStd, Grid({{}}, Far, Probabilities));
    ExpectAllEnd(TDistKind::Normal, Grid({{2, 2}, {1e300, 10}, {-1, 1e-300}, {0, 1e300}, {1, -1}},
                                         Far, Probabilities));
    ExpectAllEnd(TDistKind::LogNormal, Grid({{0, 1e-6}, {1e-300, 1e-6}, {10, 1e-6}, {0, 2}, {-1e300, 1}},
                                            Far, Probabilities));
}

TEST(HostileInputs, DegreesOfFreedom)
{
    const std::vector<TVector> n = {{1}, {1023}, {1024}, {2000}, {1e9}, {2147483647}, {3e9}, {-5}};
    ExpectAllEnd(TDistKind::Chi2, Grid(n, Far, Probabilities));
    ExpectAllEnd(TDistKind::Student, Grid(n, Far, Probabilities));
    ExpectAllEnd(TDistKind::F, Grid({{1e6, 5}, {5, 1e6}, {2147483647, 2147483647}, {1, 3}, {3e9, 2}},
                                    Far, Probabilities));
}

TEST(HostileInputs, OtherKinds)
{
    const std::vector<TVector> two = {{0, 1e-300}, {1e300, 1e300}, {-1e300, 1e-6}, {1, -1}};
    for (TDistKind k : {TDistKind::Uniform, TDistKind::Cauchy, TDistKind::Logistic, TDistKind::Beta,
                        TDistKind::Weibull, TDistKind::Pareto})
        ExpectAllEnd(k, Grid(two, Far, Probabilities));
    ExpectAllEnd(TDistKind::ExtrValue,
                 Grid({{0, 1e-300, 709}, {1e300, 1e300, -709}, {-1, 1, 1e-300}, {0, -1, 0}}, Far,
                      Probabilities));
    for (TDistKind k : {TDistKind::Exponential, TDistKind::Rayleigh})
        ExpectAllEnd(k, Grid({{1e-300}, {1e300}, {-1}}, Far, Probabilities));
    ExpectAllEnd(TDistKind::UniformStd, Grid({{}}, Far, Probabilities));
}

// A parameter vector too short for the kind is refused, not read past its end.
TEST(HostileInputs, EstimationWithAShortParameterVector)
{
    TVector none;
    EXPECT_THROW(EstimateParams(TDistKind::Normal, {1, 2, 3}, none, TParamSet().set(0)), EStat);
}
