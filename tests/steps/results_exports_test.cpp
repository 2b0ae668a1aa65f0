#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "export/export_fixture.h"
#include "steps/results.h"

namespace radadovur {
namespace {

// Every file below the exports' folders, by name.
std::map<std::string, std::string> ExportFiles(const testing::ExportDay& day) {
  std::map<std::string, std::string> files;
  for (const char* folder : {"TANFUKU", "TANFUKU2", "TANSHO", "SOKUDO"})
    for (const auto& entry : std::filesystem::directory_iterator(day.app() + folder))
      files[std::string(folder) + "/" + entry.path().filename().string()] = day.Read(std::string(folder) + "/" +
                                                                                    entry.path().filename().string());
  return files;
}

// Step ⑥'s writers write the exports in their places; a second pass gives the same files.
TEST(ResultsStepWriters, TheExportsOfEveryRaceAndTheSameFilesOnASecondPass) {
  testing::ExportDay day;
  day.s.ResultsFinal = 1;
  day.WritePayouts({testing::ExportDay::Payout(testing::kNakayama11, {{"02", "000000250"}}, {{"02", "000000110"}})});
  auto pass = [&day] {
    for (std::string* key : {&day.s.LastKeyTanfuku, &day.s.LastKeyTanfuku2, &day.s.LastKeyTansho,
                             &day.s.LastKeySokudoDay, &day.s.LastKeyLup})
      key->clear();
    steps::ResultsPassParts parts = steps::AssembleResultsPassParts();
    auto race = [&](int index, const char* id, std::vector<float> speeds) {
      day.Race(index, id, speeds);
      for (const results::RaceWriterCall& call : results::kRaceWriterOrder) {
        const common::Status status = ((*parts.writers).*call.write)(day.app(), day.s);
        if (call.name.starts_with("WriteTan") || call.name == "WriteSokudoDayCsv") {
          EXPECT_TRUE(status.ok()) << call.name << ": " << status.ToString();
        }
      }
    };
    race(1, testing::kNakayama11, {58.1234f, 60.0f, 57.3f});
    race(2, testing::kHanshin01, {50.0f});
    race(3, testing::kNakayama12, {49.0f, 51.0f});
    return ExportFiles(day);
  };
  const auto first = pass();
  std::vector<std::string> names;
  for (const auto& [name, bytes] : first) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "SOKUDO/HR20240922.csv", "TANFUKU/20240922060408tnfkRCM.csv", "TANFUKU/20240922090408tnfkRCM.csv",
                       "TANFUKU2/20240922060408tnfkRCM2.csv", "TANFUKU2/20240922090408tnfkRCM2.csv",
                       "TANSHO/240922中山11R.csv", "TANSHO/240922中山12R.csv", "TANSHO/240922阪神01R.csv"}));
  EXPECT_EQ(first.at("SOKUDO/HR20240922.csv"),
            "2024092206040811,58123,02,60000,01,57300,03\r\n"
            "2024092209040801,50000,01\r\n"
            "2024092206040812,49000,02,51000,01\r\n");
  EXPECT_EQ(pass(), first);
}

}  // namespace
}  // namespace radadovur
