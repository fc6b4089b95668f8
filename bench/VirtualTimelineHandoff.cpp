// How fast the virtual timeline hands control between the driver and a simulation thread: one
// hour of virtual time with a thread planning short random waits and a 200 ms timer that wakes
// it now and then, about the traffic of a dense render.
#include <benchmark/benchmark.h>

#include "platform/VirtualTimeline.h"

namespace {

void BM_VirtualHour(benchmark::State& state) {
    int64_t handoffs = 0;
    for (auto _ : state) {
        tinsori::VirtualTimeline tl;
        bool stop = false;
        int64_t waits = 0;
        tl.startThread([&] {
            uint32_t x = 1;
            while (!stop) {
                x = x * 214013u + 2531011u;
                tl.wakeEvent().wait(20 + (x >> 16) % 400);
                ++waits;
            }
        });
        int ticks = 0;
        tl.runUntil(3600 * 1000, 200, [&] {
            if (++ticks % 45 == 0) tl.signal();
        });
        stop = true;
        tl.signal();
        tl.joinThread(2000);
        handoffs += waits + ticks;
    }
    state.counters["handoffs/s"] =
        benchmark::Counter(static_cast<double>(handoffs), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_VirtualHour)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
