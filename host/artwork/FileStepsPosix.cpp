// The POSIX side of the preference file's file steps.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "host/artwork/FileSteps.h"

namespace tavrix::host {
namespace {

void SyncDirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "."
                                : slash == 0               ? "/"
                                                           : path.substr(0, slash);
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;  // the file itself is safe; only its name may be lost to a crash
  fsync(fd);
  close(fd);
}

// What a file made with open() gets: everyone's read and write, less the process's umask, which
// can only be read by setting it.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

InputFile::InputFile(const std::string& path) {
  // Not blocking, so that a named pipe given by mistake is refused rather than waited on.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    state_ = errno == ENOENT ? State::Missing : State::Unreadable;
    problem_ = std::strerror(errno);
    return;
  }
  handle_ = fd;
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    problem_ = std::strerror(errno);
  } else if (S_ISDIR(info.st_mode)) {
    problem_ = std::strerror(EISDIR);
  } else if (!S_ISREG(info.st_mode)) {
    problem_ = "not a regular file";
  } else {
    state_ = State::Open;
  }
}

InputFile::~InputFile() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool InputFile::ReadUpTo(std::string& out, size_t limit) {
  char buffer[65536];
  while (limit > 0) {
    const ssize_t got = read(static_cast<int>(handle_), buffer, std::min(sizeof buffer, limit));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      problem_ = std::strerror(errno);
      return false;
    }
    if (got == 0) return true;
    out.append(buffer, static_cast<size_t>(got));
    limit -= static_cast<size_t>(got);
  }
  return true;
}

std::string ReplacementTarget(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target = resolved;
  std::free(resolved);
  return target;
}

std::optional<std::string> ReplaceWithText(const std::string& target, const std::string& text,
                                           bool keepAside) {
  struct stat info {};
  const mode_t mode = stat(target.c_str(), &info) == 0 ? info.st_mode & 07777 : NewFileMode();
  std::string temporary = target + ".XXXXXX";
  int fd = mkstemp(temporary.data());
  if (fd < 0) return std::string("creating a temporary file beside it: ") + std::strerror(errno);
  const auto fail = [&](const std::string& step, int error) -> std::optional<std::string> {
    if (fd >= 0) close(fd);
    unlink(temporary.c_str());
    return step + ": " + std::strerror(error);
  };
  const std::string writing = "writing a temporary file beside it";
  if (fchmod(fd, mode) != 0) return fail(writing, errno);
  for (size_t done = 0; done < text.size();) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote < 0) return fail(writing, errno);
    done += static_cast<size_t>(wrote);
  }
  if (fsync(fd) != 0) return fail(writing, errno);
  const int closed = close(fd);
  fd = -1;
  if (closed != 0) return fail(writing, errno);

  const std::string aside = target + ".corrupt";
  if (keepAside && rename(target.c_str(), aside.c_str()) != 0)
    return fail("moving the unreadable file to '" + aside + "'", errno);
  if (rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    if (keepAside) rename(aside.c_str(), target.c_str());
    return fail("renaming the temporary file over it", error);
  }
  SyncDirectoryOf(target);
  return std::nullopt;
}

}  // namespace tavrix::host
