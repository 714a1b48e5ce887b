// The Open loader on any file, then its catalogue and every display of it.
#include "fuzz_support.hpp"

using namespace patchlore;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Input input(data, size);
  // The last bytes also make one arbitrary descriptor line for each display.
  const std::size_t extra = std::min<std::size_t>(size, 24);
  Workspace workspace;
  const LoadResult opened = workspace.openFile(fuzz::WriteInputFile(input, ".PCG"));
  if (opened) fuzz::ShowEveryRow(workspace, opened->index, input.last(extra));
  return 0;
}
