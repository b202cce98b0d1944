// The list of the families' descriptors, in catalogue order: entry k is the descriptor of
// kind k. A family left out, or out of its place, does not compile.
#pragma once

#include <iterator>

#include "Beta.h"
#include "Cauchy.h"
#include "ChiStudent.h"
#include "Exponential.h"
#include "ExtrValue.h"
#include "F.h"
#include "Logistic.h"
#include "Normal.h"
#include "Pareto.h"
#include "Rayleigh.h"
#include "Uniform.h"
#include "Weibull.h"
#include "Exponential2.h"
#include "Gamma3.h"
#include "GenPareto.h"
#include "GumbelMin.h"
#include "InvGauss.h"
#include "Laplace.h"
#include "LogLogistic.h"
#include "LogNormal3.h"
#include "Weibull3.h"

inline constexpr const TFamily* FamilyList[] = {
    &UniformStdFamily, &UniformFamily,  &NormalStdFamily, &NormalFamily,
    &Chi2Family,       &StudentFamily,  &LogNormalFamily, &ExponentialFamily,
    &FFamily,          &CauchyFamily,   &LogisticFamily,  &BetaFamily,
    &RayleighFamily,   &WeibullFamily,  &ParetoFamily,    &ExtrValueFamily,
    &GammaFamily,
    &Weibull3Family,
    &LogNormal3Family,
    &Gamma3Family,
    &Exponential2Family,
    &LogLogisticFamily,
    &GenParetoFamily,
    &InvGaussFamily,
    &LaplaceFamily,
    &GumbelMinFamily,
};

namespace catalogue {
constexpr bool InCatalogueOrder()
{
    for (int k = 0; k < DistKindCount; ++k)
        if (FamilyList[k]->kind != static_cast<TDistKind>(k))
            return false;
    return true;
}
}  // namespace catalogue

static_assert(std::size(FamilyList) == DistKindCount, "every kind of the catalogue has a family");
static_assert(catalogue::InCatalogueOrder(), "the families are listed in catalogue order");
