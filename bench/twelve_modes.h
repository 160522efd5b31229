// The registration the per-mode benchmarks share: the twelve display modes as (width, depth),
// each measured once, by the benchmark's own timing (manual time), in microseconds.
#pragma once

#include <benchmark/benchmark.h>

inline void TwelveModes(benchmark::internal::Benchmark* b) {
    b->ArgsProduct({{640, 800, 1024}, {8, 16, 24, 32}})
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}
