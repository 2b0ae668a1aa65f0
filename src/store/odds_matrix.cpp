#include "store/odds_matrix.h"

#include <sys/stat.h>

#include <algorithm>
#include <charconv>

#include "common/data_name.h"
#include "common/names.h"
#include "common/record_file.h"
#include "common/text_file.h"
#include "jvdata/odds_entry.h"
#include "jvdata/record.h"

namespace radadovur::store {
namespace {

namespace names = common::names;
namespace odds = jvdata::odds;

// Appends the value of `tenths` to `out`.
void AppendOdds(std::string& out, int32_t tenths) {
  char buf[16];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, tenths / 10);
  (void)ec;
  out.append(buf, end);
  if (const int32_t fraction = tenths % 10; fraction != 0) {
    out.push_back('.');
    out.push_back(static_cast<char>('0' + fraction));
  }
}

// One pass over one odds text file.
void RunPass(const std::string& app_path, const OddsPass& pass, std::string_view file_name, OddsMatrixReport& report,
             const std::function<void()>& between_records) {
  const std::string path = app_path + std::string(file_name);
  std::string bytes;
  if (common::Status s = common::ReadWholeFile(path, bytes); !s.ok()) {
    if (s.IsNotFound()) {
      report.missing_files.emplace_back(file_name);
    } else {
      report.failures.Add(std::move(s));
    }
    return;
  }
  OddsMatrix matrix(odds::HorsesOf(*pass.family));
  // Only a whole record is read: a line with a byte lost or put in would give every odds after
  // the damage to the wrong tickets.
  const jvdata::Layout* layout = jvdata::DeliveredLayout(pass.type);
  int64_t skipped = 0;
  int64_t bad_lines = 0;
  int64_t first_bad_line = 0;
  int64_t line_number = 0;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string_view line(bytes.data() + start, end - start);
    const bool line_end = end < bytes.size() && line.ends_with('\r');
    start = end + 1;
    ++line_number;
    if (line_end) line.remove_suffix(1);
    const bool whole = line_end && layout && line.size() + 2 == layout->length && jvdata::TypeOf(line) == pass.type;
    const std::string name = whole ? OddsMatrixFileName(pass, line) : std::string();
    if (name.empty()) {
      if (bad_lines++ == 0) first_bad_line = line_number;
      continue;
    }
    skipped += FillOddsMatrix(pass, line, matrix);
    ++report.records;
    common::Status written = common::WriteFileAtomic(app_path + name, matrix.Text());
    if (between_records) between_records();
    if (!written.ok()) {
      report.failures.Add(std::move(written));
      continue;
    }
    ++report.files_written;
  }
  report.skipped_entries += skipped;
  if (bad_lines > 0)
    report.failures.Add(common::Status::Corruption(
        path, std::string(file_name) + ": " + std::to_string(bad_lines) + " 行がレースの " + std::string(pass.family->spec) +
                  " レコードではありません（最初は " + std::to_string(first_bad_line) + " 行目）"));
  if (skipped > 0)
    report.failures.Add(common::Status::Corruption(
        path, std::string(file_name) + ": " + std::to_string(skipped) +
                  " 項目を飛ばしました（馬番が 1〜18 の外か、オッズが数字ではありません）"));
}

}  // namespace

const std::array<OddsPass, 4> kOddsPasses = {{
    {jvdata::RecordType::O6, &odds::kTrifecta, names::kO6ThisWeek, names::kO6Realtime, "SANRENTANODDS.dat"},
    {jvdata::RecordType::O5, &odds::kTrio, names::kO5ThisWeek, names::kO5Realtime, "SANRENODDS.dat"},
    {jvdata::RecordType::O4, &odds::kExacta, names::kO4ThisWeek, names::kO4Realtime, "UMATANODDS.dat"},
    {jvdata::RecordType::O2, &odds::kQuinella, names::kO2ThisWeek, names::kO2Realtime, "UMARENODDS.dat"},
}};

std::string OddsText(int32_t tenths) {
  std::string out;
  AppendOdds(out, tenths);
  return out;
}

OddsMatrix::OddsMatrix(uint32_t horses)
    : horses_(horses), cells_(horses == 3 ? kMatrixSide * kMatrixSide * kMatrixSide : kMatrixSide * kMatrixSide, 0) {}

void OddsMatrix::Clear() { std::fill(cells_.begin(), cells_.end(), 0); }

size_t OddsMatrix::LineOf(const std::array<int, 3>& h) const {
  size_t line = static_cast<size_t>(h[0]) * kMatrixSide + static_cast<size_t>(h[1]);
  if (horses_ == 3) line = line * kMatrixSide + static_cast<size_t>(h[2]);
  return line;
}

std::string OddsMatrix::Text() const {
  std::string out;
  out.reserve(cells_.size() * 8);
  for (int32_t tenths : cells_) {
    AppendOdds(out, tenths);
    out += "\r\n";
  }
  return out;
}

int64_t FillOddsMatrix(const OddsPass& pass, std::string_view record, OddsMatrix& matrix) {
  matrix.Clear();
  int64_t skipped = 0;
  odds::EntryOdds entry;
  for (uint32_t i = 0; i < pass.family->entries; ++i) {
    const odds::EntryRead read = odds::ReadEntry(*pass.family, record, i, entry);
    if (read == odds::EntryRead::kNoHorse) continue;  // names no cell
    if (read != odds::EntryRead::kOk) {
      ++skipped;
      continue;
    }
    matrix.Set(entry.horses, entry.tenths);
  }
  return skipped;
}

std::string OddsMatrixFileName(const OddsPass& pass, std::string_view record) {
  std::string race_key(odds::Year.Of(record));
  race_key.append(odds::MonthDay.Of(record)).append(odds::VenueCode.Of(record)).append(odds::RaceNum.Of(record));
  if (!common::IsDataName(common::DataName::kRaceKey, race_key)) return {};
  return std::string(names::kKaimeFolder) + "/" + race_key + std::string(pass.suffix);
}

OddsMatrixReport BuildOddsMatrices(const std::string& app_path, int odds_source,
                                   const std::function<void()>& between_records) {
  OddsMatrixReport report;
  if (odds_source != 0 && odds_source != 1) return report;
  // Start-up makes the folder; a folder deleted since is made again rather than failing every race.
  ::mkdir((app_path + std::string(names::kKaimeFolder)).c_str(), 0755);
  for (const OddsPass& pass : kOddsPasses)
    RunPass(app_path, pass, odds_source == 0 ? pass.this_week_file : pass.realtime_file, report, between_records);
  return report;
}

}  // namespace radadovur::store
