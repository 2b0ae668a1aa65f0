#include "results/text_cut.h"

namespace radadovur::results {

std::string_view Cp932Left(std::string_view bytes, size_t chars) {
  size_t at = 0;
  for (size_t n = 0; n < chars && at < bytes.size(); ++n) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const bool double_byte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    at += double_byte ? 2 : 1;
  }
  return bytes.substr(0, at < bytes.size() ? at : bytes.size());
}

}  // namespace radadovur::results
