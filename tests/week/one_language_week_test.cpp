// What the command line prints over a demo week, run whole and then with failures put in (a cut
// runner record, a download that fails, a folder replaced by a file, a missing program folder):
// every line is Japanese apart from names (files, folders, codes), and each failure summary
// follows its real cause, groups one cause into one line and agrees with the list, and no text
// names a temporary file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "common/text_file.h"
#include "support/run_cli.h"

namespace radadovur {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

// Three or more English words in a row: a sentence a Japanese user cannot read. Paths, file
// names and codes (words joined by '/', '.', '_' or '-', upper-case dataspecs) do not count.
std::vector<std::string> EnglishLines(const std::string& out) {
  static const std::regex kSentence(
      R"((^|[^A-Za-z0-9/._~\-])[A-Za-z]*[a-z][A-Za-z]*([ ,;:]+[A-Za-z]*[a-z][A-Za-z]*){2,}($|[^A-Za-z0-9/._~\-]))");
  std::vector<std::string> found;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);)
    if (std::regex_search(line, kSentence)) found.push_back(line);
  return found;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

// Standard error's summary ("失敗: ...") is printed once and begins with the first line of the
// list that the message printed (indented), its count included.
void ExpectOneSummaryOfTheList(const std::string& out) {
  std::vector<std::string> summaries, listed;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("失敗: ")) summaries.push_back(line.substr(std::string("失敗: ").size()));
    if (line.starts_with("  ")) listed.push_back(line.substr(2));
  }
  ASSERT_EQ(summaries.size(), 1u) << out;
  ASSERT_FALSE(listed.empty()) << out;
  EXPECT_TRUE(summaries[0].starts_with(listed[0])) << out;
}

TEST(EnglishLinesTest, FindsSentencesNotNames) {
  EXPECT_THAT(EnglishLines("record 27 is cut short"), ::testing::SizeIs(1));
  EXPECT_THAT(EnglishLines("失敗: /tmp/w/KAIME/x.txt: Not a directory"), ::testing::SizeIs(1));
  EXPECT_THAT(EnglishLines("odds records 292, matrix files written 292"), ::testing::SizeIs(1));
  EXPECT_THAT(EnglishLines("[VELTRANEXPDTHISWEEKNAZ.Text3] /tmp/a b/furlong_gate_wp/x.txt を作れません"), ::testing::IsEmpty());
  EXPECT_THAT(EnglishLines("記録 TOKURACETCVNRCVN: HR 4667 KS 126"), ::testing::IsEmpty());
  EXPECT_THAT(EnglishLines("JVOpenエラー。RC=-502 JV-Linkの設定"), ::testing::IsEmpty());
}

class OneLanguageWeek : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = (fs::temp_directory_path() / ("rdv_language_" + std::to_string(::getpid()))).string() + "/";
    fs::remove_all(dir_);
    ::setenv("XDG_CONFIG_HOME", (dir_ + "config").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs a sub-command on the folder, keeps what it printed for the scan.
  testing::CliResult Run(const std::string& args) {
    testing::CliResult r = testing::RunCliWithin(120, args);
    printed_ += "$ " + args + "\n" + r.out;
    return r;
  }
  testing::CliResult Step(const std::string& step, const std::string& more = "") {
    return Run(step + " '" + dir_ + "'" + more);
  }
  void Sound(const std::string& step, const std::string& more = "") {
    const auto r = Step(step, more);
    ASSERT_EQ(r.exit_code, 0) << step << ":\n" << r.out;
  }
  std::string Path(const std::string& name) const { return dir_ + name; }

  std::string dir_;
  std::string printed_;
};

