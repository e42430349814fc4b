// Makes settings window n (1..10) of the main window's button column.
#pragma once

#include "gui/windows/settings_window.h"

namespace glenmire {

inline constexpr int kSettingsWindowCount = 10;

// nullptr for a number outside 1..10.
SettingsForm* CreateSettingsForm(int index, SettingsRecord& record, ShellState& shell);

}  // namespace glenmire
