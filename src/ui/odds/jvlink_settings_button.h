#pragma once
#include "common/step_host.h"
#include "jvlink/jv_link.h"

namespace radadovur::ui {

// A settings button of a window with its own JV-Link ("設定ＯＤＤＳ", "設定ODDS"): JV-Link's
// settings dialog; a failure is told through the window's host.
void ShowJvLinkSettings(jvlink::JvLink& link, common::StepHost& window);

}  // namespace radadovur::ui
