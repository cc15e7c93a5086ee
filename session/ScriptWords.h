// One line of a session script, split into words. A double-quoted word keeps its spaces and
// understands \" \\ \r and \n; a # outside quotes starts a comment.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tavrix::app {

// A line that cannot be read, or a command that cannot be carried out, with the reason.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::vector<std::string> SplitScriptLine(const std::string& line);

// Parsing helpers that say what they wanted when the word is not that.
double NumberWord(const std::string& word, const char* what);
int IntegerWord(const std::string& word, const char* what);
// A number the host keeps as a 32-bit float: one beyond the float range is refused, never
// stored as an infinity.
float FloatWord(const std::string& word, const char* what);

// A text shown in a message, with its carriage returns and quotes visible.
std::string Quoted(const std::string& text);

// A text echoed in a message, cut to about `limit` bytes (never inside a UTF-8 character) and
// saying how long it was: a refused megabyte-long line must not become a megabyte message.
std::string Excerpt(const std::string& text, size_t limit = 200);

// The line with a UTF-8 byte-order mark taken off its start, as editors write one.
std::string WithoutByteOrderMark(const std::string& line);

}  // namespace tavrix::app
