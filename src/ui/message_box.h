#pragma once
#include <QMessageBox>
#include <QString>
#include <memory>
#include <string>

#include "common/failure_report.h"

namespace radadovur::ui {

// The program's message boxes. A box never grows taller than a laptop screen: its text is a few
// lines, and a longer list goes to the detail area ("詳細を表示"), which scrolls.
std::unique_ptr<QMessageBox> NewMessageBox(QWidget* parent, const std::string& utf8,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok);
// A step's failures: the summary in the box, the whole list in the detail area.
std::unique_ptr<QMessageBox> NewFailureBox(QWidget* parent, const common::FailureReport& report);

}  // namespace radadovur::ui
