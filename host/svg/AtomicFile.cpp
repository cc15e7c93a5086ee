#include "host/svg/AtomicFile.h"

#include <limits>

#include "host/artwork/FileSteps.h"
#include "host/svg/SvgError.h"

namespace tavrix::svg {

std::string ReadWholeFile(const std::string& fileName) {
  host::InputFile file(fileName);
  std::string text;
  if (file.state() != host::InputFile::State::Open ||
      !file.ReadUpTo(text, std::numeric_limits<size_t>::max())) {
    throw SvgError(fileName + ": cannot be read: " + file.problem());
  }
  return text;
}

void ReplaceFile(const std::string& fileName, const std::string& text) {
  // A symbolic link is replaced at its target, so that the link stays.
  const std::string target = host::ReplacementTarget(fileName);
  if (const auto fault = host::ReplaceWithText(target, text, /*keepAside=*/false))
    throw SvgError(fileName + ": not saved: " + *fault);
}

}  // namespace tavrix::svg
