#include "documents/document_writers.h"

namespace radadovur::documents {

common::Status AsOneStatus(const common::StepFailures& failures) {
  if (failures.empty()) return common::Status::OK();
  if (failures.items.size() == 1) return failures.items.front();
  const common::Status& first = failures.items.front();
  std::string text;
  for (const std::string& item : failures.Texts()) text += (text.empty() ? "" : "; ") + item;
  return first.WithDetail(std::move(text));
}

common::Status DocumentWriters::WriteShutsubahyoDocument(const std::string& app_path,
                                                         results::ResultsWindowState& state) {
  common::StepFailures failures;
  race_card_.Write(app_path, state, failures);
  return AsOneStatus(failures);
}

common::Status DocumentWriters::WriteLupDocuments(const std::string& app_path, results::ResultsWindowState& state) {
  common::StepFailures failures;
  lup_.Write(app_path, state, failures);
  return AsOneStatus(failures);
}

}  // namespace radadovur::documents
