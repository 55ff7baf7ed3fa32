// Loading a full-sheet file (9,999 lines of 26 cells of 8 to 16 bytes) against reading the same
// bytes into memory, the encoding check of a load against the load, and saving that sheet against
// writing the same bytes to a file. Both writes include fsync (the save cannot skip it). The
// recovery file of the same sheet against the save.
#include "core/document/sheet_document.h"
#include "core/format/semicolon_writer.h"
#include "core/recovery/recovery_file.h"
#include "core/recovery/recovery_store.h"
#include "core/sheet/sheet.h"
#include "core/text/text_encoding.h"
#include "full_sheet.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

using tavlor::Sheet;
using tavlor::SheetDocument;

/** A temporary folder holding the full-sheet file, made once for the whole run. */
struct Fixture {
    Fixture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavlor-bench-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp");
        folder = pattern;
        tavlor::bench::fillFullSheet(document.sheet());
        document.Genislik();
        bytes = tavlor::semicolonText(document.sheet());
        input = folder + "/full.csv";
        document.Kaydet(input);
    }
    ~Fixture() { std::filesystem::remove_all(folder); }

    std::string folder;
    std::string input;
    std::string bytes;
    SheetDocument document;
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

void BM_ReadRawBytes(benchmark::State& state) {
    Fixture& f = fixture();
    std::string buffer;
    for (auto _ : state) {
        const int fd = ::open(f.input.c_str(), O_RDONLY | O_CLOEXEC);
        buffer.resize(f.bytes.size() + 1);
        std::size_t got = 0;
        for (ssize_t n; (n = ::read(fd, buffer.data() + got, buffer.size() - got)) > 0;)
            got += static_cast<std::size_t>(n);
        ::close(fd);
        benchmark::DoNotOptimize(got);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_ReadRawBytes)->Unit(benchmark::kMillisecond);

// The same bytes into a new string each time, as a program reads a whole file into memory.
void BM_ReadIntoNewString(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        const int fd = ::open(f.input.c_str(), O_RDONLY | O_CLOEXEC);
        std::string content(f.bytes.size(), '\0');
        std::size_t got = 0;
        for (ssize_t n; got < content.size() &&
                        (n = ::read(fd, content.data() + got, content.size() - got)) > 0;)
            got += static_cast<std::size_t>(n);
        ::close(fd);
        benchmark::DoNotOptimize(content.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_ReadIntoNewString)->Unit(benchmark::kMillisecond);

// Ac on a document that already holds the full sheet: Sil clears it first, as in the program.
void BM_LoadFullSheet(benchmark::State& state) {
    Fixture& f = fixture();
    SheetDocument document;
    for (auto _ : state) {
        document.Ac(f.input);
        benchmark::DoNotOptimize(document.sheet().MaxRow());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_LoadFullSheet)->Unit(benchmark::kMillisecond);

// The encoding check every load makes over the loaded cells, against BM_LoadFullSheet.
void BM_DetectEncoding(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavlor::detectEncoding(f.document.sheet()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_DetectEncoding)->Unit(benchmark::kMillisecond);

void BM_WriteRawBytes(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string path = f.folder + "/raw.csv";
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        benchmark::DoNotOptimize(::write(fd, f.bytes.data(), f.bytes.size()));
        ::fsync(fd);
        ::close(fd);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_WriteRawBytes)->Unit(benchmark::kMillisecond);

void BM_SaveFullSheet(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string path = f.folder + "/saved.csv";
    for (auto _ : state)
        f.document.Kaydet(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}
BENCHMARK(BM_SaveFullSheet)->Unit(benchmark::kMillisecond);

// The text the save builds, without any file work.
void BM_BuildFileText(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavlor::semicolonText(f.document.sheet()));
}
BENCHMARK(BM_BuildFileText)->Unit(benchmark::kMillisecond);

// The recovery file of the full sheet: its text and the write by new file and rename, as the
// recovery timer does it, against BM_SaveFullSheet.
void BM_RecoveryWriteFullSheet(benchmark::State& state) {
    Fixture& f = fixture();
    tavlor::RecoveryStore store(f.folder + "/recovery");
    const tavlor::RecoveryHeader header{f.input, tavlor::TextEncoding::Utf8, 0, {}};
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string text = tavlor::recoveryText(header, f.document.sheet());
        store.write(text);
        size = text.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["file_MB"] = double(size) / 1e6;
}
BENCHMARK(BM_RecoveryWriteFullSheet)->Unit(benchmark::kMillisecond);

// The recovery file's text alone, against BM_BuildFileText.
void BM_BuildRecoveryText(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavlor::recoveryText({}, f.document.sheet()));
}
BENCHMARK(BM_BuildRecoveryText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
