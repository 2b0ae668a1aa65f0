#pragma once
#include <string>

#include "common/status.h"
#include "engine/coder_context.h"

// The coders of factor items 1 to 10 (see factor_coders.h for the contract).
namespace radadovur::engine {

common::Status CodeYearFactor(const CoderContext& context, std::string& code);                // 1
common::Status CodeKijunSpeedFactor(const CoderContext& context, std::string& code);          // 2
common::Status CodeZensoKyoriCornerFactor(const CoderContext& context, std::string& code);    // 3
common::Status CodeFutanjuryouFactor(const CoderContext& context, std::string& code);         // 4
common::Status CodeRuikeiHonshokinFactor(const CoderContext& context, std::string& code);     // 5
common::Status CodeKyosokigoFactor(const CoderContext& context, std::string& code);           // 6
common::Status CodeKishuFukushoFactor(const CoderContext& context, std::string& code);        // 7
common::Status CodeKyosobaFukushorituFactor(const CoderContext& context, std::string& code);  // 8
common::Status CodeRaceSuuFactor(const CoderContext& context, std::string& code);             // 9
common::Status CodeFutanJuuryorituFactor(const CoderContext& context, std::string& code);     // 10

}  // namespace radadovur::engine
