#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

// The realtime record files "RARIALTIME.dat", "SERIALTIME.dat" and "HRRIALTIME.dat": every race,
// runner and payout record of the "0B12" fetches since the program started, in fetch order, and
// the race days such a fetch asks for.
namespace radadovur::store {

// How many neighbouring race records the date scan compares, from the last one back.
inline constexpr int kRealtimeRaceWindow = 97;
inline constexpr size_t kRealtimeDays = 3;

// The race days to fetch, from "RATHISWEEKNNEW.dat": the date (Year MonthDay, 8 characters) of
// its last record, then each older date met while comparing records i and i - 1 for i from the
// last record back over kRealtimeRaceWindow pairs, until three dates are listed. The scan stops
// at record 1; an empty race file gives no dates.
common::Status CollectRealtimeDates(const std::string& app_path, std::vector<std::string>& dates);

// What to do about a realtime record file that is not whole records. Step ① never rewrites these
// files: the start-up empties them and the next "0B12" fetch fills them again.
inline constexpr std::string_view kDamagedRealtimeFileRemedy =
    "速報ファイルはプログラムの起動時の処理（コマンドラインでは radadovur-cli startup）で消去されます。"
    "起動し直してから、速報を取得する処理（中止処理、速報着順等情報）をもう一度実行して下さい。";

// True for a failure of the whole-record check of "RARIALTIME.dat", "SERIALTIME.dat" or
// "HRRIALTIME.dat".
bool IsDamagedRealtimeFile(const common::Status& status);

// Records of one fetch, each in its stored form.
struct RealtimeRecords {
  std::vector<std::string> races, entries, payouts;
  bool empty() const { return races.empty() && entries.empty() && payouts.empty(); }
};

// Appends the records behind those of earlier fetches. Each file is rewritten whole through a
// temporary file, so a stop half way leaves it as it was before or after, never half a record.
common::Status AppendRealtimeRecords(const std::string& app_path, const RealtimeRecords& records);

}  // namespace radadovur::store
