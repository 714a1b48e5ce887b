// Viewers on files loaded through the Open command, with a fixed clock and a
// reporter that counts pumps and can act on them.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "common/bytes.hpp"
#include "support/loaded_image.hpp"
#include "support/fakes.hpp"
#include "support/pcg_builder.hpp"
#include "support/temp_dir.hpp"
#include "viewer/object_browser.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore::test {

class RecordingViewerReporter : public ViewerReporter {
 public:
  int pumps = 0;
  std::function<void()> onPump;
  std::vector<ViewerPart> parts;
  void pump() override {
    ++pumps;
    if (onPump) onPump();
  }
  void changed(ViewerPart part) override { parts.push_back(part); }
};

struct ViewerFixture {
  TempDir dir;
  MainWindowFixture main;
  ViewerShared shared;
  RecordingViewerReporter reporter;
  // Each reading of the clock gives the next of these texts (the last one repeats).
  std::vector<std::string> times{"10:00:00", "10:00:05"};
  std::size_t timeReads = 0;

  Registry& registry() { return main.window.registry(); }

  // Loads the bytes as a file of that name; returns its registry index.
  int load(const std::string& name, const Bytes& bytes) {
    (void)main.open(dir.write(name, bytes));
    return registry().count() - 1;
  }

  // Adds the bytes to the registry as they are, with the given type text.
  int add(const std::string& name, const Bytes& bytes, const std::string& type) {
    ByteBuffer buffer(static_cast<std::int64_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), buffer.data());
    return registry().add(std::move(buffer), dir.write(name, bytes), FactsOfType(type));
  }

  // The object at offset with its descriptor line: the label, "=" and the offset.
  static ViewerObject Object(const std::string& label, std::int64_t offset) {
    return {label + "=" + Hex8(offset), offset};
  }
  // The program bank at offset.
  static ViewerObject Line(std::int64_t offset) { return Object("Prog Bank", offset); }

  // The offsets of the program banks of a loaded file.
  std::vector<std::int64_t> programBanks(int file) {
    const Image image = registry().image(file);
    return BankRun(image, FindChunk("PRG1", image), BankRunKind::Programs);
  }

  // The request the object browser makes for objects of one kind of a file.
  ViewerRequest request(int file, const std::vector<ViewerObject>& objects, const std::string& kind = "Prog") {
    return MakeViewerRequest(kind, file, FileWindowCaption(registry(), file), objects);
  }

  // A viewer created as the object browser does it, not yet shown.
  std::unique_ptr<ViewerCore> viewer(int file, const std::vector<ViewerObject>& objects,
                                     const std::string& kind = "Prog") {
    auto v = std::make_unique<ViewerCore>(registry(), shared, reporter, [this] {
      const std::string& t = times[std::min(timeReads, times.size() - 1)];
      ++timeReads;
      return t;
    });
    v->Open(request(file, objects, kind));
    return v;
  }
};

}  // namespace patchlore::test
