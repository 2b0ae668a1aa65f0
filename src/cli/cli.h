#pragma once
#include <string>
#include <vector>

// Sub-commands of radadovur-cli. Each cmd_*.cpp registers itself with its usage line (every
// option it takes) and what it does, both printed by "COMMAND --help":
//   RADADOVUR_CLI_COMMAND("dump", "dump FILE", "レコードのファイルを項目ごとに表示します。", RunDump);
namespace radadovur::cli {

using CommandFn = int (*)(const std::vector<std::string>& args);

struct Command {
  std::string name;
  std::string usage;
  std::string help;
  CommandFn run;
};

bool Register(const char* name, const char* usage, const char* help, CommandFn run);
const std::vector<Command>& Commands();

// The registered usage line of `name` ("structure DIR [--cancel] [--recordings RDIR]").
std::string UsageOf(const std::string& name);

}  // namespace radadovur::cli

#define RADADOVUR_CLI_COMMAND(name, usage, help, fn) \
  static const bool radadovur_cli_registered_##fn = ::radadovur::cli::Register(name, usage, help, fn)
