#include "steps/download.h"
#include "steps/week_record.h"

#include "steps/download_progress.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <random>

#include "common/text_file.h"
#include "jvlink/recording.h"
#include "jvlink/replay_jv_link.h"
#include "support/scripted_jv_link.h"
#include "store/store_files.h"
#include "support/record_builder.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"
#include "support/week_record.h"

namespace radadovur {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using testing::MakeRecord;
using testing::RecordingHost;
using testing::ScriptedJvLink;
using Read = ScriptedJvLink::Read;
namespace fs = std::filesystem;

const std::string kStart = "今週開催取得開始しました。しばらくお待ち下さい。。。。。";
const std::string kEnd = "今週開催取得終了";
const std::string kFailed = "今週開催取得で失敗がありました。";
const std::string kOpenCall = "JVOpen TOKURACETCVNRCVN 00000000000000 2";
const std::string kInitCall = "JVInit SA730215/SD918342/VELTRAN/ver.2020.7.21";

std::string Ra(const std::string& race_num) { return MakeRecord(jvdata::RecordType::RA, {{jvdata::ra::RaceNum, race_num}}); }
std::string Se(const std::string& ketto) { return MakeRecord(jvdata::RecordType::SE, {{jvdata::se::KettoNum, ketto}}); }
std::string Um(const std::string& category, const std::string& ketto) {
  return MakeRecord(jvdata::RecordType::UM, {{jvdata::um::DataCategory, category}, {jvdata::um::KettoNum, ketto}});
}
std::string Hr(const std::string& race_num) { return MakeRecord(jvdata::RecordType::HR, {{jvdata::hr::RaceNum, race_num}}); }
Read R(std::string record, std::string file = "file1.jvd") { return ScriptedJvLink::Record(std::move(record), file); }
Read Rc(int32_t rc, std::string file = "file1.jvd") { return {rc, "", std::move(file)}; }

class ThisWeekDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Table tests call SetUp again for each case: a fresh folder each time.
    folder_.emplace("download_test_");
    dir_ = folder_->path();
    fs::create_directories(dir_ / "OPTION1N");
    ASSERT_TRUE(common::WriteFileAtomic((dir_ / "OPTION1N" / "STALLION.dat").string(), "x").ok());
    app_ = dir_.string() + "/";
    state_ = common::RunStateFor(app_);
  }

  common::StepFailures Run() { return steps::RunThisWeekDownload(state_, link_, host_, std::chrono::milliseconds(0)); }

  // The records of a raw file, or nullopt when the file does not exist.
  std::optional<std::vector<std::string>> Records(const store::StoreFile& file) const {
    auto bytes = common::ReadWholeFile(store::PathOf(app_, file));
    if (!bytes) return std::nullopt;
    std::vector<std::string> out;
    for (size_t at = 0; at + file.record_length <= bytes->size(); at += file.record_length)
      out.push_back(bytes->substr(at, file.record_length));
    EXPECT_EQ(bytes->size() % file.record_length, 0u) << file.name;
    return out;
  }
  bool OldRawFilesStay() const {
    for (const auto& f : store::kRawRecordFiles)
      if (common::ReadWholeFile(store::PathOf(app_, f)) != std::string(f.record_length * 2, 'o')) return false;
    return true;
  }
  void WriteOldRawFiles() {
    for (const auto& f : store::kRawRecordFiles)
      ASSERT_TRUE(common::WriteFileAtomic(store::PathOf(app_, f), std::string(f.record_length * 2, 'o')).ok());
  }
  std::vector<std::string> Field(const store::StoreFile& file, const jvdata::Field& field) const {
    std::vector<std::string> out;
    for (const auto& r : Records(file).value_or(std::vector<std::string>{})) out.push_back(field.Str(r));
    return out;
  }

  std::optional<testing::TempFolder> folder_;
  fs::path dir_;
  std::string app_;
  ScriptedJvLink link_;
  RecordingHost host_;
  common::RunState state_;
};

