// Velmora's statistics library, its fitting half: the chi-square goodness-of-fit test, the
// tests on the empirical distribution function, the standard errors and intervals of a fit,
// the ranking of the kinds and the quantile and probability plots. Qt-free.
#pragma once

#include "Stat_Lib.h"

#include <memory>

// ---- Chi-square goodness-of-fit test -----------------------------------------------------
// The categories of the test, also those of the experimental generator:
// k upper bounds, bound i = (max - min)(i + 1) / k + min in extended precision, stored as a
// double. Ascending; the last is the maximum up to rounding.
TVector CategoryBounds(double min, double max, int k);
// The category of x: the first whose upper bound x does not pass; the last one for a value
// above every bound (the rounding of the last bound allows it) or a NaN.
int CategoryOf(double x, const TVector& bounds);
// How many values fall into each category, held as reals.
TVector CategoryCounts(const TVector& data, const TVector& bounds);
// n times the hypothesised probability of each category: category 0 from the left end, the
// others between their bounds; with the upper tail, the last category also takes the
// probability above its bound (1 - F at the bound before it), so the expectations sum to n.
// Every bound is evaluated either way. A floating-point error of the distribution throws
// EMathError.
enum class TUpperTail { Dropped, InLastCategory };
TVector ExpectedCounts(TDistKind kind, const TVector& params, const TVector& bounds,
                       std::size_t n, TUpperTail tail = TUpperTail::Dropped);

struct TFitResult {                       // one whole chi-square goodness-of-fit run
    TVector bounds, observed, expected;   // the k categories, for the histogram
    int categories = 0;                   // after merging; "N=" in the details text
    long double R = 0;                    // the statistic
    int empty = 0, df = 0;                // e and d
    bool fatal = false;                   // d < 1: "fatally not satisfied"
    std::string verdict, details;         // Edit8 and Edit11 texts ('.' as separator)
    double alpha = 0, critical = 0;       // found alpha, Rcrit(0.05)
    bool rejected = false;                // alpha < 0.05
};
// Tests data (at least one value) against kind with params, of which `estimated` were
// estimated, over k >= 1 equal-width categories between the smallest and the largest value.
// The last category also expects the probability above the largest value; categories that
// expect more than 0 but less than 1 value are merged toward the centre before the statistic.
// Throws EMathError for a floating-point fault of the hypothesised distribution, and EStat for a
// parameter vector of the wrong length.
TFitResult ChiSquareFitTest(const TVector& data, TDistKind kind, const TVector& params,
                            int estimated, int k);
// The estimated parameters in `which` that use up a degree of freedom (DistFreedomUsed),
// refitted to the categories ChiSquareFitTest forms with k: the maximum of the likelihood of
// the categories' counts, from params (the raw data's estimates). With them the statistic
// follows the chi-square law of categories - 1 - estimated degrees of freedom, which raw-data
// estimates do not hold where the categories are coarse. False, leaving params, where no
// maximum is found.
bool RefitToCategories(const TVector& data, TDistKind kind, TVector& params,
                       const TParamSet& which, int k);
// The details text of a result ("Rstat = ...; N=...;Np=...;Rcrit(0.05)=..."), with the given
// decimal separator in its two numbers; "N/A" when the test is fatal.
std::string FitDetails(const TFitResult& result, int estimated, char separator);
// The buffer's description: n, the mean, the standard deviation (over n - 1), the least and the
// largest value, the quartiles and the median (R's type 7: between the order statistics
// around 1 + (n - 1) p), the skewness G1 and the excess kurtosis G2 (adjusted Fisher-Pearson,
// as spreadsheets and JASP give them). NaN where n is too small for one.
struct TDescription {
    std::size_t n;
    double mean, sd, min, q1, median, q3, max, skewness, kurtosis;
};
TDescription Describe(const TVector& data);

// The category count the fitting tab starts with for n values: 2 n^(2/5) rounded, at least
// 3 more than the estimates (two degrees of freedom left), within 3 to 150.
int DefaultCategoryCount(std::size_t n, int estimated);

// ---- Tests on the empirical distribution function ----------------------------------------
// The probabilities of a sample under a hypothesis, in ascending order of value: F(x) and
// P(X > x) of each value, each with its own relative precision. A value at an end of the
// support that an estimate took from the sample's extremes (the uniform's ends, the Pareto
// minimum, when in `estimated`) carries no information and is left out; any other value
// outside the support gives a probability 0 and an infinite Anderson-Darling statistic. A
// floating-point error of the distribution throws EMathError.
struct TEdfSample {
    TVector lower, upper;
};
TEdfSample EdfSample(const TVector& data, TDistKind kind, const TVector& params,
                     const TParamSet& estimated);
