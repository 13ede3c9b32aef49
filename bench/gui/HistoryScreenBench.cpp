// The history list screen on Qt's offscreen platform with 1,000,000 entries of 100,000 customers:
// switching to it until it is painted, and what the shown screen holds in resident memory (the
// rows, the table view and the item model; the entries themselves belong to the document).
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "HistoryWorkspace.h"
#include "app/Screens.h"
#include "app/qt/MainFrameWindow.h"
#include "history/qt/HistoryListWidget.h"
#include "shell/CMainFrame.h"
#include "ui/qt/ApplicationSetup.h"

namespace {

double ResidentMiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void BM_HistoryScreenOpen(benchmark::State& state) {
  static bench::HistoryWorkspace* w = new bench::HistoryWorkspace("history-screen");
  shell::CMainFrame frame(w->ui, {});
  app::MenuScreenContext context;
  context.ui = &w->ui;
  context.frame = &frame;
  context.doc = w->doc.get();
  context.install = w->install;
  frame.SetDocument(w->doc.get());
  frame.SetScreenFactory(app::MakeScreenFactory(context));
  app::MainFrameWindow window(frame, [&frame] { frame.Close(); });
  if (!frame.Create()) std::abort();
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) std::abort();
  double screenMiB = 0;
  for (auto _ : state) {
    state.PauseTiming();
    // Two switches away: the previous list goes with the second (a screen replaced is kept until
    // the next switch).
    frame.SwitchScreen(shell::CScreen::kMenu);
    QApplication::processEvents();
    frame.SwitchScreen(shell::CScreen::kDM);
    QApplication::processEvents();
    const double before = ResidentMiB();
    state.ResumeTiming();
    frame.SwitchScreen(shell::CScreen::kHistory);
    auto* list = dynamic_cast<history::HistoryListWidget*>(window.centralWidget());
    if (!list) std::abort();
    list->Table()->viewport()->repaint();
    QApplication::processEvents();
    state.PauseTiming();
    screenMiB = std::max(screenMiB, ResidentMiB() - before);  // the first time: later ones reuse freed pages
    // Down to the last row and back: the view lays out no row it does not show.
    list->Table()->scrollToBottom();
    list->Table()->viewport()->repaint();
    state.ResumeTiming();
  }
  state.counters["rows"] = static_cast<double>(w->doc->History().size());
  state.counters["screen_MiB"] = screenMiB;
  state.counters["entries_MiB"] = w->entriesMiB;
  window.close();
}
BENCHMARK(BM_HistoryScreenOpen)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ui::SetUpApplication(application);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