TEST_F(ThisWeekDownloadTest, StoresEachTypeInDeliveryOrder) {
  WriteOldRawFiles();  // a new run starts from empty files
  std::string ks = MakeRecord(jvdata::RecordType::KS, {{jvdata::ks::KishuCode, "01234"},
                                               {jvdata::ks::YearRecords_FlatPrizeTotal, "1234567890", 0},
                                               {jvdata::ks::YearRecords_HurdlePrizeTotal, "9876543210", 2}});
  link_.reads = {R(Ra("01")),      R(Se("SE00000001")), R(MakeRecord(jvdata::RecordType::O1, {})),
                 R(Ra("02")),      R(Um("1", "H000000001")), R(Um("9", "H000000002")),
                 R(std::string(40, 'Z') + "\r\n"), Rc(-1),
                 R(Um("2", "H000000003")), R(ks), R(Hr("05")), R(Se("SE00000002"))};

  const common::StepFailures failures = Run();

  EXPECT_THAT(failures.Texts(), IsEmpty());
  EXPECT_THAT(Field(store::kRaThisWeek, jvdata::ra::RaceNum), ElementsAre("01", "02"));
  EXPECT_THAT(Field(store::kSeThisWeek, jvdata::se::KettoNum), ElementsAre("SE00000001", "SE00000002"));
  EXPECT_THAT(Field(store::kUmThisWeek, jvdata::um::KettoNum), ElementsAre("H000000001", "H000000003"));
  EXPECT_THAT(Field(store::kHrThisWeek, jvdata::hr::RaceNum), ElementsAre("05"));
  const auto stored_ks = Records(store::kKsThisWeek).value();
  ASSERT_EQ(stored_ks.size(), 1u);
  EXPECT_EQ(stored_ks[0].size(), 4161u);
  EXPECT_EQ(jvdata::ks_stored::KishuCode.Str(stored_ks[0]), "01234");
  EXPECT_EQ(jvdata::ks_stored::YearRecords_FlatPrizeTotal.Str(stored_ks[0], 0), "123456789");
  EXPECT_EQ(jvdata::ks_stored::YearRecords_HurdlePrizeTotal.Str(stored_ks[0], 2), "987654321");
  EXPECT_EQ(stored_ks[0].substr(4159), "\r\n");

  EXPECT_THAT(host_.ProgressTotals(), IsEmpty());  // download count 0: no dialog
  EXPECT_THAT(link_.calls, ElementsAre(kInitCall, kOpenCall, "JVClose"));
  EXPECT_THAT(host_.Messages(), IsEmpty());
  ASSERT_GE(host_.events.size(), 2u);
  EXPECT_EQ(host_.events[0].text, kStart);
  EXPECT_EQ(host_.events[1].kind, "yield");
  EXPECT_EQ(host_.Yields(), 2);  // and at the file boundary: the window repaints between the files
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText1), kEnd);
  // Only the five files, the week's record, the folder's lock file and the package folder: no
  // temporary file is left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 8);
}

