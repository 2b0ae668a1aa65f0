#pragma once
#include <string>

#include "common/status.h"
#include "engine/coder_context.h"

// The coders of factor items 11 to 20 (see factor_coders.h for the contract).
namespace radadovur::engine {

common::Status CodeBataijuuFactor(const CoderContext& context, std::string& code);        // 11
common::Status CodeBareiFactor(const CoderContext& context, std::string& code);           // 12
common::Status CodeKishuArningFactor(const CoderContext& context, std::string& code);     // 13
common::Status CodeRaceKankakuFactor(const CoderContext& context, std::string& code);     // 14
common::Status CodeZenzenOzzFactor(const CoderContext& context, std::string& code);       // 15
common::Status CodeTenkoBabaFactor(const CoderContext& context, std::string& code);       // 16
common::Status CodeChoArningFactor(const CoderContext& context, std::string& code);       // 17
common::Status CodeKishuNenreiFactor(const CoderContext& context, std::string& code);     // 18
common::Status CodeTrainerFactor(const CoderContext& context, std::string& code);         // 19
common::Status CodeFatherArningFactor(const CoderContext& context, std::string& code);    // 20

}  // namespace radadovur::engine
