#include "ui/odds/odds_matrix_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "steps/odds_matrices.h"

namespace radadovur::ui {
namespace {
QString Q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
}  // namespace

OddsMatrixWindow::OddsMatrixWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("VELTRANODDSN");
  setWindowTitle(Q(steps::kOddsMatrixCaption));
  command1_ = new QPushButton(Q(steps::kOddsMatrixCloseCaption), this);
  command1_->setObjectName("Command1");
  command1_->setMinimumHeight(36);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(command1_);
  resize(280, 80);
  connect(command1_, &QPushButton::clicked, this, &QWidget::close);
}

void OddsMatrixWindow::Load(const common::RunState& state, common::StepHost& main_window) {
  report_ = steps::RunOddsMatrices(state, main_window);
}

}  // namespace radadovur::ui
