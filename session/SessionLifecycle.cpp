// The application's life in a session: starting, quitting and restarting the host as a person
// would, with the preferences kept between runs.
#include <cmath>
#include <cstdint>
#include <optional>

#include "host/Pipl.h"
#include "host/artwork/PreferenceFile.h"
#include "session/ScriptWords.h"
#include "session/Session.h"
#include "session/SvgDrawing.h"

namespace tavrix::app {
namespace {

constexpr char kPluginPrefix[] = "Tavrix";

struct SavedPath {
  std::vector<PathSegment> segments;
  std::vector<int16_t> selection;
  bool closed;
};

// The document as it was saved when the application quit.
struct SavedDocument {
  int16_t rulerUnits;
  std::vector<SavedPath> paths;
  double zoom;
  RealPoint origin;
};

bool BooleanWord(const std::string& word) {
  if (word == "1" || word == "true") return true;
  if (word == "0" || word == "false") return false;
  throw ScriptError("a boolean is 0 or 1, found '" + word + "'");
}

// Any 32-bit integer, as a preference file may hold one.
int32_t Int32Word(const std::string& word, const char* what) {
  const double value = NumberWord(word, what);
  if (value != std::floor(value) || value < INT32_MIN || value > INT32_MAX)
    throw ScriptError(std::string("expected ") + what + " (a 32-bit whole number), found '" + word +
                      "'");
  return static_cast<int32_t>(value);
}

std::string ValueText(const host::PreferenceValue& value) {
  struct Text {
    std::string operator()(bool b) const { return b ? "boolean 1" : "boolean 0"; }
    std::string operator()(int32_t i) const { return "integer " + std::to_string(i); }
    std::string operator()(double d) const { return "real " + std::to_string(d); }
    std::string operator()(const host::PreferencePoint& p) const {
      return "point " + std::to_string(p.h) + " " + std::to_string(p.v);
    }
    std::string operator()(const std::string& s) const { return "string " + Quoted(s); }
  };
  return std::visit(Text{}, value);
}

}  // namespace

void Session::StartHost(const host::PreferenceStore& preferences) {
  host_ = std::make_unique<host::Host>(&out_);
  host_->preferences().Adopt(preferences);
  plugin_ = &host_->LoadPlugin(pluginPath_);
  user_ = std::make_unique<host::DialogUser>(host_->dialogs());
  if (beforeStart_) {
    beforeStart_(*host_);
    beforeStart_ = nullptr;  // a restarted application starts plainly
  }
  const ASErr started = plugin_->Start();
  if (started != kNoErr) {
    throw ScriptError("the plug-in failed to start: error '" +
                      host::FourCharText(static_cast<uint32_t>(started)) + "'");
  }
}

bool Session::Finish() {
  if (finished_) return true;
  finished_ = true;
  if (!host_) return true;
  host_->Quit();  // the plug-in writes its preferences as it shuts down
  bool saved = true;
  if (!preferencesPath_.empty()) {
    host::PreferenceStore kept;
    kept.Adopt(host_->preferences());
    kept.Adopt(pendingPreferences_);
    if (const auto error = host::SavePreferenceFile(preferencesPath_, kept)) {
      errors_ << error.reason() << "\n";
      saved = false;
    }
  }
  user_.reset();
  plugin_ = nullptr;
  host_.reset();
  return saved;
}

void Session::Restart() {
  std::optional<SavedDocument> document;
  std::vector<AIArtHandle> handlesBefore, handlesAfter;
  if (host::Document* open = host_->document()) {
    document = SavedDocument{open->rulerUnits(), {}, host_->view().zoom(), host_->view().origin()};
    for (const host::DocumentPath& path : open->paths()) {
      document->paths.push_back(SavedPath{path.segments, path.selection, path.closed});
      handlesBefore.push_back(path.handle);
    }
  }
  host_->Quit();
  host::PreferenceStore kept;
  kept.Adopt(host_->preferences());
  // Edits of the preference file made while the application was closed.
  kept.Adopt(pendingPreferences_);
  pendingPreferences_ = host::PreferenceStore();
  if (!preferencesPath_.empty()) {
    if (const auto error = host::SavePreferenceFile(preferencesPath_, kept))
      throw ScriptError(error.reason());
  }
  user_.reset();
  plugin_ = nullptr;
  host_.reset();

  StartHost(kept);
  if (document) {
    host::Document& reopened = host_->NewDocument(document->rulerUnits);
    for (size_t i = 0; i < document->paths.size(); ++i) {
      const SavedPath& path = document->paths[i];
      handlesAfter.push_back(reopened.AddPath(path.segments, path.closed));
      reopened.SetSelection(i, path.selection);
    }
    if (drawing_) drawing_->Rehandle(handlesBefore, handlesAfter);
    host_->view().SetZoom(document->zoom);
    host_->view().ScrollTo(document->origin.h, document->origin.v);
  }
}

void Session::PutPreference(const std::vector<std::string>& w) {
  if (w.size() < 3) throw Usage("pref");
  const std::string key = host::PreferenceStore::Key(kPluginPrefix, w[0].c_str());
  const std::string& type = w[1];
  if (type == "point" && w.size() == 4) {
    pendingPreferences_.SetPoint(key, host::PreferencePoint{Int32Word(w[2], "a horizontal value"),
                                                            Int32Word(w[3], "a vertical value")});
    return;
  }
  if (w.size() != 3) throw Usage("pref");
  if (type == "boolean") {
    pendingPreferences_.SetBoolean(key, BooleanWord(w[2]));
  } else if (type == "integer") {
    pendingPreferences_.SetInteger(key, Int32Word(w[2], "an integer"));
  } else if (type == "real") {
    const double value = NumberWord(w[2], "a real number");
    if (!std::isfinite(value)) throw ScriptError("a real preference must be finite");
    pendingPreferences_.SetReal(key, value);
  } else if (type == "string") {
    pendingPreferences_.SetString(key, w[2]);
  } else {
    throw Usage("pref");
  }
}

void Session::ExpectPreference(const std::vector<std::string>& w) {
  if (w.size() < 3) throw ScriptError("usage: expect pref KEY VALUE...");
  const std::string key = host::PreferenceStore::Key(kPluginPrefix, w[1].c_str());
  const auto found = host_->preferences().values().find(key);
  if (found == host_->preferences().values().end())
    throw ScriptError("found no stored value for " + key);
  const host::PreferenceValue& value = found->second;
  const std::vector<std::string> expected(w.begin() + 2, w.end());
  bool matches = false;
  if (const bool* b = std::get_if<bool>(&value)) {
    matches = expected.size() == 1 && BooleanWord(expected[0]) == *b;
  } else if (const int32_t* i = std::get_if<int32_t>(&value)) {
    matches = expected.size() == 1 && Int32Word(expected[0], "an integer") == *i;
  } else if (const double* d = std::get_if<double>(&value)) {
    matches = expected.size() == 1 && std::fabs(NumberWord(expected[0], "a real number") - *d) <=
                                          1e-9 * (1 + std::fabs(*d));
  } else if (const auto* p = std::get_if<host::PreferencePoint>(&value)) {
    matches = expected.size() == 2 && Int32Word(expected[0], "a horizontal value") == p->h &&
              Int32Word(expected[1], "a vertical value") == p->v;
  } else if (const auto* s = std::get_if<std::string>(&value)) {
    matches = expected.size() == 1 && expected[0] == *s;
  }
  if (!matches) throw ScriptError("found " + ValueText(value));
}

}  // namespace tavrix::app
