#include "steps/model_package.h"

#include "common/file_date.h"
#include "common/names.h"
#include "common/package_path.h"
#include "common/status.h"

namespace radadovur::steps {

std::string PackagePresentCaption(const std::string& date_time_text, PackageCaption kind) {
  std::string caption = "予想因子ウエイトは展開されています。作成日は " + date_time_text +
                        " です。これより新しい日付の予想因子ウエイトがあれば展開して上書きして下さい。無ければそのまま続行して下さい。";
  if (kind == PackageCaption::kFull)
    caption += "新しい日付のバージョンまたは最新因子ウエイトはサポートサイトよりダウンロードして下さい。";
  return caption;
}

std::string PackageUnpackAdvice(const std::string& app_path, std::string_view again) {
  const std::string option = app_path + std::string(common::names::kOptionFolder);
  std::string text = "パッケージの中身(KYOSOBA.dat、STALLION.dat など)をフォルダ「" + common::Shown(option) + "」に展開して";
  text += again.empty() ? "下さい。" : "から、もう一度 " + std::string(again) + " を実行して下さい。";
  return text + "試すだけなら radadovur-cli demo で予想因子ウエイトのあるデモのフォルダを作れます。";
}

std::string PackageSetupMessage(const std::string& app_path) {
  return "予想因子ウエイト(モデルパッケージ)がありません。" + PackageUnpackAdvice(app_path);
}

std::optional<std::string> ShowPackagePresent(const std::string& app_path, common::StepHost& host, PackageCaption kind) {
  // Unpacked on Windows, the package may come as "option1n/kyosoba.dat".
  auto date = common::FileDateTimeText(common::ResolvePackagePath(app_path, common::names::kKyosobaFile));
  if (!date) return std::nullopt;
  host.SetBackColour(common::StatusSlot::kMainLabel1, kPackagePresentColour);
  host.SetStatus(common::StatusSlot::kMainLabel1, PackagePresentCaption(*date, kind));
  return date;
}

}  // namespace radadovur::steps
