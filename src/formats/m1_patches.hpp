// The programs and combinations inside a Korg M1 dump message: a Program or
// Combination dump holds one, an All Program or All Combination dump 100.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/bytes.hpp"

namespace patchlore {

enum class M1PatchKind { Program, Combination };

// "Program" or "Combination".
std::string_view M1PatchKindText(M1PatchKind kind);

// The unpacked data of one dump: count() records of recordSize bytes.
struct M1Dump {
  M1PatchKind kind = M1PatchKind::Program;
  std::size_t recordSize = 0;
  std::string data;

  std::size_t count() const { return recordSize == 0 ? 0 : data.size() / recordSize; }
  // The stored bytes of record k, its name included; empty past the last.
  std::string_view record(std::size_t k) const;
  // The name of record k as names are shown: a NUL inside as a blank,
  // trailing blanks and NULs dropped.
  std::string name(std::size_t k) const;
};

// The records of a message that is an M1 program, combination, All Program
// or All Combination dump (F0 42 3g 19, the function code, the dump's fixed
// length); nothing for any other message, another model's included.
std::optional<M1Dump> UnpackM1Dump(Image message);

}  // namespace patchlore
