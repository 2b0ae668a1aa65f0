#pragma once
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "support/demo_cache.h"

namespace radadovur::testing {

struct CliResult {
  int exit_code = -1;
  std::string out;  // standard output and standard error (standard output alone: RunCliStdout)
};

// The exit code of a run that RunCliWithin stopped.
inline constexpr int kTimedOut = 124;

// A demo week into a new folder ("demo DIR OPTIONS" or "demo 'DIR' OPTIONS") is copied from the
// shared weeks of this build (support/demo_cache.h).
inline std::optional<CliResult> DemoFromCache(const std::string& args) {
  if (args.rfind("demo ", 0) != 0) return std::nullopt;
  std::string dir, rest;
  if (args.size() > 5 && args[5] == '\'') {
    const size_t end = args.find('\'', 6);
    if (end == std::string::npos) return std::nullopt;
    dir = args.substr(6, end - 6);
    rest = args.substr(end + 1);
  } else {
    const size_t end = args.find(' ', 5);
    dir = args.substr(5, end == std::string::npos ? std::string::npos : end - 5);
    rest = end == std::string::npos ? "" : args.substr(end);
  }
  const size_t first = rest.find_first_not_of(' ');
  rest = first == std::string::npos ? "" : rest.substr(first);
  // Help is printed, not a week; a large week (benchmarks) is too big to keep a second copy of.
  if (rest.find("-h") != std::string::npos || rest.find("--size") != std::string::npos) return std::nullopt;
  const auto cached = DemoWeekFromCache(dir, rest);
  if (!cached) return std::nullopt;
  return CliResult{0, cached->out};
}

// Runs radadovur-cli with a shell-quoted argument string; with `seconds`, a run that takes
// longer is stopped (exit code kTimedOut). Without `with_stderr` standard error is dropped.
inline CliResult RunCliWithin(int seconds, const std::string& args, bool with_stderr = true) {
  if (auto cached = DemoFromCache(args)) return *cached;
  CliResult result;
  const std::string limit = seconds > 0 ? "timeout " + std::to_string(seconds) + " " : "";
  const std::string command = limit + "'" + RADADOVUR_CLI + "' " + args + (with_stderr ? " 2>&1" : " 2>/dev/null");
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) result.out.append(buf.data(), n);
  const int status = ::pclose(pipe);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

inline CliResult RunCli(const std::string& args) { return RunCliWithin(0, args); }
inline CliResult RunCliStdout(const std::string& args) { return RunCliWithin(0, args, false); }

}  // namespace radadovur::testing
