#pragma once
#include <string>

#include "common/status.h"
#include "engine/coder_context.h"

// The coders of factor items 21 to 30 (see factor_coders.h for the contract).
namespace radadovur::engine {

common::Status CodeRaceNoFactor(const CoderContext& context, std::string& code);             // 21
common::Status CodeZenzensoChakusaFactor(const CoderContext& context, std::string& code);    // 22
common::Status CodeFatherFukushorituFactor(const CoderContext& context, std::string& code);  // 23
common::Status CodeUmabanFactor(const CoderContext& context, std::string& code);             // 24
common::Status CodeUmakigoTukiFactor(const CoderContext& context, std::string& code);        // 25
common::Status CodeZensoTimediffFactor(const CoderContext& context, std::string& code);      // 26
common::Status CodeNichijiFactor(const CoderContext& context, std::string& code);            // 27
common::Status CodeShussoTosuFactor(const CoderContext& context, std::string& code);         // 28
common::Status CodeLapFactor(const CoderContext& context, std::string& code);                // 29
common::Status CodeBanusiArningFactor(const CoderContext& context, std::string& code);       // 30

}  // namespace radadovur::engine