// Sorts `values` in place and sizes a sample for those left in, values[first] on: the ground
// the probabilities are then written on (EdfProbabilities by DistEval, or a caller's own).
TEdfSample EdfSampleFor(TVector& values, TDistKind kind, const TVector& params,
                        const TParamSet& estimated, std::size_t& first);
// The probabilities of sorted[from..to) by DistEval, into sample from position `at` on.
void EdfProbabilities(const TVector& sorted, std::size_t from, std::size_t to, TDistKind kind,
                      const TVector& params, TEdfSample& sample, std::size_t at);

// The Anderson-Darling statistic A2 = -n - sum (2i - 1)(ln F(x_i) + ln S(x_n+1-i)) / n, and
// its upper tail for a hypothesis with every parameter given (the limiting law with its
// correction for n, G. Marsaglia and J. Marsaglia, J. Stat. Software 9 (2), 2004).
double AndersonDarlingStatistic(const TEdfSample& sample);
double AndersonDarlingTypedP(std::size_t n, double a2);
// The Kolmogorov-Smirnov statistic D = sup |F_n - F|, and the upper tail P(D_n >= d) of its
// law for a hypothesis with every parameter given: twice Smirnov's one-sided tail where passing
// both bounds is negligible (d >= 1/2, or n d^2 >= 4.6), else 1 minus P(D_n < d) by Durbin's
// matrix, exact in method; where the matrix would take over a third of a second (n above about
// 5500 with p above 2e-4), Pelz and Good's series. Against the exact law in 60 digits
// (scripts/ks_truths.py): within 1e-12 relative on the one-sided sums (5e-12 at n = 20) and on
// the matrix where p > 0.01, within 1e-10 on the matrix below (the doubles of 1 - P(D_n < d)),
// within 2e-7 on the series, whose error falls as 1/n^2.
double KolmogorovSmirnovStatistic(const TEdfSample& sample);
double KolmogorovSmirnovTypedP(std::size_t n, double d);
// The d where that upper tail is p, for p in (0, 1): from Stephens' approximation of it, by
// the Illinois method on the law (above 1000 values on Pelz and Good's series, which moves it
// less than 1e-6).
double KolmogorovSmirnovPoint(std::size_t n, double p);

// Both tests of a sample against a hypothesis, run on threads of their own. With every
// parameter given the p-values are those of the exact laws; with parameters estimated (in
// `estimated`) they come from a parametric bootstrap: samples of the fitted distribution
// (inverses of uniform numbers from a Mersenne Twister seeded by `seed` and the replicate's
// number, so the result depends on neither the threads nor the caller's random source), each
// estimated the same way and tested, p = (1 + replicates at least as far) / (1 + replicates).
// Above LargestReplicate values the replicates hold LargestReplicate values and compare A2 and
// the root of n times D, whose laws settle as n grows. A replicate whose estimation refuses is
// replaced by another (at most as many again).
struct TEdfResult {
    std::size_t n = 0;             // values the statistics are formed from
    double AD = 0, KS = 0;         // the statistics
    double pAD = 0, pKS = 0;       // their p-values
    int replicates = 0;            // bootstrap replicates behind them; 0: the exact laws
    int redrawn = 0;               // replicates drawn again because their estimation refused
    std::size_t replicateSize = 0; // values in each
    // The 95 % point of sqrt(n) D under the hypothesis (of the replicates, or of the exact law):
    // the half-width of the simultaneous band about the fitted distribution, over sqrt(n).
    double bandKS = 0;
    // Where a sequential bootstrap stopped a statistic at its h-th replicate as far as the
    // sample's (Besag and Clifford), the replicates behind its p-value, h / that count; 0
    // where the statistic ran through every replicate.
    int sequentialAD = 0, sequentialKS = 0;
};
// The result line of one test: "A2 = 0.311051; p = 0.5794 (parameters given)" for the exact
// law of Anderson-Darling, "D = ..." for Kolmogorov-Smirnov; from the bootstrap the p-value
// with its Monte Carlo standard error, "p = 0.126 ± 0.010 (1000 replicates)", "p < 0.001" at
// its floor, "(1000 replicates of 2000)" where the replicates are smaller than the sample and
// "(1000 replicates, 3 redrawn)" where estimations refused; "p = 0.377 (sequential: 20 of 53
// replicates as far)" where a sequential bootstrap stopped early.
std::string EdfDetails(const TEdfResult& result, bool andersonDarling, char separator);
class TEdfTest {
public:
    static constexpr int DefaultReplicates = 1000;
    static constexpr std::size_t LargestReplicate = 2000;
    // The seed of a question's bootstrap: a digest of the data, the kind, the parameters and
    // what was estimated, so that the fitting tab, the ranking and a later run give the same
    // p-values to the same question.
    static std::uint64_t SeedOf(const TVector& data, TDistKind kind, const TVector& params,
                                const TParamSet& estimated);
    // threads 0: every core. exceedances h > 0: a sequential bootstrap, which stops each
    // statistic at its h-th replicate as far as the sample's (Besag and Clifford, 1991; the
    // p-value h / L of L replicates is as valid as the full one's, and decided that soon where
    // the fit is good); 0: every replicate for both.
    TEdfTest(const TVector& data, TDistKind kind, const TVector& params,
             const TParamSet& estimated, std::uint64_t seed,
             int replicates = DefaultReplicates, unsigned threads = 0, int exceedances = 0);
    ~TEdfTest();  // cancels what is left and waits for the threads
    TEdfTest(const TEdfTest&) = delete;
    TEdfTest& operator=(const TEdfTest&) = delete;
    bool Done() const;
    double Progress() const;  // share of the work done, 0 to 1
    void Cancel();
    // Waits for the end; a floating-point error of the hypothesis on the sample (EMathError) or
    // a parameter vector of the wrong length (EStat) is thrown here.
    TEdfResult Result();
    // The sample in ascending order, as the test sorted it, handed over after Result().
    TVector TakeSorted();

private:
    struct TState;
    std::unique_ptr<TState> state_;
};

