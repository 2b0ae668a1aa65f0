#pragma once
#include <memory>
#include <string>

#include "common/status.h"
#include "export/web_pdf_page.h"
#include "export/web_wp_blocks.h"
#include "results/race_steps.h"

// The per-race writers of the web pages, for the results pass: the race page, the block-editor
// mark-up and the printable meeting-day page are written here; every other writer is passed on
// to `others`: WebWriters(std::make_unique<results::NoRaceWriters>()).
//
// Each writer goes on past a line it cannot write as asked and returns what failed as one
// status. One object serves one results pass at a time (the day files it started live in it).
namespace radadovur::exports {

class WebWriters final : public results::RaceWriters {
 public:
  explicit WebWriters(std::unique_ptr<results::RaceWriters> others) : others_(std::move(others)) {}

  common::Status WriteYosouPage(const std::string& app_path, results::ResultsWindowState& state) override;
  common::Status WriteWpBlocks(const std::string& app_path, results::ResultsWindowState& state) override;
  common::Status WritePdfPage(const std::string& app_path, results::ResultsWindowState& state) override;

  common::Status WriteShutsubahyoDocument(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteShutsubahyoDocument(app_path, state);
  }
  common::Status WriteLupDocuments(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteLupDocuments(app_path, state);
  }
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
  common::Status WriteSokudoDayCsv(const std::string& app_path, results::ResultsWindowState& state) override {
    return others_->WriteSokudoDayCsv(app_path, state);
  }

 private:
  std::unique_ptr<results::RaceWriters> others_;
  WpBlocksWriter wp_;
  PdfPageWriter pdf_;
};

}  // namespace radadovur::exports
