// radadovur-cli download DIR: step ①, this week's race data, through the JV-Link stand-in.
#include <cstdio>

#include "cli/cli.h"
#include "cli/console_ui.h"
#include "common/app_path.h"
#include "jvdata/download_progress.h"
#include "jvdata/this_week_download.h"
#include "jvlink/jvlink_settings.h"

namespace radadovur::cli {
namespace {

int RunDownload(const std::vector<std::string>& args) {
  const std::string app_path = ProgramFolderArgument(args, "download");
  if (app_path.empty()) return 2;
  auto link = MakeReplayJvLink(app_path);
  ConsoleUi ui;
  HeadlessDownloadProgress progress(ui);
  DownloadState state;
  const StepFailures failures = RunThisWeekDownload(app_path, *link, ui, progress, state);
  return ReportFailures(failures);
}

}  // namespace

RADADOVUR_CLI_COMMAND("download", "download DIR", RunDownload);

}  // namespace radadovur::cli
