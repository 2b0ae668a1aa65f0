#pragma once
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace radadovur::testing {

struct CliResult {
  int exit_code = -1;
  std::string out;  // standard output and standard error
};

// Runs radadovur-cli with a shell-quoted argument string.
inline CliResult RunCli(const std::string& args) {
  CliResult result;
  const std::string command = std::string("'") + RADADOVUR_CLI + "' " + args + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return result;
  std::array<char, 4096> buf{};
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) result.out.append(buf.data(), n);
  const int status = ::pclose(pipe);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace radadovur::testing
