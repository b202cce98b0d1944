#include "ParamsLine.h"

#include "NumberFormat.h"

std::string ParamsLine(TDistKind kind, const TVector& params, char separator)
{
    std::string line;
    for (int i = 0; i < ParamCount(kind); ++i) {
        std::string name;
        DistParamName(kind, i, name);
        line += name + "=" + FormatGeneral(params[i], separator) + "; ";
    }
    return line;
}
