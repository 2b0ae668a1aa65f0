#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "export/web_pdf_page.h"
#include "export/web_wp_blocks.h"
#include "results/forwarding_writers.h"

// The per-race writers of the web pages, for the results pass: the race page, the block-editor
// mark-up and the printable meeting-day page are written here; every other writer is passed on
// to `others`: WebWriters(std::make_unique<results::NoRaceWriters>()).
//
// Each writer goes on past a line it cannot write as asked and returns what failed as one
// status. One object serves one results pass at a time (the day files it started live in it).
namespace radadovur::exports {

class WebWriters final : public results::ForwardingRaceWriters {
 public:
  using ForwardingRaceWriters::ForwardingRaceWriters;

  common::Status WriteYosouPage(const std::string& app_path, results::ResultsWindowState& state) override;
  common::Status WriteWpBlocks(const std::string& app_path, results::ResultsWindowState& state) override;
  common::Status WritePdfPage(const std::string& app_path, results::ResultsWindowState& state) override;
  // The race's prediction page.
  common::Status RemoveRaceFiles(const std::string& app_path, std::string_view race_key,
                                 results::ResultsWindowState& state) override;

 private:
  WpBlocksWriter wp_;
  PdfPageWriter pdf_;
};

}  // namespace radadovur::exports
