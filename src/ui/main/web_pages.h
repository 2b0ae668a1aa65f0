#pragma once

// The two web pages the main window opens in the browser.
namespace radadovur::web_pages {

// Verified hit and return rates.
inline constexpr const char* kKaishuritsu = "https://example.org/radadovur/kaishuritsu";
// Updates of the model's factor weights.
inline constexpr const char* kWeights = "https://example.org/radadovur/weights";

}  // namespace radadovur::web_pages