TEST_F(ThisWeekDownloadTest, ProgressDialogDecidesWhetherToRead) {
  for (int answer : {common::kDownloadDone, common::kDownloadCancelled}) {
    SCOPED_TRACE(answer);
    SetUp();
    WriteOldRawFiles();
    testing::MarkStepsFinished(app_, steps::WeekStep::kResults);
    const std::string record_before = *common::ReadWholeFile(app_ + std::string(steps::kWeekRecordFile));
    link_ = ScriptedJvLink{};
    link_.opens = {{0, 4, 3}};
    link_.reads = {R(Ra("01"))};
    link_.statuses = {answer == common::kDownloadDone ? 3 : 1};
    host_ = RecordingHost{};
    host_.cancel = answer == common::kDownloadCancelled;
    state_.DownloadCount = 0;
    state_.DownloadResult = 5;

    EXPECT_THAT(Run().Texts(), IsEmpty());

    EXPECT_THAT(host_.ProgressTotals(), ElementsAre("3"));
    EXPECT_EQ(state_.DownloadCount, 3);
    EXPECT_EQ(state_.DownloadResult, answer);
    if (answer == common::kDownloadDone)
      EXPECT_THAT(link_.calls, ElementsAre(kInitCall, kOpenCall, "JVClose"));
    else
      EXPECT_THAT(link_.calls, ElementsAre(kInitCall, kOpenCall, "JVCancel", "JVClose"));
    // A cancelled download did not finish, and changed nothing: the files and the week's record
    // are the previous download's, whose later steps keep their marks.
    EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText1),
              answer == common::kDownloadDone ? kEnd : "今週開催取得を取り消しました。ファイルは前の取得のままです。");
    steps::WeekRecord record;
    ASSERT_TRUE(steps::ReadWeekRecord(app_, record).ok());
    EXPECT_TRUE(record.Finished(steps::WeekStep::kDownload));
    EXPECT_EQ(record.Finished(steps::WeekStep::kResults), answer != common::kDownloadDone);
    if (answer != common::kDownloadDone) {
      EXPECT_EQ(*common::ReadWholeFile(app_ + std::string(steps::kWeekRecordFile)), record_before);
    }
    EXPECT_THAT(host_.Messages(), IsEmpty());
    if (answer == common::kDownloadDone) {
      EXPECT_THAT(Field(store::kRaThisWeek, jvdata::ra::RaceNum), ElementsAre("01"));
    } else {
      EXPECT_EQ(link_.reads.size(), 1u);  // nothing read
      EXPECT_TRUE(OldRawFilesStay());
    }
  }
}

TEST_F(ThisWeekDownloadTest, JvLinkErrorsAndNothingToRead) {
  struct Case {
    const char* name;
    int32_t init_rc;
    ScriptedJvLink::Open open;
    std::deque<Read> reads;
    std::vector<std::string> messages;
    std::optional<size_t> ra_records;  // nullopt: the previous raw files stay as they were
    bool failed;
  };
  const std::vector<Case> cases = {
      {"init error goes on", -101, {}, {R(Ra("01"))}, {"JVInitエラー。RC=-101"}, 1, true},
      {"open error", 0, {-504, 1, 0}, {R(Ra("01"))}, {"JVOpenエラー。RC=-504"}, std::nullopt, true},
      {"nothing to read empties the files", 0, {0, 0, 0}, {R(Ra("01"))}, {"該当するデータがありません。"}, 0, false},
      {"read error before any record", 0, {}, {Rc(-502), R(Ra("02"))}, {"JVReadエラー。 RC=-502"}, std::nullopt, true},
      {"negative read count reads nothing", 0, {0, -1, 0}, {R(Ra("01"))}, {}, 0, false},
      {"read error keeps earlier records", 0, {}, {R(Ra("01")), Rc(-502), R(Ra("02"))},
       {"JVReadエラー。 RC=-502"}, 1, true},
      {"realtime end is a read error here", 0, {}, {R(Ra("01")), Rc(-203)}, {"JVReadエラー。 RC=-203"}, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    WriteOldRawFiles();
    testing::MarkStepsFinished(app_, steps::WeekStep::kResults);
    link_ = ScriptedJvLink{};
    link_.init_rc = c.init_rc;
    link_.opens = {c.open};
    link_.reads = c.reads;
    host_ = RecordingHost{};

    const common::StepFailures failures = Run();

    EXPECT_EQ(host_.Messages(), c.messages);
    EXPECT_EQ(failures.Texts(), c.failed ? c.messages : std::vector<std::string>{});
    if (c.ra_records) {
      EXPECT_EQ(Records(store::kRaThisWeek)->size(), *c.ra_records);
      EXPECT_EQ(Records(store::kKsThisWeek)->size(), 0u);
    } else {
      EXPECT_TRUE(OldRawFilesStay());
    }
    // A download that changed nothing of the store leaves the week's record as it was: the later
    // steps keep their marks. One that changed it makes them due.
    steps::WeekRecord record;
    ASSERT_TRUE(steps::ReadWeekRecord(app_, record).ok());
    EXPECT_EQ(record.Finished(steps::WeekStep::kResults), !c.ra_records.has_value());
    EXPECT_EQ(record.Finished(steps::WeekStep::kDownload), !c.failed || !c.ra_records.has_value());
    EXPECT_EQ(link_.calls.back(), "JVClose");
    // A download that failed never ends with the finished text.
    EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText1), c.failed ? kFailed : kEnd);
  }
}

