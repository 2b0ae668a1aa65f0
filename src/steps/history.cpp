#include "steps/history.h"

#include "history/meeting_day_search.h"
#include "steps/gate.h"

namespace radadovur::steps {

using common::StatusSlot;

std::vector<history::DayListItem> RunPastResultsLoad(const common::RunState& state, common::StepHost& host,
                                                     common::StepFailures& failures) {
  // It writes the speed files of the listed days: one step at a time on the folder.
  StepGate gate(state, host, "過去の予想成績");
  if (!gate.Admit()) {
    for (common::Status& s : gate.failures().items) failures.Add(std::move(s));
    failures.refused = gate.failures().refused;
    return {};
  }
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
  return history::LoadHitList(
      state.AppPath,
      [&](std::string_view date) {
        host.SetStatus(StatusSlot::kMainText6, history::SearchDateText(date));
        host.Yield();
      },
      failures);
}

std::string PastResultsEndText(const common::StepFailures& failures) {
  return failures.empty() ? "過去の予想成績終了" : "過去の予想成績で失敗がありました。";
}

std::string HitListEndText(const common::StepFailures& failures) {
  return failures.empty() ? "過去の的中リスト終了" : "過去の的中リストで失敗がありました。";
}

}  // namespace radadovur::steps
