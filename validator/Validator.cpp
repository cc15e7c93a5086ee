#include "validator/Validator.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iomanip>
#include <random>
#include <sstream>

#include "validator/ChildProcess.h"
#include "validator/ValidatorCheck.h"

namespace tavrix::validator {
namespace {

struct Result {
  enum class Status { Passed, Failed, Skipped };
  std::string name;
  Status status;
  std::string message;  // why it failed, or why it did not run
  double seconds;
};

size_t CountOf(const std::vector<Result>& results, Result::Status status) {
  return static_cast<size_t>(std::count_if(results.begin(), results.end(),
                                           [&](const Result& r) { return r.status == status; }));
}

// A run in which every check was skipped has checked nothing, and must not look like a pass.
std::string NothingChecked(const std::vector<Result>& results) {
  return "no check ran, so nothing was checked: all " + std::to_string(results.size()) +
         " checks were skipped";
}

std::string XmlEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    // Failure texts may quote bytes that are no UTF-8; the report must stay well-formed.
    if (static_cast<unsigned char>(c) >= 0x80) {
      out += '?';
      continue;
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        // XML 1.0 has no other control characters.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') {
          out += '?';
        } else {
          out += c;
        }
    }
  }
  return out;
}

bool WriteJUnit(const std::string& path, const std::vector<Result>& results, uint32_t seed) {
  std::ofstream out(path, std::ios::trunc);
  const bool nothingRan = CountOf(results, Result::Status::Skipped) == results.size();
  double total = 0;
  for (const Result& r : results) total += r.seconds;
  // A report of nothing but skipped checks would read as a pass: the run's failure is a case of
  // its own.
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<testsuite name=\"tavrix-validate\" tests=\"" << results.size() + (nothingRan ? 1 : 0)
      << "\" failures=\"" << CountOf(results, Result::Status::Failed) + (nothingRan ? 1 : 0)
      << "\" skipped=\"" << CountOf(results, Result::Status::Skipped) << "\" time=\"" << total
      << "\">\n"
      << "  <properties><property name=\"seed\" value=\"" << seed << "\"/></properties>\n";
  for (const Result& r : results) {
    out << "  <testcase classname=\"validate\" name=\"" << XmlEscaped(r.name) << "\" time=\""
        << r.seconds << "\"";
    if (r.status == Result::Status::Passed) {
      out << "/>\n";
    } else {
      out << ">\n    <" << (r.status == Result::Status::Failed ? "failure" : "skipped")
          << " message=\"" << XmlEscaped(r.message) << "\"/>\n  </testcase>\n";
    }
  }
  if (nothingRan) {
    out << "  <testcase classname=\"validate\" name=\"nothing-checked\" time=\"0\">\n"
        << "    <failure message=\"" << XmlEscaped(NothingChecked(results))
        << "\"/>\n  </testcase>\n";
  }
  out << "</testsuite>\n";
  return static_cast<bool>(out);
}

// Why the check failed, or empty when it passed.
std::string CheckVerdict(const ValidatorCheck& check, const std::string& pluginPath, uint32_t seed,
                         int level) {
  std::ostringstream log;
  try {
    check.run(CheckContext{pluginPath, seed, level, log});
  } catch (const std::exception& error) {
    // What the check logged on its way helps to tell why it failed.
    const std::string logged = log.str();
    return error.what() + (logged.empty() ? "" : "\n       log: " + logged.substr(0, 2000));
  }
  return "";
}

}  // namespace

#ifdef _WIN32
int RunCheckInThisProcess(const ValidatorOptions& options, const std::string& name,
                          std::ostream& out) {
  for (const ValidatorCheck& check : AllChecks()) {
    if (check.name != name) continue;
    return ReportVerdict(
        [&]() -> std::string {
          return CheckVerdict(check, options.pluginPath, options.seed, options.level);
        },
        out);
  }
  out << "there is no check named '" << name << "'\n";
  return 1;
}
#endif

int RunValidator(const ValidatorOptions& options, std::ostream& out) {
  const uint32_t seed = options.seed != 0 ? options.seed : std::random_device{}() | 1u;
  const int level = std::clamp(options.level, 1, 10);
  out << "Validating " << options.pluginPath << " at level " << level << ", seed " << seed
      << " (replay with --seed " << seed << ")\n";
  const std::vector<ValidatorCheck> checks = AllChecks();
  for (const std::string& name : options.skip) {
    const bool known = std::any_of(checks.begin(), checks.end(),
                                   [&](const ValidatorCheck& check) { return check.name == name; });
    if (!known) {
      out << "there is no check named '" << name << "' to skip\n";
      return 1;
    }
  }
  std::vector<Result> results;
  for (const ValidatorCheck& check : checks) {
    std::string skipped;
    if (std::find(options.skip.begin(), options.skip.end(), check.name) != options.skip.end()) {
      skipped = "left out with --skip";
    } else if (check.level > level) {
      skipped = "runs from level " + std::to_string(check.level) + "; this run is at level " +
                std::to_string(level);
    }
    if (!skipped.empty()) {
      results.push_back({check.name, Result::Status::Skipped, skipped, 0});
      out << "[SKIP] " << check.name << " (" << skipped << ")\n";
      continue;
    }
    const auto start = std::chrono::steady_clock::now();
#ifdef _WIN32
    const ChildOutcome outcome = RunProgramInChild(
        options.hostCommand.empty() ? ThisProgram() : options.hostCommand,
        {"--plugin", options.pluginPath, "validate", "--seed", std::to_string(seed), "--level",
         std::to_string(level), "--in-child", check.name},
        options.timeLimitSeconds);
#else
    const ChildOutcome outcome = RunInChild(
        [&]() -> std::string { return CheckVerdict(check, options.pluginPath, seed, level); },
        options.timeLimitSeconds);
#endif
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    results.push_back({check.name, outcome.passed ? Result::Status::Passed : Result::Status::Failed,
                       outcome.message, seconds});
    out << (outcome.passed ? "[PASS] " : "[FAIL] ") << check.name << " (" << std::fixed
        << std::setprecision(2) << seconds << " s)\n       " << check.description << "\n";
    if (!outcome.passed) out << "       " << outcome.message << "\n";
    out.flush();
  }
  const size_t failed = CountOf(results, Result::Status::Failed);
  const size_t skipped = CountOf(results, Result::Status::Skipped);
  out << CountOf(results, Result::Status::Passed) << " passed, " << failed << " failed, " << skipped
      << " skipped\n";
  const bool nothingRan = skipped == results.size();
  if (nothingRan) out << "The validation failed: " << NothingChecked(results) << ".\n";
  if (!options.junitPath.empty() && !WriteJUnit(options.junitPath, results, seed)) {
    out << "cannot write the JUnit report " << options.junitPath << "\n";
    return 1;
  }
  return failed == 0 && !nothingRan ? 0 : 1;
}

std::vector<ValidatorCheck> AllChecks() {
  std::vector<ValidatorCheck> all;
  for (auto group :
       {&LifecycleChecks, &IntegrityChecks, &FaultChecks, &BadInputChecks, &RandomSessionChecks}) {
    for (ValidatorCheck& check : group()) all.push_back(std::move(check));
  }
  return all;
}

}  // namespace tavrix::validator
