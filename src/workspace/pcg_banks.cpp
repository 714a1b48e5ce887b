#include "workspace/pcg_banks.hpp"

#include "formats/banks.hpp"
#include "formats/chunks.hpp"

namespace patchlore {

namespace {

struct KitLabel {
  std::string label;
  BankContent content;
};

// The label of a drum kit or wave sequence bank by the first letter of its
// ID; any other letter keeps the label before it.
KitLabel KitLabelOf(const std::string& id, const KitLabel& previous) {
  switch (id.empty() ? '\0' : id[0]) {
    case 'P': return {"Prog [HD-1]", BankContent::Programs};
    case 'M': return {"Prog [EXi]", BankContent::Programs};
    case 'C': return {"Combi", BankContent::Combinations};
    case 'D': return {"Drum Kit", BankContent::DrumKits};
    case 'W': return {"Wave Sequence", BankContent::WaveSequences};
    default: return previous;
  }
}

class BankWalk {
 public:
  BankWalk(Image image, const std::function<void(const PcgBank&)>& visit) : image_(image), visit_(visit) {}

  void chunk(std::int64_t offset, const std::string& id) {
    if (id == "SLS1" && SetListBankOffset(image_, offset) >= 0)
      visit_({PcgBankRun::SetLists, BankContent::SetLists, offset, 0, ""});
    if (id == "PRG1") run(offset, BankRunKind::Programs, PcgBankRun::Programs, BankContent::Programs);
    if (id == "CMB1") run(offset, BankRunKind::Combinations, PcgBankRun::Combinations, BankContent::Combinations);
    if (id == "DKT1") kitsOrSequences(offset, {"Drum Kit", BankContent::DrumKits});
    if (id == "WSQ1") kitsOrSequences(offset, {"Wave Sequence", BankContent::WaveSequences});
  }

 private:
  void run(std::int64_t parent, BankRunKind kind, PcgBankRun run, BankContent content) {
    int number = 0;
    for (const std::int64_t bank : BankRun(image_, parent, kind)) visit_({run, content, bank, number++, ""});
  }

  // The label of the parent chunk serves until a bank ID names one; once
  // named, a label carries over into the next run.
  void kitsOrSequences(std::int64_t parent, const KitLabel& parentLabel) {
    if (kitLabel_.label.empty()) kitLabel_ = parentLabel;
    int number = 0;
    for (const std::int64_t bank : BankRun(image_, parent, BankRunKind::DrumKitsOrWaveSequences)) {
      kitLabel_ = KitLabelOf(ReadBankHeader(image_, bank).id, kitLabel_);
      visit_({PcgBankRun::KitsOrSequences, kitLabel_.content, bank, number++, kitLabel_.label});
    }
  }

  Image image_;
  const std::function<void(const PcgBank&)>& visit_;
  KitLabel kitLabel_{"", BankContent::DrumKits};
};

}  // namespace

Status WalkPcgBanks(Image image, const std::function<void(const PcgBank&)>& visit) {
  if (BytesText(image, kPcg1Offset, kChunkIdWidth) != "PCG1") return Success();
  if (Status length = CheckPcgLength(image); !length) return length;
  BankWalk walk(image, visit);
  for (ChunkWalker chunks(image, kFirstPcgChild); chunks.atChunk(); chunks.next())
    walk.chunk(chunks.offset(), chunks.id());
  return Success();
}

}  // namespace patchlore
