// A search that finds nothing reads every data cell once: a miss on a full sheet against reading
// every cell's length, and against the same miss on an empty sheet. Printing a full sheet through
// the channel and layout (on a device that only counts) against building the same row texts.
#include "core/print/sheet_print.h"
#include "core/print/text_device.h"
#include "core/sheet/sheet.h"
#include "core/sheet/sheet_search.h"
#include "full_sheet.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

using tavlor::Sheet;

/** A sheet with every data cell holding 8 to 16 lower-case letters, made once. */
const Sheet& fullSheet() {
    static const Sheet* sheet = [] {
        auto* made = new Sheet;
        made->writeHeaders();
        tavlor::bench::fillFullSheet(*made, 11);
        made->Genislik();
        return made;
    }();
    return *sheet;
}

const Sheet& emptySheet() {
    static const Sheet* sheet = [] {
        auto* made = new Sheet;
        made->writeHeaders();
        made->Genislik();
        return made;
    }();
    return *sheet;
}

/** A printer stand-in that measures 10 units per byte and draws nothing. */
class CountingDevice : public tavlor::TextDevice {
public:
    void beginJob() override {}
    void endJob() override {}
    void newPage() override { ++pages; }
    int pageWidth() const override { return 9000; }
    int pageHeight() const override { return 13000; }
    int averageCharWidth() const override { return 10; }
    int charHeight() const override { return 150; }
    tavlor::TextExtent measure(std::string_view run) const override {
        return {static_cast<int>(run.size()) * 10, 150};
    }
    void draw(int, int, std::string_view run) override { drawn += run.size(); }
    long pages = 0;
    std::size_t drawn = 0;
};

void BM_ReadEveryCellLength(benchmark::State& state) {
    const Sheet& sheet = fullSheet();
    for (auto _ : state) {
        std::size_t total = 0;
        for (int r = 1; r <= Sheet::kLastRow; ++r)
            for (int c = 1; c <= Sheet::kLastCol; ++c)
                total += sheet.cell(c, r).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadEveryCellLength)->Unit(benchmark::kMillisecond);

void BM_FindMissFullSheet(benchmark::State& state) {
    const Sheet& sheet = fullSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavlor::findInSheet(sheet, "Missing"));
}
BENCHMARK(BM_FindMissFullSheet)->Unit(benchmark::kMillisecond);

void BM_FindMissEmptySheet(benchmark::State& state) {
    const Sheet& sheet = emptySheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavlor::findInSheet(sheet, "5"));
}
BENCHMARK(BM_FindMissEmptySheet)->Unit(benchmark::kMillisecond);

void BM_BuildRowTextsFullSheet(benchmark::State& state) {
    const Sheet& sheet = fullSheet();
    for (auto _ : state) {
        std::size_t total = 0;
        for (int r = 1; r <= Sheet::kLastRow; ++r)
            total += tavlor::printRowText(sheet, r).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_BuildRowTextsFullSheet)->Unit(benchmark::kMillisecond);

void BM_PrintFullSheet(benchmark::State& state) {
    const Sheet& sheet = fullSheet();
    for (auto _ : state) {
        CountingDevice device;
        tavlor::printSheet(sheet, device);
        benchmark::DoNotOptimize(device.drawn);
        state.counters["pages"] = static_cast<double>(device.pages + 1);
    }
}
BENCHMARK(BM_PrintFullSheet)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
