// What the families share: the lookups the rest of the library makes in their descriptors.
#include "Family.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cfloat>

double WalkedFromZero(const TVector&, double x)
{
    return std::fabs(x);
}

// The extremes, mean and variance of the sample, or of its logarithms.
namespace {
template <class Values>
TSampleMoments MomentsOfValues(const Values& values)
{
    TSampleMoments s;
    s.n = values.size();
    s.min = values[0];
    s.max = s.min;
    L sum = 0;
    for (const L v : values) {
        if (v < s.min)
            s.min = v;
        if (v > s.max)
            s.max = v;
        sum += v;
    }
    s.mean = sum / s.n;
    L squares = 0;
    for (const L v : values)
        squares += (v - s.mean) * (v - s.mean);
    s.variance = squares / (s.n - 1);
    return s;
}
}  // namespace

TSampleMoments MomentsOf(const TVector& data, bool logarithms)
{
    if (!logarithms)
        return MomentsOfValues(data);
    std::vector<L> logs(data.size());
    for (std::size_t i = 0; i < data.size(); ++i)
        logs[i] = std::log(L(data[i]));
    return MomentsOfValues(logs);
}

L SumOfLogs(const TVector& data, std::vector<L>* logs)
{
    if (logs)
        logs->resize(data.size());
    L sum = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const double x = data[i];
        if (!(x > 0) || std::isinf(x))
            throw TRefusal("the buffer holds values at or below 0");
        const L log = std::log(L(x));
        if (logs)
            (*logs)[i] = log;
        sum += log;
    }
    return sum;
}

bool ServedParam(const TParam& param, double value)
{
    const TBounds served = ServedBounds(param);
    const double v = param.whole ? std::trunc(value) : value;
    // Written so that a NaN is inside nothing.
    return served.closed ? served.lower <= v && v <= served.upper
                         : served.lower < v && v < served.upper;
}

bool Served(const TFamily& family, const TVector& params)
{
    for (int i = 0; i < ParamsOf(family); ++i)
        if (!ServedParam(family.params[i], params[i]))
            return false;
    return !family.tie.holds || family.tie.holds(params);
}

int SupportEndParam(const TFamily& family, TSupportEnd end)
{
    for (int i = 0; i < ParamsOf(family); ++i)
        if (family.params[i].end == end)
            return i;
    return -1;
}

int DistFreedomUsed(TDistKind kind, const TParamSet& which)
{
    int used = 0;
    for (int i = 0; i < ParamCount(kind); ++i)
        used += which[i] && CostsFreedom(Family(kind).params[i]);
    return used;
}

std::string DistParamRefusal(TDistKind kind, int index, double value, const TVector& params,
                             char separator)
{
    if (params.empty())
        CheckKind(kind);
    else
        CheckKindAndParams(kind, params);
    const TFamily& family = Family(kind);
    const TParam& param = family.params[index];
    const std::string name = param.name;
    const double lower = ServedBounds(param).lower, upper = ServedBounds(param).upper;
    const auto shown = [&](double bound) { return FormatGeneral(bound, separator); };
    if (param.whole) {
        if (std::trunc(value) == value && ServedParam(param, value))
            return "";
        return name + " must be a whole number from " + shown(lower) + " to " + shown(upper) + ".";
    }
    if (!ServedParam(param, value)) {
        // Bounds from catalogue::Wide on say only that a value must be finite enough; they are
        // named where the value passes them.
        const bool far = upper >= catalogue::Wide;
        if (lower <= -catalogue::Wide && far)
            return name + " must lie between " + shown(lower) + " and " + shown(upper) + ".";
        if (far)
            return name + (value <= lower ? " must be greater than " + shown(lower)
                                          : " must be less than " + shown(upper)) + ".";
        return name + (lower < 0 ? " must lie between " + shown(lower) + " and "
                                 : " must be greater than " + shown(lower) + " and less than ") +
               shown(upper) + ".";
    }
    if (family.tie.holds && index + 1 == ParamCount(kind) && !params.empty()) {
        TVector all = params;
        all[index] = value;
        if (!family.tie.holds(all))
            return std::string(family.tie.rule) + ".";
    }
    return "";
}

std::string DistParamsRefusal(TDistKind kind, const TVector& params, char separator)
{
    CheckKindAndParams(kind, params);
    for (int i = 0; i < ParamCount(kind); ++i) {
        std::string refusal = DistParamRefusal(kind, i, params[i], params, separator);
        if (!refusal.empty())
            return refusal;
    }
    return "";
}

// A range beyond the doubles (a huge location or scale) is held at their ends.
void ChartRange(TDistKind kind, const TVector& params, double& lo, double& hi)
{
    CheckKindAndParams(kind, params);
    const int errors = FloatErrorsOf([&] { Family(kind).chart(params, lo, hi); });
    if (errors & ~FE_OVERFLOW)
        ThrowFloatError(errors);
    lo = std::clamp(lo, -DBL_MAX, DBL_MAX);
    hi = std::clamp(hi, -DBL_MAX, DBL_MAX);
}
