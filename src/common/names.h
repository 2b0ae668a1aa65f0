#pragma once
#include <array>
#include <string_view>

// Every folder and file name of the program folder, spelled as the program has always spelled
// them (names are case-sensitive here). Paths are AppPath followed by one of these.
namespace radadovur::common::names {

// Working folders, created at start-up in this order.
inline constexpr std::array<std::string_view, 19> kWorkingFolders = {
    "KAIME",     "RACE",    "SHUTSUBAHYO", "TEKICHU",    "TANFUKU",         "TANFUKU2",           "UMAGOTOEXTHISWEEKN",
    "UMAGOTOTHISWEEKN", "TANSHO", "FUKUSHO", "UMAREN", "UMATAN", "SANRENPUKU", "SANRENTAN",
    "WIDE",      "SOKUDO",  "furlong_gate_wp", "furlong_gate_yosou", "furlong_gate_pdf"};

// Realtime files deleted at start-up, in this order.
inline constexpr std::array<std::string_view, 8> kRealtimeFiles = {
    "SERIALTIME.dat", "HRRIALTIME.dat", "RARIALTIME.dat", "O1RIALTIME.dat",
    "O2RIALTIME.dat", "O4RIALTIME.dat", "O5RIALTIME.dat", "O6RIALTIME.dat"};

// The model package and the code table.
inline constexpr std::string_view kOptionFolder = "OPTION1N";
inline constexpr std::string_view kKyosobaFile = "OPTION1N/KYOSOBA.dat";
inline constexpr std::string_view kStallionFile = "OPTION1N/STALLION.dat";
inline constexpr std::string_view kCodeTableFolder = "JRACODE";
inline constexpr std::string_view kCodeTableFile = "JRACODE/CodeTable.csv";

// Race store (record files, id lists, per-horse entry files).
inline constexpr std::string_view kRaThisWeek = "RATHISWEEKN.dat";
inline constexpr std::string_view kSeThisWeek = "SETHISWEEKN.dat";
inline constexpr std::string_view kUmThisWeek = "UMTHISWEEKN.dat";
inline constexpr std::string_view kKsThisWeek = "KSTHISWEEKN.dat";
inline constexpr std::string_view kHrThisWeek = "HRTHISWEEKN.dat";
inline constexpr std::string_view kRaNew = "RATHISWEEKNNEW.dat";
inline constexpr std::string_view kRaNewD = "RATHISWEEKNNEWd.dat";
inline constexpr std::string_view kSeNew = "SETHISWEEKNNEW.dat";
inline constexpr std::string_view kSeNewD = "SETHISWEEKNNEWd.dat";
inline constexpr std::string_view kUmNew = "UMTHISWEEKNNEW.dat";
inline constexpr std::string_view kKettoNumList = "KETTONUMTHISWEEKN.dat";
inline constexpr std::string_view kDamNumList = "HAHAHANNUMTHISWEEKN.dat";
inline constexpr std::string_view kUmagotoFolder = "UMAGOTOTHISWEEKN";
inline constexpr std::string_view kUmagotoExFolder = "UMAGOTOEXTHISWEEKN";
inline constexpr std::string_view kTemporary = "TEMPORARY";
inline constexpr std::string_view kRaRealtime = "RARIALTIME.dat";
inline constexpr std::string_view kSeRealtime = "SERIALTIME.dat";
inline constexpr std::string_view kHrRealtime = "HRRIALTIME.dat";
inline constexpr std::string_view kO1Realtime = "O1RIALTIME.dat";
inline constexpr std::string_view kO2Realtime = "O2RIALTIME.dat";
inline constexpr std::string_view kO4Realtime = "O4RIALTIME.dat";
inline constexpr std::string_view kO5Realtime = "O5RIALTIME.dat";
inline constexpr std::string_view kO6Realtime = "O6RIALTIME.dat";
inline constexpr std::string_view kO2ThisWeek = "O2THISWEEKN.dat";
inline constexpr std::string_view kO4ThisWeek = "O4THISWEEKN.dat";
inline constexpr std::string_view kO5ThisWeek = "O5THISWEEKN.dat";
inline constexpr std::string_view kO6ThisWeek = "O6THISWEEKN.dat";

// The ticket folder: odds matrices, ticket and runner files.
inline constexpr std::string_view kKaimeFolder = "KAIME";

}  // namespace radadovur::common::names
