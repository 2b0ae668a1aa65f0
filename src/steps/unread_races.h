#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/status.h"
#include "jvlink/jv_link.h"

// The races of a realtime fetch whose request or reads failed. One cause (the same call failing
// with the same code) is told once, with the races it hit, not once per race.
namespace radadovur::steps {

class UnreadRaces {
 public:
  // `operation`: the JV-Link call that failed ("JVRTOpen", "JVRead").
  void Add(const std::string& race_id, std::string_view operation, int32_t rc);
  bool empty() const { return by_cause_.empty(); }
  // One failure per cause, in the order first met: "<what>: JVRTOpenエラー。RC=-113（3 レース:
  // …）" and the service's explanation.
  std::vector<common::Status> Failures(const jvlink::JvLink& link, std::string_view what) const;

 private:
  std::vector<std::pair<std::string, int32_t>> order_;
  std::map<std::pair<std::string, int32_t>, std::vector<std::string>> by_cause_;
};

}  // namespace radadovur::steps
