#include <algorithm>
#include <cstdio>
#include <exception>

#include "cli/cli.h"
#include "common/record_file.h"

namespace radadovur::cli {

std::vector<Command>& MutableCommands() {
  static std::vector<Command> commands;
  return commands;
}

bool Register(const char* name, const char* usage, CommandFn run) {
  MutableCommands().push_back({name, usage, run});
  return true;
}

const std::vector<Command>& Commands() { return MutableCommands(); }

}  // namespace radadovur::cli

namespace {
void Usage() {
  auto commands = radadovur::cli::Commands();
  std::sort(commands.begin(), commands.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  std::fprintf(stderr, "使い方: radadovur-cli COMMAND ARGS...\n");
  for (const auto& c : commands) std::fprintf(stderr, "  radadovur-cli %s\n", c.usage.c_str());
}
}  // namespace

int main(int argc, char** argv) {
  radadovur::common::IgnoreFileSizeSignal();
  if (argc < 2) {
    Usage();
    return 2;
  }
  const std::string name = argv[1];
  for (const auto& c : radadovur::cli::Commands()) {
    if (c.name != name) continue;
    std::vector<std::string> args(argv + 2, argv + argc);
    try {
      return c.run(args);
    } catch (const std::exception& e) {
      // Not a failure of the data: a fault of the program, told with what it knows.
      std::fprintf(stderr, "radadovur-cli %s: 予期しないエラーで中断しました（%s）\n", name.c_str(), e.what());
      return 1;
    }
  }
  Usage();
  return 2;
}
