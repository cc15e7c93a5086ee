#include "host/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tavrix::host {

std::string NotARegularFile(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) {
    return errno == ENOENT ? "it does not exist"
                           : std::string("it cannot be examined: ") + std::strerror(errno);
  }
  if (S_ISREG(status.st_mode)) return "";
  if (S_ISDIR(status.st_mode)) return "it is a directory";
  if (S_ISFIFO(status.st_mode)) return "it is a pipe, not a file";
  if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return "it is a device, not a file";
  return "it is not a regular file";
}

MappedFile::MappedFile(const std::string& path) {
  const std::string problem = NotARegularFile(path);
  if (!problem.empty()) throw std::runtime_error(problem);
  // Non-blocking, in case the path became a pipe since it was looked at.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error(std::string("it cannot be opened: ") + std::strerror(errno));
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    throw std::runtime_error("it is not a regular file");
  }
  size_ = static_cast<size_t>(status.st_size);
  if (size_ > 0) {
    data_ = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    if (data_ == MAP_FAILED) {
      const int error = errno;
      close(fd);
      data_ = nullptr;
      throw std::runtime_error(std::string("it cannot be read: ") + std::strerror(error));
    }
  }
  close(fd);
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) munmap(data_, size_);
}

}  // namespace tavrix::host
