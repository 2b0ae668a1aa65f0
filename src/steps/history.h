#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "common/run_state.h"
#include "common/status.h"
#include "common/step_host.h"
#include "history/hit_list.h"
#include "history/past_results.h"

// The loads of the past results window and of the big-payout hit list, with their progress texts
// in the main window's Text6. Failures (a file that could not be written) are returned; the
// windows show none of them, the command line reports them. Before the start-up made the working
// folders a load is refused with a message that says to run it.
namespace radadovur::steps {

// The past results window's load: the list of past meeting days, the day key list, the race id
// list and the speed files of the listed days. No yield: nothing else runs meanwhile.
std::vector<history::DayListItem> RunPastResultsLoad(const common::RunState& state, common::StepHost& host,
                                                     common::StepFailures& failures);

// The hit list's load: the hit list file and the big hits; yields once per searched date.
history::HitList RunHitListLoad(const common::RunState& state, common::StepHost& host, common::StepFailures& failures);

// Text6 when a load begins, once the folder is its own (a refused load shows only the refusal).
inline constexpr std::string_view kPastResultsStartText = "過去の予想成績を開始しました。しばらくお待ちください。。。。。。。";
inline constexpr std::string_view kHitListStartText = "過去の的中リストを開始しました。しばらくお待ちください。。。。。。。";

// Text6 after each load: its end text, or, after a failure, a text that says so.
std::string PastResultsEndText(const common::StepFailures& failures);
std::string HitListEndText(const common::StepFailures& failures);

}  // namespace radadovur::steps