// The stand-in's open error says what its code means and where the recordings were looked for.
TEST_F(ThisWeekDownloadTest, MissingRecordingFolderIsExplained) {
  const std::string missing = (dir_ / "どこにもない").string();
  jvlink::ReplayJvLink replay(missing);
  const common::StepFailures failures = steps::RunThisWeekDownload(state_, replay, host_, std::chrono::milliseconds(0));
  ASSERT_EQ(host_.Messages().size(), 1u);
  EXPECT_THAT(host_.Messages()[0], ::testing::StartsWith("JVOpenエラー。RC=-113\n"));
  EXPECT_THAT(host_.Messages()[0], HasSubstr("記録フォルダがありません"));
  EXPECT_THAT(host_.Messages()[0], HasSubstr(missing));
  EXPECT_FALSE(failures.empty());
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText1), kFailed);
}

TEST_F(ThisWeekDownloadTest, BrokenFileIsFetchedAgainAndNumberingContinues) {
  // The request opened again says files must be downloaded: no dialog is shown for it.
  link_.opens = {{0, 5, 0}, {0, 5, 7}};
  link_.reads = {R(Ra("01"), "a.jvd"), R(Se("SE00000001"), "a.jvd"), Rc(-403, "b.jvd"), R(Ra("02"), "b.jvd"),
                 R(Se("SE00000002"), "c.jvd")};

  EXPECT_THAT(Run().Texts(), IsEmpty());

  EXPECT_THAT(Field(store::kRaThisWeek, jvdata::ra::RaceNum), ElementsAre("01", "02"));
  EXPECT_THAT(Field(store::kSeThisWeek, jvdata::se::KettoNum), ElementsAre("SE00000001", "SE00000002"));
  EXPECT_THAT(link_.calls,
              ElementsAre(kInitCall, kOpenCall, "JVFiledelete b.jvd", "JVClose", kOpenCall, "JVClose"));
  EXPECT_THAT(host_.Messages(), IsEmpty());
  EXPECT_THAT(host_.ProgressTotals(), IsEmpty());
}

TEST_F(ThisWeekDownloadTest, AFileReportedBrokenThreeTimesIsAReadError) {
  struct Case {
    const char* name;
    std::deque<Read> broken;
    int deletes;
    std::vector<std::string> messages;
    std::vector<std::string> races;
  };
  const std::vector<Case> cases = {
      {"same file", {Rc(-402, "b"), Rc(-403, "b"), Rc(-402, "b")}, 2, {"JVReadエラー。 RC=-402"}, {"01"}},
      {"files alternate", {Rc(-403, "b"), Rc(-403, "c"), Rc(-403, "b"), Rc(-403, "c")}, 4, {}, {"01", "02"}},
      {"files alternate, third time",
       {Rc(-403, "b"), Rc(-403, "c"), Rc(-403, "b"), Rc(-403, "c"), Rc(-403, "b")}, 4, {"JVReadエラー。 RC=-403"}, {"01"}},
      {"records between", {Rc(-403, "b"), R(Hr("01")), Rc(-403, "b"), R(Hr("02")), Rc(-403, "b")}, 2,
       {"JVReadエラー。 RC=-403"}, {"01"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    link_ = ScriptedJvLink{};
    link_.reads = {R(Ra("01"))};
    link_.reads.insert(link_.reads.end(), c.broken.begin(), c.broken.end());
    link_.reads.push_back(R(Ra("02")));
    host_ = RecordingHost{};

    const common::StepFailures failures = Run();

    EXPECT_EQ(host_.Messages(), c.messages);
    EXPECT_EQ(failures.Texts(), c.messages);
    EXPECT_EQ(std::count_if(link_.calls.begin(), link_.calls.end(),
                            [](const std::string& s) { return s.starts_with("JVFiledelete"); }),
              c.deletes);
    EXPECT_EQ(std::count(link_.calls.begin(), link_.calls.end(), kOpenCall), c.deletes + 1);
    EXPECT_EQ(Field(store::kRaThisWeek, jvdata::ra::RaceNum), c.races);
    EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText1), c.messages.empty() ? kEnd : kFailed);
  }
}

