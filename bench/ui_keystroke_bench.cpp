// A keystroke in the in-cell editor and a Down move between cells, through the real widgets
// offscreen, on a full sheet against an empty one: handlers done and the repaint processed. Also a
// keystroke at the end of a 100,000-character cell, in the in-cell editor and in the formula bar.
// Every keystroke leaves the recovery write due (its delays are set long, so it never runs in a
// measured step); the write coming due, the write itself as SIGTERM runs it, and the window's part
// of a write its timer starts right after a keystroke are measured on their own.
#include "ui/encoding/document_encoding_control.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/recovery/recovery_timer.h"
#include "ui/text/formula_bar.h"
#include "ui/window/tform1.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// Medians in microseconds by benchmark name, for the ratios printed at the end.
std::map<std::string, double> g_medians;
long g_fullSheetRssKb = 0;

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

constexpr int kHour = 3600 * 1000;

// Closes a form that wrote a recovery file, which removes it: the next form would offer it.
void closeClean(TForm1& form) {
    form.document().markUnmodified();
    form.close();
}

std::unique_ptr<TForm1> makeForm(bool full, bool turkish = false) {
    auto form = std::make_unique<TForm1>();
    form->setRecoveryDelays(kHour, kHour);
    if (turkish)
        form->encodingControl().setDocumentEncoding(tavlor::TextEncoding::Windows1254);
    if (full) {
        tavlor::Sheet& sheet = form->document().sheet();
        // 8 to 16 bytes per cell, every cell different; in Windows-1254 padded with "ş".
        for (int row = 1; row <= tavlor::Sheet::kLastRow; ++row) {
            for (int col = 1; col <= tavlor::Sheet::kLastCol; ++col) {
                std::string text = "c" + std::to_string(col) + "r" + std::to_string(row);
                text.resize(8 + static_cast<std::size_t>((row + col) % 9), turkish ? '\xFE' : 'x');
                sheet.setCell(col, row, std::move(text));
            }
        }
        form->S()->refreshAll();
        form->document().Genislik();
        form->document().takeSnapshot();
    }
    form->show();
    form->activateWindow();
    settle();
    form->S()->setFocus();
    settle();
    if (full && g_fullSheetRssKb == 0) // the first full sheet, before the long-cell rows add to it
        g_fullSheetRssKb = residentKb();
    return form;
}

void press(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &up);
}

double median(std::vector<double> samples) {
    if (samples.empty())
        return 0;
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

template <typename Step>
void measure(benchmark::State& state, const char* name, Step step, std::size_t warmUps = 40,
             const std::function<void()>& between = {}) {
    // Untimed warm-up: font and glyph caches, first paints. between runs untimed before each step.
    for (std::size_t i = 0; i < warmUps; ++i) {
        if (between)
            between();
        step(i);
        QCoreApplication::processEvents();
    }
    std::vector<double> samples;
    for (auto _ : state) {
        if (between)
            between();
        const auto start = std::chrono::steady_clock::now();
        step(samples.size());
        QCoreApplication::processEvents(); // the repaint of the cell, editor and panels
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        samples.push_back(took.count());
        state.SetIterationTime(took.count() / 1e6);
    }
    const double mid = median(samples);
    state.counters["median_us"] = mid;
    g_medians[name] = mid;
}

void keystroke(benchmark::State& state, bool full, bool turkish = false) {
    auto form = makeForm(full, turkish);
    form->S()->moveTo(3, 500);
    settle();
    QWidget* editor = form->S()->editor();
    const char* name = turkish ? (full ? "keystroke-1254/full" : "keystroke-1254/empty")
                               : (full ? "keystroke/full" : "keystroke/empty");
    // Each step changes the cell's text: a letter, then Backspace takes it away again.
    measure(state, name, [&](std::size_t i) {
        if (i % 2 == 0 && turkish)
            press(editor, Qt::Key_unknown, QStringLiteral("ş"));
        else if (i % 2 == 0)
            press(editor, Qt::Key_Z, QStringLiteral("z"));
        else
            press(editor, Qt::Key_Backspace);
    });
    if (full)
        state.counters["rss_full_MB"] = double(g_fullSheetRssKb) / 1024.0;
}

void downMove(benchmark::State& state, bool full) {
    auto form = makeForm(full);
    // Two cells of different text, also on the otherwise empty sheet.
    form->document().sheet().setCell(3, 500, "first cell");
    form->S()->showCell(3, 500);
    form->document().sheet().setCell(3, 501, "second one");
    form->S()->showCell(3, 501);
    form->document().takeSnapshot();
    form->S()->moveTo(3, 500);
    settle();
    QWidget* editor = form->S()->editor();
    const char* name = full ? "down/full" : "down/empty";
    measure(state, name,
            [&](std::size_t i) { press(editor, i % 2 == 0 ? Qt::Key_Down : Qt::Key_Up); });
}

// Each step types a letter at the end of the long cell or takes it away again.
void longCellKeystroke(benchmark::State& state, bool inFormulaBar) {
    auto form = makeForm(true);
    std::string text;
    while (text.size() < 100000)
        text += "word" + std::to_string(text.size() % 997) + ' ';
    text.resize(100000);
    form->document().sheet().setCell(3, 500, text);
    form->S()->showCell(3, 500);
    form->document().takeSnapshot();
    form->S()->moveTo(3, 500);
    QLineEdit* box = form->S()->editor();
    if (inFormulaBar)
        box = form->LabeledEdit1();
    box->setFocus();
    box->end(false);
    settle();
    measure(
        state, inFormulaBar ? "long/formula-bar" : "long/in-cell",
        [&](std::size_t i) {
            if (i % 2 == 0)
                press(box, Qt::Key_Z, QStringLiteral("z"));
            else
                press(box, Qt::Key_Backspace);
        },
        4);
}

// What a keystroke adds for the recovery file: the write comes due (one timer restarted).
void BM_RecoveryWriteComesDue(benchmark::State& state) {
    tavlor::ui::RecoveryTimer timer(nullptr, [] {});
    timer.setDelays(kHour, kHour);
    measure(state, "write-due", [&](std::size_t) { timer.noteChange(); });
}

// The recovery file of the full sheet written at once (SIGTERM, the session's end), against
// keystroke/full.
void BM_RecoveryWriteFull(benchmark::State& state) {
    auto form = makeForm(true);
    form->S()->moveTo(3, 500);
    press(form->S()->editor(), Qt::Key_Z, QStringLiteral("z"));
    settle();
    measure(state, "recovery-write/full", [&](std::size_t) { form->keepUnsavedWork(); });
    closeClean(*form);
}

// A keystroke whose recovery write starts straight after it (no quiet while): what the window
// spends on the write (the file work runs beside it and ends, untimed, before the next key).
void BM_KeystrokeThenRecoveryWriteFull(benchmark::State& state) {
    auto form = makeForm(true);
    form->setRecoveryDelays(0, kHour);
    form->S()->moveTo(3, 500);
    settle();
    QWidget* editor = form->S()->editor();
    measure(
        state, "keystroke+write/full",
        [&](std::size_t i) {
            if (i % 2 == 0)
                press(editor, Qt::Key_Z, QStringLiteral("z"));
            else
                press(editor, Qt::Key_Backspace);
        },
        40, [&] { form->finishRecoveryWrite(); });
    closeClean(*form);
}

void BM_KeystrokeEmpty(benchmark::State& state) {
    keystroke(state, false);
}
void BM_KeystrokeFull(benchmark::State& state) {
    keystroke(state, true);
}
// The same in a Windows-1254 document whose cells hold Turkish letters.
void BM_Keystroke1254Empty(benchmark::State& state) {
    keystroke(state, false, true);
}
void BM_Keystroke1254Full(benchmark::State& state) {
    keystroke(state, true, true);
}
void BM_DownMoveEmpty(benchmark::State& state) {
    downMove(state, false);
}
void BM_DownMoveFull(benchmark::State& state) {
    downMove(state, true);
}
void BM_LongCellInCell(benchmark::State& state) {
    longCellKeystroke(state, false);
}
void BM_LongCellFormulaBar(benchmark::State& state) {
    longCellKeystroke(state, true);
}

BENCHMARK(BM_KeystrokeEmpty)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeFull)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Keystroke1254Empty)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Keystroke1254Full)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DownMoveEmpty)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DownMoveFull)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LongCellInCell)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LongCellFormulaBar)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecoveryWriteComesDue)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecoveryWriteFull)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeThenRecoveryWriteFull)->UseManualTime()->Unit(benchmark::kMicrosecond);

