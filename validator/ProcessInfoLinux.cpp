#include <filesystem>
#include <fstream>

#include "validator/ProcessInfo.h"

namespace tavrix::validator {

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * 4;
}

bool IsMapped(const std::string& given) {
  std::error_code error;
  const std::string path = std::filesystem::canonical(given, error).string();
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    if (line.find(path) != std::string::npos) return true;
  }
  return false;
}

}  // namespace tavrix::validator
