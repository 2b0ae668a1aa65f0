// Every name builder for files named after record data goes through the one guard: a value that
// is not what its field holds gives a failure that shows it, and no name.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/day_files.h"
#include "engine/ex_record.h"
#include "results/bet_lists.h"
#include "results/pair_tickets.h"
#include "results/ranking.h"
#include "results/rate_tables.h"
#include "results/results_files.h"
#include "store/store_files.h"

namespace radadovur::results {
namespace {

using Builder = std::function<common::Status(std::string_view, std::string&)>;

struct NamedBuilder {
  const char* what;
  Builder build;
  std::string good;    // a value it takes
  std::string named;   // the name it gives for it
};

TEST(DataFileNames, EveryBuilderRefusesWhatIsNoKeyAndShowsIt) {
  const CodeTable table;
  const NamedBuilder builders[] = {
      {"runner file", RaceRunnerFileName, "202408030501", "RACE/202408030501.dat"},
      {"ticket file", KaimeFileName, "202408030501", "KAIME/202408030501.dat"},
      {"umaren sort", UmarenSortFileName, "202408030501", "KAIME/202408030501UMARENSORT.dat"},
      {"umatan sort", UmatanSortFileName, "202408030501", "KAIME/202408030501UMATANSORT.dat"},
      {"sanren sort", SanrenSortFileName, "202408030501", "KAIME/202408030501SANRENSORT.dat"},
      {"sanrentan sort", SanrentanSortFileName, "202408030501", "KAIME/202408030501SANRENTANSORT.dat"},
      {"runner sort", RunnerSortFileName, "202408030501", "KAIME/202408030501SORT.dat"},
      {"lup sort", LupSortFileName, "202408030501", "KAIME/202408030501LUPSORT.dat"},
      {"bet list",
       [&table](std::string_view key, std::string& name) { return BetListFileName(BetKind::kUmaren, key, table, name); },
       "202408030501", "UMAREN/2408030501R.csv"},
      {"rate table", KaitekiTableName, "20240803050201", "TEKICHU/20240803050201kaiteki.txt"},
      {"day file",
       [](std::string_view key, std::string& name) { return common::DayFilePath("/p/", "TEKICHU/", key, "lup.txt", name); },
       "20240803050201", "/p/TEKICHU/20240803050201lup.txt"},
      {"expanded records", engine::UmagotoExFileName, "2019104567", "UMAGOTOEXTHISWEEKN/2019104567EX.dat"},
      {"entry file", store::UmagotoFileName, "2019104567", "UMAGOTOTHISWEEKN/2019104567.dat"},
  };
  for (const NamedBuilder& b : builders) {
    std::string name;
    EXPECT_TRUE(b.build(b.good, name).ok()) << b.what;
    EXPECT_EQ(name, b.named) << b.what;
    // The good value's width, so that only the bytes are wrong.
    const size_t width = b.good.size();
    const std::string hostile[] = {
        ("../../victim" + std::string(width, '0')).substr(0, width),
        ("./victim" + std::string(width, '0')).substr(0, width),
        std::string(width, '\0'),
        b.good.substr(0, width - 1) + " ",
        b.good.substr(0, width - 1) + "/",
        b.good + "0",
        "",
    };
    for (const std::string& value : hostile) {
      name = "left over";
      const common::Status status = b.build(value, name);
      EXPECT_TRUE(status.IsInvalidArgument()) << b.what << " " << common::Shown(value);
      EXPECT_NE(status.ToString().find("\"" + common::Shown(value) + "\""), std::string::npos) << status.ToString();
      EXPECT_EQ(name, "") << b.what << " " << common::Shown(value);
    }
  }
}

}  // namespace
}  // namespace radadovur::results
