#include "host/svg/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "host/svg/SvgError.h"

namespace tavrix::svg {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now, answering errno's reason or 0.
  int Close() {
    const int result = close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// A symbolic link is replaced at its target, so that the link stays.
std::string RealTarget(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target = resolved;
  std::free(resolved);
  return target;
}

void SyncDirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "."
                                : slash == 0               ? "/"
                                                           : path.substr(0, slash);
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // the file is written; only a crash could lose its new name
  fsync(fd);
  close(fd);
}

// A new file beside `target`, made with the permissions a new file gets (the umask applies).
int CreateBeside(const std::string& target, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0;; ++attempt) {
    name = target + ".saving-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST || attempt == 100) return fd;
  }
}

}  // namespace

std::string ReadWholeFile(const std::string& fileName) {
  auto fail = [&](const std::string& reason) {
    return SvgError(fileName + ": cannot be read: " + reason);
  };
  // Not blocking, so that a named pipe given by mistake is refused rather than waited on.
  Descriptor file(open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) throw fail(std::strerror(errno));
  struct stat info {};
  if (fstat(file.get(), &info) != 0) throw fail(std::strerror(errno));
  if (S_ISDIR(info.st_mode)) throw fail(std::strerror(EISDIR));
  if (!S_ISREG(info.st_mode)) throw fail("not a regular file");
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(file.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw fail(std::strerror(errno));
    if (got == 0) break;
    text.append(buffer, static_cast<size_t>(got));
  }
  return text;
}

void ReplaceFile(const std::string& fileName, const std::string& text) {
  const std::string target = RealTarget(fileName);
  std::string temporary;
  Descriptor file(CreateBeside(target, temporary));
  if (file.get() < 0) {
    throw SvgError(fileName +
                   ": not saved: creating a temporary file beside it: " + std::strerror(errno));
  }
  auto fail = [&](const std::string& step, int error) {
    unlink(temporary.c_str());
    return SvgError(fileName + ": not saved: " + step + ": " + std::strerror(error));
  };
  // The new file keeps the old one's permissions.
  struct stat info {};
  const bool existed = stat(target.c_str(), &info) == 0;
  const std::string writing = "writing the temporary file beside it";
  if (existed && fchmod(file.get(), info.st_mode & 07777) != 0) throw fail(writing, errno);
  for (size_t done = 0; done < text.size();) {
    const ssize_t wrote = write(file.get(), text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote < 0) throw fail(writing, errno);
    done += static_cast<size_t>(wrote);
  }
  if (fsync(file.get()) != 0) throw fail(writing, errno);
  if (const int error = file.Close()) throw fail(writing, error);
  if (rename(temporary.c_str(), target.c_str()) != 0) {
    throw fail("renaming the temporary file over it", errno);
  }
  SyncDirectoryOf(target);
}

}  // namespace tavrix::svg
