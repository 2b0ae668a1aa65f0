#include "ui/cell_colours.h"

#include "common/colour.h"

namespace radadovur::ui {

QColor RgbColour(uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

uint32_t RgbOf(const QColor& colour) {
  return (static_cast<uint32_t>(colour.red()) << 16) | (static_cast<uint32_t>(colour.green()) << 8) |
         static_cast<uint32_t>(colour.blue());
}

void SetCellColours(QTableWidgetItem& item, std::optional<uint32_t> back, const QColor& fixed,
                    std::optional<uint32_t> fore) {
  const uint32_t back_rgb = back ? *back : RgbOf(fixed);
  item.setBackground(back ? RgbColour(*back) : fixed);
  item.setForeground(RgbColour(common::ReadableTextColour(back_rgb, fore.value_or(0x000000))));
}

}  // namespace radadovur::ui
