#pragma once
#include <memory>
#include <string>

#include "common/status.h"
#include "formation/pc_document.h"
#include "formation/twi_document.h"
#include "results/forwarding_writers.h"

// The per-race writers of the rank-based strategy and the short hit report, for the results
// pass; every other writer is passed on to `others`. One object serves one results pass at a time.
namespace radadovur::formation {

class FormationWriters final : public results::ForwardingRaceWriters {
 public:
  explicit FormationWriters(std::unique_ptr<results::RaceWriters> others)
      : results::ForwardingRaceWriters(std::move(others)) {}

  // The race's block of the formation document and, in results mode, its rows of the formation
  // hit table; the failures of what it had to leave out, as one status (OK when none).
  common::Status WritePcDocuments(const std::string& app_path, results::ResultsWindowState& state) override;
  // The race's block of the short hit report.
  common::Status WriteTwiDocument(const std::string& app_path, results::ResultsWindowState& state) override;

 private:
  PcDocumentWriter pc_;
  TwiDocumentWriter twi_;
};

}  // namespace radadovur::formation
