// Timing beside a reference on a shared machine: each piece of work runs once per round, the
// pieces interleaved, and each keeps its fastest round. Load on the machine then bends neither
// the figure nor its ratio to the reference.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <limits>

namespace fastest {

template <std::size_t N>
std::array<double, N> MicrosecondsOf(int rounds, const std::array<std::function<void()>, N>& work) {
    std::array<double, N> best;
    best.fill(std::numeric_limits<double>::infinity());
    for (int round = 0; round < rounds; ++round)
        for (std::size_t i = 0; i < N; ++i) {
            const auto start = std::chrono::steady_clock::now();
            work[i]();
            const double us =
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                    .count();
            if (us < best[i]) best[i] = us;
        }
    return best;
}

}  // namespace fastest