// ---- How sure a fit is: standard errors and intervals -----------------------------------
// An estimate with its standard error and its interval at the level asked for; a value that
// was given, not estimated, has se 0 and the value at both ends.
struct TParamInterval {
    double estimate = 0, se = 0, lower = 0, upper = 0;
};
// How an interval was formed.
enum class TIntervalMethod : std::uint8_t {
    Given,         // the value was typed: no interval
    Exact,         // a pivot of known law (Student's t, chi-square, F, the extremes' own laws)
    Profile,       // the profile likelihood
    ProfileWhole,  // the profile likelihood over whole numbers (degrees of freedom)
    Bootstrap,     // a parametric bootstrap of the estimates, BootstrapReplicates replicates
    Wald,          // the estimate and its standard errors, in the profile's coordinate: for
                   // more than 20000 values, where the profile's interval is the same, and
                   // for an estimated threshold, where the likelihood has no regular maximum
    EndLaw         // an end of the support: the law of the data's extreme there, the other
                   // parameters at their estimates
};
constexpr int BootstrapReplicates = 1000;
// Its name as the fitting tab shows it ("profile likelihood", "bootstrap, 1000 replicates").
std::string IntervalMethodName(TIntervalMethod method);

// One entry per parameter of the kind, at `level` (95 % by default). The standard error is
// that of the observed information, the Hessian of the log-likelihood at its maximum (for the
// estimates that are no maximum, the listed moments, at the maximum beside them); whole
// degrees of freedom take differences of whole steps. The interval: exact where a pivot has a
// known law (the normal and log-normal laws, the exponential, Rayleigh, uniform and Pareto
// ones), the profile likelihood where the estimates are the likelihood's maximum (over whole
// numbers for degrees of freedom), a parametric bootstrap where they are the listed moments'
// and no pivot is exact (of replicates of at most 2000 values, whose deviations are scaled by
// the root of the sizes' ratio beyond). For more than 20000 values the profile gives way to
// the Wald interval in the profile's coordinate. `methods`, when given, receives each one's
// method. Throws EStat where an interval cannot be formed, with the reason.
std::vector<TParamInterval> ParamIntervals(TDistKind kind, const TVector& data,
                                           const TVector& params, const TParamSet& estimated,
                                           double level = 0.95,
                                           std::vector<TIntervalMethod>* methods = nullptr);
// The x with P(X <= x) = p under the fit, and P(X > x) at a given x, each with its standard
// error (the delta method) and interval: the profile likelihood of that quantity where the
// parameters are continuous, carried through the one estimated parameter's interval where only
// one is, a parametric bootstrap where the likelihood's maximum lies on the data's extremes
// (the uniform's ends, the Pareto minimum) or on whole numbers. Throws EStat as above.
TParamInterval QuantileInterval(TDistKind kind, const TVector& data, const TVector& params,
                                const TParamSet& estimated, double p, double level = 0.95,
                                TIntervalMethod* method = nullptr);
TParamInterval UpperTailInterval(TDistKind kind, const TVector& data, const TVector& params,
                                 const TParamSet& estimated, double x, double level = 0.95,
                                 TIntervalMethod* method = nullptr);
// The intervals of the trial that compares them: the estimate plus and minus the normal
// quantile times its standard error.
std::vector<TParamInterval> WaldIntervals(TDistKind kind, const TVector& data,
                                          const TVector& params, const TParamSet& estimated,
                                          double level = 0.95);
