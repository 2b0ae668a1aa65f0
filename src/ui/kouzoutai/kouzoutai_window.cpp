#include "ui/kouzoutai/kouzoutai_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "steps/gate.h"
#include "steps/structure.h"

namespace radadovur::ui {

KouzoutaiWindow::KouzoutaiWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("KOUZOUTAIAZ");
  setWindowTitle(QString::fromUtf8("Ver.2024.8.12A　構造体"));
  text1_ = new QLineEdit(QStringLiteral("Text1"), this);
  text1_->setObjectName("Text1");
  command1_ = new QPushButton(QString::fromUtf8("構造体処理終了"), this);
  command1_->setObjectName("Command1");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text1_);
  layout->addWidget(command1_);
  resize(560, 110);
  connect(command1_, &QPushButton::clicked, this, &QWidget::close);
}

void KouzoutaiWindow::ShowFinished() {
  text1_->setText(QString::fromUtf8(steps::kStructureWindowText.data(),
                                    static_cast<qsizetype>(steps::kStructureWindowText.size())));
  text1_->setCursorPosition(0);
}

KouzoutaiWindow* OpenKouzoutaiWindow(const common::RunState& state, common::StepHost& main_window, QWidget* parent) {
  // A refused processing changes nothing and its message says what to run first: no window.
  if (!steps::MayRun(state, main_window, steps::WeekStep::kStructure).empty()) return nullptr;
  // After a failed one its message lists the failures; the window's text (wait for the
  // cancellation) would mislead: no window either.
  if (!steps::RunStructureProcessing(state, main_window).empty()) return nullptr;
  auto* window = new KouzoutaiWindow(parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->ShowFinished();
  window->show();
  return window;
}

}  // namespace radadovur::ui
