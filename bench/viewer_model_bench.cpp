// A viewer's table (ListView1 over the table model, its columns fitted to
// their contents) given a table of 1,000,000 program rows and scrolled to its
// last row, painted (target: under 1 s), against the baseline of copying
// those rows once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <optional>

#include "common/table.hpp"
#include "qt_application.hpp"
#include "ratio_reporter.hpp"
#include "ui/column_fit.hpp"
#include "ui/table_model.hpp"

namespace {

constexpr int kRows = 1'000'000;

using patchlore::bench::EnsureApplication;

// Rows as the program view makes them with its default columns: the bank
// name on the first row of each bank of 128, a 24-character name.
const patchlore::Table& MillionRows() {
  static const patchlore::Table table = [] {
    patchlore::Table t;
    t.columns = {{"Prog Bank", 80}, {"Index", 48}, {"P.Name", 70}, {"OSC Mode", 55}, {"Transpose", 54}};
    t.rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
      const std::string index = std::to_string(1000 + i % 128).substr(1);
      t.rows.push_back({i % 128 == 0 ? "U-A; [HD-1]" : "",
                        {index, "Prog U-A " + index + std::string(12, ' '), "Single", " OSC1:+00"}});
    }
    return t;
  }();
  return table;
}

void BM_ViewerListMillionRows(benchmark::State& state) {
  EnsureApplication();
  const patchlore::Table& source = MillionRows();
  TableModel model;
  QTableView* list = NewReportList(nullptr, &model);
  new ColumnFit(list, list->horizontalHeader(), &model);
  list->resize(682, 400);
  list->show();
  for (auto _ : state) {
    state.PauseTiming();
    model.show(nullptr);  // the old rows go outside the measured time
    QCoreApplication::processEvents();
    state.ResumeTiming();

    model.show(&source);
    const QModelIndex last = list->model()->index(list->model()->rowCount() - 1, 0);
    list->scrollTo(last);
    QCoreApplication::processEvents();  // lays out and paints the last page
    if (!list->viewport()->rect().intersects(list->visualRect(last)))
      state.SkipWithError("the last row is not on screen");
  }
  model.show(nullptr);
  delete list;
}
BENCHMARK(BM_ViewerListMillionRows)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(7)->ReportAggregatesOnly();

void BM_CopyMillionRowTable(benchmark::State& state) {
  const patchlore::Table& source = MillionRows();
  std::optional<patchlore::Table> copy;
  for (auto _ : state) {
    copy.emplace(source);
    benchmark::DoNotOptimize(copy->rows.data());
    state.PauseTiming();
    copy.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CopyMillionRowTable)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(7)->ReportAggregatesOnly();

const bool registered =
    (patchlore::bench::CompareWith("BM_ViewerListMillionRows", "BM_CopyMillionRowTable"), true);

}  // namespace
