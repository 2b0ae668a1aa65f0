#include "steps/odds_matrices.h"

#include <string>

namespace radadovur::steps {

store::OddsMatrixReport RunOddsMatrices(const common::RunState& state, common::StepHost& host) {
  store::OddsMatrixReport report =
      store::BuildOddsMatrices(state.AppPath, state.OddsSource, [&host] { host.Yield(); });
  std::string message;
  if (!report.missing_files.empty()) {
    message = "次のオッズファイルがないため、オッズなしとして処理しました。";
    for (const auto& name : report.missing_files) message += "\n" + name;
  }
  if (!report.failures.empty()) {
    if (!message.empty()) message += "\n";
    message += "オッズ処理で次の問題がありました。";
    for (const auto& text : report.failures.Texts()) message += "\n" + text;
  }
  if (!message.empty()) host.Message(message);
  return report;
}

std::string OddsMatricesEndText(int odds_source, const common::StepFailures& failures) {
  if (odds_source == 1) return failures.empty() ? "速報オッズ処理終了" : "速報オッズ処理で失敗がありました。";
  return failures.empty() ? "今週のオッズ処理終了" : "今週のオッズ処理で失敗がありました。";
}

}  // namespace radadovur::steps
