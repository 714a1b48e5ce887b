// The comparison window of two 16 MiB files that differ in every byte: the
// comparison runs block by block into the window, which then scrolls to its
// last row and selects every row (target: well within a second or two).
#include <benchmark/benchmark.h>

#include <QHeaderView>
#include <QTableView>
#include <cstring>
#include <memory>

#include "filled_buffer.hpp"
#include "qt_application.hpp"
#include "tools/compare_command.hpp"
#include "viewer/ui/object_browser_window.hpp"

namespace {

constexpr std::int64_t kSize = 16 << 20;

void BM_CompareWindow16MiBAllDifferent(benchmark::State& state) {
  patchlore::bench::EnsureApplication();
  for (auto _ : state) {
    state.PauseTiming();
    auto comparison = std::make_shared<patchlore::FileComparison>();
    comparison->setFile(1, "A", patchlore::bench::Filled(kSize, 0x00));
    comparison->setFile(2, "B", patchlore::bench::Filled(kSize, 0xFF));
    patchlore::Catalogue catalogue;
    catalogue.caption = "Compare1";
    catalogue.list.columns = patchlore::ComparisonColumns();
    catalogue.computed = comparison;
    state.ResumeTiming();

    auto* window = new ObjectBrowserWindow(std::move(catalogue));
    window->show();
    while (!comparison->finished()) {
      comparison->compareMore(patchlore::kCompareBlock);
      const auto msg = comparison->msg();
      window->showAddedRows(&*msg);
      QCoreApplication::processEvents();
    }
    auto* list = window->findChild<QTableView*>("ListView1");
    list->scrollToBottom();
    list->selectAll();
    QCoreApplication::processEvents();
    const int last = list->model()->rowCount() - 1;
    if (last != kSize + 1 || !list->selectionModel()->isRowSelected(last) ||
        !list->selectionModel()->isRowSelected(0))
      state.SkipWithError("not every row is selected");

    state.PauseTiming();
    delete window;
    comparison.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CompareWindow16MiBAllDifferent)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