TEST_F(ThisWeekDownloadTest, MissingPackageIsToldAndTheDownloadGoesOn) {
  fs::remove(dir_ / "OPTION1N" / "STALLION.dat");
  link_.reads = {R(Ra("01"))};

  EXPECT_THAT(Run().Texts(), IsEmpty());

  ASSERT_GE(host_.events.size(), 2u);
  EXPECT_EQ(host_.events[0].kind, "message");
  // Where the package goes and how to get one; no self-extracting program runs here.
  EXPECT_EQ(host_.events[0].text, "予想因子ウエイト(モデルパッケージ)がありません。パッケージの中身(KYOSOBA.dat、STALLION.dat など)を"
                                  "フォルダ「" + app_ + "OPTION1N」に展開して下さい。"
                                  "試すだけなら radadovur-cli demo で予想因子ウエイトのあるデモのフォルダを作れます。");
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainLabel1),
            "まだ、予想因子ウエイトが展開されていません。予想因子ウエイトをフォルダ「OPTION1N」に展開して下さい。");
  EXPECT_EQ(host_.Messages().size(), 1u);
  EXPECT_THAT(Field(store::kRaThisWeek, jvdata::ra::RaceNum), ElementsAre("01"));
}

TEST_F(ThisWeekDownloadTest, FailedFileIsToldAtTheEnd) {
  // A folder in the place of the jockey file: it can be neither deleted nor replaced.
  fs::create_directories(dir_ / "KSTHISWEEKN.dat" / "inside");
  link_.reads = {R(Ra("01")), R(MakeRecord(jvdata::RecordType::KS, {})), R(Hr("01"))};

  const common::StepFailures failures = Run();

  EXPECT_THAT(Field(store::kRaThisWeek, jvdata::ra::RaceNum), ElementsAre("01"));
  EXPECT_THAT(Field(store::kHrThisWeek, jvdata::hr::RaceNum), ElementsAre("01"));
  ASSERT_EQ(host_.Messages().size(), 1u);
  const std::string message = host_.Messages()[0];
  EXPECT_THAT(message, ::testing::StartsWith("今週開催取得で次のファイル操作に失敗しました。\n"));
  EXPECT_THAT(message, HasSubstr("KSTHISWEEKN.dat"));
  EXPECT_THAT(message, ::testing::Not(HasSubstr("RATHISWEEKN.dat")));
  EXPECT_FALSE(failures.empty());
  for (const auto& item : failures.Texts()) EXPECT_THAT(item, HasSubstr("KSTHISWEEKN.dat"));
  EXPECT_EQ(host_.events.back().kind, "message");  // after the end text
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText1), kFailed);
}

TEST_F(ThisWeekDownloadTest, DownloadFailureIsToldAndReadingStarts) {
  link_.opens = {{0, 2, 4}};
  link_.statuses = {0, 1, -201};
  link_.reads = {R(Ra("01"))};

  EXPECT_THAT(Run().Texts(), IsEmpty());

  EXPECT_THAT(host_.Messages(), ElementsAre("ダウンロード失敗。RC=-201"));
  EXPECT_EQ(state_.DownloadResult, common::kDownloadDone);
  EXPECT_THAT(Field(store::kRaThisWeek, jvdata::ra::RaceNum), ElementsAre("01"));
}

