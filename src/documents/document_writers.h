#pragma once
#include <memory>
#include <string>

#include "common/status.h"
#include "documents/lup_document.h"
#include "results/race_steps.h"

// The per-race writers of the documents, for the results pass: the result document (with its hit
// table) is written here; every other writer is passed on to `others`, so that the writers of
// several modules stack: DocumentWriters(std::make_unique<results::NoRaceWriters>()).
//
// One object serves one results pass at a time (the day files it started live in it).
namespace radadovur::documents {

class DocumentWriters final : public results::RaceWriters {
 public:
  explicit DocumentWriters(std::unique_ptr<results::RaceWriters> others) : others_(std::move(others)) {}

  common::Status WriteShutsubahyoDocument(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteShutsubahyoDocument(app_path, state);
  }
  // The race's block of the result document and, in results mode, its hit-table rows; the
  // failures of the lines it had to leave out, as one status (OK when there were none).
  common::Status WriteLupDocuments(const std::string& app_path, results::ResultsWindowState& state) override;
  common::Status WritePcDocuments(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WritePcDocuments(app_path, state);
  }
  common::Status WriteTwiDocument(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteTwiDocument(app_path, state);
  }
  common::Status WriteTanfukuCsv(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteTanfukuCsv(app_path, state);
  }
  common::Status WriteTanfuku2Csv(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteTanfuku2Csv(app_path, state);
  }
  common::Status WriteTanshoCsv(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteTanshoCsv(app_path, state);
  }
  common::Status WriteYosouPage(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteYosouPage(app_path, state);
  }
  common::Status WriteWpBlocks(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteWpBlocks(app_path, state);
  }
  common::Status WritePdfPage(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WritePdfPage(app_path, state);
  }
  common::Status WriteSokudoDayCsv(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteSokudoDayCsv(app_path, state);
  }

 private:
  std::unique_ptr<results::RaceWriters> others_;
  LupDocumentWriter lup_;
};

// The failures of one writer's call as the one status the results pass records: OK when there
// are none, the failure itself when there is one, else the first one's kind with every text.
common::Status AsOneStatus(const common::StepFailures& failures);

}  // namespace radadovur::documents
