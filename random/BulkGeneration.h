// Many random numbers by the inverse or the transformation method, in slices that a caller can
// interleave with painting and a cancel check. The uniform numbers are drawn from the one
// source in exactly the order of one-at-a-time generation; each inverse is a pure function of
// its uniform number, so the inverses of a slice are evaluated on all cores; the numbers are
// then formed from them in order. The result is bit for bit that of the one-at-a-time loop,
// and the first arithmetic error in sequence order is the one thrown, with the random source
// left where that loop leaves it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Stat_Lib.h"

enum class TGenMethod : std::uint8_t { Inverse, Transformation };

class TBulkGeneration {
public:
    // Transformation: Chi2 sums squared normal draws, any other kind is taken as Student (the
    // caller offers the method for those two kinds only). threads 0: every core.
    TBulkGeneration(TGenMethod method, TDistKind kind, const TVector& params, std::size_t count,
                    unsigned threads = 0);

    // Draws and evaluates one slice; true once every number is formed.
    bool Step();
    void Run();
    bool Finished() const { return done_ == count_; }
    // Share of the work done, 0 to 1.
    double Progress() const;
    TVector& Result() { return result_; }

    // Uniform numbers drawn and evaluated per slice: the first slice is small, and each next
    // one is sized from the last one's time so that a step takes about StepTime, up to
    // SliceUniforms. The slicing never changes a number, only how often a caller is back.
    static constexpr std::size_t FirstSlice = 256;
    static constexpr std::size_t SliceUniforms = 65536;
    static constexpr double StepTime = 0.04;  // seconds
    static constexpr double SortedFrom = 1e-7;  // seconds per number: see EvaluateInverses

private:
    // How many uniform numbers the rest of the work takes, bounded by a slice.
    std::size_t NextSliceSize() const;
    void Consume(const double* values, std::size_t n);

    TGenMethod method_;
    TDistKind kind_;  // the inverse's kind: the generated kind, or NormalStd for transformation
    bool student_;
    TVector params_;
    double n_ = 0;                // N as entered (transformation)
    std::uint64_t terms_ = 0;     // squared normals per number (transformation)
    std::size_t count_;
    unsigned threads_;
    TVector result_;
    std::size_t slice_ = FirstSlice;
    bool sorted_ = false;  // the next slice is evaluated in the order of its uniform numbers
    std::size_t done_ = 0;        // numbers formed
    std::uint64_t term_ = 0;      // terms of the current number consumed
    double sum_ = 0;              // its running sum
    TVector uniforms_, values_;
};
