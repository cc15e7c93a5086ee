// A line of a session script, whatever it holds: split into words or refused with a reason, and
// every word read as the numbers the commands ask for.
#include <cstddef>
#include <cstdint>
#include <string>

#include "session/ScriptWords.h"

using namespace tavrix::app;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  try {
    for (const std::string& word : SplitScriptLine(line)) {
      try {
        (void)FloatWord(word, "a number");
      } catch (const ScriptError&) {
      }
      try {
        (void)IntegerWord(word, "a whole number");
      } catch (const ScriptError&) {
      }
      (void)Quoted(word);
    }
  } catch (const ScriptError&) {
  }
  return 0;
}
