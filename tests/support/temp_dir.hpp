// A temporary folder removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/chunk_tree.hpp"

namespace patchlore::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes the bytes to a file of that name in the folder; returns its path.
  std::string write(const std::string& name, const Bytes& bytes) const;
  std::string write(const std::string& name, const std::string& text) const;
  static std::string read(const std::string& path);

 private:
  std::filesystem::path path_;
};

}  // namespace patchlore::test