TEST_F(OneLanguageWeek, EveryPrintedLineIsJapaneseAndFailuresFollowTheirCause) {
  ASSERT_EQ(Step("demo", " --state monday").exit_code, 0) << printed_;
  for (const char* step : {"startup", "download"}) Sound(step);
  Sound("structure", " --cancel");
  for (const char* step : {"daybefore", "predict", "odds", "matrices", "realtime-odds", "results", "realtime-results",
                           "history", "hits"})
    Sound(step);

  // A runner record cut short: ② names the damaged data, lists the passes it left undone apart,
  // and prints its list once.
  const std::string runners = Path("SETHISWEEKN.dat");
  std::string bytes = common::ReadWholeFile(runners).value_or("");
  ASSERT_GT(bytes.size(), 10u);
  ASSERT_TRUE(common::WriteFileAtomic(runners, bytes.substr(0, bytes.size() - 5)).ok());
  {
    const auto r = Step("structure");
    EXPECT_EQ(r.exit_code, 1) << r.out;
    EXPECT_THAT(r.out, HasSubstr("壊れたデータがあります"));
    EXPECT_THAT(r.out, Not(HasSubstr("ディスクの空き")));
    EXPECT_THAT(r.out, HasSubstr("そのため行わなかった処理"));
    EXPECT_THAT(r.out, HasSubstr("前の失敗のため行わなかった処理: "));
    EXPECT_EQ(Count(r.out, "途中で切れています"), 1u) << r.out;
  }
  Sound("download");
  Sound("structure");

  // The download stops with -502: the code, what it means and what to do.
  ASSERT_TRUE(common::WriteFileAtomic(Path("JVDATA/faults.txt"), "status_error_after=1\nstatus_error_code=-502\n").ok());
  {
    const auto r = Step("download");
    EXPECT_NE(r.exit_code, 0) << r.out;
    EXPECT_THAT(r.out, HasSubstr("RC=-502"));
    EXPECT_THAT(r.out, HasSubstr("ダウンロードに失敗しました"));
    // The read that follows names the recording file it could not get, once: the message is
    // not repeated as a failure line.
    EXPECT_THAT(r.out, HasSubstr("JVDATA/TOKURACETCVNRCVN/"));
    EXPECT_EQ(Count(r.out, "RC=-302"), 1u) << r.out;
  }
  ASSERT_TRUE(common::WriteFileAtomic(Path("JVDATA/faults.txt"), "open_error=-504\n").ok());
  EXPECT_THAT(Step("download").out, HasSubstr("メンテナンス中"));
  fs::remove(Path("JVDATA/faults.txt"));
  Sound("download");
  Sound("structure", " --cancel");
  Sound("daybefore");
  Sound("predict");
  Sound("odds");
  Sound("realtime-odds");

  // A folder replaced by a file fails every race under it: one line with the count, the advice
  // for that cause (not disk space), one summary that agrees with the list.
  fs::remove_all(Path("KAIME"));
  ASSERT_TRUE(common::WriteFileAtomic(Path("KAIME"), "").ok());
  for (const std::string step : {"results", "matrices", "matrices --realtime"}) {
    const size_t space = step.find(' ');
    const auto r = Step(step.substr(0, space), space == std::string::npos ? "" : step.substr(space));
    EXPECT_EQ(r.exit_code, 1) << r.out;
    EXPECT_THAT(r.out, HasSubstr("途中にフォルダでないものがあります"));
    EXPECT_THAT(r.out, HasSubstr("（同じ原因で計 "));
    EXPECT_THAT(r.out, HasSubstr("移すか消して"));
    EXPECT_THAT(r.out, Not(HasSubstr("ディスクの空き")));
    EXPECT_THAT(r.out, Not(HasSubstr("Not a directory")));
    // One line per cause, not one per race: far fewer lines name the folder than there are races.
    EXPECT_LT(Count(r.out, "KAIME/"), 10u) << r.out;
    ExpectOneSummaryOfTheList(r.out);
  }
  fs::remove(Path("KAIME"));

  // A folder that is not there, a race that is not in the list.
  EXPECT_EQ(Run("download '" + dir_ + "nowhere'").exit_code, 1);
  EXPECT_EQ(Run("viewer '" + dir_ + "' 999999999999").exit_code, 1);

  EXPECT_THAT(EnglishLines(printed_), ::testing::IsEmpty()) << printed_;
  // No failure names a temporary file ("….new~"): the user knows the file it replaces.
  EXPECT_THAT(printed_, Not(HasSubstr("~"))) << printed_;
}

}  // namespace
}  // namespace radadovur
