#include "ui/jvlink/jvlink_settings_window.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/status.h"
#include "jvlink/recording.h"
#include "ui/message_box.h"

namespace radadovur::ui {
namespace {
QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string ToPath(const QString& text) { return QFile::encodeName(text.trimmed()).toStdString(); }
}  // namespace

JvLinkSettingsWindow::JvLinkSettingsWindow(std::string settings_file, std::string app_path, const std::string& folder,
                                           QWidget* parent)
    : QDialog(parent), settings_file_(std::move(settings_file)), app_path_(std::move(app_path)) {
  setObjectName("JVLinkSettings");
  setWindowTitle("JV-Link 設定");
  setModal(true);

  auto* label = new QLabel("再生する記録データのフォルダ:", this);
  label->setObjectName("FolderLabel");
  folder_edit_ = new QLineEdit(FromPath(folder), this);
  folder_edit_->setObjectName("FolderEdit");
  folder_edit_->setMinimumWidth(360);
  label->setBuddy(folder_edit_);
  auto* browse = new QPushButton("参照...", this);
  browse->setObjectName("BrowseButton");
  auto* hint = new QLabel("このプログラムのフォルダだけに使います（コマンドラインでも）。"
                           "空欄のときはプログラムのフォルダの JVDATA を使います。", this);
  hint->setObjectName("HintLabel");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OkButton");
  ok->setDefault(true);
  auto* cancel = new QPushButton("キャンセル", this);
  cancel->setObjectName("CancelButton");

  auto* folder_row = new QHBoxLayout;
  folder_row->addWidget(folder_edit_, 1);
  folder_row->addWidget(browse);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(folder_row);
  layout->addWidget(hint);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  connect(browse, &QPushButton::clicked, this, &JvLinkSettingsWindow::Browse);
  connect(ok, &QPushButton::clicked, this, &JvLinkSettingsWindow::Save);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string JvLinkSettingsWindow::folder() const { return ToPath(folder_edit_->text()); }

void JvLinkSettingsWindow::Browse() {
  QString chosen = QFileDialog::getExistingDirectory(this, "記録データのフォルダ", folder_edit_->text());
  if (!chosen.isEmpty()) folder_edit_->setText(chosen);
}

void JvLinkSettingsWindow::Save() {
  // A folder that is not there would only fail the next download: refused here, with its name.
  if (const std::string chosen = folder(); !chosen.empty() && !jvlink::IsFolder(chosen)) {
    NewMessageBox(this, "フォルダ「" + common::Shown(chosen) +
                            "」がありません。記録データのあるフォルダを選ぶか、空欄にしてください。")
        ->exec();
    folder_edit_->setFocus();
    return;
  }
  result_code_ = jvlink::SaveRecordingFolderSetting(settings_file_, app_path_, folder()).ok() ? 0 : -1;
  accept();
}

int32_t ShowJvLinkSettings(QWidget* parent, std::string& folder, const std::string& app_path,
                           const std::string& settings_file) {
  QPointer<JvLinkSettingsWindow> dialog = new JvLinkSettingsWindow(settings_file, app_path, folder, parent);
  const bool accepted = dialog->exec() == QDialog::Accepted;
  if (!dialog) return 0;  // destroyed with its parent while it was shown
  const int32_t result = accepted ? dialog->result_code() : 0;
  if (accepted && result == 0) folder = dialog->folder();
  delete dialog;
  return result;
}

void InstallJvLinkSettingsDialog(jvlink::ReplayJvLink& link, QWidget* parent, const std::string& app_path,
                                 const std::string& settings_file) {
  QPointer<QWidget> owner = parent;
  link.SetSettingsDialog([owner, app_path, settings_file](std::string& folder) {
    return ShowJvLinkSettings(owner, folder, app_path, settings_file);
  });
}

}  // namespace radadovur::ui
