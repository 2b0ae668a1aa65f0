#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a workflow step needs of the window that runs it: status texts by control name, message
// boxes (OK button only), a colour, and a yield so the window repaints. The main window
// implements it with Qt; the command line prints; tests record. Texts are UTF-8 here.
namespace radadovur {

class StepUi {
 public:
  virtual ~StepUi() = default;
  // Sets the text (caption) of a status control: "Text1", "Label1", ...
  virtual void SetText(std::string_view control, const std::string& text) = 0;
  // Sets a control's back colour, 0xBBGGRR as the window system gives colours (&H80FF80).
  virtual void SetBackColour(std::string_view control, uint32_t bgr) = 0;
  // A message box with an OK button; returns when the user has closed it.
  virtual void Message(const std::string& text) = 0;
  // Yields to the event loop once (repaint).
  virtual void Yield() = 0;
};

// What went wrong in a step that skips failing items: the step goes on and says at its end
// which items failed. The command line exits non-zero when it is not empty.
struct StepFailures {
  std::vector<std::string> items;
  void Add(std::string what) { items.push_back(std::move(what)); }
  bool empty() const { return items.empty(); }
};

}  // namespace radadovur
