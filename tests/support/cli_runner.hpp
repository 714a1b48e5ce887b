// Runs patchlore-cli (or any command) through the shell and collects its
// exit status and everything it printed on both streams.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace patchlore::test {

struct CliRun {
  int status;
  std::string out;
};

inline CliRun RunCommand(const std::string& command) {
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {-1, ""};
  std::string out;
  std::array<char, 4096> buffer{};
  for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
    out.append(buffer.data(), got);
  const int status = ::pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

}  // namespace patchlore::test
