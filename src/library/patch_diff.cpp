#include "library/patch_diff.hpp"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace patchlore {

namespace {

constexpr PatchKind kKindOrder[] = {PatchKind::Program, PatchKind::Combination, PatchKind::DrumKit,
                                    PatchKind::WaveSequence, PatchKind::SetList, PatchKind::Song};
constexpr std::int64_t kNameWidth = 24;

bool SameBytes(Image x, Image y) {
  return x.size() == y.size() && (x.empty() || std::memcmp(x.data(), y.data(), x.size()) == 0);
}

// Both patches equal but for the bytes where their names lie.
bool SameButName(Image x, const PatchEntry& px, Image y, const PatchEntry& py) {
  if (px.soundHash != py.soundHash || x.size() != y.size() || px.nameOffset != py.nameOffset || px.nameOffset < 0)
    return false;
  const auto size = static_cast<std::int64_t>(x.size());
  const auto nameStart = static_cast<std::size_t>(std::min(px.nameOffset, size));
  const auto nameEnd = static_cast<std::size_t>(std::min(px.nameOffset + kNameWidth, size));
  return SameBytes(x.first(nameStart), y.first(nameStart)) && SameBytes(x.subspan(nameEnd), y.subspan(nameEnd));
}

// A slot is named by its kind and key; a key met again in the same file
// (only a damaged file repeats one) pairs with its repetition in the other.
class SlotNames {
 public:
  std::string next(const PatchEntry& patch) {
    std::string name(1, patch.kindLetter());
    name += patch.key;
    const int seen = seen_[name]++;
    if (seen > 0) name += Concat({"#", std::to_string(seen)});
    return name;
  }

 private:
  std::unordered_map<std::string, int> seen_;
};

class PatchDiffer {
 public:
  PatchDiffer(Image a, const std::vector<PatchEntry>& patchesA, Image b, const std::vector<PatchEntry>& patchesB)
      : a_(a), patchesA_(patchesA), b_(b), patchesB_(patchesB), pairOfB_(patchesB.size(), kNone),
        pairedA_(patchesA.size(), false) {
    SlotNames namesA;
    std::unordered_map<std::string, std::size_t> slotsA;
    for (std::size_t i = 0; i < patchesA_.size(); ++i) {
      slotsA.emplace(namesA.next(patchesA_[i]), i);
      byHashA_.emplace(patchesA_[i].hash, i);
    }
    SlotNames namesB;
    for (std::size_t i = 0; i < patchesB_.size(); ++i)
      if (const auto found = slotsA.find(namesB.next(patchesB_[i])); found != slotsA.end()) {
        pairOfB_[i] = found->second;
        pairedA_[found->second] = true;
      }
  }

