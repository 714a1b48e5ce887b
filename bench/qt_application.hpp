// The windows need an application; the benchmarks make it when the first of
// them runs, on the offscreen platform unless another one was chosen. It is
// never destroyed: it must outlive every static that might hold Qt objects.
#pragma once

#include <QApplication>

namespace patchlore::bench {

inline void EnsureApplication() {
  if (QApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "patchlore_bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace patchlore::bench
