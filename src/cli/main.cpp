#include <algorithm>
#include <cstdio>
#include <exception>

#include "cli/cli.h"
#include "common/record_file.h"
#include "common/status.h"

namespace radadovur::cli {

std::vector<Command>& MutableCommands() {
  static std::vector<Command> commands;
  return commands;
}

bool Register(const char* name, const char* usage, const char* help, CommandFn run) {
  MutableCommands().push_back({name, usage, help, run});
  return true;
}

const std::vector<Command>& Commands() { return MutableCommands(); }

std::string UsageOf(const std::string& name) {
  for (const auto& c : Commands())
    if (c.name == name) return c.usage;
  return name;
}

}  // namespace radadovur::cli

namespace {

using radadovur::cli::Command;

constexpr int kUsageExit = 2;

// Every command's usage line; asked for (--help) on standard output, otherwise on standard error.
void Usage(FILE* out) {
  auto commands = radadovur::cli::Commands();
  std::sort(commands.begin(), commands.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  std::fprintf(out, "使い方: radadovur-cli COMMAND ARGS...\n");
  for (const auto& c : commands) std::fprintf(out, "  radadovur-cli %s\n", c.usage.c_str());
  std::fprintf(out, "コマンドごとの説明: radadovur-cli COMMAND --help\n");
}

void CommandHelp(const Command& c) {
  std::printf("使い方: radadovur-cli %s\n%s\n", c.usage.c_str(), c.help.c_str());
}

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

}  // namespace

int main(int argc, char** argv) {
  radadovur::common::IgnoreFileSizeSignal();
  if (argc < 2) {
    Usage(stderr);
    return kUsageExit;
  }
  const std::string name = argv[1];
  if (IsHelp(name)) {
    Usage(stdout);
    return 0;
  }
  for (const auto& c : radadovur::cli::Commands()) {
    if (c.name != name) continue;
    std::vector<std::string> args(argv + 2, argv + argc);
    if (std::any_of(args.begin(), args.end(), IsHelp)) {
      CommandHelp(c);
      return 0;
    }
    try {
      return c.run(args);
    } catch (const std::exception& e) {
      // Not a failure of the data: a fault of the program, told with what it knows.
      std::fprintf(stderr, "radadovur-cli %s: 予期しないエラーで中断しました（%s）\n", name.c_str(), e.what());
      return 1;
    }
  }
  std::fprintf(stderr, "radadovur-cli: 「%s」というコマンドはありません。\n",
               radadovur::common::Shown(name).c_str());
  Usage(stderr);
  return kUsageExit;
}
