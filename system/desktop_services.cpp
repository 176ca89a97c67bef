#include "system/desktop.h"

#include <stdexcept>
#include <string>
#include <system_error>

namespace tolvanex {

void DesktopServices::StartEditor(const std::string& path) {
  std::string editor = EditorProgram();
  try {
    StartDetached(editor, EditorArgument(path));
  } catch (const std::system_error& e) {
    throw std::runtime_error("The editor " + editor +
                             " could not be started: " + e.code().message());
  }
}

}  // namespace tolvanex
