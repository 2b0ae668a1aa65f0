#pragma once
#include "common/step_host.h"

// Where each slot of the step host is in the windows: the window's and the control's object
// names, as the windows name them.
namespace radadovur::ui {

struct SlotControl {
  const char* window;   // "VLTF1THISWEEKNAZ", ...
  const char* control;  // "Text1", ...
};

SlotControl ControlOf(common::StatusSlot slot);
SlotControl ControlOf(common::ProgressSlot slot);

}  // namespace radadovur::ui
