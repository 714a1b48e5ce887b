#include "common/file_io.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/bytes.hpp"

namespace patchlore {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

std::string ErrorText(const std::string& what, int error) {
  return what + ": " + std::strerror(error);
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, const ReadProgress& progress) {
  ReadResult result;
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return result;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) return result;
  const off_t end = ::lseek(file.get(), 0, SEEK_END);
  if (end < 0 || ::lseek(file.get(), 0, SEEK_SET) != 0) return result;
  result.opened = true;
  result.fileSize = end;
  if (end > kLargestLoadableFile) {
    result.tooLarge = true;
    return result;
  }
  ByteBuffer buffer(end);
  std::int64_t got = 0;
  while (got < end) {
    if (progress && got % kReadBlock == 0) progress(got, end);
    const auto want = static_cast<std::size_t>(std::min(kReadBlock - got % kReadBlock, end - got));
    const ssize_t r = ::read(file.get(), buffer.data() + got, want);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) break;
    got += r;
  }
  if (got == end) {
    result.bytes = std::move(buffer);
  } else if (got > 0) {  // the file shrank while being read: keep what was read
    ByteBuffer shorter(got);
    std::memcpy(shorter.data(), buffer.data(), static_cast<std::size_t>(got));
    result.bytes = std::move(shorter);
  }
  return result;
}

std::optional<std::string> WriteFileSafely(const std::string& path, const char* data,
                                           std::size_t size) {
  std::string temp = FolderOf(path) + "." + NameOf(path) + ".XXXXXX";
  FileDescriptor file(::mkstemp(temp.data()));
  if (file.get() < 0) return ErrorText("Cannot create a file beside " + path, errno);
  bool written = true;
  int error = 0;
  for (std::size_t done = 0; done < size;) {
    const ssize_t w = ::write(file.get(), data + done, size - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      written = false;
      error = errno;
      break;
    }
    done += static_cast<std::size_t>(w);
  }
  if (written && ::fsync(file.get()) != 0) {
    written = false;
    error = errno;
  }
  // An existing file keeps its permissions; a new one gets the usual ones.
  struct stat old {};
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(file.get(), ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~mask));
  if (::close(file.release()) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temp.c_str(), path.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(temp.c_str());
    return ErrorText("Cannot write " + path, error);
  }
  return std::nullopt;
}

std::optional<std::string> WriteTextLines(const std::string& path,
                                          const std::vector<std::string>& lines) {
  std::string text;
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  text.reserve(total);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return WriteFileSafely(path, text.data(), text.size());
}

std::string ExtractFileExt(const std::string& path) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return path.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& extension) {
  return path.substr(0, path.size() - ExtractFileExt(path).size()) + extension;
}

}  // namespace patchlore
