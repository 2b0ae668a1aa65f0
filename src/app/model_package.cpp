#include "app/model_package.h"

#include "app/file_date.h"
#include "common/names.h"

namespace radadovur {

std::string PackagePresentCaption(const std::string& date_time_text) {
  return "予想因子ウエイトは展開されています。作成日は " + date_time_text +
         " です。これより新しい日付の予想因子ウエイトがあれば展開して上書きして下さい。無ければそのまま続行して下さい。"
         "新しい日付のバージョンまたは最新因子ウエイトはサポートサイトよりダウンロードして下さい。";
}

std::optional<std::string> ShowPackagePresent(const std::string& app_path, StepUi& ui) {
  auto date = FileDateTimeText(app_path + std::string(names::kKyosobaFile));
  if (!date) return std::nullopt;
  ui.SetBackColour("Label1", kPackagePresentColour);
  ui.SetText("Label1", PackagePresentCaption(*date));
  return date;
}

}  // namespace radadovur
