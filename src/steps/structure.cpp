#include "steps/structure.h"

#include "common/convert.h"
#include "steps/failure_text.h"
#include "steps/model_package.h"
#include "store/structure.h"
#include "store/umagoto_rebuild.h"

namespace radadovur::steps {
namespace {

using common::StatusSlot;
using common::StepFailures;
using common::StepHost;

// The model package comes as a separate download that the user unpacks into "OPTION1N".
void CheckModelPackage(const std::string& app_path, common::StepHost& host) {
  if (!ShowPackagePresent(app_path, host, PackageCaption::kWithoutSupportSite))
    host.Message(app_path + kPackageSetupMessage);
}

}  // namespace

common::StepFailures RunStructureProcessing(const common::RunState& state, common::StepHost& host) {
  const std::string& app_path = state.AppPath;
  common::StepFailures failures;
  CheckModelPackage(app_path, host);
  host.SetStatus(common::StatusSlot::kMainText4, std::string(kStructureStartText));
  host.Yield();

  store::BuildRaceFiles(app_path, failures);
  {
    store::RecordBlock raw_entries;
    std::vector<std::string_view> entries;
    if (store::DropCategoryOne(app_path, raw_entries, entries, failures))
      store::BuildEntryFiles(app_path, entries, failures);
  }
  const int64_t horse_records = store::BuildHorseFiles(app_path, failures);
  store::RebuildUmagotoFiles(app_path, host, failures);

  host.SetStatus(common::StatusSlot::kMainText4, std::string(kStructureEndText) + " " + common::SignedText(horse_records));
  if (!failures.empty()) host.Message(FailureText("構造体処理で次の処理ができませんでした。", failures));
  return failures;
}

}  // namespace radadovur::steps
