// Fifty PCG images of about 20 MB each, loaded into the desktop program, and
// for each a viewer of all its program banks and one of all its combination
// banks: the peak resident memory against the sum of the file sizes, and the
// file handles and windows left once the viewers and catalogues are closed.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <filesystem>

#include "main_window/ui/main_window.hpp"
#include "qt_application.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 50;

// 20 program banks and 7 combination banks: about 20 MB.
const fs::path& PcgFolder() {
  static const fs::path folder = [] {
    const fs::path path = fs::temp_directory_path() / "patchlore-bench-load";
    fs::create_directories(path);
    const fs::path first = path / "P0.PCG";
    if (!fs::exists(first)) {
      patchlore::test::PcgBuilder builder;
      for (std::uint32_t i = 0; i < 20; ++i) builder.programBank(0x20000 + (i % 7), 128);
      for (std::uint32_t i = 0; i < 7; ++i) builder.combiBank(i);
      const patchlore::test::Bytes bytes = builder.build();
      (void)patchlore::WriteFileSafely(first.string(), reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    for (int k = 1; k < kFiles; ++k)
      if (!fs::exists(path / ("P" + std::to_string(k) + ".PCG")))
        fs::copy_file(first, path / ("P" + std::to_string(k) + ".PCG"));
    return path;
  }();
  return folder;
}

std::int64_t OpenFileHandles() {
  std::int64_t count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

template <typename Window>
int Count() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<Window*>(w)) ++n;
  return n;
}

void OpenViewersOfEveryBank(MainWindow& form, int file) {
  emit form.catalogueRequested(file, file);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* browser = qobject_cast<ObjectBrowserWindow*>(w);
    if (!browser || browser->catalogue().fileIndex != file) continue;
    browser->selectAllRows();
    browser->viewSelected();
  }
  QCoreApplication::processEvents();
}

void BM_LoadFiftyPcgsWithViewers(benchmark::State& state) {
  patchlore::bench::EnsureApplication();
  const fs::path& folder = PcgFolder();
  {
    // The first window opens what Qt keeps for the program's lifetime (fonts,
    // the platform): not a leak of ours.
    patchlore::test::FakeDialogs dialogs;
    MainWindow warmUp(dialogs);
    warmUp.show();
    QCoreApplication::processEvents();
  }
  double filesMb = 0;
  for (auto _ : state) {
    const std::int64_t handlesBefore = OpenFileHandles();
    patchlore::test::FakeDialogs dialogs;
    auto form = std::make_unique<MainWindow>(dialogs);
    for (int k = 0; k < kFiles; ++k) {
      const fs::path file = folder / ("P" + std::to_string(k) + ".PCG");
      filesMb += static_cast<double>(fs::file_size(file)) / 1e6;
      dialogs.openAnswers.push_back(file.string());
      form->findChild<QAction*>("FileOpen1")->trigger();
      OpenViewersOfEveryBank(*form, k);
    }
    state.counters["viewers"] = Count<ViewerWindow>();
    state.counters["catalogues"] = Count<ObjectBrowserWindow>();
    form.reset();  // its catalogues and viewers are closed with it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.counters["windows_left"] = Count<ViewerWindow>() + Count<ObjectBrowserWindow>();
    state.counters["handles_left"] = static_cast<double>(OpenFileHandles() - handlesBefore);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double peakMb = static_cast<double>(usage.ru_maxrss) / 1e3;
  state.counters["files_MB"] = filesMb;
  state.counters["peak_rss_MB"] = peakMb;
  state.counters["peak_per_file_byte"] = peakMb / filesMb;
}
BENCHMARK(BM_LoadFiftyPcgsWithViewers)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
