// "glenmire config ...": write the default and starter configurations, show
// a configuration by field name, and change fields by name.
#pragma once

#include <string>
#include <vector>

#include "core/settings_record.h"

namespace glenmire {

// One `config set` assignment, "Field=VALUE" or "Field[i]=VALUE" with i
// counted from 1, applied to the record. Throws UsageError naming what is
// wrong and then changes nothing.
void AssignField(SettingsRecord& r, const std::string& assignment);

int RunConfigCommand(const std::vector<std::string>& args);

}  // namespace glenmire
