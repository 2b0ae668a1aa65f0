#pragma once
#include <cstdint>
#include <string>

#include "common/failure_report.h"

// What a workflow step needs of whoever runs it: status texts and colours in named places,
// message boxes, progress, a cancel request and a yield. The windows implement it (src/ui maps
// each slot to its control), the command line prints, tests record. Texts are UTF-8.
//
// No Qt types and no assumption about the calling thread beyond Yield: a long step may later run
// on a worker thread behind a host that forwards these calls to the window's thread.
namespace radadovur::common {

// Every control a step writes a text or a colour to. A new window adds its enumerators here;
// a slot that does not exist does not compile.
enum class StatusSlot {
  // The main window VLTF1THISWEEKNAZ.
  kMainText1,   // step ①
  kMainText2,   // start-up's reminder, the odds processing
  kMainText3,   // realtime processing
  kMainText4,   // step ②
  kMainText5,   // step ⑥
  kMainText6,   // past results, hit list
  kMainLabel1,  // the model package
  // The structure window KOUZOUTAIAZ.
  kKouzoutaiText1,
  // The cancellation window CHUSIRIALTIME.
  kChusiText1,
  // The download progress dialog VLTF2THISWEEKNAZ.
  kDownloadLabel1,
  // This week's odds window VLTFOTHISWEEKNAZ.
  kOddsText1,
  // The realtime menu VLTP2RIALTIME.
  kRealtimeText1,
  // The prediction window VELTRANEXPDTHISWEEKNAZ.
  kPredictText1,  // Text1: step ④
  kPredictText3,  // Text3: step ⑤
};

// Every progress bar a step drives.
enum class ProgressSlot {
  kDownloadProgressBar1,  // VLTF2THISWEEKNAZ
  kPredictProgressBar1,   // VELTRANEXPDTHISWEEKNAZ ProgressBar1: step ④
  kPredictProgressBar3,   // VELTRANEXPDTHISWEEKNAZ ProgressBar3: step ⑤, ids read, builder, driver
  kPredictProgressBar4,   // VELTRANEXPDTHISWEEKNAZ ProgressBar4: step ⑤, records of the current horse
};

class StepHost {
 public:
  virtual ~StepHost() = default;

  // Sets the text (caption) of a status control.
  virtual void SetStatus(StatusSlot slot, const std::string& utf8) = 0;
  // Sets a control's back colour, 0xBBGGRR as the window system gives colours (&H80FF80).
  virtual void SetBackColour(StatusSlot slot, uint32_t bgr) = 0;
  // A message box with an OK button; returns when the user has closed it.
  virtual void Message(const std::string& utf8) = 0;
  // A step's failures: the summary first, the whole list where it can be scrolled through.
  virtual void FailureMessage(const FailureReport& report) { Message(report.Text()); }
  // A message box with Yes and No buttons; true for Yes.
  virtual bool Ask(const std::string& utf8) = 0;

  // Shows a progress bar running from 0 to `total` (a window opens the dialog that holds it).
  virtual void BeginProgress(ProgressSlot slot, int64_t total) = 0;
  virtual void SetProgress(ProgressSlot slot, int64_t value) = 0;
  // The bar is no longer needed (the dialog that holds it closes).
  virtual void EndProgress(ProgressSlot slot) = 0;
  // True once the user has asked to stop the running step (a cancel button, a close box).
  virtual bool CancelRequested() = 0;

  // Lets the window repaint and handle input once.
  virtual void Yield() = 0;
};

}  // namespace radadovur::common
