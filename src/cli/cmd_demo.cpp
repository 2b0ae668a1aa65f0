// radadovur-cli demo DIR [--state friday|monday] [--size normal|large] [--seed N] [--week N]:
// writes a program folder with a generated week (the JV-Link recordings, the code table and the
// model package) on which every workflow step can run. --week 2 (and on) writes the following
// week's recordings into the folder of the week before it, as a user's folder is a week later.
#include <cstdio>
#include <optional>
#include <set>
#include <string>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "common/status.h"
#include "demo/demo_folder.h"
#include "demo/demo_marker.h"
#include "steps/gate.h"

namespace radadovur::cli {
namespace {

constexpr const char* kUsage = "demo DIR [--state friday|monday] [--size normal|large] [--seed N] [--week N]";

bool ParseSeed(const std::string& text, uint64_t& seed) {
  if (text.empty() || text.size() > 19) return false;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  seed = value;
  return true;
}

int RunDemo(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "demo", {}, {"--state", "--size", "--seed", "--week"});
  if (!parsed) return kUsageExit;
  if (parsed->operands.empty() || parsed->operands[0].empty()) return UsageError("demo", "フォルダを指定して下さい。");
  if (parsed->operands.size() > 1)
    return UsageError("demo", "「" + common::Shown(parsed->operands[1]) + "」は余分な引数です。");
  const std::string& dir = parsed->operands[0];
  demo::WeekOptions options;
  // A wrong value is named with the values the option takes.
  const auto wrong = [](const std::string& option, const std::string& value, const std::string& allowed) {
    return UsageError("demo", option + " の値「" + common::Shown(value) + "」は使えません。" + allowed);
  };
  if (const auto v = parsed->Value("--state")) {
    if (*v != "friday" && *v != "monday") return wrong("--state", *v, "friday か monday を指定して下さい。");
    options.state = *v == "monday" ? demo::WeekState::Monday : demo::WeekState::Friday;
  }
  if (const auto v = parsed->Value("--size")) {
    if (*v != "normal" && *v != "large") return wrong("--size", *v, "normal か large を指定して下さい。");
    options.large = *v == "large";
  }
  if (const auto v = parsed->Value("--seed"); v && !ParseSeed(*v, options.seed))
    return wrong("--seed", *v, "0 以上の整数(19 桁まで)を指定して下さい。");
  if (const auto v = parsed->Value("--week")) {
    if (v->size() != 1 || (*v)[0] < '1' || (*v)[0] > '0' + demo::kMaxWeek)
      return wrong("--week", *v, "1 から " + std::to_string(demo::kMaxWeek) + " までの数を指定して下さい。");
    options.week = (*v)[0] - '0';
  }
  // Into a folder of its own (a later week, another state): not under a step that reads its
  // recordings. Any other folder is refused by the demo itself, untouched (no lock file either).
  common::RunState state = common::RunStateFor(dir);
  std::optional<steps::FolderHold> hold;
  demo::FolderOwner owner = demo::FolderOwner::kNobody;
  std::set<std::string> listed;
  if (common::CheckProgramFolder(state).ok() && demo::InspectFolder(state.AppPath, owner, listed).ok() &&
      owner == demo::FolderOwner::kDemo) {
    ConsoleHost host;
    hold.emplace(state, host, "デモの週の書き込み");
    if (!hold->held()) return ReportFailures(hold->failures(), &host);
  }
  demo::DemoSummary summary;
  std::string error;
  if (!demo::WriteDemoFolder(dir, options, &summary, &error)) {
    std::fprintf(stderr, "radadovur-cli demo: %s\n", error.c_str());
    return 1;
  }
  std::printf("デモの第 %d 週を %s に書きました（%s、%s、シード %llu）\n%s", options.week, dir.c_str(),
              options.state == demo::WeekState::Monday ? "月曜（結果確定）" : "金曜（出馬表のみ）",
              options.large ? "大きい週" : "通常の週", static_cast<unsigned long long>(options.seed),
              summary.Text().c_str());
  return 0;
}

}  // namespace

RADADOVUR_CLI_COMMAND("demo", kUsage,
                      "デモの週のプログラムのフォルダを DIR に作ります(JV-Link の記録、コード表、予想因子ウエイト)。\n"
                      "DIR は新しいフォルダか空のフォルダ、またはデモが書いたフォルダ(DEMOWEEK.txt があり、そこに並ぶファイルだけを置き換えます)です。\n"
                      "  --state friday|monday  金曜の状態(出馬表だけ)か月曜の状態(結果が確定)。既定は friday\n"
                      "  --size normal|large    週の大きさ。既定は normal\n"
                      "  --seed N               乱数の種。既定は 1\n"
                      "  --week N               2 から 4: DIR (前の週のフォルダ)に次の週の記録を書きます。\n"
                      "                         1 週目と同じ --size と --seed を指定して下さい。",
                      RunDemo);

}  // namespace radadovur::cli
