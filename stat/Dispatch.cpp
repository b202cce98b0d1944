// The handler table [mode][kind] and DistEval.
#include "Stat_Lib.h"

namespace {
const TDistHandler DistHandlers[DistFuncCount][DistKindCount] = {
    {nullptr, nullptr, NormalStdDensity, NormalDensity, nullptr, nullptr, LogNormalDensity,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, NormalStdDistribution, NormalDistribution, nullptr, nullptr,
     LogNormalDistribution, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr},
    {nullptr, nullptr, NormalStdInverse, NormalInverse, nullptr, nullptr, LogNormalInverse,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};
}  // namespace

double DistEval(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    const TDistHandler handler = DistHandlers[static_cast<int>(mode)][KindIndex(kind)];
    if (handler == nullptr)
        throw EStat(std::string("Distribution is not available: ") + DistKindName[KindIndex(kind)]);
    return FloatChecked([&] { return handler(params, x); });
}
