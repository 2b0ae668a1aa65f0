#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/step_host.h"

// The model package under "OPTION1N" as the main window reports it: present (with the date of
// "OPTION1N/KYOSOBA.dat") or missing.
namespace radadovur::steps {

inline constexpr uint32_t kPackagePresentColour = 0x80FF80;  // light green, 0xBBGGRR

inline constexpr const char* kPackageMissingCaption =
    "まだ、予想因子ウエイトが展開されていません。自己解凍EXEにある展開先の指定をクリックして起動させて下さい。";
// Shown after the program folder.
inline constexpr const char* kPackageMissingMessage =
    "自己解凍EXEにある展開先の指定をクリックして予想因子パラメータをセットして下さい。";
inline constexpr const char* kPackageOldMessage =
    "予想因子ウエイトが最新ではありません。さらに高精度の予想を望まれる場合、最新予想ウエイトを取得して下さい。";
inline constexpr const char* kPackageMissingEndMessage =
    "に参照場所(展開フォルダ）に初回予想因子ウエイトが有りませんので、ソフトを終了します。";

// A package older than this many days gets the warning.
inline constexpr int kPackageMaxAgeDays = 1000;

// Where the model package goes and how to get one: its files unpacked into the program folder's
// "OPTION1N", or a demo folder to try the program with. `again`: the command to run once it is
// unpacked (empty: none is named).
std::string PackageUnpackAdvice(const std::string& app_path, std::string_view again = {});

// The download's and the structure processing's message when "OPTION1N/STALLION.dat" /
// "OPTION1N/KYOSOBA.dat" is missing (there is no self-extractor to start here), and Label1's
// caption meanwhile.
std::string PackageSetupMessage(const std::string& app_path);
inline constexpr const char* kPackageSetupCaption =
    "まだ、予想因子ウエイトが展開されていません。予想因子ウエイトをフォルダ「OPTION1N」に展開して下さい。";

// Label1's caption for a package whose file is dated `date_time_text`; the structure
// processing shows it without the closing sentence about the support site.
enum class PackageCaption { kFull, kWithoutSupportSite };
std::string PackagePresentCaption(const std::string& date_time_text, PackageCaption kind = PackageCaption::kFull);

// Looks up the package file below `app_path`. When it is there, paints Label1 green, sets its
// caption and returns the file's date text; otherwise nullopt and nothing shown.
std::optional<std::string> ShowPackagePresent(const std::string& app_path, common::StepHost& host,
                                              PackageCaption kind = PackageCaption::kFull);

}  // namespace radadovur::steps
