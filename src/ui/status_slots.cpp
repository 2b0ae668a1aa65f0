#include "ui/status_slots.h"

namespace radadovur::ui {
namespace {
constexpr const char* kMainWindow = "VLTF1THISWEEKNAZ";
constexpr const char* kDownloadDialog = "VLTF2THISWEEKNAZ";
constexpr const char* kPredictWindow = "VELTRANEXPDTHISWEEKNAZ";
}  // namespace

SlotControl ControlOf(common::StatusSlot slot) {
  using common::StatusSlot;
  switch (slot) {
    case common::StatusSlot::kMainText1: return {kMainWindow, "Text1"};
    case common::StatusSlot::kMainText2: return {kMainWindow, "Text2"};
    case common::StatusSlot::kMainText3: return {kMainWindow, "Text3"};
    case common::StatusSlot::kMainText4: return {kMainWindow, "Text4"};
    case common::StatusSlot::kMainText5: return {kMainWindow, "Text5"};
    case common::StatusSlot::kMainText6: return {kMainWindow, "Text6"};
    case common::StatusSlot::kMainLabel1: return {kMainWindow, "Label1"};
    case common::StatusSlot::kKouzoutaiText1: return {"KOUZOUTAIAZ", "Text1"};
    case common::StatusSlot::kChusiText1: return {"CHUSIRIALTIME", "Text1"};
    case common::StatusSlot::kDownloadLabel1: return {kDownloadDialog, "Label1"};
    case common::StatusSlot::kOddsText1: return {"VLTFOTHISWEEKNAZ", "Text1"};
    case common::StatusSlot::kRealtimeText1: return {"VLTP2RIALTIME", "Text1"};
    case common::StatusSlot::kPredictText1: return {kPredictWindow, "Text1"};
    case common::StatusSlot::kPredictText3: return {kPredictWindow, "Text3"};
  }
  return {"", ""};
}

SlotControl ControlOf(common::ProgressSlot slot) {
  switch (slot) {
    case common::ProgressSlot::kDownloadProgressBar1: return {kDownloadDialog, "ProgressBar1"};
    case common::ProgressSlot::kPredictProgressBar1: return {kPredictWindow, "ProgressBar1"};
    case common::ProgressSlot::kPredictProgressBar3: return {kPredictWindow, "ProgressBar3"};
    case common::ProgressSlot::kPredictProgressBar4: return {kPredictWindow, "ProgressBar4"};
  }
  return {"", ""};
}

}  // namespace radadovur::ui