TEST(DownloadTick, DecidesFromTheStatus) {
  using Outcome = steps::DownloadTick::Outcome;
  struct Case {
    int32_t status;
    int32_t count;
    Outcome outcome;
    std::string label;
    std::string message;
  };
  const std::vector<Case> cases = {
      {0, 12, Outcome::kContinue, "0 / 12", ""},
      {11, 12, Outcome::kContinue, "11 / 12", ""},
      {12, 12, Outcome::kDone, "12 / 12", ""},
      {13, 12, Outcome::kDone, "13 / 12", ""},
      {-1, 12, Outcome::kFailed, "", "ダウンロード失敗。RC=-1"},
      {-502, 12, Outcome::kFailed, "", "ダウンロード失敗。RC=-502"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    ScriptedJvLink link;
    link.statuses = {c.status};
    const steps::DownloadTick tick = steps::TickDownload(link, c.count);
    EXPECT_EQ(tick.outcome, c.outcome);
    EXPECT_EQ(tick.status, c.status);
    EXPECT_EQ(tick.label, c.label);
    EXPECT_EQ(tick.message, c.message);
  }
}

TEST(WaitForDownload, PollsUntilTheCountOrAFailure) {
  struct Case {
    std::vector<int32_t> statuses;
    int status_calls;
    std::vector<std::string> messages;
  };
  const std::vector<Case> cases = {
      {{0, 0, 1, 2, 3, 3}, 5, {}},
      {{0, 1, -1, 3}, 3, {"ダウンロード失敗。RC=-1"}},
  };
  for (const Case& c : cases) {
    ScriptedJvLink link;
    link.statuses = c.statuses;
    RecordingHost ui;
    EXPECT_EQ(steps::WaitForDownload(link, 3, ui, std::chrono::milliseconds(0)), common::kDownloadDone);
    EXPECT_EQ(link.status_calls, c.status_calls);
    EXPECT_EQ(ui.Messages(), c.messages);
    EXPECT_THAT(link.calls, IsEmpty());  // no JVCancel
  }
}

// A damage done to a sound delivered record: what JV-Link then delivers in its place, and how
// the failure names it.
struct Damage {
  const char* what;
  std::function<std::vector<std::string>(const std::string& record)> make;
  const char* named;
};

std::string Overwritten(std::string r, const jvdata::Field& field, char byte) {
  r.replace(field.offset, field.width, std::string(field.width, byte));
  return r;
}

// Bytes that are no JV-Data: split into "records" at their line ends as the delivery would.
std::vector<std::string> RandomPieces(const std::string&) {
  std::mt19937 random(45);
  std::string bytes(4000, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xff);
  std::vector<std::string> pieces;
  for (std::string_view piece : jvlink::SplitRecords(bytes)) pieces.emplace_back(piece);
  return pieces;
}

const Damage kDamages[] = {
    {"cut short", [](const std::string& r) { return std::vector{r.substr(0, r.size() / 2)}; }, "file2.jvd の 1 件目"},
    {"a byte put in", [](std::string r) { return std::vector{r.insert(r.size() / 2, "x")}; }, "file2.jvd の 1 件目"},
    {"a byte taken out", [](std::string r) { return std::vector{r.erase(r.size() / 2, 1)}; }, "file2.jvd の 1 件目"},
    {"CR LF inside",
     [](const std::string& r) { return std::vector{r.substr(0, r.size() / 2) + "\r\n", r.substr(r.size() / 2)}; },
     "file2.jvd の 1 件目"},
    {"the tag lost", [](std::string r) { return std::vector{r.replace(0, 2, "  ")}; }, "file2.jvd の 1 件目"},
    {"a byte moved to the end (same length)",
     [](std::string r) {
       r.erase(r.size() / 2, 1);
       return std::vector{r + "x"};
     },
     "file2.jvd の 1 件目"},
    {"0xFF over the race date (same length)",
     [](const std::string& r) { return std::vector{Overwritten(r, jvdata::ra::MonthDay, '\xff')}; }, "開催月日"},
    {"0xFF over the race number (same length)",
     [](const std::string& r) { return std::vector{Overwritten(r, jvdata::ra::RaceNum, '\xff')}; }, "レース番号"},
    {"a file of random bytes", RandomPieces, "TOKURACETCVNRCVN/file2.jvd には JV-Data のレコードがありません"},
};

// A damaged record is left out and named with its recording file and its place in that file,
// counted from the file's own start; the records before and after it are kept, and ① ends
// failed, not finished, so that ② waits until it is redone.
TEST_F(ThisWeekDownloadTest, ADamagedDeliveryIsLeftOutNamedAndTheDownloadIsNotFinished) {
  for (const Damage& damage : kDamages) {
    SCOPED_TRACE(damage.what);
    SetUp();
    WriteOldRawFiles();
    link_ = ScriptedJvLink{};
    host_ = RecordingHost{};
    link_.reads = {R(Ra("01"), "file1.jvd"), R(Se("2000000001"), "file1.jvd"), Rc(-1, "file1.jvd")};
    for (const std::string& piece : damage.make(Ra("09"))) link_.reads.push_back(R(piece, "file2.jvd"));
    const bool random = std::string(damage.what).starts_with("a file of");
    if (!random) link_.reads.push_back(R(Hr("02"), "file2.jvd"));  // after it, in the same file
    link_.reads.push_back(Rc(-1, "file2.jvd"));
    link_.reads.push_back(R(Ra("03"), "file3.jvd"));

    const common::StepFailures failures = Run();

    ASSERT_FALSE(failures.empty());
    EXPECT_THAT(failures.Texts()[0], HasSubstr(damage.named));
    EXPECT_THAT(failures.Texts()[0], HasSubstr("TOKURACETCVNRCVN/file2.jvd"));
    EXPECT_TRUE(failures.items[0].IsCorruption());
    EXPECT_THAT(Field(store::kRaThisWeek, jvdata::ra::RaceNum), ElementsAre("01", "03"));
    EXPECT_EQ(Field(store::kHrThisWeek, jvdata::hr::RaceNum), random ? std::vector<std::string>{} : std::vector<std::string>{"02"});
    EXPECT_THAT(Field(store::kSeThisWeek, jvdata::se::KettoNum), ElementsAre("2000000001"));
    ASSERT_EQ(host_.Messages().size(), 1u);
    EXPECT_THAT(host_.Messages()[0], ::testing::StartsWith("今週開催取得で壊れたレコードを取り込みませんでした。"));
    EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText1), kFailed);
    steps::WeekRecord record;
    ASSERT_TRUE(steps::ReadWeekRecord(app_, record).ok());
    EXPECT_FALSE(record.Finished(steps::WeekStep::kDownload));
  }
}

// A delivery with nothing sound in it replaces nothing: the week's files stay as they were.
TEST_F(ThisWeekDownloadTest, ADeliveryWithNothingSoundKeepsThePreviousFiles) {
  WriteOldRawFiles();
  link_.reads = {R(Ra("01").substr(0, 100), "file1.jvd")};
  EXPECT_FALSE(Run().empty());
  EXPECT_TRUE(OldRawFilesStay());
  EXPECT_EQ(host_.LastText(common::StatusSlot::kMainText1), kFailed);
}

// Without the program folder nothing else is looked at.
TEST_F(ThisWeekDownloadTest, AMissingProgramFolderIsReportedAsSuch) {
  state_ = common::RunStateFor(app_ + "nowhere");
  EXPECT_THAT(Run().Texts(), ElementsAre(HasSubstr("プログラムフォルダ " + app_ + "nowhere/ がありません")));
  EXPECT_THAT(host_.Messages(), ElementsAre(HasSubstr("プログラムフォルダ ")));
  EXPECT_THAT(link_.calls, IsEmpty());
}

}  // namespace
}  // namespace radadovur
