#include "results/race_list.h"

#include <algorithm>
#include <unordered_map>

#include "common/cp932.h"
#include "common/convert.h"
#include "common/names.h"
#include "common/text_file.h"
#include "jvdata/layout_hr.h"
#include "jvdata/layout_ra.h"
#include "jvdata/race_key.h"
#include "results/results_files.h"
#include "results/text_cut.h"
#include "store/record_block.h"

namespace radadovur::results {
namespace {

constexpr size_t kRaceNameChars = 12;
// Twelve ideographic spaces (U+3000) in CP932: a race without a name.
const std::string kBlankRaceName = [] {
  std::string s;
  for (size_t i = 0; i < kRaceNameChars; ++i) s += "\x81\x40";
  return s;
}();

std::string Str(std::string_view v) { return std::string(v); }

// The going code of a race: turf going on turf tracks and any track outside the dirt codes.
std::string_view GoingCode(std::string_view record) {
  const std::string_view track = jvdata::ra::TrackCode.Of(record);
  if (track >= "23" && track <= "29") return jvdata::ra::DirtBabaCode.Of(record);
  return jvdata::ra::TurfBabaCode.Of(record);
}

bool ReadRecords(const std::string& app_path, const store::StoreFile& file, store::RecordBlock& block,
                 common::StepFailures& failures) {
  common::Status status = ReadStoreRecords(app_path, file, block);
  if (status.ok()) return true;
  failures.Add(std::move(status));
  return false;
}

// The lines the list files get, gathered in memory and written whole at the end.
struct ListFiles {
  std::string race_ids;
  std::string race_keys;
  std::string details;

