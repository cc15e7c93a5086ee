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
  // Followed link by link rather than with realpath(), so that a link to a file not made yet
  // is written through too, and the link stays a link.
  std::string current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(static_cast<size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t length = readlink(current.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<size_t>(length) >= target.size()) return current;
    target.resize(static_cast<size_t>(length));
    if (target.empty()) return current;
    if (target[0] != '/') {
      const size_t slash = current.rfind('/');
      if (slash != std::string::npos) target.insert(0, current, 0, slash + 1);
    }
    current = target;
  }
  return current;  // a loop of links: the write fails on it with the system's reason
}

namespace {

// What a name that exists but is not a plain file is, for the message that refuses it.
const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  return "not a regular file";
}

// Whether the person may write the file: root may write anything, but a file nobody may write
// is read-only to root too, as editors have it.
bool Writable(const std::string& path, const struct stat& info) {
  if (geteuid() == 0) return (info.st_mode & 0222) != 0;
  return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool WriteAll(int fd, const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote < 0) return false;
    done += static_cast<size_t>(wrote);
  }
  return true;
}

// A temporary file in the target's folder under a short name of its own, so that it fits
// wherever the target's name fits.
std::string TemporaryBeside(const std::string& target) {
  const size_t slash = target.rfind('/');
  return (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) +
         ".tavrix-XXXXXX";
}

// Writes over the file itself, for a file that more than one name or another owner shares: a
// rename would leave the other names with the old text, or give the file to us. The new text
// is first written whole beside it, so that the disk is known to hold it and a failure part way
// leaves it there to be found.
Fault OverwriteInPlace(const std::string& target, const std::string& text,
                       const std::string& written) {
  const int fd = open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) {
    const std::string reason = std::strerror(errno);
    unlink(written.c_str());
    return Fault("opening it to write: " + reason);
  }
  const bool ok = WriteAll(fd, text) && fsync(fd) == 0;
  const int error = errno;
  const bool closed = close(fd) == 0;
  if (!ok || !closed) {
    return Fault("writing over it: " + std::string(std::strerror(ok ? errno : error)) +
                 "; the new text is kept in '" + written + "'");
  }
  unlink(written.c_str());
  return Fault();
}

}  // namespace

Fault ReplaceWithText(const std::string& target, const std::string& text, bool keepAside) {
  struct stat info {};
  const bool exists = stat(target.c_str(), &info) == 0;
  if (exists && !S_ISREG(info.st_mode)) {
    return Fault(std::string("it is ") + KindOf(info.st_mode) + ", not a regular file");
  }
  if (exists && !Writable(target, info)) return Fault("it is read-only");
  const mode_t mode = exists ? info.st_mode & 07777 : NewFileMode();
  std::string temporary = TemporaryBeside(target);
  int fd = mkstemp(temporary.data());
  if (fd < 0)
    return Fault(std::string("creating a temporary file beside it: ") + std::strerror(errno));
  const auto fail = [&](const std::string& step, int error) {
    if (fd >= 0) close(fd);
    unlink(temporary.c_str());
    return Fault(step + ": " + std::strerror(error));
  };
  const std::string writing = "writing a temporary file beside it";
  if (fchmod(fd, mode) != 0) return fail(writing, errno);
  // The replaced file keeps its owner and group; where that is not ours to give, the file is
  // written in place instead, which keeps them.
  bool inPlace = exists && info.st_nlink > 1 && !keepAside;
  if (exists && !inPlace && fchown(fd, info.st_uid, info.st_gid) != 0) {
    if (errno != EPERM || keepAside) return fail("giving the new file its owner and group", errno);
    inPlace = true;
  }
  if (!WriteAll(fd, text)) return fail(writing, errno);
  if (fsync(fd) != 0) return fail(writing, errno);
  const int closed = close(fd);
  fd = -1;
  if (closed != 0) return fail(writing, errno);
  if (inPlace) return OverwriteInPlace(target, text, temporary);

  const std::string aside = target + ".corrupt";
  if (keepAside && rename(target.c_str(), aside.c_str()) != 0)
    return fail("moving the unreadable file to '" + aside + "'", errno);
  if (rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    if (keepAside) rename(aside.c_str(), target.c_str());
    return fail("renaming the temporary file over it", error);
  }
  SyncDirectoryOf(target);
  return Fault();
}

}  // namespace tavrix::host
