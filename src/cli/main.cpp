#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
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

// Ctrl-C: one line that the command was stopped and can be run again, then the interrupt's own
// end (exit status 130). The line is made before the handler is set: a handler may only write.
char interrupted_line[512];
size_t interrupted_length = 0;

extern "C" void OnInterrupt(int signal_number) {
  (void)!::write(STDERR_FILENO, interrupted_line, interrupted_length);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

void SayWhenInterrupted(const std::string& command) {
  const std::string line = "radadovur-cli " + command +
                           ": 中止しました。この処理は終わっていません（もう一度実行できます）。\n";
  interrupted_length = std::min(line.size(), sizeof interrupted_line);
  std::memcpy(interrupted_line, line.data(), interrupted_length);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
}

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
    SayWhenInterrupted(name);
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
