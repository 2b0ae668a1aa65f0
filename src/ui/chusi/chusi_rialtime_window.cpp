#include "ui/chusi/chusi_rialtime_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "jvlink/jvlink_settings.h"
#include "steps/cancellation.h"
#include "steps/gate.h"

namespace radadovur::ui {
namespace {

// The window's own text box takes the step's Text1; the rest goes to the main window.
class WindowHost : public common::StepHost {
 public:
  WindowHost(QLineEdit& text1, common::StepHost& main_window) : text1_(text1), main_(main_window) {}
  void SetStatus(common::StatusSlot slot, const std::string& text) override {
    if (slot != common::StatusSlot::kChusiText1) return main_.SetStatus(slot, text);
    text1_.setText(QString::fromStdString(text));
    text1_.setCursorPosition(0);
  }
  void SetBackColour(common::StatusSlot slot, uint32_t bgr) override { main_.SetBackColour(slot, bgr); }
  void Message(const std::string& text) override { main_.Message(text); }
  void FailureMessage(const common::FailureReport& report) override { main_.FailureMessage(report); }
  bool Ask(const std::string& text) override { return main_.Ask(text); }
  void BeginProgress(common::ProgressSlot slot, int64_t total) override { main_.BeginProgress(slot, total); }
  void SetProgress(common::ProgressSlot slot, int64_t value) override { main_.SetProgress(slot, value); }
  void EndProgress(common::ProgressSlot slot) override { main_.EndProgress(slot); }
  bool CancelRequested() override { return main_.CancelRequested(); }
  void Yield() override { main_.Yield(); }

 private:
  QLineEdit& text1_;
  common::StepHost& main_;
};

}  // namespace

ChusiRialtimeWindow::ChusiRialtimeWindow(std::unique_ptr<jvlink::JvLink> jv_link, QWidget* parent)
    : QWidget(parent, Qt::Window), jv_link_(std::move(jv_link)) {
  setObjectName("CHUSIRIALTIME");
  setWindowTitle(QString::fromUtf8("中止処理 Ver.2024.6.29Z"));
  text1_ = new QLineEdit(QStringLiteral("Text1"), this);
  text1_->setObjectName("Text1");
  command1_ = new QPushButton(QString::fromUtf8("触れないで"), this);
  command1_->setObjectName("Command1");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text1_);
  layout->addWidget(command1_);
  resize(640, 110);
  // Closes this window only: the files of other windows' steps stay theirs.
  connect(command1_, &QPushButton::clicked, this, &QWidget::close);
}

ChusiRialtimeWindow::~ChusiRialtimeWindow() = default;

void ChusiRialtimeWindow::Load(const common::RunState& state, common::StepHost& main_window) {
  WindowHost host(*text1_, main_window);
  failures_ = steps::RunCancellationProcessing(state, *jv_link_, host);
}

ChusiRialtimeWindow* MakeChusiRialtimeWindow(const common::RunState& state, common::StepHost& main_window) {
  // A refused processing changes nothing and its message says what to run first: no window.
  if (!steps::MayRun(state, main_window, steps::WeekStep::kCancellation).empty()) return nullptr;
  auto* window = new ChusiRialtimeWindow(jvlink::MakeReplayJvLink(state.AppPath));
  window->Load(state, main_window);
  return window;
}

}  // namespace radadovur::ui
