#include "results/ticket_stages.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "common/convert.h"
#include "common/names.h"
#include "common/regular_file.h"
#include "common/text_file.h"
#include "jvdata/layout_hr.h"
#include "jvdata/race_key.h"
#include "results/bet_lists.h"
#include "results/pair_tickets.h"
#include "results/rate_tables.h"
#include "results/results_files.h"

namespace radadovur::results {
namespace {

using common::Status;

bool CurrentRaceKey(const ResultsWindowState& state, std::string& key, common::StepFailures& failures) {
  if (state.RaceIndex < 1 || static_cast<size_t>(state.RaceIndex) >= state.RaceKeyList.size()) {
    failures.Add(Status::InvalidArgument("RaceIndex", "レース位置 " + std::to_string(state.RaceIndex) + " は一覧にありません"));
    return false;
  }
  key = state.RaceKeyList[static_cast<size_t>(state.RaceIndex)];
  return true;
}

// Adds `lines` at the end of the race's KaimeFile, rewriting the whole file through a temporary
// file: the runner lines before them stay, and a failed write leaves the file as it was.
Status AppendToKaimeFile(const std::string& app_path, std::string_view race_key, std::string_view lines) {
  std::string name;
  if (Status named = KaimeFileName(race_key, name); !named.ok()) return named;
  std::string bytes;
  Status read = common::ReadWholeFile(app_path + name, bytes);
  if (!read.ok() && !read.IsNotFound()) return read;
  bytes += lines;
  return WriteWholeFile(app_path, name, bytes);
}

void WriteBetList(const std::string& app_path, BetKind kind, std::string_view race_key, const ResultsWindowState& state,
                  common::StepFailures& failures) {
  std::string name;
  Status status = BetListFileName(kind, race_key, state.CodeTable, name);
  if (status.ok()) status = WriteWholeFile(app_path, name, BetListText(kind, race_key, state));
  failures.Add(std::move(status));
}

// Rewrites one of the race's ticket sort files, named by `file_name`.
void WriteSortFile(const std::string& app_path, Status (*file_name)(std::string_view, std::string&),
                   std::string_view race_key, const std::string& text, common::StepFailures& failures) {
  std::string name;
  Status status = file_name(race_key, name);
  if (status.ok()) status = WriteWholeFile(app_path, name, text);
  failures.Add(std::move(status));
}

// Record `number` (from 1) of the payout file, read on its own.
Status ReadPayoutRecord(const std::string& app_path, int number, std::string& record) {
  const std::string path = app_path + std::string(common::names::kHrThisWeek);
  int fd = -1;
  if (Status status = common::OpenRegularFile(path, O_RDONLY, 0, "を開けません", fd); !status.ok()) return status;
  record.assign(jvdata::hr::kLength, '\0');
  const ssize_t got = ::pread(fd, record.data(), record.size(), static_cast<off_t>(number - 1) * jvdata::hr::kLength);
  const int read_errno = errno;
  ::close(fd);
  if (got < 0) return Status::FromErrno("を読めません", path, read_errno);
  if (static_cast<size_t>(got) != record.size())
    return Status::Corruption(path, "払戻 " + path + " にレコード " + std::to_string(number) + " がありません");
  return Status::OK();
}

}  // namespace

void PairTicketsStage(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures) {
  std::string key;
  if (!CurrentRaceKey(state, key, failures)) return;
  state.PairCount = 0;
  state.TripleCount = 0;
  if (Status check = CheckRunnerSpeeds(state); !check.ok()) {
    failures.Add(std::move(check));
    return;
  }
  // The triples are formed here too, though the bet lists and sort files between them come in
  // the bet-list stage: their KaimeFile lines then join the pairs' in one rewrite of the file.
  std::string kaime = BuildPairs(key, state);
  kaime += BuildTriples(key, state);
  failures.Add(AppendToKaimeFile(app_path, key, kaime));
  WriteSortFile(app_path, UmarenSortFileName, key,
                TicketSortFileText(key, kUmarenSortWord, state.UmatanKaime, state.PairScore, state.PairCount), failures);
}

void BetListsAndSortFilesStage(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures) {
  std::string key;
  if (!CurrentRaceKey(state, key, failures)) return;
  // Runner speeds that cannot carry tickets were named by the pairs stage; nothing to list.
  if (!CheckRunnerSpeeds(state).ok()) return;

  WriteBetList(app_path, BetKind::kUmaren, key, state, failures);
  WriteBetList(app_path, BetKind::kWide, key, state, failures);

  ApplyExactaOrder(state);
  WriteSortFile(app_path, UmatanSortFileName, key,
                TicketSortFileText(key, kUmatanSortWord, state.UmatanKaime, state.PairScore, state.PairCount), failures);
  WriteBetList(app_path, BetKind::kUmatan, key, state, failures);

  WriteSortFile(app_path, SanrenSortFileName, key,
                TicketSortFileText(key, kSanrenSortWord, state.SanrentanKaime, state.TripleScore, state.TripleCount),
                failures);
  WriteBetList(app_path, BetKind::kSanrenpuku, key, state, failures);

  ApplyTrifectaOrder(state);
  WriteSortFile(app_path, SanrentanSortFileName, key,
                TicketSortFileText(key, kSanrentanSortWord, state.SanrentanKaime, state.TripleScore, state.TripleCount),
                failures);
  WriteBetList(app_path, BetKind::kSanrentan, key, state, failures);
}

void RateTablesStage(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures) {
  std::string key;
  if (!CurrentRaceKey(state, key, failures)) return;
  std::string payout;
  if (Status read = ReadPayoutRecord(app_path, state.RaceIndex, payout); !read.ok()) {
    failures.Add(std::move(read));
    return;
  }
  const std::string race_id = jvdata::RaceIdOf(payout);
  if (jvdata::RaceKey(payout) != key) {
    failures.Add(Status::Corruption(app_path + std::string(common::names::kHrThisWeek),
                                    "払戻レコード " + std::to_string(state.RaceIndex) + " はレース " + key + " のものではありません"));
    return;
  }
  const std::optional<int64_t> race_number = common::WholeNumber(jvdata::hr::RaceNum.Of(payout));
  const std::string meeting_day_key = race_id.substr(0, 14);
  if (!race_number) {
    failures.Add(Status::InvalidArgument("RaceNum", "レース " + key + ": レース番号 \"" +
                                                        common::Shown(jvdata::hr::RaceNum.Of(payout)) + "\" が読めません"));
    return;
  }
  std::string table_name, pc_table_name;
  Status named = KaitekiTableName(meeting_day_key, table_name);
  if (named.ok()) named = KaitekiPcTableName(meeting_day_key, pc_table_name);
  if (!named.ok()) {
    failures.Add(std::move(named));
    return;
  }
  const auto r = static_cast<int32_t>(*race_number);
  ComputeDayRates(state, r);
  failures.Add(WriteWholeFile(app_path, table_name, KaitekiTableText(state, race_id, state.CodeTable)));
  failures.Add(WriteWholeFile(app_path, pc_table_name, KaitekiPcTableText(state, race_id, r, state.CodeTable)));
}

}  // namespace radadovur::results