  void AddDetail(std::string_view race_record, const CodeTable& table, common::StepFailures& failures) {
    race_ids += jvdata::RaceIdOf(race_record) + "\r\n";
    common::Status failure;
    details += RaceDetailLine(race_record, table, &failure);
    failures.Add(failure);
  }
  void Write(const std::string& app_path, common::StepFailures& failures) const {
    failures.Add(WriteWholeFile(app_path, kRaceIdFile, race_ids));
    failures.Add(WriteWholeFile(app_path, kRaceListFile, race_keys));
    failures.Add(WriteWholeFile(app_path, kRaceDetailFile, details));
  }
};

// A listed race: its key and its list box item. Its runner file is the entry pass's.
void ListRace(std::string_view record, ListSource source, ResultsWindowState& state, ListFiles& files,
              std::vector<std::string>& items) {
  const std::string key = jvdata::RaceKey(record);
  ++state.RaceCount;
  state.RaceKeyList.push_back(key);
  state.VenueName = LookupCodeTable(state.CodeTable, kCodeVenue, jvdata::ra::VenueCode.Of(record), 4);
  files.race_keys += common::QuotedLine(key);
  items.push_back(RaceListItem(record, state.CodeTable, source));
}

}  // namespace

std::string RaceDetailLine(std::string_view r, const CodeTable& table, common::Status* failure) {
  const std::string key = jvdata::RaceKey(r);
  std::string number;
  if (auto n = common::WholeNumber(jvdata::ra::RaceNum.Of(r))) {
    number = std::to_string(*n);
  } else if (failure) {
    *failure = common::Status::InvalidArgument("RaceNum", "レース " + key + ": レース番号 \"" + Str(jvdata::ra::RaceNum.Of(r)) +
                                                              "\" が数字ではありません");
  }
  std::string name = Str(Cp932Left(jvdata::ra::RaceName.Of(r), kRaceNameChars));
  if (name == kBlankRaceName) name.clear();

  common::CsvLine line;
  line.Text(key)
      .Text(number)
      .Text(jvdata::ra::PostTime.Of(r))
      .Text(jvdata::ra::RaceNum.Of(r))
      .Text(name)
      .Text(LookupCodeTable(table, kCodeRaceType, jvdata::ra::RaceTypeCode.Of(r), 4))
      .Text(LookupCodeTable(table, kCodeCondition, jvdata::ra::ConditionCode.Of(r, 4), 2))
      .Text(Cp932Left(LookupCodeTable(table, kCodeGrade, jvdata::ra::GradeCode.Of(r), 2), 4))
      .Text(Cp932Left(LookupCodeTable(table, kCodeTrack, jvdata::ra::TrackCode.Of(r), 3), 1))
      .Text(jvdata::ra::Kyori.Of(r))
      .Text("SD")
      .Text(LookupCodeTable(table, kCodeWeather, jvdata::ra::TenkoCode.Of(r), 2) +
            LookupCodeTable(table, kCodeGoing, GoingCode(r), 2));
  return line.Str();
}

bool ListedBeforeResults(std::string_view race_record) {
  const std::string_view category = jvdata::ra::DataCategory.Of(race_record);
  return category >= "2" && category <= "6";
}

std::string RaceListItem(std::string_view r, const CodeTable& table, ListSource source) {
  const std::string_view month_day = jvdata::ra::MonthDay.Of(r);
  std::string item;
  item += jvdata::ra::Year.Of(r);
  item += common::ToCp932("年");
  item += month_day.substr(0, std::min<size_t>(2, month_day.size()));
  item += common::ToCp932("月");
  item += month_day.size() > 2 ? month_day.substr(2) : std::string_view();
  item += common::ToCp932("日");
  item += jvdata::ra::VenueCode.Of(r);
  item += LookupCodeTable(table, kCodeVenue, jvdata::ra::VenueCode.Of(r), 4);
  item += jvdata::ra::Kaiji.Of(r);
  item += common::ToCp932("回");
  item += jvdata::ra::Nichiji.Of(r);
  item += common::ToCp932("日");
  item += jvdata::ra::RaceNum.Of(r);
  item += "R";
  item += std::string(source == ListSource::kRaceRecords ? 9 : 10, ' ');
  item += jvdata::RaceKey(r);
  return common::DisplayText(item);
}

std::vector<std::string> BuildRaceList(const std::string& app_path, ResultsWindowState& state,
                                       common::StepFailures& failures) {
  state.RaceCount = 0;
  state.RaceKeyList.assign(1, std::string());
  std::vector<std::string> items;
  ListFiles files;

  store::RecordBlock races;
  const bool have_races = ReadRecords(app_path, store::kRaNew, races, failures);
  bool have_payouts = true;

  if (state.ResultsFinal == 0) {
    // Every race record not yet final, in file order (a race under two categories twice).
    for (size_t n = 0; have_races && n < races.count(); ++n) {
      const std::string_view record = races.Record(n);
      state.CurrentRaceRecord = std::string(record);
      if (!ListedBeforeResults(record)) continue;
      ListRace(record, ListSource::kRaceRecords, state, files, items);
      files.AddDetail(record, state.CodeTable, failures);
    }
  } else {
    // Every payout record, in file order; then the details from the race records of those races.
    store::RecordBlock payouts;
    have_payouts = ReadRecords(app_path, store::kHrThisWeek, payouts, failures);
    if (have_payouts) {
      for (size_t n = 0; n < payouts.count(); ++n) {
        state.CurrentPayoutRecord = std::string(payouts.Record(n));
        ListRace(state.CurrentPayoutRecord, ListSource::kPayoutRecords, state, files, items);
      }
    }
    // How often each key is listed: a race record gives one line per listing of its race.
    std::unordered_map<std::string, int> listings;
    for (int i = 1; i <= state.RaceCount; ++i) ++listings[state.RaceKeyList[i]];
    for (size_t n = 0; have_races && n < races.count(); ++n) {
      const std::string_view record = races.Record(n);
      state.CurrentRaceRecord = std::string(record);
      const auto listed = listings.find(jvdata::RaceKey(record));
      if (listed == listings.end()) continue;
      state.VenueName = LookupCodeTable(state.CodeTable, kCodeVenue, jvdata::ra::VenueCode.Of(record), 4);
      for (int k = 0; k < listed->second; ++k) files.AddDetail(record, state.CodeTable, failures);
    }
  }
  // A list made without its records would replace the earlier one with a part of it.
  if (have_races && have_payouts) files.Write(app_path, failures);
  return items;
}

void LoadRaceTable(const std::string& app_path, ResultsWindowState& state, common::StepFailures& failures) {
  state.RaceTable.assign(static_cast<size_t>(state.RaceCount) + 1, RaceTableRow{});
  const std::string path = app_path + std::string(kRaceDetailFile);
  auto text = common::ReadWholeFile(path);
  if (!text) {
    failures.Add(common::Status::IoError(path, "レース詳細 " + path + " を読めません"));
    return;
  }
  // The detail lines of each race key, in file order.
  std::unordered_map<std::string, std::vector<RaceTableRow>> lines_of;
  for (const std::string& line : common::SplitLines(*text)) {
    if (line.empty()) continue;
    common::CsvItemReader reader(line);
    RaceTableRow row;
    std::string value;
    for (int column = 0; column <= kColWeatherGoing && reader.Next(value); ++column) row[column] = value;
    lines_of[row[kColRaceKey]].push_back(std::move(row));
  }
  std::unordered_map<std::string, size_t> listed;
  for (int i = 1; i <= state.RaceCount; ++i) {
    const std::string& key = state.RaceKeyList[i];
    auto found = lines_of.find(key);
    if (found == lines_of.end()) continue;
    const size_t k = listed[key]++;
    state.RaceTable[i] = found->second[std::min(k, found->second.size() - 1)];
  }
}

}  // namespace radadovur::results
