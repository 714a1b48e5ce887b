#include "fuzz_support.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "viewer/object_browser.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore::fuzz {

namespace {

std::string& InputFilePath() {
  static std::string path;
  return path;
}

// The extra bytes as an offset: the first four, big-endian, signed, so that
// negative offsets and offsets past the image are tried as well.
std::int64_t OffsetOf(Input extra) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < std::min<std::size_t>(extra.size(), 4); ++i) value = (value << 8) | extra[i];
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::string WriteInputFile(Input input, const std::string& suffix) {
  std::string& path = InputFilePath();
  if (path.empty()) std::atexit([] { std::remove(InputFilePath().c_str()); });
  path = "/tmp/patchlore-fuzz-" + std::to_string(getpid()) + suffix;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
  return path;
}

void ShowEveryRow(Workspace& workspace, int fileIndex, Input extra) {
  const Catalogue catalogue = workspace.catalogue(fileIndex).catalogue;
  std::vector<int> rows;
  for (std::size_t r = 0; r < catalogue.rowCount(); ++r) {
    rows.push_back(static_cast<int>(r));
    for (std::size_t c = 0; c < catalogue.columns().size(); ++c) (void)catalogue.text(r, c);
  }
  const std::string extraLine(extra.begin(), extra.end());
  ViewerShared shared;
  ViewerReporter reporter;
  std::vector<std::unique_ptr<ViewerCore>> viewers;
  for (auto request : ViewerRequestsFor(catalogue, rows)) {
    if (!extraLine.empty()) request.addObject({extraLine, OffsetOf(extra)});
    viewers.push_back(std::make_unique<ViewerCore>(workspace.registry(), shared, reporter,
                                                   [] { return std::string("00:00:00"); }));
    viewers.back()->Open(request);
  }
  for (auto& viewer : viewers) {
    viewer->setShowOffsets(true);
    viewer->pressShow();
    if (viewer->kind() == ViewerKind::Song) {
      viewer->setByObject(false);
      viewer->pressShow();
    }
  }
}

std::size_t TouchTexts(const ComputedRows& rows, std::size_t columns) {
  std::size_t length = 0;
  for (std::size_t r = 0; r < rows.count(); ++r) {
    for (std::size_t c = 0; c < columns; ++c) length += rows.text(r, c).size();
    length += rows.descriptorLine(r).size();
  }
  return length;
}

}  // namespace patchlore::fuzz
