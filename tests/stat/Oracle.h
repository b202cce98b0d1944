// Shorthands of the tests that compare the library's values with an oracle (Boost.Math, a
// table written by mpmath, a closed form): the three modes, an evaluation, and the message of
// the floating-point error an evaluation ends with.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Stat_Lib.h"
#include "Tolerances.h"


constexpr auto Dens = TDistFunc::Density;
constexpr auto Dist = TDistFunc::Distribution;
constexpr auto Inv = TDistFunc::Inverse;

inline double Eval(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    return DistEval(kind, mode, params, x);
}

inline std::string MathErrorOf(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    try {
        DistEval(kind, mode, params, x);
    } catch (const EMathError& e) {
        return e.what();
    }
    return "no error";
}

// One row of an oracle's table: the kind, the `tags` whole numbers after it (a mode), the
// parameters (their count first) and the values after them, each read by strtod (which reads
// "nan", "inf" and C's %a, where >> does not); the line itself for messages.
struct TOracleRow {
    TDistKind kind = TDistKind::UniformStd;
    std::vector<int> tags;
    TVector params, values;
    std::string line;
};

// The rows of the table at `path`, empty lines and those starting with '#' left out.
inline std::vector<TOracleRow> OracleTable(const char* path, int tags = 0)
{
    std::ifstream in(path);
    std::vector<TOracleRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        TOracleRow r;
        int kind = 0, count = 0;
        fields >> kind;
        r.kind = static_cast<TDistKind>(kind);
        r.tags.resize(tags);
        for (int& tag : r.tags)
            fields >> tag;
        fields >> count;
        std::string field;
        for (int i = 0; i < count && fields >> field; ++i)
            r.params.push_back(std::strtod(field.c_str(), nullptr));
        while (fields >> field)
            r.values.push_back(std::strtod(field.c_str(), nullptr));
        r.line = line;
        rows.push_back(r);
    }
    return rows;
}
