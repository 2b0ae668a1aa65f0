#include "steps/unread_races.h"

namespace radadovur::steps {
namespace {

// A long list of race ids helps nobody: the first few and how many more.
constexpr size_t kRacesNamed = 5;

}  // namespace

void UnreadRaces::Add(const std::string& race_id, std::string_view operation, int32_t rc) {
  const std::pair<std::string, int32_t> cause(operation, rc);
  auto [it, added] = by_cause_.try_emplace(cause);
  if (added) order_.push_back(cause);
  // Several failed reads of one race count once.
  if (it->second.empty() || it->second.back() != race_id) it->second.push_back(race_id);
}

std::vector<common::Status> UnreadRaces::Failures(const jvlink::JvLink& link, std::string_view what) const {
  std::vector<common::Status> failures;
  for (const auto& cause : order_) {
    const std::vector<std::string>& races = by_cause_.at(cause);
    std::string text = std::string(what) + ": " + cause.first + "エラー。RC=" + std::to_string(cause.second) + "（" +
                       std::to_string(races.size()) + " レース: ";
    for (size_t i = 0; i < races.size() && i < kRacesNamed; ++i) text += (i ? ", " : "") + common::Shown(races[i]);
    if (races.size() > kRacesNamed) text += " ほか " + std::to_string(races.size() - kRacesNamed) + " レース";
    text += "）";
    failures.push_back(common::Status::IoError("JV-Link", jvlink::ErrorMessage(link, text, cause.second)));
  }
  return failures;
}

}  // namespace radadovur::steps
