#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/weight_model.h"

// The three factor weight windows (turf, dirt, hurdle): their names, captions and the names and
// texts of their controls, item by item. One window per model surface.
namespace radadovur::factors {

using engine::ModelSurface;

inline constexpr int kFactorItems = engine::kFactorItems;
// The item whose tab holds the age charts and, on an inner tab, its grid.
inline constexpr int kAgeItem = 12;

// Which windows write an item's explanatory text.
enum class TextIn { kAllWindows, kTurfAndDirt, kNoWindow };

// One factor item's tab in the three windows; arrays are indexed turf, dirt, hurdle.
struct ItemTab {
  std::array<std::string_view, 3> caption;
  std::array<std::string_view, 3> grid;
  // The tab's explanation box; empty where the tab has none.
  std::array<std::string_view, 3> text_box;
  TextIn text_in;
  // The dirt and hurdle windows' text where it differs from the turf window's, else empty.
  std::string_view other_text;
  std::string_view text;
};

// Item k is ItemTabs()[k]; index 0 is unused.
const std::array<ItemTab, kFactorItems + 1>& ItemTabs();

// The explanation of tab 12, which the age charts set.
extern const std::string_view kAgeChartText;

struct FactorWindowLayout {
  std::string_view window;   // "FactorTURFA"
  std::string_view caption;
  std::string_view legend_grid;
  std::string_view outer_tab;  // "SSTab1"
  std::string_view inner_tab;  // the inner tab control on tab 12
  std::array<std::string_view, 3> inner_pages;  // "牡馬", "牝馬", the grid's page
  std::string_view male_chart, female_chart;
  int first_tab;  // the tab in front when the window opens
};

const FactorWindowLayout& WindowLayout(ModelSurface surface);

// Index into an ItemTab's arrays.
constexpr size_t WindowIndex(ModelSurface surface) { return static_cast<size_t>(surface); }

// The item's explanatory text in the surface's window; empty when that window writes none.
std::string_view ExplanationText(ModelSurface surface, int item);

// The surface of "turf", "dirt" or "hurdle" (the command line's words).
std::optional<ModelSurface> SurfaceByWord(std::string_view word);

}  // namespace radadovur::factors
