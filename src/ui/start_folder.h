#pragma once
#include <string>

namespace radadovur::ui {

// The program folder `radadovur DIR` names, checked before the program makes anything in it or
// opens its main window. A folder that does not exist is said as the command line says it, one
// that is no folder with its reason, in a message box and on standard error: false, and the
// program ends with a non-zero exit code.
bool ProgramFolderUsable(const std::string& given);

}  // namespace radadovur::ui