  PatchDiff run() {
    PatchDiff diff;
    for (const PatchKind kind : kKindOrder) {
      for (std::size_t i = 0; i < patchesB_.size(); ++i)
        if (patchesB_[i].kind == kind) judgeB(i, diff);
      for (std::size_t i = 0; i < patchesA_.size(); ++i)
        if (patchesA_[i].kind == kind && !pairedA_[i]) {
          diff.differences.push_back({DiffStatus::Removed, kind, &patchesA_[i], nullptr});
          ++diff.summary.removed;
        }
    }
    return diff;
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  void judgeB(std::size_t i, PatchDiff& diff) const {
    const PatchEntry& pb = patchesB_[i];
    const Image bytesB = PatchBytes(b_, pb);
    if (pairOfB_[i] == kNone) {
      diff.differences.push_back({DiffStatus::Added, pb.kind, nullptr, &pb});
      ++diff.summary.added;
      return;
    }
    const PatchEntry& pa = patchesA_[pairOfB_[i]];
    const Image bytesA = PatchBytes(a_, pa);
    if (pa.hash == pb.hash && SameBytes(bytesA, bytesB)) {
      ++diff.summary.same;
    } else if (SameButName(bytesA, pa, bytesB, pb)) {
      diff.differences.push_back({DiffStatus::Renamed, pb.kind, &pa, &pb});
      ++diff.summary.renamed;
    } else if (const PatchEntry* source = formerPlaceOf(pb, bytesB)) {
      diff.differences.push_back({DiffStatus::Moved, pb.kind, source, &pb});
      ++diff.summary.moved;
    } else {
      diff.differences.push_back({DiffStatus::Changed, pb.kind, &pa, &pb});
      ++diff.summary.changed;
    }
  }

  // The first slot of A, in A's order, of the same kind and the same bytes.
  const PatchEntry* formerPlaceOf(const PatchEntry& pb, Image bytesB) const {
    const PatchEntry* first = nullptr;
    const auto [from, to] = byHashA_.equal_range(pb.hash);
    for (auto it = from; it != to; ++it) {
      const PatchEntry& candidate = patchesA_[it->second];
      if (candidate.kind != pb.kind || (first && first < &candidate)) continue;
      if (SameBytes(PatchBytes(a_, candidate), bytesB)) first = &candidate;
    }
    return first;
  }

  Image a_;
  const std::vector<PatchEntry>& patchesA_;
  Image b_;
  const std::vector<PatchEntry>& patchesB_;
  std::vector<std::size_t> pairOfB_;  // the slot of A with the same kind and key
  std::vector<bool> pairedA_;
  std::unordered_multimap<std::uint64_t, std::size_t> byHashA_;
};

}  // namespace

std::string_view DiffStatusText(DiffStatus status) {
  switch (status) {
    case DiffStatus::Renamed: return "renamed";
    case DiffStatus::Moved: return "moved";
    case DiffStatus::Changed: return "changed";
    case DiffStatus::Added: return "added";
    case DiffStatus::Removed: return "removed";
  }
  return "";
}

PatchDiff DiffPatches(Image a, const std::vector<PatchEntry>& patchesA, Image b,
                      const std::vector<PatchEntry>& patchesB) {
  return PatchDiffer(a, patchesA, b, patchesB).run();
}

std::vector<std::string> DifferenceCells(const PatchDifference& difference) {
  const auto keyOf = [](const PatchEntry* patch) { return patch ? patch->key : std::string(); };
  const auto nameOf = [](const PatchEntry* patch) { return patch ? patch->name : std::string(); };
  return {std::string(DiffStatusText(difference.status)), std::string(1, static_cast<char>(difference.kind)),
          keyOf(difference.a), keyOf(difference.b), nameOf(difference.a), nameOf(difference.b)};
}

std::string DifferenceLine(const PatchDifference& difference) {
  std::string line = "Patch: ";
  const std::vector<std::string> cells = DifferenceCells(difference);
  for (std::size_t c = 0; c < cells.size(); ++c) (line += c == 0 ? "" : "\t") += cells[c];
  return line;
}

std::string SummaryLine(const DiffSummary& summary) {
  return "Summary: same=" + std::to_string(summary.same) + " renamed=" + std::to_string(summary.renamed) +
         " changed=" + std::to_string(summary.changed) + " moved=" + std::to_string(summary.moved) +
         " added=" + std::to_string(summary.added) + " removed=" + std::to_string(summary.removed);
}

Table DiffTable(const PatchDiff& diff) {
  Table table;
  table.columns = {{"Status", 60}, {"Kind", 32}, {"Key A", 60}, {"Key B", 60}, {"Name A", 150}, {"Name B", 150}};
  table.rows.reserve(diff.differences.size());
  for (const PatchDifference& difference : diff.differences) {
    std::vector<std::string> cells = DifferenceCells(difference);
    TableRow& row = table.rows.emplace_back();
    row.caption = std::move(cells[0]);
    row.cells.assign(std::make_move_iterator(cells.begin() + 1), std::make_move_iterator(cells.end()));
  }
  return table;
}

}  // namespace patchlore
