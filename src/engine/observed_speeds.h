#pragma once
#include <optional>
#include <string>

#include "engine/ex_record.h"

// A run's observed speeds in km/h as 7-character codes: over the last 600 m (in hurdle races
// over one furlong at the run's average furlong time), over the race before that stretch, and
// over the whole race. Every division and product is single precision, as the codes have always
// been computed. A time or distance that is not a number, or a pace over no time at all, gives
// nullopt and says why in `error`.
namespace radadovur::engine {

// Seven spaces when Last3F is blank; "0000000" when it is 0 or the track is neither flat
// ("01" to "29") nor hurdle ("51" to "59").
std::optional<std::string> ObservedAgariSpeed(const ExRecord& record, std::string* error = nullptr);
// Seven spaces when Last3F is blank; "0000000" when it is 0 or the track is neither flat nor
// hurdle.
std::optional<std::string> ObservedPaceSpeed(const ExRecord& record, std::string* error = nullptr);
// "0000000" when RunTime is blank or 0; any track code.
std::optional<std::string> ObservedSohaSpeed(const ExRecord& record, std::string* error = nullptr);

}  // namespace radadovur::engine
