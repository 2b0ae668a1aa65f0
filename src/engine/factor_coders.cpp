#include "engine/factor_coders.h"

#include "engine/factor_items_11_20.h"
#include "engine/factor_items_1_10.h"
#include "engine/factor_items_21_30.h"

namespace radadovur::engine {

const std::array<Coder, kCoderCount + 1>& FactorCoders() {
  static const std::array<Coder, kCoderCount + 1> coders = {
      nullptr,
      CodeYearFactor,
      CodeKijunSpeedFactor,
      CodeZensoKyoriCornerFactor,
      CodeFutanjuryouFactor,
      CodeRuikeiHonshokinFactor,
      CodeKyosokigoFactor,
      CodeKishuFukushoFactor,
      CodeKyosobaFukushorituFactor,
      CodeRaceSuuFactor,
      CodeFutanJuuryorituFactor,
      CodeBataijuuFactor,
      CodeBareiFactor,
      CodeKishuArningFactor,
      CodeRaceKankakuFactor,
      CodeZenzenOzzFactor,
      CodeTenkoBabaFactor,
      CodeChoArningFactor,
      CodeKishuNenreiFactor,
      CodeTrainerFactor,
      CodeFatherArningFactor,
      CodeRaceNoFactor,
      CodeZenzensoChakusaFactor,
      CodeFatherFukushorituFactor,
      CodeUmabanFactor,
      CodeUmakigoTukiFactor,
      CodeZensoTimediffFactor,
      CodeNichijiFactor,
      CodeShussoTosuFactor,
      CodeLapFactor,
      CodeBanusiArningFactor,
  };
  return coders;
}

}  // namespace radadovur::engine
