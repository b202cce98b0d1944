// What the bootstraps share: the work spread over the cores, and samples of a fitted law drawn
// from a twister seeded by the question's digest and the replicate's number, so a result
// depends on neither the threads nor the program's random source.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <random>

#include "Family.h"

// Runs body(i) for i in [0, count) on `threads` threads, each taking the next index; stops
// taking indexes once `stop` is set. The first exception stops the others and is kept.
void ParallelFor(std::size_t count, unsigned threads, std::atomic<bool>& stop,
                 const std::function<void(std::size_t)>& body, std::exception_ptr& error);

// The cores there are (at least 1).
unsigned Cores();

// A uniform number in (0, 1) of 53 bits from two outputs of a twister.
double OpenUniform(std::mt19937& twister);

// The twister of one replicate of a bootstrap seeded by `seed`.
std::mt19937 ReplicateTwister(std::uint64_t seed, std::size_t replicate);

// n values of the kind with params from the twister: exactly in law by DrawExactly where it
// draws the kind, else by the kind's sound inverse of the twister's uniform numbers.
TVector DrawSample(const TFamily& family, const TVector& params, std::size_t n,
                   std::mt19937& twister);

// Fills `sample` with numbers of the kind with params, drawn exactly in law from the
// twister's numbers by the kind's construction from normal and gamma variables, where the
// kind's quantile is a search; false (nothing drawn) for the other kinds.
bool DrawExactly(TDistKind kind, const TVector& params, TVector& sample, std::mt19937& twister);
