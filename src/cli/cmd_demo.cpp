// radadovur-cli demo DIR [--state friday|monday] [--size normal|large] [--seed N] [--week N]:
// writes a program folder with a generated week (the JV-Link recordings, the code table and the
// model package) on which every workflow step can run. --week 2 (and on) writes the following
// week's recordings into the folder of the week before it, as a user's folder is a week later.
#include <cstdio>
#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "demo/demo_folder.h"
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
  demo::WeekOptions options;
  std::string dir;
  bool ok = true;
  for (size_t i = 0; i < args.size() && ok; ++i) {
    const std::string& a = args[i];
    const bool has_value = i + 1 < args.size();
    if (a == "--state" && has_value) {
      const std::string& v = args[++i];
      ok = v == "friday" || v == "monday";
      options.state = v == "monday" ? demo::WeekState::Monday : demo::WeekState::Friday;
    } else if (a == "--size" && has_value) {
      const std::string& v = args[++i];
      ok = v == "normal" || v == "large";
      options.large = v == "large";
    } else if (a == "--seed" && has_value) {
      ok = ParseSeed(args[++i], options.seed);
    } else if (a == "--week" && has_value) {
      const std::string& v = args[++i];
      ok = v.size() == 1 && v[0] >= '1' && v[0] <= '0' + demo::kMaxWeek;
      if (ok) options.week = v[0] - '0';
    } else if (!a.empty() && a[0] != '-' && dir.empty()) {
      dir = a;
    } else {
      ok = false;
    }
  }
  if (!ok || dir.empty())
    return UsageError("demo", dir.empty() && ok ? "フォルダを指定して下さい。" : "引数が正しくありません。");
  // Into an existing folder (a later week): not under a step that reads its recordings.
  common::RunState state = common::RunStateFor(dir);
  std::optional<steps::FolderHold> hold;
  if (common::CheckProgramFolder(state).ok()) {
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
                      "  --state friday|monday  金曜の状態(出馬表だけ)か月曜の状態(結果が確定)。既定は friday\n"
                      "  --size normal|large    週の大きさ。既定は normal\n"
                      "  --seed N               乱数の種。既定は 1\n"
                      "  --week N               2 から 4: DIR (前の週のフォルダ)に次の週の記録を書きます。\n"
                      "                         1 週目と同じ --size と --seed を指定して下さい。",
                      RunDemo);

}  // namespace radadovur::cli
