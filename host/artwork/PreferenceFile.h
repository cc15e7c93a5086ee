// The preference store kept in a file between runs of the host, as JSON. A file is only ever
// replaced whole (a temporary file renamed over it), so a crash never leaves half a file, and a
// file that is not a preference file is never written over.
#pragma once

#include <optional>
#include <string>

#include "host/Fault.h"

#include "host/artwork/PreferenceStore.h"

namespace tavrix::host {

struct PreferenceFileLoad {
  enum class Outcome {
    Missing,  // no file: the defaults, silently
    Loaded,   // every value read
    Corrupt,  // a preference file that cannot be read (truncated, bad JSON, bad values): the
              // defaults; the file is kept aside at the next good save
    Foreign,  // not a preference file at all (a script, a picture): the defaults; never written
  };
  Outcome outcome = Outcome::Missing;
  // One line naming the file and the place (line and column, or the key) when not Missing or
  // Loaded; empty otherwise.
  std::string warning;
};

// Puts the file's values into `store` (over what it holds); values of a Corrupt file are not
// used at all.
PreferenceFileLoad LoadPreferenceFile(const std::string& path, PreferenceStore& store);

// Writes every value of `store`. Answers no fault on success, or one naming the file and why it
// was not written; then the file on disk is as it was.
Fault SavePreferenceFile(const std::string& path, const PreferenceStore& store);

}  // namespace tavrix::host
