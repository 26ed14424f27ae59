// In-process timings of the cell driver on the benchmark inputs, without the
// process start and the file and UTF-8 conversions that numera-cli adds.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/BenchInputs.h"
#include "engine/CalculateText.h"
#include "engine/MemoryStore.h"
#include "engine/Preferences.h"

namespace {

std::u16string Widen(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

void CalculateAll(benchmark::State& state, const std::u16string& input) {
    bool ok = true;
    std::size_t outputSize = 0;
    for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop
        std::u16string text = input;
        int32_t position = -1;
        ok = NCalculatorText::CalculateText(text, position);
        outputSize = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(input.size() * sizeof(char16_t)));
    state.counters["ok"] = ok ? 1 : 0;
    state.counters["output_units"] = static_cast<double>(outputSize);
    NCalculatorText::MemoryStore::Instance().Clear();
}

}  // namespace

int main(int argc, char** argv) {
    Preferences.TrigonometricUnits = 0;
    // Generate once; every benchmark captures its own text.
    for (const auto& input : NumeraBench::AllInputs()) {
        benchmark::RegisterBenchmark(input.name.c_str(), CalculateAll, Widen(input.text))
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
