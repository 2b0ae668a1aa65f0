#pragma once
#include <QDialog>
#include <cstdint>
#include <string>

#include "jvlink/jvlink_settings.h"

class QLineEdit;

// The stand-in's settings dialog: which recording folder it replays for the program folder. OK
// saves the choice in the stand-in's settings file for that program folder (the command line
// follows it too); a blank folder means "JVDATA" in the program folder.
namespace radadovur::ui {

class JvLinkSettingsWindow : public QDialog {
  Q_OBJECT

 public:
  JvLinkSettingsWindow(std::string settings_file, std::string app_path, const std::string& folder,
                       QWidget* parent = nullptr);

  std::string folder() const;
  // 0 after OK (saved) or Cancel; -1 when OK could not save the choice.
  int32_t result_code() const { return result_code_; }

 private:
  void Browse();
  void Save();

  std::string settings_file_;
  std::string app_path_;
  QLineEdit* folder_edit_ = nullptr;
  int32_t result_code_ = 0;
};

// Shows the dialog modally for `folder`; after a saved OK, `folder` holds the choice.
int32_t ShowJvLinkSettings(QWidget* parent, std::string& folder, const std::string& app_path,
                           const std::string& settings_file = jvlink::DefaultJvLinkSettingsFile());

// Makes the dialog the instance's settings dialog (JVSetUIProperties) for the program folder
// `app_path`, shown over `parent`.
void InstallJvLinkSettingsDialog(jvlink::ReplayJvLink& link, QWidget* parent, const std::string& app_path,
                                 const std::string& settings_file = jvlink::DefaultJvLinkSettingsFile());

}  // namespace radadovur::ui
