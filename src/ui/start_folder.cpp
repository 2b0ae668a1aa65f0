#include "ui/start_folder.h"

#include <cstdio>

#include "common/run_state.h"
#include "ui/message_box.h"

namespace radadovur::ui {

bool ProgramFolderUsable(const std::string& given) {
  const common::Status folder = common::CheckProgramFolder(common::RunStateFor(given));
  if (folder.ok()) return true;
  const std::string text = common::ProgramFolderText(given, folder);
  std::fprintf(stderr, "radadovur: %s\n", text.c_str());
  NewMessageBox(nullptr, text)->exec();
  return false;
}

}  // namespace radadovur::ui