void printRatio(const char* what, const std::string& full, const std::string& empty) {
    if (!g_medians.count(full) || !g_medians.count(empty) || g_medians[empty] <= 0)
        return;
    std::printf("%s: median full %.1f us, empty %.1f us, full/empty %.2f (target <= 1.5, median < "
                "2000 us)\n",
                what, g_medians[full], g_medians[empty], g_medians[full] / g_medians[empty]);
}

void printMoveAgainstKey() {
    if (!g_medians.count("down/full") || !g_medians.count("keystroke/full") ||
        g_medians["keystroke/full"] <= 0)
        return;
    std::printf("down move on the full sheet: %.1f us, %.2f times a keystroke (target <= 3)\n",
                g_medians["down/full"], g_medians["down/full"] / g_medians["keystroke/full"]);
}

void printLongCell() {
    const auto in = g_medians.find("long/in-cell");
    const auto bar = g_medians.find("long/formula-bar");
    const auto normal = g_medians.find("keystroke/full");
    if (in == g_medians.end() || bar == g_medians.end() || normal == g_medians.end() ||
        normal->second <= 0)
        return;
    std::printf("long cell: median %.1f us (in-cell), %.1f us (formula bar), normal %.1f us, ratio "
                "%.1f\n",
                in->second, bar->second, normal->second,
                std::max(in->second, bar->second) / normal->second);
}

void printAgainstKeystroke(const char* what, const std::string& name) {
    const std::string keystroke = "keystroke/full";
    if (!g_medians.count(name) || !g_medians.count(keystroke) || g_medians[keystroke] <= 0)
        return;
    std::printf(
        "%s: median %.1f us, a keystroke on the full sheet (write due) %.1f us, ratio %.1f\n", what,
        g_medians[name], g_medians[keystroke], g_medians[name] / g_medians[keystroke]);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Recovery files go to a folder of this run's own, removed at the end.
    std::string state = (std::filesystem::temp_directory_path() / "tavlor-bench-XXXXXX").string();
    if (::mkdtemp(state.data()) == nullptr)
        return 1;
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(state));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printRatio("keystroke", "keystroke/full", "keystroke/empty");
    printRatio("keystroke in Windows-1254", "keystroke-1254/full", "keystroke-1254/empty");
    printRatio("down move", "down/full", "down/empty");
    printMoveAgainstKey();
    printLongCell();
    printAgainstKeystroke("a recovery write coming due", "write-due");
    printAgainstKeystroke("recovery write of the full sheet", "recovery-write/full");
    printAgainstKeystroke("the window's part of a recovery write started after a keystroke",
                          "keystroke+write/full");
    if (g_fullSheetRssKb > 0)
        std::printf("process RSS with a full sheet: %.1f MB\n", double(g_fullSheetRssKb) / 1024.0);
    std::filesystem::remove_all(state);
    return 0;
}
