#pragma once
#include <array>

#include "engine/coder_context.h"

// The coders of the 30 factor items in item order; element 0 is null so that item i is
// FactorCoders()[i]. Every coder reads the run `context.current` (and, where its item says so,
// earlier runs of the horse and the statistics files), sets its code unpadded and returns OK, or
// returns the failure that ends the coding of the horse. The driver stores the code left-aligned
// in the run's FactorCode i, cut or padded with spaces to the item's width.
namespace radadovur::engine {

inline constexpr int kCoderCount = 30;

const std::array<Coder, kCoderCount + 1>& FactorCoders();

}  // namespace radadovur::engine
