// The program's default settings and the windows' "Reset Defaults" values.
#pragma once

#include "settings/settings_record.h"

namespace glenmire {

// Fills the record with the defaults; fields without a default are left as they are.
void SetDefaults(SettingsRecord& r);

}  // namespace glenmire
