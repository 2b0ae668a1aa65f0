#include "export/export_writers.h"

#include "documents/document_writers.h"
#include "export/tansho_csv.h"

namespace radadovur::exports {

common::Status ExportWriters::WriteTanfukuCsv(const std::string& app_path, results::ResultsWindowState& state) {
  common::StepFailures failures;
  tanfuku_.Write(app_path, state, failures);
  return documents::AsOneStatus(failures);
}

common::Status ExportWriters::WriteTanfuku2Csv(const std::string& app_path, results::ResultsWindowState& state) {
  common::StepFailures failures;
  tanfuku2_.Write(app_path, state, failures);
  return documents::AsOneStatus(failures);
}

common::Status ExportWriters::WriteTanshoCsv(const std::string& app_path, results::ResultsWindowState& state) {
  common::StepFailures failures;
  WriteTanshoList(app_path, state, failures);
  return documents::AsOneStatus(failures);
}

common::Status ExportWriters::WriteSokudoDayCsv(const std::string& app_path, results::ResultsWindowState& state) {
  common::StepFailures failures;
  sokudo_.Write(app_path, state, failures);
  return documents::AsOneStatus(failures);
}

}  // namespace radadovur::exports
