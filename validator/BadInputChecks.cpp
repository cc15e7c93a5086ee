// Input no person should give, given anyway: texts that are no numbers, numbers no float holds,
// preference files that are not, plug-in files that are not.

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "host/Host.h"
#include "host/PluginFile.h"
#include "host/TemporaryFolder.h"
#include "validator/ReferenceSession.h"
#include "validator/ValidatorCheck.h"

namespace tavrix::validator {
namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A folder of the check's own, removed when the check ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    try {
      path_ = host::MakeTemporaryFolder("tavrix-validate");
    } catch (const std::runtime_error& error) {
      Fail(error.what());
    }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::string path = (path_ / name).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }

 private:
  std::filesystem::path path_;
};

// The text with its NUL shown, so that a failure says what was typed.
std::string Printable(const std::string& text) {
  std::string shown;
  for (const char c : text) shown += c == '\0' ? std::string("\\0") : std::string(1, c);
  return shown;
}

void FieldsRefuseWhatIsNoNumber(const CheckContext& context) {
  const auto run = PlaySession(
      context.pluginPath, {"document", "path 0 0 ; 100 200 in 90 200 out 130 200 ; 200 300", "menu",
                           "click inOutSectionTriangle", "select 0 1"});
  Require(run->session != nullptr, "the plug-in did not start: " + run->startFailure);
  app::Session& session = *run->session;
  host::Host& host = session.host();
  // Built from characters: a NUL inside must reach the field, where a C string would end.
  const std::vector<std::string> noNumbers = {"",
                                              "letters",
                                              "nan",
                                              "inf",
                                              "-inf",
                                              "1/0",
                                              "\xEF\xBC\x91\xEF\xBC\x92",
                                              "\xC3\xBC\xE2\x82\xAC",
                                              std::string{'\xFF', '\xFE', '\0'},
                                              std::string{'1', '\0', '2'}};
  const std::vector<std::string> tooLarge = {"1e40", std::string(10000, '9'), "-1e40"};
  for (const char* mode : {"4", "5", "6"}) {
    session.Execute({"flyout", mode});
    for (const char* field : {"pointXField", "pointYField", "pointIndexField", "inXField",
                              "inYField", "outXField", "outYField"}) {
      for (const std::string& text : noNumbers) {
        const std::vector<host::DocumentPath> before = host.document()->paths();
        try {
          session.Execute({"type", field, text});
        } catch (const std::exception&) {
        }
        Require(SameDocument(before, host.document()->paths(), false),
                std::string(field) + " took '" + Printable(text) + "' as a value");
      }
      for (const std::string& text : tooLarge) {
        try {
          session.Execute({"type", field, text});
        } catch (const std::exception&) {
        }
        Require(UnsoundArtwork(host).empty(),
                std::string(field) + " given a number past the floats: " + UnsoundArtwork(host));
      }
    }
  }
  Require(host.alerts().ErrorCount() == 0, "an alert was shown");
  Require(host.misuse().empty(), host.misuse().Describe());
}

void BadPreferenceFilesGiveTheDefaults(const CheckContext& context) {
  std::mt19937 random(context.seed);
  std::vector<uint8_t> noise(4096);
  for (uint8_t& b : noise) b = static_cast<uint8_t>(random());
  const std::string good =
      R"({"tavrix-preferences": 1, "values": {"Tavrix/InOutPath": {"integer": 3}}})";
  const std::vector<std::vector<uint8_t>> files = {
      noise,
      std::vector<uint8_t>(good.begin(), good.begin() + 30),
      std::vector<uint8_t>(good.begin(), good.end() - 1),
      {'{', '}'},
      {},
  };
  const ScratchFolder scratch;
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string path = scratch.Write("prefs-" + std::to_string(i) + ".json", files[i]);
    std::ostringstream out;
    std::ostringstream errors;
    {
      app::Session session({context.pluginPath, path, &errors}, out);
      session.Execute({"document"});
      session.Execute({"menu"});
      session.Execute({"expect", "flyout", "5", "checked"});  // Relative: the default
      session.Finish();
    }
  }
}

void BadPluginFilesAreRefused(const CheckContext& context) {
  const std::vector<uint8_t> plugin = ReadBytes(context.pluginPath);
  Require(!plugin.empty(), "cannot read the plug-in file");
  std::vector<std::vector<uint8_t>> broken;
  for (size_t length :
       {size_t{0}, size_t{3}, size_t{64}, size_t{1000}, plugin.size() / 2, plugin.size() - 1})
    broken.emplace_back(plugin.begin(), plugin.begin() + static_cast<long>(length));
  const auto patched = [&](const std::string& from, const std::string& to) {
    std::vector<uint8_t> copy = plugin;
    const auto at = std::search(copy.begin(), copy.end(), from.begin(), from.end());
    if (at != copy.end()) std::copy(to.begin(), to.end(), at);
    return copy;
  };
  broken.push_back(patched("AEPS", "RTLF"));              // another kind of plug-in
  broken.push_back(patched("PluginMain", "PluginMane"));  // an entry that is not there
  const std::string text = "not a library at all\n";
  broken.emplace_back(text.begin(), text.end());
  const ScratchFolder scratch;
  for (size_t i = 0; i < broken.size(); ++i) {
    const std::string path = scratch.Write("broken-" + std::to_string(i) + ".aip", broken[i]);
    host::Host host;
    try {
      host.LoadPlugin(path);
      Fail("broken plug-in file " + std::to_string(i) + " was loaded");
    } catch (const host::PluginLoadError& error) {
      Require(std::string(error.what()).find(path) != std::string::npos,
              "the refusal does not name the file: " + std::string(error.what()));
    }
  }
}

}  // namespace

std::vector<ValidatorCheck> BadInputChecks() {
  return {
      {"input.fields",
       "Every field in every mode given empty text, letters, nan, inf, 1e40, 10,000 digits, "
       "non-ASCII text and a NUL inside a number: nothing that is no number is written, nothing "
       "non-finite ever is, no alert",
       1, &FieldsRefuseWhatIsNoNumber},
      {"input.preference-files",
       "Preference files of noise, cut short, empty or with no values: the palette starts with "
       "its defaults",
       1, &BadPreferenceFilesGiveTheDefaults},
      {"input.plugin-files",
       "Plug-in files cut short, of another kind, naming an entry they lack, or no library: "
       "refused by name before any code runs",
       1, &BadPluginFilesAreRefused},
  };
}

}  // namespace tavrix::validator
