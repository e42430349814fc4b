#include "gui/settings_forms.h"

#include "gui/windows/critters_window.h"
#include "gui/windows/difficulty_window.h"
#include "gui/windows/land_window.h"
#include "gui/windows/player_window.h"
#include "gui/windows/quick_window.h"
#include "gui/windows/random_window.h"
#include "gui/windows/resources_window.h"
#include "gui/windows/start_res_window.h"
#include "gui/windows/units_window.h"
#include "gui/windows/upgrades_window.h"

namespace glenmire {

SettingsForm* CreateSettingsForm(int index, SettingsRecord& record, ShellState& shell) {
  switch (index) {
    case 1: return new TfrmQuick(record, shell);
    case 2: return new TfrmPlayer(record, shell);
    case 3: return new TfrmResources(record, shell);
    case 4: return new TfrmUpgrades(record, shell);
    case 5: return new TfrmStartRes(record, shell);
    case 6: return new TfrmDifficulty(record, shell);
    case 7: return new TfrmUnits(record, shell);
    case 8: return new TfrmLand(record, shell);
    case 9: return new TfrmRandom(record, shell);
    case 10: return new TfrmCritters(record, shell);
    default: return nullptr;
  }
}

}  // namespace glenmire
