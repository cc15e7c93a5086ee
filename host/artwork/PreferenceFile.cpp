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

using Json = nlohmann::ordered_json;

constexpr const char* kMarker = "tavrix-preferences";
constexpr int kFormat = 1;
// The marker is within this many bytes of the start of any file we write; looking no further
// keeps a large foreign file from being read whole.
constexpr size_t kHeadBytes = 64;

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

Examined Examine(const std::string& path) {
  InputFile file(path);
  if (file.state() == InputFile::State::Missing) return {};
  if (file.state() == InputFile::State::Unreadable)
    return {Examined::Kind::Unreadable, file.problem(), {}};

  std::string text;
  if (!file.ReadUpTo(text, kHeadBytes)) return {Examined::Kind::Unreadable, file.problem(), {}};
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

  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::parse_error& error) {
    return Corrupt(Place(text, error.byte) + ": " + ParseFault(error));
  } catch (const Json::exception& error) {  // a number too large for a double: no place given
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

// The file's text, or what keeps a value from being written (JSON has no NaN, nor bytes that
// are not UTF-8).
std::optional<std::string> Serialize(const PreferenceStore& store, std::string& text) {
  Json values = Json::object();
  for (const auto& [key, value] : store.values()) {
    const std::string type = PreferenceTypeName(value);
    Json entry = Json::object();
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
      entry[type] = Json::array({point->h, point->v});
    } else {
      entry[type] = std::get<std::string>(value);
    }
    try {
      (void)Json(key).dump();
      (void)entry.dump();
    } catch (const Json::type_error&) {
      return "value " + Shown(key) + ": the key or the text is not UTF-8";
    }
    values[key] = std::move(entry);
  }
  Json root = Json::object();
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

std::optional<std::string> SavePreferenceFile(const std::string& path,
                                              const PreferenceStore& store) {
  const std::string notSaved = "tavrix-host: the preferences were not saved to '" + path + "' (";
  std::string text;
  if (const auto fault = Serialize(store, text)) return notSaved + *fault + ")";

  // Looked at again now, not trusted from the load: the file may have been replaced since.
  const std::string target = ReplacementTarget(path);
  const Examined found = Examine(target);
  const std::string refused = "tavrix-host: the preferences were not saved: '" + path + "' ";
  switch (found.kind) {
    case Examined::Kind::Foreign:
      return refused + "is not a Tavrix preference file, and it is not written over";
    case Examined::Kind::Later:
      return refused + "is a preference file of a later Tavrix (format " + found.detail +
             "), and it is not written over";
    case Examined::Kind::Unreadable:
      return refused + "cannot be read (" + found.detail + "), and it is not written over";
    default:
      break;
  }
  if (const auto fault = ReplaceWithText(target, text, found.kind == Examined::Kind::Corrupt))
    return notSaved + *fault + ")";
  return std::nullopt;
}

}  // namespace tavrix::host
