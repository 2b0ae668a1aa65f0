#pragma once
#include <cstdint>
#include <string>

// The few variables the program's windows share besides files. One copy, owned by the main
// window and reached through it.
namespace radadovur {

struct SharedVariables {
  // Which odds files the odds-matrix window reads when it loads: 0 = this week's, 1 = realtime.
  int16_t OddsSource = 0;
  // Text of the race-viewer cell last clicked; the past-runs window takes the horse from it.
  std::string SelectedHorseCell;
};

}  // namespace radadovur
