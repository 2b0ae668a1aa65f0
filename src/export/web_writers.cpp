#include "export/web_writers.h"

#include "common/record_file.h"
#include "documents/document_writers.h"
#include "export/web_yosou_page.h"

namespace radadovur::exports {

common::Status WebWriters::WriteYosouPage(const std::string& app_path, results::ResultsWindowState& state) {
  common::StepFailures failures;
  exports::WriteYosouPage(app_path, state, failures);
  return documents::AsOneStatus(failures);
}

common::Status WebWriters::WriteWpBlocks(const std::string& app_path, results::ResultsWindowState& state) {
  common::StepFailures failures;
  wp_.Write(app_path, state, failures);
  return documents::AsOneStatus(failures);
}

common::Status WebWriters::WritePdfPage(const std::string& app_path, results::ResultsWindowState& state) {
  common::StepFailures failures;
  pdf_.Write(app_path, state, failures);
  return documents::AsOneStatus(failures);
}

common::Status WebWriters::RemoveRaceFiles(const std::string& app_path, std::string_view race_key,
                                           results::ResultsWindowState& state) {
  common::StepFailures failures;
  if (const std::string page = YosouPagePathOfRace(app_path, race_key, state.CodeTable); !page.empty())
    failures.Add(common::DeleteFile(page));
  failures.Add(ForwardingRaceWriters::RemoveRaceFiles(app_path, race_key, state));
  return documents::AsOneStatus(failures);
}

}  // namespace radadovur::exports
