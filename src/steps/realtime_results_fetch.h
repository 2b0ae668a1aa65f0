#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "common/step_host.h"
#include "jvlink/jv_link.h"

// The "0B12" fetch of the realtime race, runner and payout records of the last race days (up to
// three), appended to "RARIALTIME.dat", "SERIALTIME.dat" and "HRRIALTIME.dat". The cancellation
// processing and the realtime results step both run it, each with its own JV-Link instance.
namespace radadovur::steps {

inline constexpr std::string_view kRealtimeResultsSoftwareId = "SA730215/SD918342/ZEDORADERIDEROZE/ver.2020.3.2";
inline constexpr std::string_view kRealtimeResultsDataspec = "0B12";
// Reads in a row that deliver no record (errors, file ends) before a day's read is given up.
inline constexpr int kRealtimeReadTries = 10;

// Fetches every date of CollectRealtimeDates in its order. JV-Link problems are shown as
// messages ("JVInitエラー。RC=", "JVReadエラー。 RC=") and added to `failures`; the fetch goes on
// with the next date. A damaged record (CheckDeliveredRecord) is added to `failures` and left out;
// the rest of its day is kept. A store file that cannot be read or written, or a request that does
// not open (the recordings missing or unreadable), ends the fetch: that failure is returned (and not
// added), so that the cancellation changes nothing. `dates` receives the dates asked for.
common::Status FetchRealtimeResults(const std::string& app_path, jvlink::JvLink& link, common::StepHost& host,
                                   common::StepFailures& failures, std::vector<std::string>* dates = nullptr);

// What a step that fetches "0B12" tells the user to do when one of its failures is a damaged
// realtime file (store::kDamagedRealtimeFileRemedy), or when its first failure is JV-Link's (to
// check the recordings as its text says); empty otherwise, for the usual advice.
std::string_view RealtimeFileAdvice(const common::StepFailures& failures);

// The first of `failures` that is JV-Link's (the recordings could not be opened or read), or null.
const common::Status* FirstJvLinkFailure(const common::StepFailures& failures);

}  // namespace radadovur::steps
