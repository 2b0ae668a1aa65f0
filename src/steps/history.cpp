#include "steps/history.h"

#include <sys/stat.h>

#include <cerrno>
#include <initializer_list>
#include <string_view>

#include "history/meeting_day_search.h"
#include "steps/gate.h"

namespace radadovur::steps {

using common::StatusSlot;

namespace {

// The working folders come from the start-up: before it ran there is nowhere to write the lists,
// and the load says so (naming the first missing folder) instead of failing on every file.
bool RefusedBeforeStartup(const common::RunState& state, std::string_view load,
                          std::initializer_list<std::string_view> folders, common::StepHost& host,
                          common::StepFailures& failures) {
  for (const std::string_view folder : folders) {
    const std::string path = state.AppPath + std::string(folder);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 || errno != ENOENT) continue;
    const std::string text = "作業フォルダ「" + common::Shown(path) + "」がありません。先に起動時の処理を行って下さい" +
                             "（プログラムを起動し直すか、radadovur-cli startup を実行します）。" + std::string(load) +
                             "は行いませんでした。";
    host.Message(text);
    failures.Add(common::Status::NotFound(path, text));
    failures.refused = true;
    return true;
  }
  return false;
}

}  // namespace

std::vector<history::DayListItem> RunPastResultsLoad(const common::RunState& state, common::StepHost& host,
                                                     common::StepFailures& failures) {
  // It writes the speed files of the listed days: one step at a time on the folder.
  StepGate gate(state, host, "過去の予想成績");
  if (!gate.Admit()) {
    for (common::Status& s : gate.failures().items) failures.Add(std::move(s));
    failures.refused = gate.failures().refused;
    return {};
  }
  if (RefusedBeforeStartup(state, "過去の予想成績", {"TEKICHU", "SOKUDO"}, host, failures)) return {};
  host.SetStatus(StatusSlot::kMainText6, std::string(kPastResultsStartText));
  std::vector<std::string> unread_keys;
  std::vector<history::DayListItem> days = history::ListPastDays(
      state.AppPath,
      [&](std::string_view date) { host.SetStatus(StatusSlot::kMainText6, history::SearchDateText(date)); },
      failures, &unread_keys);
  host.SetStatus(StatusSlot::kMainText6, "VUVの外部指数作成開始");
  std::vector<std::string> keys;
  for (const history::DayListItem& day : days) keys.push_back(day.key);
  history::WriteSpeedFiles(
      state.AppPath, keys,
      [&](std::string_view race_id) { host.SetStatus(StatusSlot::kMainText6, std::string(race_id) + "VUVの外部指数作成中"); },
      failures, unread_keys);
  return days;
}

history::HitList RunHitListLoad(const common::RunState& state, common::StepHost& host, common::StepFailures& failures) {
  // It writes the hit list file.
  StepGate gate(state, host, "過去の的中リスト");
  if (!gate.Admit()) {
    for (common::Status& s : gate.failures().items) failures.Add(std::move(s));
    failures.refused = gate.failures().refused;
    return {};
  }
  if (RefusedBeforeStartup(state, "過去の的中リスト", {"TEKICHU"}, host, failures)) return {};
  host.SetStatus(StatusSlot::kMainText6, std::string(kHitListStartText));
  return history::LoadHitList(
      state.AppPath,
      [&](std::string_view date) {
        host.SetStatus(StatusSlot::kMainText6, history::SearchDateText(date));
        host.Yield();
      },
      failures);
}

std::string PastResultsEndText(const common::StepFailures& failures) {
  if (failures.refused) return "過去の予想成績は行いませんでした。";
  return failures.empty() ? "過去の予想成績終了" : "過去の予想成績で失敗がありました。";
}

std::string HitListEndText(const common::StepFailures& failures) {
  if (failures.refused) return "過去の的中リストは行いませんでした。";
  return failures.empty() ? "過去の的中リスト終了" : "過去の的中リストで失敗がありました。";
}

}  // namespace radadovur::steps
