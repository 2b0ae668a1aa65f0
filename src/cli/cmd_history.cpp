// radadovur-cli history DIR: the past results window's load on the program folder DIR (the list
// of past meeting days with a hit table, the day key list, the race id list and the speed files
// of the listed days), with the texts that button Command11 and the load write into Text6.
// radadovur-cli hits DIR: the big-payout hit list's load (the hit list file "TEKICHU/ATARILIST.txt"
// and the hits paying more than 10000 yen), with the texts of button Command15.
#include <cstdio>
#include <string>

#include "cli/arguments.h"
#include "cli/cli.h"
#include "cli/console_host.h"
#include "steps/history.h"

namespace radadovur::cli {
namespace {

// The search writes one text per searched date (1860 of them); the command line shows none.
class SearchHost : public ConsoleHost {
 public:
  void SetStatus(common::StatusSlot slot, const std::string& text) override {
    static const std::string searching = "検索中";
    if (text.size() >= searching.size() && text.compare(text.size() - searching.size(), searching.size(), searching) == 0)
      return;
    ConsoleHost::SetStatus(slot, text);
  }
};

int RunHistory(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "history", {});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "history", exit_code);
  if (!state) return exit_code;
  SearchHost host;
  common::StepFailures failures;
  for (const auto& day : steps::RunPastResultsLoad(*state, host, failures))
    std::printf("[KakoSeisekiAZ.List1] %s\n", day.text.c_str());
  host.SetStatus(common::StatusSlot::kMainText6, steps::PastResultsEndText(failures));
  return ReportFailures(failures, &host);
}

int RunHits(const std::vector<std::string>& args) {
  const auto parsed = ParseArguments(args, "hits", {});
  if (!parsed) return kUsageExit;
  int exit_code = 0;
  auto state = ProgramFolderArgument(parsed->operands, "hits", exit_code);
  if (!state) return exit_code;
  SearchHost host;
  common::StepFailures failures;
  const history::HitList list = steps::RunHitListLoad(*state, host, failures);
  // A refused load shows its refusal alone: no grid.
  if (failures.refused) {
    host.SetStatus(common::StatusSlot::kMainText6, steps::HitListEndText(failures));
    return ReportFailures(failures, &host);
  }
  std::string header;
  for (const auto& h : history::HitListHeaders()) header += (header.empty() ? "" : "\t") + std::string(h);
  std::printf("[TekichuListAZ.tekichuFG] %s\n", header.c_str());
  for (const auto& row : list.rows) {
    std::string line;
    for (size_t c = 0; c < row.size(); ++c) line += (c ? "\t" : "") + row[c];
    std::printf("[TekichuListAZ.tekichuFG] %s\n", line.c_str());
  }
  if (list.big_hits > static_cast<int>(list.rows.size()))
    std::printf("高額的中 %d 件のうち %zu 件を表示しました\n", list.big_hits, list.rows.size());
  host.SetStatus(common::StatusSlot::kMainText6, steps::HitListEndText(failures));
  return ReportFailures(failures, &host);
}

}  // namespace

RADADOVUR_CLI_COMMAND("history", "history DIR",
                      "過去の予想成績の読み込み: TEKICHU に的中表のある過去の開催日を一覧のとおりに表示し、\n"
                      "開催日の一覧、\"SOKUDO/RACEID.txt\" と一覧の日のタイムのファイルを作ります。",
                      RunHistory);
RADADOVUR_CLI_COMMAND("hits", "hits DIR",
                      "過去の的中リストの読み込み: \"TEKICHU/ATARILIST.txt\" と 10000 円を超える配当の的中を、\n"
                      "表の 1 行を 1 行に表示します。",
                      RunHits);

}  // namespace radadovur::cli
