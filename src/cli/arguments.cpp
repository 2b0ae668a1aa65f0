#include "cli/arguments.h"

#include <algorithm>
#include <cstdio>

#include "cli/cli.h"
#include "common/status.h"

namespace radadovur::cli {

std::optional<std::string> Arguments::Value(std::string_view option) const {
  const auto it = values.find(option);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

namespace {
bool Contains(std::initializer_list<std::string_view> names, const std::string& arg) {
  return std::find(names.begin(), names.end(), arg) != names.end();
}
}  // namespace

std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, const std::string& command,
                                        std::initializer_list<std::string_view> flags,
                                        std::initializer_list<std::string_view> valued) {
  Arguments parsed;
  const auto refuse = [&command](const std::string& why) {
    UsageError(command, why);
    return std::nullopt;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    // "--option=value" stands for "--option value".
    const size_t equals = a.starts_with("--") ? a.find('=') : std::string::npos;
    const std::string name = a.substr(0, equals);
    const bool given = parsed.Has(name) || parsed.Value(name).has_value();
    if ((Contains(flags, name) || Contains(valued, name)) && given)
      return refuse("オプション「" + name + "」が二度指定されています。一度だけ指定して下さい。");
    if (Contains(flags, name)) {
      if (equals != std::string::npos) return refuse("オプション「" + name + "」は値を取りません。");
      parsed.flags.insert(name);
    } else if (Contains(valued, name)) {
      const bool attached = equals != std::string::npos;
      if (!attached && i + 1 >= args.size()) return refuse("オプション「" + name + "」の後に値がありません。");
      const std::string value = attached ? a.substr(equals + 1) : args[++i];
      if (value.empty()) return refuse("オプション「" + name + "」の後に値がありません。");
      parsed.values[name] = value;
    } else if (a.size() > 1 && a[0] == '-') {
      return refuse("「" + common::Shown(a) + "」は " + command + " では使えないオプションです。");
    } else {
      parsed.operands.push_back(a);
    }
  }
  return parsed;
}

int UsageError(const std::string& command, const std::string& why) {
  std::fprintf(stderr, "radadovur-cli %s: %s\n使い方: radadovur-cli %s\n", command.c_str(), why.c_str(),
               UsageOf(command).c_str());
  return kUsageExit;
}

std::optional<common::RunState> ProgramFolderArgument(const std::vector<std::string>& operands,
                                                      const std::string& command, int& exit_code, size_t count) {
  if (operands.empty() || operands[0].empty()) {
    exit_code = UsageError(command, "プログラムのフォルダを指定して下さい。");
    return std::nullopt;
  }
  if (operands.size() < count) {
    exit_code = UsageError(command, "引数が足りません。");
    return std::nullopt;
  }
  if (operands.size() > count) {
    exit_code = UsageError(command, "「" + common::Shown(operands[count]) + "」は余分な引数です。");
    return std::nullopt;
  }
  common::RunState state = common::RunStateFor(operands[0]);
  if (const common::Status folder = common::CheckProgramFolder(state); !folder.ok()) {
    std::fprintf(stderr, "radadovur-cli %s: %s\n", command.c_str(), common::ProgramFolderText(operands[0], folder).c_str());
    exit_code = kFailedExit;
    return std::nullopt;
  }
  return state;
}

}  // namespace radadovur::cli
