#include "session/ScriptWords.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace tavrix::app {

namespace {

// The quoted word that starts at line[i], its quotes taken away and \r, \n, \" and \\ read;
// `i` ends past the closing quote.
std::string QuotedWord(const std::string& line, size_t& i) {
  std::string word;
  for (++i; i < line.size();) {
    const char c = line[i++];
    if (c == '"') return word;
    if (c == '\\' && i < line.size()) {
      const char escaped = line[i++];
      word += escaped == 'r' ? '\r' : escaped == 'n' ? '\n' : escaped;
    } else {
      word += c;
    }
  }
  throw ScriptError("a quoted text is not closed");
}

}  // namespace

std::vector<std::string> SplitScriptLine(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      words.push_back(QuotedWord(line, i));
    } else {
      const size_t end = line.find_first_of(" \t\r", i);
      words.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
      i = end == std::string::npos ? line.size() : end;
    }
  }
  return words;
}

double NumberWord(const std::string& word, const char* what) {
  char* end = nullptr;
  const double value = std::strtod(word.c_str(), &end);
  // Decimal numbers only: strtod would also take "0x2", " 2", "inf" and "nan".
  if (word.empty() || word.find_first_not_of("0123456789+-.eE") != std::string::npos ||
      end != word.c_str() + word.size() || !std::isfinite(value)) {
    throw ScriptError(std::string("expected ") + what + ", found '" + word + "'");
  }
  return value;
}

int IntegerWord(const std::string& word, const char* what) {
  const double value = NumberWord(word, what);
  if (value != std::floor(value) || std::fabs(value) > 1e9) {
    throw ScriptError(std::string("expected ") + what + " (a whole number), found '" + word + "'");
  }
  return static_cast<int>(value);
}

float FloatWord(const std::string& word, const char* what) {
  const double value = NumberWord(word, what);
  if (std::fabs(value) > std::numeric_limits<float>::max()) {
    throw ScriptError(std::string(what) + " '" + word +
                      "' is beyond what a coordinate can hold (about 3.4e38)");
  }
  return static_cast<float>(value);
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string Excerpt(const std::string& text, size_t limit) {
  if (text.size() <= limit) return text;
  size_t cut = limit;
  // Back up over continuation bytes to the start of a character.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut) + "... (" + std::to_string(text.size()) + " bytes in all)";
}

std::string WithoutByteOrderMark(const std::string& line) {
  return line.rfind("\xEF\xBB\xBF", 0) == 0 ? line.substr(3) : line;
}

}  // namespace tavrix::app
