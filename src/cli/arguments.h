#pragma once
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/run_state.h"

// A sub-command's arguments: its operands (DIR, RACEKEY, ...) and the options it takes. A wrong
// argument is refused before anything runs, with the command's usage line.
namespace radadovur::cli {

// Exit codes: 1 a step failed or refused, 2 the arguments were wrong.
inline constexpr int kFailedExit = 1;
inline constexpr int kUsageExit = 2;

struct Arguments {
  std::vector<std::string> operands;
  std::set<std::string, std::less<>> flags;
  std::map<std::string, std::string, std::less<>> values;

  bool Has(std::string_view flag) const { return flags.count(flag) > 0; }
  std::optional<std::string> Value(std::string_view option) const;
};

// Splits `args` by the options `command` takes: `flags` stand alone, `valued` take the next
// argument. An option the command does not take, or a valued one without its value, is
// refused (UsageError): nullopt.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, const std::string& command,
                                        std::initializer_list<std::string_view> flags,
                                        std::initializer_list<std::string_view> valued = {});

// Prints `why` and the command's usage line to standard error; returns kUsageExit.
int UsageError(const std::string& command, const std::string& why);

// The run state of the program folder given as the first of `count` operands (DIR RACEKEY: 2).
// Checks that it is a folder before any step looks into it. Otherwise nullopt after printing
// why, `exit_code` set: kUsageExit when the operands are not as many, kFailedExit when there is
// no such folder.
std::optional<common::RunState> ProgramFolderArgument(const std::vector<std::string>& operands,
                                                      const std::string& command, int& exit_code, size_t count = 1);

}  // namespace radadovur::cli