// The log-likelihood of the data under kind with params, in extended precision, and the
// parameters in `which` at the likelihood's maximum, the others held (false, with the refusal,
// where no maximum is found; nothing is written then).
double LogLikelihood(TDistKind kind, const TVector& data, const TVector& params);
bool MaximiseLikelihood(TDistKind kind, const TVector& data, TVector& params,
                        const TParamSet& which, std::string& refusal);
// A digest of a question asked of the data (the data's bits, the kind, the parameters and what
// was estimated, and a tag for the purpose): the seed of its bootstraps, so the same question
// gives the same answer anywhere and after a restart.
std::uint64_t QuestionDigest(const TVector& data, TDistKind kind, const TVector& params,
                             const TParamSet& estimated, std::uint64_t purpose);

// ---- Ranking of the kinds ----------------------------------------------------------------
// Every kind fitted to one sample with every parameter estimated, and tested: the parameters at
// the likelihood's maximum with their intervals, its log-likelihood, AIC = 2p - 2 ln L and
// BIC = p ln n - 2 ln L (p the kind's parameter count); and the tests of the hypothesis the
// fitting tab forms with every parameter on "Auto" (the listed estimates, the moments' for the
// normal, log-normal, logistic and Rayleigh laws): the chi-square over `categories` categories
// with the estimates refitted to them, and both tests on the empirical distribution function,
// seeded as the tab seeds them, by a sequential bootstrap (so a p-value of the ranking is the
// tab's where neither stopped early). A kind that cannot be fitted carries the reason.
struct TKindFit {
    TDistKind kind = TDistKind::UniformStd;
    bool fitted = false;
    std::string reason;  // why it is not fitted, or why a test of it is not given
    TVector params;      // the likelihood's maximum
    bool intervalsDone = false;  // the intervals were formed (or found impossible)
    std::vector<TParamInterval> intervals;  // of params, 95 %; empty where none is formed
    std::vector<TIntervalMethod> methods;
    TVector hypothesis;  // the listed estimates: the tests' hypothesis, the tab's when taken
    double logLikelihood = 0, aic = 0, bic = 0;
    bool chiSquareDone = false;
    TFitResult chiSquare;
    bool tested = false;  // the tests on the empirical distribution function ended
    bool edfDone = false;  // ... and gave `edf` (else `reason` says why not)
    TEdfResult edf;
};
// Orders fits by AIC, ascending; those not fitted last, in catalogue order.
void SortByAic(std::vector<TKindFit>& fits);
// The ranking, run on threads of its own (see TEdfTest for the seed and the threads) in two
// steps: every kind's fit with its criteria and chi-square, at once (the table); then, row by
// row in the table's order, the intervals and the bootstrap tests, which fill it in.
class TKindRanking {
public:
    // Replicates that stop a statistic's bootstrap (TEdfTest's exceedances).
    static constexpr int Exceedances = 20;
    TKindRanking(const TVector& data, int categories,
                 int replicates = TEdfTest::DefaultReplicates, unsigned threads = 0);
    ~TKindRanking();  // cancels what is left and waits
    TKindRanking(const TKindRanking&) = delete;
    TKindRanking& operator=(const TKindRanking&) = delete;
    bool TableReady() const;  // every kind is fitted: Snapshot() holds the table
    bool Done() const;        // every test has ended, or the ranking was cancelled
    double Progress() const;
    void Cancel();
    // The table as it stands, sorted by SortByAic (empty before TableReady()).
    std::vector<TKindFit> Snapshot() const;
    // Waits for the end: every kind, sorted by SortByAic.
    std::vector<TKindFit> Result();

private:
    struct TState;
    std::unique_ptr<TState> state_;
};

// ---- Quantile and probability plots ------------------------------------------------------
// Up to `points` order statistics of the sample (`sorted`: in ascending order), evenly spread from the smallest to the
// largest, with their plotting probabilities (i + 1/2) / n, the hypothesised quantiles at
// those probabilities (Q-Q: sample against hypothesis) and the hypothesised probabilities of
// the values (P-P). The same errors as DistEval.
struct TQuantilePairs {
    TVector sample, hypothesised;      // Q-Q: y and x
    TVector empirical, probabilities;  // P-P: y and x
    TVector bandLower, bandUpper;      // Q-Q: the band's ends on y (see AddQuantileBand)
};
TQuantilePairs QuantilePairs(const TVector& sorted, TDistKind kind, const TVector& params,
                             std::size_t points);
// The Q-Q view's simultaneous band: at each plotting probability p of the pairs, the
// hypothesised quantiles at p - halfWidth and p + halfWidth (halfWidth: the band's half-width
// in probability, the 95 % point of D); NaN where that probability leaves (0, 1), where the
// band has no end. The same errors as DistEval.
void AddQuantileBand(TQuantilePairs& pairs, TDistKind kind, const TVector& params,
                     double halfWidth);
