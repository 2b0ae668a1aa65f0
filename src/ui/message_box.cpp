#include "ui/message_box.h"

#include <QStringList>

namespace radadovur::ui {
namespace {

// Lines of a message shown in the box itself; the rest goes to the detail area.
constexpr qsizetype kBoxLines = 12;

std::unique_ptr<QMessageBox> NewBox(QWidget* parent, const QString& text, const QString& details,
                                    QMessageBox::StandardButtons buttons) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QStringLiteral("RADADOVUR"), text, buttons, parent);
  box->setTextFormat(Qt::PlainText);
  if (!details.isEmpty()) box->setDetailedText(details);
  return box;
}

}  // namespace

std::unique_ptr<QMessageBox> NewMessageBox(QWidget* parent, const std::string& utf8,
                                           QMessageBox::StandardButtons buttons) {
  const QString text = QString::fromStdString(utf8);
  const QStringList lines = text.split(QLatin1Char('\n'));
  if (lines.size() <= kBoxLines) return NewBox(parent, text, {}, buttons);
  QString shown = lines.mid(0, kBoxLines).join(QLatin1Char('\n'));
  shown += QString::fromUtf8("\n…ほか %1 行（全文は詳細欄に）").arg(lines.size() - kBoxLines);
  return NewBox(parent, shown, text, buttons);
}

std::unique_ptr<QMessageBox> NewFailureBox(QWidget* parent, const common::FailureReport& report) {
  return NewBox(parent, QString::fromStdString(report.summary), QString::fromStdString(report.Details()),
                QMessageBox::Ok);
}

}  // namespace radadovur::ui
