// The file is {"tavrix-preferences": 1, "values": {KEY: {TYPE: VALUE}, ...}}. The marker comes
// first so that a file can be told to be ours from its first bytes alone, even when it was cut
// short; a file that cannot be told to be ours is never written over.
#include "host/artwork/PreferenceFile.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "host/artwork/FileSteps.h"

namespace tavrix::host {
namespace {

// Read into a sorted map: inserting into nlohmann's ordered map searches it, which made a file
// of many values take minutes. Written in order, so that the marker comes first.
using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

constexpr const char* kMarker = "tavrix-preferences";
constexpr int kFormat = 1;
// The marker is within this many bytes of the start of any file we write; looking no further
// keeps a large foreign file from being read whole.
constexpr size_t kHeadBytes = 64;
// Our files nest four deep. The JSON library writes a value out by recursion, so a file nested
// without end would overflow the stack when a warning quotes it; such a file is corrupt.
constexpr int kMaxDepth = 64;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// What is on disk at a path.
struct Examined {
  enum class Kind {
    Missing,
    Good,        // ours, every value read
    Empty,       // nothing but white space: what a crash can leave, with nothing in it to keep
    Corrupt,     // ours, but cut short or holding bad values
    Foreign,     // not ours
    Later,       // ours, of a later format than this one
    Unreadable,  // there, but not to be opened or read
  };
  Kind kind = Kind::Missing;
  // The place and the fault (Corrupt), the format (Later), or the system's reason (Unreadable).
  std::string detail;
  std::vector<std::pair<std::string, PreferenceValue>> values;  // Good
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

size_t SkipSpace(const std::string& text, size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

// As JSON, so that a key or value with line breaks or stray bytes stays on the warning's one
// line; long ones are cut.
std::string Shown(const Json& value) {
  std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
  if (text.size() > 60) text = text.substr(0, 57) + "...";
  return text;
}

// From the first bytes only: Good if they look like ours ('{' then the quoted marker), Later or
// Foreign. A file that ends inside the marker is ours cut short. A later format is known by its
// number here too, so that even a copy of one cut short is never taken for ours and replaced.
Examined::Kind Recognise(const std::string& head, bool whole, std::string& format) {
  size_t at = SkipSpace(head, 0);
  if (at == head.size() || head[at] != '{') return Examined::Kind::Foreign;
  const std::string quoted = std::string("\"") + kMarker + "\"";
  const size_t marker = head.find(quoted);
  if (marker == std::string::npos) {
    const std::string rest = head.substr(SkipSpace(head, at + 1));
    return whole && quoted.compare(0, rest.size(), rest) == 0 ? Examined::Kind::Good
                                                              : Examined::Kind::Foreign;
  }
  at = SkipSpace(head, marker + quoted.size());
  if (at < head.size() && head[at] == ':') {
    const size_t digits = SkipSpace(head, at + 1);
    size_t end = digits;
    while (end < head.size() && head[end] >= '0' && head[end] <= '9') ++end;
    format = head.substr(digits, end - digits);
    if (end > digits && (end < head.size() || whole) && format != "1") return Examined::Kind::Later;
  }
  return Examined::Kind::Good;
}

// "line L, column C" of a parse error, from its byte count: the last byte it read is the one it
// stopped at, or it read past the end.
std::string Place(const std::string& text, size_t bytesRead) {
  const size_t at = std::min(bytesRead > 0 ? bytesRead - 1 : 0, text.size());
  const size_t newline = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
  const size_t lineStart = newline == std::string::npos ? 0 : newline + 1;
  const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<ptrdiff_t>(at), '\n');
  return "line " + std::to_string(line) + ", column " + std::to_string(at - lineStart + 1);
}

// Where the first value nested deeper than kMaxDepth opens: the byte count Place takes. The
// parser read the text up to there without fault, so its strings are well formed.
size_t TooDeepAt(const std::string& text) {
  int depth = 0;
  bool inString = false;
  for (size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (inString) {
      if (c == '\\') {
        ++at;
      } else if (c == '"') {
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      if (++depth > kMaxDepth) return at + 1;
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
  return text.size();
}

// The parser's own words, without its "[json.exception...] parse error at ...: " opening.
std::string ParseFault(const Json::exception& error) {
  std::string text = error.what();
  const size_t words = text.find("] ");
  if (words != std::string::npos) text = text.substr(words + 2);
  if (text.rfind("parse error", 0) == 0 && text.find(": ") != std::string::npos)
    text = text.substr(text.find(": ") + 2);
  if (text.size() > 100) text = text.substr(0, 97) + "...";
  return text;
}

// Reads the text as JSON without building it, up to its first fault or its first value nested
// deeper than kMaxDepth; the text is then built only if neither is found. (The library's own
// depth callback is no help: with one, every value read searches its parent.)
class JsonChecker : public nlohmann::json_sax<Json> {
 public:
  explicit JsonChecker(const std::string& text) : text_(text) {}

  // "line 1, column 5: ..." for the first fault; empty when there is none.
  const std::string& fault() const { return fault_; }

  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool key(string_t&) override { return true; }
  bool start_object(std::size_t) override { return Open(); }
  bool start_array(std::size_t) override { return Open(); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t position, const std::string&,
                   const Json::exception& error) override {
    fault_ = Place(text_, position) + ": " + ParseFault(error);
    return false;
  }

 private:
  bool Open() {
    if (++depth_ <= kMaxDepth) return true;
    fault_ = Place(text_, TooDeepAt(text_)) + ": values nested more than " +
             std::to_string(kMaxDepth) + " deep";
    return false;
  }
  bool Close() {
    --depth_;
    return true;
  }

  const std::string& text_;
  int depth_ = 0;
  std::string fault_;
};

std::optional<int32_t> Int32(const Json& number) {
  if (number.is_number_unsigned()) {
    const uint64_t value = number.get<uint64_t>();
    if (value <= INT32_MAX) return static_cast<int32_t>(value);
  } else if (number.is_number_integer()) {
    const int64_t value = number.get<int64_t>();
    if (value >= INT32_MIN && value <= INT32_MAX) return static_cast<int32_t>(value);
  }
  return std::nullopt;
}

// One {TYPE: VALUE}; on a bad one, says what is wrong in `fault`.
std::optional<PreferenceValue> ReadValue(const Json& entry, std::string& fault) {
  if (!entry.is_object() || entry.size() != 1) {
    fault = Shown(entry) + " is not one type and its value, like {\"integer\": 3}";
    return std::nullopt;
  }
  const std::string& type = entry.begin().key();
  const Json& value = entry.begin().value();
  const std::string named = "the " + type + " " + Shown(value);
  if (type == "boolean") {
    if (value.is_boolean()) return value.get<bool>();
    fault = named + " is not true or false";
  } else if (type == "integer") {
    if (const auto number = Int32(value)) return *number;
    fault = named + " is not a whole number from -2147483648 to 2147483647";
  } else if (type == "real") {
    if (value.is_number() && std::isfinite(value.get<double>())) return value.get<double>();
    fault = named + " is not a finite number";
  } else if (type == "point") {
    if (value.is_array() && value.size() == 2) {
      const auto h = Int32(value[0]);
      const auto v = Int32(value[1]);
      if (h && v) return PreferencePoint{*h, *v};
    }
    fault = named + " is not two whole numbers [h, v] from -2147483648 to 2147483647";
  } else if (type == "string") {
    if (value.is_string()) return value.get<std::string>();
    fault = named + " is not text";
  } else {
    fault = Shown(type) + " is not a type (boolean, integer, real, point or string)";
  }
  return std::nullopt;
}

Examined Corrupt(std::string detail) {
  return {Examined::Kind::Corrupt, std::move(detail), {}};
}

// A whole text that is JSON: a preference file of ours, of a later format, or another file.
Examined ExamineJson(const std::string& text) {
  JsonChecker checker(text);
  if (!Json::sax_parse(text, &checker)) return Corrupt(checker.fault());
  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::exception& error) {  // read once already, so not to be expected
    return Corrupt(ParseFault(error));
  }
  // The marker may be only mentioned near the start, as in {"name": "tavrix-preferences"}.
  const auto marker = root.is_object() ? root.find(kMarker) : root.end();
  if (marker == root.end() || !marker->is_number_integer())
    return {Examined::Kind::Foreign, {}, {}};
  if (!marker->is_number_unsigned() || marker->get<uint64_t>() == 0)
    return {Examined::Kind::Foreign, {}, {}};
  if (marker->get<uint64_t>() != kFormat)
    return {Examined::Kind::Later, std::to_string(marker->get<uint64_t>()), {}};

  for (auto member = root.begin(); member != root.end(); ++member) {
    if (member.key() != kMarker && member.key() != "values")
      return Corrupt("an unknown member " + Shown(member.key()));
  }
  const auto values = root.find("values");
  if (values == root.end() || !values->is_object()) return Corrupt("no \"values\" object");
  Examined good{Examined::Kind::Good, {}, {}};
  for (auto entry = values->begin(); entry != values->end(); ++entry) {
    std::string fault;
    auto value = ReadValue(entry.value(), fault);
    if (!value) return Corrupt("value " + Shown(entry.key()) + ": " + fault);
    good.values.emplace_back(entry.key(), std::move(*value));
  }
  return good;
}

Examined Examine(const std::string& path) {
  InputFile file(path);
  if (file.state() == InputFile::State::Missing) return {};
  if (file.state() == InputFile::State::Unreadable)
    return {Examined::Kind::Unreadable, file.problem(), {}};

  std::string text;
  if (!file.ReadUpTo(text, kHeadBytes)) return {Examined::Kind::Unreadable, file.problem(), {}};
  // A byte-order mark, as some editors write, is no part of the text: places count after it.
  if (text.rfind(kByteOrderMark, 0) == 0) {
    text.erase(0, 3);
    if (!file.ReadUpTo(text, 3)) return {Examined::Kind::Unreadable, file.problem(), {}};
  }
  const bool whole = text.size() < kHeadBytes;
  const bool blank = SkipSpace(text, 0) == text.size();
  std::string format;
  const Examined::Kind kind = blank ? Examined::Kind::Empty : Recognise(text, whole, format);
  if (kind == Examined::Kind::Foreign) return {kind, {}, {}};
  if (kind == Examined::Kind::Later) return {kind, format, {}};
  if (!file.ReadUpTo(text, SIZE_MAX)) return {Examined::Kind::Unreadable, file.problem(), {}};
  if (blank)
    return SkipSpace(text, 0) == text.size() ? Examined{Examined::Kind::Empty, {}, {}}
                                             : Examined{Examined::Kind::Foreign, {}, {}};

  return ExamineJson(text);
}

// The file's text, or what keeps a value from being written (JSON has no NaN, nor bytes that
// are not UTF-8).
std::optional<std::string> Serialize(const PreferenceStore& store, std::string& text) {
  OrderedJson values = OrderedJson::object();
  // The store's keys are unique, so each is appended without the search that inserting does.
  auto& members = values.get_ref<OrderedJson::object_t&>();
  members.reserve(store.values().size());
  for (const auto& [key, value] : store.values()) {
    const std::string type = PreferenceTypeName(value);
    OrderedJson entry = OrderedJson::object();
    if (const auto* boolean = std::get_if<bool>(&value)) {
      entry[type] = *boolean;
    } else if (const auto* integer = std::get_if<int32_t>(&value)) {
      entry[type] = *integer;
    } else if (const auto* real = std::get_if<double>(&value)) {
      if (!std::isfinite(*real))
        return "value " + Shown(key) + ": the real " + std::to_string(*real) +
               " is not a finite number";
      entry[type] = *real;
    } else if (const auto* point = std::get_if<PreferencePoint>(&value)) {
      entry[type] = OrderedJson::array({point->h, point->v});
    } else {
      entry[type] = std::get<std::string>(value);
    }
    try {
      (void)Json(key).dump();
      (void)entry.dump();
    } catch (const Json::type_error&) {
      return "value " + Shown(key) + ": the key or the text is not UTF-8";
    }
    members.emplace_back(key, std::move(entry));
  }
  OrderedJson root = OrderedJson::object();
  root[kMarker] = kFormat;
  root["values"] = std::move(values);
  text = root.dump(2) + "\n";
  return std::nullopt;
}

}  // namespace

PreferenceFileLoad LoadPreferenceFile(const std::string& path, PreferenceStore& store) {
  const Examined found = Examine(path);
  const std::string named = "tavrix-host: the preference file '" + path + "' cannot be read (";
  const std::string kept = "; using the defaults, and it will not be written over";
  switch (found.kind) {
    case Examined::Kind::Missing:
      return {};
    case Examined::Kind::Good:
      for (const auto& [key, value] : found.values) store.Set(key, value);
      return {PreferenceFileLoad::Outcome::Loaded, {}};
    case Examined::Kind::Empty:
      return {PreferenceFileLoad::Outcome::Corrupt, named + "it is empty); using the defaults"};
    case Examined::Kind::Corrupt:
      return {PreferenceFileLoad::Outcome::Corrupt,
              named + found.detail + "); using the defaults, and it will be moved to '" + path +
                  ".corrupt' when they are saved"};
    case Examined::Kind::Foreign:
      return {PreferenceFileLoad::Outcome::Foreign,
              "tavrix-host: '" + path + "' is not a Tavrix preference file" + kept};
    case Examined::Kind::Later:
      return {PreferenceFileLoad::Outcome::Foreign,
              "tavrix-host: '" + path + "' is a preference file of a later Tavrix (format " +
                  found.detail + ")" + kept};
    case Examined::Kind::Unreadable:
      return {PreferenceFileLoad::Outcome::Foreign, named + found.detail + ")" + kept};
  }
  return {};
}

Fault SavePreferenceFile(const std::string& path, const PreferenceStore& store) {
  const std::string notSaved = "tavrix-host: the preferences were not saved to '" + path + "' (";
  std::string text;
  if (const auto fault = Serialize(store, text)) return Fault(notSaved + *fault + ")");

  // Looked at again now, not trusted from the load: the file may have been replaced since.
  const std::string target = ReplacementTarget(path);
  const Examined found = Examine(target);
  const std::string refused = "tavrix-host: the preferences were not saved: '" + path + "' ";
  switch (found.kind) {
    case Examined::Kind::Foreign:
      return Fault(refused + "is not a Tavrix preference file, and it is not written over");
    case Examined::Kind::Later:
      return Fault(refused + "is a preference file of a later Tavrix (format " + found.detail +
                   "), and it is not written over");
    case Examined::Kind::Unreadable:
      return Fault(refused + "cannot be read (" + found.detail + "), and it is not written over");
    default:
      break;
  }
  if (const auto fault = ReplaceWithText(target, text, found.kind == Examined::Kind::Corrupt))
    return Fault(notSaved + fault.reason() + ")");
  return Fault();
}

}  // namespace tavrix::host
