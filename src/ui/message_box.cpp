#include "ui/message_box.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextEdit>
#include <QTranslator>

namespace radadovur::ui {
namespace {

// Lines of a message shown in the box itself; the rest goes to the detail area.
constexpr qsizetype kBoxLines = 12;
// The detail area's height: about fifteen lines, and the box stays well inside the screen.
constexpr int kDetailHeight = 260;

// The detail button's captions in the program's language (Qt ships none for it here).
class DetailWords : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                    int /*n*/) const override {
    if (qstrcmp(context, "QMessageBox") != 0) return {};
    if (qstrcmp(source, "Show Details...") == 0) return QString::fromUtf8("詳細を表示...");
    if (qstrcmp(source, "Hide Details...") == 0) return QString::fromUtf8("詳細を隠す...");
    return {};
  }
};

void InstallDetailWords() {
  static const bool installed = [] {
    if (QCoreApplication* app = QCoreApplication::instance())
      return QCoreApplication::installTranslator(new DetailWords(app));
    return false;
  }();
  (void)installed;
}

std::unique_ptr<QMessageBox> NewBox(QWidget* parent, const QString& text, const QString& details,
                                    QMessageBox::StandardButtons buttons) {
  InstallDetailWords();
  auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QStringLiteral("RADADOVUR"), text, buttons, parent);
  box->setTextFormat(Qt::PlainText);
  if (!details.isEmpty()) {
    box->setDetailedText(details);
    if (auto* area = box->findChild<QTextEdit*>()) area->setFixedHeight(kDetailHeight);
  }
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
