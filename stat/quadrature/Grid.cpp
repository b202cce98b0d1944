// The evaluation of a grid's densities ahead of the walk.
#include "Grid.h"

#include <cfenv>
#include <system_error>
#include <thread>

namespace simpson {

long long Positions(const Grid& g, double* at, long long panels)
{
    double x = g.points.back().s.x;
    for (long long j = 0; j < panels; ++j) {
        const double next = x + g.h;
        if (next == x)
            return j;
        at[2 * j] = next;
        at[2 * j + 1] = x + g.h / 2;
        x = next;
    }
    return panels;
}

bool EvaluateInParallel(const Grid& g, const double* at, double* f, long long n)
{
    const long long half = n / 2;
    int workerErrors = 0;
    const auto evaluate = [&g, at, f](long long from, long long to) {
        for (long long i = from; i < to; ++i)
            f[i] = g.f.density(g.params, at[i]);
    };
    const int errors = FloatErrorsOf([&] {
        bool parallel = true;
        std::thread worker;
        try {
            worker = std::thread([&] {
                std::fesetenv(FE_DFL_ENV);  // the same arithmetic as the caller's thread
                evaluate(half, n);
                workerErrors = RaisedFloatErrors();
            });
        } catch (const std::system_error&) {
            parallel = false;
        }
        evaluate(0, parallel ? half : n);
        if (parallel)
            worker.join();
    });
    return (errors | workerErrors) == 0;
}

}  // namespace simpson
