#pragma once
#include <string>
#include <vector>

// Sub-commands of radadovur-cli. Each cmd_*.cpp registers itself:
//   RADADOVUR_CLI_COMMAND("dump", "dump FILE", RunDump);
namespace radadovur::cli {

using CommandFn = int (*)(const std::vector<std::string>& args);

struct Command {
  std::string name;
  std::string usage;
  CommandFn run;
};

bool Register(const char* name, const char* usage, CommandFn run);
const std::vector<Command>& Commands();

}  // namespace radadovur::cli

#define RADADOVUR_CLI_COMMAND(name, usage, fn) \
  static const bool radadovur_cli_registered_##fn = ::radadovur::cli::Register(name, usage, fn)
