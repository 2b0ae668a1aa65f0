#include "steps/structure.h"

#include "common/convert.h"
#include "common/names.h"
#include "common/failure_report.h"
#include "steps/model_package.h"
#include "steps/gate.h"
#include "steps/week_record.h"
#include "store/store_files.h"
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
    host.Message(PackageSetupMessage(app_path));
}

common::Status LeftAsTheyWere(const std::string& outputs) {
  return common::Status::Skipped(outputs, outputs + " は元のままです");
}

}  // namespace

common::StepFailures RunStructureProcessing(const common::RunState& state, common::StepHost& host) {
  const std::string& app_path = state.AppPath;
  StepGate gate(state, host, WeekStep::kStructure);
  // Without step ①'s race and runner files there is nothing to process: emptying the store
  // from them would lose it.
  if (!gate.Admit()) return std::move(gate.failures());
  int64_t horse_records = 0;
  const auto work = [&](GateRun& run) {
    common::StepFailures& failures = run.failures;
    CheckModelPackage(app_path, host);
    host.SetStatus(common::StatusSlot::kMainText4, std::string(kStructureStartText));
    host.Yield();

    // The window repaints between the passes: on a large week each takes a while.
    store::BuildRaceFiles(app_path, failures);
    host.Yield();
    bool entries_written = false;
    {
      store::RecordBlock raw_entries;
      std::vector<std::string_view> entries;
      const bool dropped = store::DropCategoryOne(app_path, raw_entries, entries, failures);
      host.Yield();
      if (dropped)
        entries_written = store::BuildEntryFiles(app_path, entries, failures);
      else
        failures.Add(LeftAsTheyWere("SETHISWEEKNNEW.dat, SETHISWEEKNNEWd.dat"));
    }
    host.Yield();
    const bool horses_written = store::BuildHorseFiles(app_path, horse_records, failures);
    host.Yield();
    // The entry files are built from the new runner file and the horse list: from stale ones
    // they would be wrong, so they stay as they were.
    if (entries_written && horses_written)
      store::RebuildUmagotoFiles(app_path, host, failures);
    else
      failures.Add(LeftAsTheyWere(std::string(common::names::kUmagotoFolder) + "/*.dat"));
  };
  const auto report = [&](GateRun& run) {
    host.SetStatus(common::StatusSlot::kMainText4,
                   run.failures.empty() ? std::string(kStructureEndText) + " " + common::SignedText(horse_records)
                                        : std::string(kStructureFailedText));
    if (!run.failures.empty())
      host.FailureMessage(common::MakeFailureReport("構造体処理で次の処理ができませんでした。", run.failures));
  };
  // With the cancellation chosen it is due from now on: ④ waits for it.
  return gate.Run(work, report,
                  state.CancellationOption ? std::optional<WeekStep>(WeekStep::kCancellation) : std::nullopt);
}

}  // namespace radadovur::steps
