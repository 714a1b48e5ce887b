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

ReadFailure NotOpened(const std::string& path, const std::string& why) {
  return {ReadProblem::CannotOpen, 0, "cannot read " + path + ": " + why};
}

// Why a file of this mode is not read or written over: only regular files are.
std::string NotRegular(mode_t mode) { return S_ISDIR(mode) ? std::strerror(EISDIR) : "not a regular file"; }

// The regular file at path opened for reading, or -1 with why not in the
// system's words. Opened without waiting: a named pipe with no writer would
// otherwise hold the program until one comes.
int OpenRegularFile(const std::string& path, std::string& why) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0) {
    why = std::strerror(errno);
    return -1;
  }
  if (!S_ISREG(info.st_mode)) {
    why = NotRegular(info.st_mode);
    return -1;
  }
  ::fcntl(file.get(), F_SETFL, ::fcntl(file.get(), F_GETFL) & ~O_NONBLOCK);
  return file.release();
}

// Reads size bytes in blocks, telling progress before each; fewer when the
// file shrank, nothing when reading fails.
std::optional<ByteBuffer> ReadBlocks(int fd, std::int64_t size, const ReadProgress& progress) {
  ByteBuffer buffer(size);
  std::int64_t got = 0;
  while (got < size) {
    if (progress && got % kReadBlock == 0) progress(got, size);
    const auto want = static_cast<std::size_t>(std::min(kReadBlock - got % kReadBlock, size - got));
    const ssize_t r = ::read(fd, buffer.data() + got, want);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return std::nullopt;
    if (r == 0) break;
    got += r;
  }
  if (got == size) return buffer;
  ByteBuffer shorter(got);  // the file shrank while being read: keep what was there
  if (got > 0) std::memcpy(shorter.data(), buffer.data(), static_cast<std::size_t>(got));
  return shorter;
}

}  // namespace

Status CheckReadable(const std::string& path) {
  std::string why;
  const FileDescriptor file(OpenRegularFile(path, why));
  if (file.get() < 0) return Failure{NotOpened(path, why).text};
  return Success();
}

ReadResult ReadWholeFile(const std::string& path, const ReadProgress& progress) {
  std::string why;
  FileDescriptor file(OpenRegularFile(path, why));
  if (file.get() < 0) return NotOpened(path, why);
  const off_t end = ::lseek(file.get(), 0, SEEK_END);
  if (end < 0 || ::lseek(file.get(), 0, SEEK_SET) != 0) return NotOpened(path, std::strerror(errno));
  if (end > kLargestLoadableFile)
    return ReadFailure{ReadProblem::TooLarge, end,
                       path + " is too large (" + std::to_string(end) + " bytes; at most " +
                           std::to_string(kLargestLoadableFile) + " can be read)"};
  auto bytes = ReadBlocks(file.get(), end, progress);
  if (!bytes) return ReadFailure{ReadProblem::ReadError, end, ErrorText("cannot read " + path, errno)};
  return std::move(*bytes);
}

namespace {

thread_local const WriteFaults* activeWriteFaults = nullptr;

// write(), unless a fault says the disk is full at this point.
ssize_t WriteSome(int fd, const char* data, std::size_t done, std::size_t size) {
  std::size_t count = size - done;
  if (activeWriteFaults && activeWriteFaults->failAfterBytes) {
    const auto limit = static_cast<std::size_t>(std::max<std::int64_t>(*activeWriteFaults->failAfterBytes, 0));
    if (done >= limit) {
      errno = ENOSPC;
      return -1;
    }
    count = std::min(count, limit - done);  // a short write up to the fault
  }
  return ::write(fd, data + done, count);
}

int Flush(int fd) {
  if (activeWriteFaults && activeWriteFaults->failFlush) {
    errno = EIO;
    return -1;
  }
  return ::fsync(fd);
}

int RenameOver(const std::string& from, const std::string& to) {
  if (activeWriteFaults && activeWriteFaults->failRename) {
    errno = EACCES;
    return -1;
  }
  return ::rename(from.c_str(), to.c_str());
}

}  // namespace

ScopedWriteFaults::ScopedWriteFaults(WriteFaults faults) : faults_(faults), previous_(activeWriteFaults) {
  activeWriteFaults = &faults_;
}

ScopedWriteFaults::~ScopedWriteFaults() { activeWriteFaults = previous_; }

Status CheckSaveTarget(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return Success();
  return Failure{"Cannot write " + path + ": " + NotRegular(info.st_mode)};
}

Status WriteFileSafely(const std::string& path, const char* data, std::size_t size) {
  if (Status target = CheckSaveTarget(path); !target) return target;
  std::string temp = FolderOf(path) + "." + NameOf(path) + ".XXXXXX";
  FileDescriptor file(::mkstemp(temp.data()));
  if (file.get() < 0) return Failure{ErrorText("Cannot create a file beside " + path, errno)};
  bool written = true;
  int error = 0;
  for (std::size_t done = 0; done < size;) {
    const ssize_t w = WriteSome(file.get(), data, done, size);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      written = false;
      error = errno;
      break;
    }
    done += static_cast<std::size_t>(w);
  }
  if (written && Flush(file.get()) != 0) {
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
  if (written && RenameOver(temp, path) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(temp.c_str());
    return Failure{ErrorText("Cannot write " + path, error)};
  }
  return Success();
}

Status WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
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
