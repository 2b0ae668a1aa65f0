#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "results/race_steps.h"

// A module's per-race writers stack on the others: derive from ForwardingRaceWriters, override
// the writers the module builds, and every other call goes on to `others`:
// ModuleWriters(std::make_unique<NoRaceWriters>()).
namespace radadovur::results {

class ForwardingRaceWriters : public RaceWriters {
 public:
  explicit ForwardingRaceWriters(std::unique_ptr<RaceWriters> others) : others_(std::move(others)) {}

#define RADADOVUR_FORWARD_WRITER(name) \
  common::Status name(const std::string& app_path, ResultsWindowState& state) override { \
    return others_->name(app_path, state);                                              \
  }
  RADADOVUR_FORWARD_WRITER(WriteShutsubahyoDocument)
  RADADOVUR_FORWARD_WRITER(WriteLupDocuments)
  RADADOVUR_FORWARD_WRITER(WritePcDocuments)
  RADADOVUR_FORWARD_WRITER(WriteTwiDocument)
  RADADOVUR_FORWARD_WRITER(WriteTanfukuCsv)
  RADADOVUR_FORWARD_WRITER(WriteTanfuku2Csv)
  RADADOVUR_FORWARD_WRITER(WriteTanshoCsv)
  RADADOVUR_FORWARD_WRITER(WriteYosouPage)
  RADADOVUR_FORWARD_WRITER(WriteWpBlocks)
  RADADOVUR_FORWARD_WRITER(WritePdfPage)
  RADADOVUR_FORWARD_WRITER(WriteSokudoDayCsv)
#undef RADADOVUR_FORWARD_WRITER
  common::Status RemoveRaceFiles(const std::string& app_path, std::string_view race_key,
                                 ResultsWindowState& state) override {
    return others_->RemoveRaceFiles(app_path, race_key, state);
  }

 private:
  std::unique_ptr<RaceWriters> others_;
};

}  // namespace radadovur::results
