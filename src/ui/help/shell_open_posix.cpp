#include "ui/help/HelpLauncher.h"

namespace vel::ui {

// Without a shell to hand files to, help opens nowhere; the tool has its
// manual page instead.
void ShellOpen(const std::string&) {}

} // namespace vel::ui
