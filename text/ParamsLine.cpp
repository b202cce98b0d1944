#include "ParamsLine.h"

#include "NumberFormat.h"

std::string ParamsLine(TDistKind kind, const TVector& params, char separator, int digits)
{
    std::string line;
    for (int i = 0; i < ParamCount(kind); ++i) {
        std::string name;
        DistParamName(kind, i, name);
        line += name + "=" + FormatDigits(params[i], digits, separator) + "; ";
    }
    return line;
}
