#include "formation/formation_writers.h"

#include "documents/document_writers.h"

namespace radadovur::formation {

common::Status FormationWriters::WritePcDocuments(const std::string& app_path, results::ResultsWindowState& state) {
  common::StepFailures failures;
  pc_.Write(app_path, state, failures);
  return documents::AsOneStatus(failures);
}

common::Status FormationWriters::WriteTwiDocument(const std::string& app_path, results::ResultsWindowState& state) {
  common::StepFailures failures;
  twi_.Write(app_path, state, failures);
  return documents::AsOneStatus(failures);
}

}  // namespace radadovur::formation
