#pragma once
#include <initializer_list>
#include <string>

#include "common/text_file.h"
#include "engine/ex_record.h"
#include "engine/layout_ex.h"
#include "model_fixture.h"

// Hand-made expanded records for the engine's tests.
namespace radadovur::engine::testing {

struct Set {
  jvdata::Field field;
  std::string value;
  uint32_t i = 0;
};

// A run of a horse: blanks everywhere, then the given fields.
inline ExRecord Run(std::initializer_list<Set> fields) {
  ExRecord r = *ExRecord::FromBytes(std::string(ex::kLength, ' '));
  for (const Set& s : fields) r.SetText(s.field, s.value, s.i);
  return r;
}

// A file below the program folder; empty when missing.
inline std::string ReadBelow(const TempProgramFolder& folder, const std::string& relative) {
  return common::ReadWholeFile(folder.app_path() + relative).value_or("");
}

}  // namespace radadovur::engine::testing
