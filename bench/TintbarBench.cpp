// How long the work behind the user's commands takes: the CSS import of
// small to huge style sheets (Paste), the whole repaint (every mouse move),
// the hit test of every client pixel, and a plain ASCII lower-casing pass as
// the floor that the import is measured against.

#include "bench/BenchPlatform.h"
#include "bench/StyleSheet.h"
#include "preview/ScrollBarModel.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>

namespace {

constexpr std::size_t kKilobyte = 1024;
constexpr std::size_t kMegabyte = 1024 * kKilobyte;

void BM_ImportCssText(benchmark::State& state) {
    const CString sheet = GenerateStyleSheet(static_cast<std::size_t>(state.range(0)));
    CScrollBarModel bar;
    for (auto _ : state) {
        bar.ImportCssText(sheet);
        benchmark::ClobberMemory();
    }
    if (bar.GetColors() != kStyleSheetColors) {
        state.SkipWithError("the import did not find the BODY rule's colours");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sheet.size()));
}
BENCHMARK(BM_ImportCssText)
    ->Arg(10 * kKilobyte)
    ->Arg(kMegabyte)
    ->Arg(10 * kMegabyte)
    ->Unit(benchmark::kMicrosecond);

// The floor: one pass that lower-cases A to Z over the same bytes, as plain
// as it can be written.
void BM_AsciiLowerCase(benchmark::State& state) {
    const CString sheet = GenerateStyleSheet(static_cast<std::size_t>(state.range(0)));
    CString lower(sheet.size(), '\0');
    for (auto _ : state) {
        std::transform(sheet.begin(), sheet.end(), lower.begin(), [](char byte) {
            return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + ('a' - 'A')) : byte;
        });
        benchmark::DoNotOptimize(lower.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sheet.size()));
}
BENCHMARK(BM_AsciiLowerCase)->Arg(10 * kMegabyte)->Unit(benchmark::kMicrosecond);

// The raster keeps a record of every text run, so it grows by one small
// entry a paint; that is part of what painting on it costs.
void BM_PaintPreview(benchmark::State& state) {
    CBenchView bench;
    for (auto _ : state) {
        bench.GetView().PaintPreview();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintPreview)->Unit(benchmark::kMicrosecond);

void BM_HitTestBars(benchmark::State& state) {
    CBenchView bench;
    for (auto _ : state) {
        int elements = 0;
        for (std::int32_t y = 0; y < kClientHeight; ++y) {
            for (std::int32_t x = 0; x < kClientWidth; ++x) {
                elements += bench.GetView().HitTestBars(x, y);
            }
        }
        benchmark::DoNotOptimize(elements);
    }
    state.SetItemsProcessed(state.iterations() * kClientWidth * kClientHeight);
}
BENCHMARK(BM_HitTestBars)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
