#include "engine/stats_extract.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_file.h"
#include "engine/stats_layout.h"
#include "support/store_fixture.h"

namespace radadovur::engine {
namespace {

// A record of `length` bytes: the key, its tag, blanks, CR LF.
std::string Stat(const std::string& key, const std::string& tag, size_t length) {
  std::string r = key + tag;
  r.resize(length - 2, ' ');
  return r + "\r\n";
}

TEST(ExtractRecords, SourceOrderEveryListingAndOnlyWholeKeys) {
  const size_t L = kyosoba_stats::kLength;
  const std::string a1 = Stat("2019100001", "a1", L), b = Stat("2019100002", "b", L),
                    a2 = Stat("2019100001", "a2", L), c = Stat("2019100003", "c", L);
  const std::string source = a1 + b + a2 + c + "partial";
  struct Case {
    const char* name;
    std::vector<std::string> ids;
    std::string extract;
  } cases[] = {
      {"source order, not list order", {"2019100003", "2019100001"}, a1 + a2 + c},
      {"an id listed twice writes its records twice", {"2019100002", "2019100002"}, b + b},
      {"no record, another width, none", {"2019100009", "201910000", "2019100001 "}, ""},
      {"empty list", {}, ""},
  };
  for (const auto& k : cases) EXPECT_EQ(ExtractRecords(source, L, 10, k.ids), k.extract) << k.name;
}

class Extracts : public testing::StoreFolder {
 protected:
  void SetUp() override {
    StoreFolder::SetUp();
    std::filesystem::create_directory(Path("OPTION1N"));
  }
};

TEST_F(Extracts, EachRunLeavesExactlyItsOwnRecordsAndAMissingSourceGivesNone) {
  const size_t L = stallion_stats::kLength;
  ASSERT_TRUE(common::WriteFileAtomic(Path("OPTION1N/HAHAUMA.dat"), Stat("1000000001", "x", L) + Stat("1000000002", "y", L)).ok());
  ASSERT_TRUE(WriteDamExtract(app_, {"1000000001", "1000000002"}).ok());
  EXPECT_EQ(Bytes("OPTION1N/HAHAUMATHISWEEK.dat").size(), 2 * L);
  ASSERT_TRUE(WriteDamExtract(app_, {"1000000002"}).ok());
  EXPECT_EQ(Bytes("OPTION1N/HAHAUMATHISWEEK.dat"), Stat("1000000002", "y", L));

  ASSERT_TRUE(WriteHorseExtract(app_, {"2019100001"}).ok());  // no KYOSOBA.dat
  EXPECT_EQ(Bytes("OPTION1N/KYOSOBATHISWEEK.dat"), "");
  EXPECT_FALSE(std::filesystem::exists(Path("OPTION1N/KYOSOBA.dat")));
}

TEST_F(Extracts, ASourceThatCannotBeReadEmptiesTheExtractAndIsReported) {
  ASSERT_TRUE(common::WriteFileAtomic(Path("OPTION1N/KYOSOBATHISWEEK.dat"), Stat("2019100001", "old", 228)).ok());
  std::filesystem::create_directory(Path("OPTION1N/KYOSOBA.dat"));
  const auto status = WriteHorseExtract(app_, {"2019100001"});
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.ToString().find("KYOSOBA.dat"), std::string::npos);
  EXPECT_EQ(Bytes("OPTION1N/KYOSOBATHISWEEK.dat"), "");
}

}  // namespace
}  // namespace radadovur::engine
