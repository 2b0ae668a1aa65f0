#pragma once
#include <memory>
#include <string>

#include "common/status.h"
#include "export/sokudo_day_csv.h"
#include "export/tanfuku_csv.h"
#include "results/forwarding_writers.h"

// The per-race writers of the exports, for the results pass: the two win and place exports, the
// win-bet list and the daily speed file are written here; every other writer is passed on to
// `others`: ExportWriters(std::make_unique<results::NoRaceWriters>()).
//
// Each writer goes on past a line or file it cannot write and returns what failed as one status.
// One object serves one results pass (the day files it started live in it).
namespace radadovur::exports {

class ExportWriters final : public results::ForwardingRaceWriters {
 public:
  using ForwardingRaceWriters::ForwardingRaceWriters;

  common::Status WriteTanfukuCsv(const std::string& app_path, results::ResultsWindowState& state) override;
  common::Status WriteTanfuku2Csv(const std::string& app_path, results::ResultsWindowState& state) override;
  common::Status WriteTanshoCsv(const std::string& app_path, results::ResultsWindowState& state) override;
  common::Status WriteSokudoDayCsv(const std::string& app_path, results::ResultsWindowState& state) override;

 private:
  TanfukuCsvWriter tanfuku_{kTanfuku1};
  TanfukuCsvWriter tanfuku2_{kTanfuku2};
  SokudoDayCsvWriter sokudo_;
};

}  // namespace radadovur::exports
