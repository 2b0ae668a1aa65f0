#include "ui/odds/jvlink_settings_button.h"

namespace radadovur::ui {

void ShowJvLinkSettings(jvlink::JvLink& link, common::StepHost& window) {
  if (link.JVSetUIProperties() == -1) window.Message("エラーのためJV-Linkの設定に失敗しました。");
}

}  // namespace radadovur::ui
