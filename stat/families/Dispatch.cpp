// The handler table [mode][kind] and DistEval.
#include "Stat_Lib.h"
#include "TrueValues.h"

namespace {
#define VELMORA_HANDLERS(Mode)                                                                  \
    {                                                                                          \
        UniformStd##Mode, Uniform##Mode, NormalStd##Mode, Normal##Mode, Chi2##Mode,             \
            Student##Mode, LogNormal##Mode, Exponential##Mode, F##Mode, Cauchy##Mode,           \
            Logistic##Mode, Beta##Mode, Rayleigh##Mode, Weibull##Mode, Pareto##Mode,            \
            ExtrValue##Mode                                                                    \
    }

const TDistHandler DistHandlers[DistFuncCount][DistKindCount] = {
    VELMORA_HANDLERS(Density),
    VELMORA_HANDLERS(Distribution),
    VELMORA_HANDLERS(Inverse),
};
#undef VELMORA_HANDLERS
}  // namespace

double DistEval(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    CheckKindAndParams(kind, params);
    if (static_cast<int>(mode) >= DistFuncCount)
        throw EStat("Unknown evaluation mode " + std::to_string(static_cast<int>(mode)) + ".");
    const TDistHandler handler = DistHandlers[static_cast<int>(mode)][KindIndex(kind)];
    const TDistHandler distribution =
        DistHandlers[static_cast<int>(TDistFunc::Distribution)][KindIndex(kind)];
    return FloatChecked([&] { return TrueValue(kind, mode, params, x, handler, distribution); });
}
