// One keystroke as the window runs it: the cell takes the editor's text, then Genislik twice and
// the change check once. Full sheet (every data cell 8 to 16 bytes) against an empty sheet in the
// same run; the literal sweep of every cell is measured alongside as the cost we avoid.
#include "core/document/sheet_document.h"
#include "core/sheet/sheet.h"
#include "full_sheet.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

using tavlor::Sheet;
using tavlor::SheetDocument;

void fill(Sheet& sheet) {
    tavlor::bench::fillFullSheet(sheet);
}

// Alternates between typing a character at the end of M5000 and deleting it again.
void runKeystrokes(benchmark::State& state, SheetDocument& document) {
    document.sheet().setCell(13, 5000, "12345678");
    document.Genislik();
    document.takeSnapshot();
    const std::string texts[2] = {"123456789", "12345678"};
    std::size_t n = 0;
    for (auto _ : state) {
        document.sheet().setCell(13, 5000, texts[n++ & 1]);
        document.Genislik();
        document.changeCheck();
        document.Genislik();
        benchmark::DoNotOptimize(document.sheet().MaxRow());
    }
}

void BM_KeystrokeEmptySheet(benchmark::State& state) {
    SheetDocument document;
    runKeystrokes(state, document);
}
BENCHMARK(BM_KeystrokeEmptySheet);

void BM_KeystrokeFullSheet(benchmark::State& state) {
    SheetDocument document;
    fill(document.sheet());
    runKeystrokes(state, document);
}
BENCHMARK(BM_KeystrokeFullSheet);

// The literal routines: sweep every data cell for the extent, build and compare the whole text.
void BM_KeystrokeFullSheetLiteralSweep(benchmark::State& state) {
    Sheet sheet;
    fill(sheet);
    std::string snapshot = sheet.contentText();
    const std::string texts[2] = {"123456789", "12345678"};
    std::size_t n = 0;
    auto sweepExtent = [&sheet] {
        std::int64_t maxRow = 0;
        std::int64_t maxCol = 0;
        for (int r = 1; r <= Sheet::kLastRow; ++r)
            for (int c = 1; c <= Sheet::kLastCol; ++c)
                if (!sheet.cell(c, r).empty()) {
                    maxRow = std::max<std::int64_t>(maxRow, r);
                    maxCol = std::max<std::int64_t>(maxCol, c);
                }
        benchmark::DoNotOptimize(maxRow + maxCol);
    };
    for (auto _ : state) {
        sheet.setCell(13, 5000, texts[n++ & 1]);
        sweepExtent();
        std::string content;
        for (int r = 1; r <= Sheet::kLastRow; ++r)
            for (int c = 1; c <= Sheet::kLastCol; ++c)
                content += sheet.cell(c, r);
        benchmark::DoNotOptimize(content == snapshot);
        snapshot = std::move(content);
        sweepExtent();
    }
}
BENCHMARK(BM_KeystrokeFullSheetLiteralSweep)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
