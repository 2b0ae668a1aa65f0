// radadovur-cli history and hits on a folder where one day's result document is damaged: the
// command names the document and its line and fails, and the files made from that day keep
// their bytes, as for a document that cannot be read at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/text_file.h"
#include "history/result_document.h"
#include "support/history_fixture.h"
#include "support/run_cli.h"
#include "support/temp_folder.h"

namespace radadovur::testing {
namespace {

namespace fs = std::filesystem;

// Where line `tag` (its first occurrence) starts, and its length without CR LF.
std::pair<size_t, size_t> LineOf(const std::string& doc, const std::string& tag) {
  const size_t at = doc.find("\r\n\"" + tag + "\"") + 2;
  return {at, doc.find("\r\n", at) - at};
}

struct Damage {
  const char* what;
  int line;  // the line the failure names
  std::function<void(std::string& doc)> make;
};

// The document's lines: 1 DY, 2 PL, 3 RC, 4 RR, 5.. HS (16 runners), 21 Q1, 22 AT, ... KK.
const Damage kDamages[] = {
    {"the first RC line cut in half", 3,
     [](std::string& doc) {
       const auto [at, length] = LineOf(doc, "RC");
       doc.erase(at + length / 2, length - length / 2);
     }},
    {"the document cut inside a line", 5,
     [](std::string& doc) { doc.resize(LineOf(doc, "HS").first + 20); }},
    {"a byte put in (a comma)", 5,
     [](std::string& doc) { doc.insert(LineOf(doc, "HS").first + 4, ","); }},
    {"a byte taken out (a closing quote)", 3,
     [](std::string& doc) { doc.erase(LineOf(doc, "RC").first + 3, 1); }},
    {"CR LF inside a line", 5,
     [](std::string& doc) {
       const auto [at, length] = LineOf(doc, "HS");
       doc.insert(at + length / 2, "\r\n");
     }},
    {"a tag overwritten", 5, [](std::string& doc) { doc[LineOf(doc, "HS").first + 1] = 'X'; }},
    {"a quote lost", 22, [](std::string& doc) { doc.erase(LineOf(doc, "AT").first, 1); }},
};

class DamagedDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(app_ + "TEKICHU");
    fs::create_directories(app_ + "SOKUDO");
    WriteDaysAroundTheBrokenOne(app_);
    for (const char* name : kMade) ASSERT_TRUE(common::WriteFileAtomic(app_ + name, "earlier\r\n").ok());
  }
  std::string Read(const char* name) const { return common::ReadWholeFile(app_ + name).value_or("<unreadable>"); }
  void Break(const Damage& damage) {
    const std::string path = app_ + "TEKICHU/" + kBrokenKey + "lupRCM.txt";
    std::string doc = common::ReadWholeFile(path).value_or("");
    ASSERT_TRUE(history::CheckResultDocument(path, doc).ok());
    damage.make(doc);
    ASSERT_TRUE(common::WriteFileAtomic(path, doc).ok());
  }
  CliResult Run(const char* command) const { return RunCli(std::string(command) + " '" + app_ + "'"); }
  // The failure names the document and the line.
  static void ExpectNamed(const CliResult& r, const Damage& damage) {
    EXPECT_EQ(r.exit_code, 1) << damage.what << r.out;
    EXPECT_NE(r.out.find(std::string(kBrokenKey) + "lupRCM.txt の " + std::to_string(damage.line) + " 行目"),
              std::string::npos)
        << damage.what << r.out;
  }

  static constexpr const char* kMade[] = {"SOKUDO/HR20240922.csv", "SOKUDO/HR20240921.csv", "SOKUDO/RACEID.txt",
                                          "TEKICHU/ATARILIST.txt"};
  TempFolder folder_{"rdv_damaged_document"};
  std::string app_ = folder_.app_path();
};

TEST_F(DamagedDocumentTest, HistoryNamesTheLineAndKeepsTheSpeedFilesOfThatDate) {
  for (const Damage& damage : kDamages) {
    SetUp();
    Break(damage);
    const CliResult history = Run("history");
    ExpectNamed(history, damage);
    EXPECT_EQ(Read("SOKUDO/HR20240922.csv"), "earlier\r\n") << damage.what;
    EXPECT_EQ(Read("SOKUDO/RACEID.txt"), "earlier\r\n") << damage.what;
    EXPECT_EQ(common::SplitLines(Read("SOKUDO/HR20240921.csv")).size(), 1u) << damage.what;  // a sound day
  }
}

TEST_F(DamagedDocumentTest, HitsNamesTheLineAndKeepsTheHitListFile) {
  for (const Damage& damage : kDamages) {
    SetUp();
    Break(damage);
    const CliResult hits = Run("hits");
    ExpectNamed(hits, damage);
    EXPECT_EQ(Read("TEKICHU/ATARILIST.txt"), "earlier\r\n") << damage.what;
  }
}

TEST(ResultDocumentTest, LinesAreCheckedForTheirTagsItemCountsAndLineEnds) {
  const std::string sound = LupDocument({PlainRace(1, 2)});
  struct Case {
    const char* what;
    std::string bytes;
    const char* named;  // a part of the failure; nullptr: sound
  };
  const Case cases[] = {
      {"a whole document", sound, nullptr},
      {"an empty document", "", nullptr},
      {"a listing line of either length",
       "\"PSH1\",\"1\",\"1-2-3\"\r\n\"PSF7\",\"21\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\"\r\n"
       "\"ATQ4\"\r\n\"MUJ6\",\"12\",\"\"\r\n\"PL\",\"1\",\"4\",,\"7\",\"11\"\r\n",
       nullptr},
      {"a payout line whose kind has other items", "\"KK\",\"5\",\"1-2\",\"400\"\r\n", "項目数が 4 です（12 のはず）"},
      {"a tag the document never holds", "\"CM\",\"1\",\"x\"\r\n", "\"CM\""},
      {"a listing place past its tier", "\"MUH7\",\"7\",\"1-2\"\r\n", "\"MUH7\""},
      {"a listing line of neither length", "\"PSJ2\",\"9\",\"1-2-3\",\"\",\"\"\r\n", "（3 か 9 のはず）"},
      {"too many horses in a group", "\"Q1\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\"\r\n", "1～6 のはず"},
      {"an empty line", sound + "\r\n", "の 13 行目"},
      {"a lone LF", "\"DY\",\"1\",\"2024\n0922\"\r\n", "3 番目の項目の中に改行があります"},
      {"a bare text", "\"DY\",\"1\",20240922x\r\n", "3 番目の項目が引用符で囲まれていません"},
      {"no line end at the end", sound.substr(0, sound.size() - 2), "行末（CR LF）がない"},
  };
  for (const Case& c : cases) {
    const common::Status s = history::CheckResultDocument("T/x.txt", c.bytes);
    if (!c.named) {
      EXPECT_TRUE(s.ok()) << c.what << ": " << s.ToString();
      continue;
    }
    EXPECT_TRUE(s.IsCorruption()) << c.what;
    EXPECT_NE(s.ToString().find("T/x.txt"), std::string::npos) << c.what << ": " << s.ToString();
    EXPECT_NE(s.ToString().find(c.named), std::string::npos) << c.what << ": " << s.ToString();
  }
}

}  // namespace
}  // namespace radadovur::testing
