#pragma once
#include <optional>
#include <string>

// Demo weeks shared by every test process of a build. A demo week is the same bytes for the same
// options (the demo's own tests check it) and writing one is the slowest part of most week tests,
// under the sanitizers several seconds; so the command line writes each one once per build of
// the command, into a folder next to it, and tests copy it.
namespace radadovur::testing {

// The shared folder for the demo command's `options` (what follows its folder on the command
// line, e.g. "--state monday"): it holds "week/" and "output.txt", what the command printed.
// Written on first use under a lock; "" when the command failed.
std::string CachedDemoWeek(const std::string& options);

// Copies the shared week for `options` to `dir`, modes and modification times included (the
// package's dates are file times), and returns what the command printed, naming `dir`. Nothing
// when `dir` is not an absolute path to a missing or empty folder (the command itself then has
// to run: it replaces what is there), or when the shared week cannot be had.
struct CachedDemoRun {
  std::string out;
};
std::optional<CachedDemoRun> DemoWeekFromCache(const std::string& dir, const std::string& options);

}  // namespace radadovur::testing
