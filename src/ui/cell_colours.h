#pragma once
#include <QColor>
#include <QTableWidgetItem>
#include <cstdint>
#include <optional>

namespace radadovur::ui {

// 0xRRGGBB as a Qt colour, and back.
QColor RgbColour(uint32_t rgb);
uint32_t RgbOf(const QColor& colour);

// A grid cell's back colour (`back`, or `fixed` for a cell without one) and a text colour that
// reads on it: `fore` (black by default) where it contrasts enough, else darkened or lightened.
void SetCellColours(QTableWidgetItem& item, std::optional<uint32_t> back, const QColor& fixed,
                    std::optional<uint32_t> fore = std::nullopt);

}  // namespace radadovur::ui
