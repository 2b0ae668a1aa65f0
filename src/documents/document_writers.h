#pragma once
#include <memory>
#include <string>

#include "common/status.h"
#include "documents/lup_document.h"
#include "documents/race_card.h"
#include "results/forwarding_writers.h"

// The per-race writers of the documents, for the results pass: the race card and the result
// document (with its hit table) are written here; every other writer is passed on to `others`, so that the writers of
// several modules stack: DocumentWriters(std::make_unique<results::NoRaceWriters>()).
//
// One object serves one results pass at a time (the day files it started live in it).
namespace radadovur::documents {

class DocumentWriters final : public results::ForwardingRaceWriters {
 public:
  using ForwardingRaceWriters::ForwardingRaceWriters;

  // The race's block of the race card and SanrenpukuTop7 for the race page; the failures of the
  // lines it had to leave out, as one status.
  common::Status WriteShutsubahyoDocument(const std::string& app_path, results::ResultsWindowState& state) override;
  // The race's block of the result document and, in results mode, its hit-table rows; the
  // failures of the lines it had to leave out, as one status (OK when there were none).
  common::Status WriteLupDocuments(const std::string& app_path, results::ResultsWindowState& state) override;

 private:
  ShutsubahyoDocumentWriter race_card_;
  LupDocumentWriter lup_;
};

// The failures of one writer's call as the one status the results pass records: OK when there
// are none, the failure itself when there is one, else the first one's kind with every text.
common::Status AsOneStatus(const common::StepFailures& failures);

}  // namespace radadovur::documents
