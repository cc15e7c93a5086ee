// Script commands that change the document: new documents, paths, selection, units and the
// keyboard increment.
#include "session/ScriptWords.h"
#include "session/Session.h"
#include "session/SvgDrawing.h"

namespace tavrix::app {
namespace {

int16_t RulerUnitsOf(const std::string& word) {
  if (word == "pt") return kAIPointRulerUnits;
  if (word == "in") return kAIInchRulerUnits;
  if (word == "mm") return kAIMillimeterRulerUnits;
  if (word == "cm") return kAICentimeterRulerUnits;
  if (word == "pc") return kAIPicaRulerUnits;
  if (word == "px") return kAIPixelRulerUnits;
  if (word == "Q") return kAIQRulerUnits;
  throw ScriptError("unknown units '" + word + "' (pt, in, mm, cm, pc, px or Q)");
}

size_t IndexWord(const std::string& word, const char* what) {
  const int value = IntegerWord(word, what);
  if (value < 0) throw ScriptError(std::string(what) + " counts from 0, found " + word);
  return static_cast<size_t>(value);
}

// ANCHOR = X Y [in X Y] [out X Y] [corner], handles absolute, omitted ones on the anchor.
PathSegment ParseAnchor(const std::vector<std::string>& w) {
  if (w.size() < 2) throw ScriptError("an anchor needs X and Y");
  PathSegment segment{};
  segment.p = RealPoint{FloatWord(w[0], "the anchor's X"), FloatWord(w[1], "the anchor's Y")};
  segment.in = segment.p;
  segment.out = segment.p;
  for (size_t i = 2; i < w.size();) {
    if ((w[i] == "in" || w[i] == "out") && i + 2 < w.size()) {
      const RealPoint handle{FloatWord(w[i + 1], "a handle's X"),
                             FloatWord(w[i + 2], "a handle's Y")};
      (w[i] == "in" ? segment.in : segment.out) = handle;
      i += 3;
    } else if (w[i] == "corner") {
      segment.corner = 1;
      ++i;
    } else {
      throw ScriptError("unexpected '" + w[i] + "' in an anchor (X Y [in X Y] [out X Y] [corner])");
    }
  }
  return segment;
}

}  // namespace

void Session::NewDocument(const std::vector<std::string>& words) {
  if (words.size() > 1) throw Usage("document");
  host_->NewDocument(words.empty() ? kAIPointRulerUnits : RulerUnitsOf(words[0]));
  drawing_.reset();
  saved_.Remember(host_->document());
}

void Session::AddPath(const std::vector<std::string>& words) {
  // Semicolons separate anchors, with or without spaces around them.
  std::string text;
  for (const std::string& word : words) text += word + " ";
  std::vector<std::string> tokens;
  std::string token;
  for (char c : text) {
    if (c == ' ' || c == ';') {
      if (!token.empty()) tokens.push_back(token);
      token.clear();
      if (c == ';') tokens.push_back(";");
    } else {
      token += c;
    }
  }
  bool closed = false;
  size_t start = 0;
  if (!tokens.empty() && tokens[0] == "closed") {
    closed = true;
    start = 1;
  }
  std::vector<PathSegment> segments;
  std::vector<std::string> anchor;
  for (size_t i = start; i <= tokens.size(); ++i) {
    if (i == tokens.size() || tokens[i] == ";") {
      if (!anchor.empty()) segments.push_back(ParseAnchor(anchor));
      anchor.clear();
    } else {
      anchor.push_back(tokens[i]);
    }
  }
  try {
    Doc().AddPath(std::move(segments), closed);
  } catch (const std::invalid_argument& error) {
    throw ScriptError(error.what());
  }
}

void Session::Select(const std::vector<std::string>& words) {
  host::Document& document = Doc();
  try {
    if (words[0] == "deselect") {
      document.Deselect();
    } else if (words[0] == "select-paths") {
      std::vector<size_t> paths;
      for (size_t i = 1; i < words.size(); ++i)
        paths.push_back(IndexWord(words[i], "a path number"));
      document.SelectPaths(paths);
    } else if (words[0] == "select") {
      if (words.size() != 3) throw Usage("select");
      document.SelectAnchor(IndexWord(words[1], "a path number"),
                            IndexWord(words[2], "an anchor number"));
    } else {
      const bool end = words.size() == 4;
      if ((words.size() != 3 && !end) || (end && words[3] != "in" && words[3] != "out"))
        throw Usage("select-handle");
      document.SelectHandle(IndexWord(words[1], "a path number"),
                            IndexWord(words[2], "an anchor number"), end && words[3] == "out");
    }
  } catch (const std::out_of_range& error) {
    throw ScriptError(error.what());
  }
}

void Session::ChangeArtwork(const std::vector<std::string>& words) {
  const std::string& command = words[0];
  if (command == "close-document") {
    if (words.size() != 1) throw Usage("close-document");
    if (!host_->CloseDocument()) throw ScriptError("there is no document to close");
    drawing_.reset();
    return;
  }
  host::Document& document = Doc();
  try {
    if (command == "delete") {
      if (words.size() != 2) throw Usage("delete");
      document.DeletePath(IndexWord(words[1], "a path number"));
    } else if (command == "delete-anchor") {
      if (words.size() != 3) throw Usage("delete-anchor");
      document.DeleteAnchor(IndexWord(words[1], "a path number"),
                            IndexWord(words[2], "an anchor number"));
    } else {
      if (words.size() < 5) throw Usage("insert-anchor");
      document.InsertAnchor(IndexWord(words[1], "a path number"),
                            IndexWord(words[2], "an anchor number"),
                            ParseAnchor(std::vector<std::string>(words.begin() + 3, words.end())));
    }
  } catch (const std::logic_error& error) {  // out of range, or a full path
    throw ScriptError(error.what());
  }
}

void Session::SetUnits(const std::vector<std::string>& words) {
  if (words.size() != 1) throw Usage("units");
  Doc().SetRulerUnits(RulerUnitsOf(words[0]));
}

void Session::SetIncrement(const std::vector<std::string>& words) {
  if (words.size() != 1) throw Usage("increment");
  const float points = FloatWord(words[0], "a keyboard increment in points");
  if (!(points > 0)) throw ScriptError("the keyboard increment must be more than 0 points");
  host_->preferences().SetReal(kAICursorKeyLengthPreference, points);
}

}  // namespace tavrix::app
