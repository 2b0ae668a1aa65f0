#include "results/runner_record.h"

#include <algorithm>

#include "engine/ex_record.h"
#include "jvdata/record.h"

namespace radadovur::results::rr {

std::string Text(std::string_view record, const jvdata::Field& f, uint32_t i, uint32_t j) {
  std::string text = f.Str(record, i, j);
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

float Real(std::string_view record, const jvdata::Field& f, uint32_t k, uint32_t e) {
  const uint32_t at = f.At(k, e);
  if (k >= f.count || e >= f.count2 || at + 4 > record.size()) return 0;
  return engine::GetReal(record.data() + at);
}

void Put(std::string& record, const jvdata::Field& f, std::string_view bytes, uint32_t i, uint32_t j) {
  const uint32_t at = f.At(i, j);
  if (i >= f.count || j >= f.count2 || at + f.width > record.size()) return;
  std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), f.width), record.begin() + at);
}

bool IsGap(std::string_view record) {
  const std::string_view umaban = Umaban.Of(record, 0);
  return std::all_of(umaban.begin(), umaban.end(), [](char c) { return c == '\0'; });
}

common::Status CheckRunnerFile(const std::string& path, std::string_view bytes) {
  return jvdata::CheckRecordFile(path, bytes, kLength, [](std::string_view record) -> std::string {
    if (IsGap(record) || LineEnd.Of(record) == "\r\n") return {};
    return std::string(jvdata::kNoLineEndReason);
  });
}

}  // namespace radadovur::results::rr
