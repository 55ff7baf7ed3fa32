// Printing the full sheet (9999 rows of 26 cells, thousands of pages depending on the paper) to a
// PDF file through the printer device the print command uses, against a sheet of one row: the time
// a user waits for a job.
#include "core/print/sheet_print.h"
#include "core/sheet/sheet.h"
#include "core/text/text_encoding.h"
#include "full_sheet.h"
#include "ui/print/printer_text_device.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void printToPdf(benchmark::State& state, int rows) {
    tavlor::Sheet sheet;
    tavlor::bench::fillFullSheet(sheet);
    for (int row = rows + 1; row <= tavlor::Sheet::kLastRow; ++row)
        for (int col = 1; col <= tavlor::Sheet::kLastCol; ++col)
            sheet.setCell(col, row, std::string());
    sheet.Genislik();
    QTemporaryDir folder;
    const tavlor::TextCodec codec;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("sheet.pdf")));
        tavlor::ui::PrinterTextDevice device(printer, codec);
        tavlor::printSheet(sheet, device, codec.encoding());
    }
}

void BM_PrintOneRow(benchmark::State& state) {
    printToPdf(state, 1);
}
void BM_PrintFullSheet(benchmark::State& state) {
    printToPdf(state, tavlor::Sheet::kLastRow);
}
BENCHMARK(BM_PrintOneRow)->Unit(benchmark::kMillisecond);
// One run is seconds long: once is enough for the figure and for the smoke run.
BENCHMARK(BM_PrintFullSheet)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
