#pragma once
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace radadovur::testing {

struct CliResult {
  int exit_code = -1;
  std::string out;  // standard output and standard error (standard output alone: RunCliStdout)
};

// The exit code of a run that RunCliWithin stopped.
inline constexpr int kTimedOut = 124;

// Runs radadovur-cli with a shell-quoted argument string; with `seconds`, a run that takes
// longer is stopped (exit code kTimedOut). Without `with_stderr` standard error is dropped.
inline CliResult RunCliWithin(int seconds, const std::string& args, bool with_stderr = true) {
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
