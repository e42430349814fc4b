#include "gui/windows/land_window.h"

#include <QGridLayout>

#include "settings/random_flags.h"
#include "settings/reset_defaults.h"

namespace glenmire {

TfrmLand::TfrmLand(SettingsRecord& record, ShellState& shell, QWidget* parent)
    : SettingsForm("TfrmLand", "Land Attributes", record, shell, parent) {
  auto* grid = new QGridLayout(this);
  int row = 0;
  auto amount = [&](const char* bar, const char* box, const char* caption, int value) {
    QSlider* t = MakeTrackBar(bar, 0, 100, value, this);
    QCheckBox* c = box ? MakeCheckBox(box, "Random", this) : nullptr;
    grid->addWidget(MakeLabel(caption, this, t), row, 0);
    grid->addWidget(TrackBarRow(t, "Less", "More", this), row, 1);
    if (c) {
      grid->addWidget(c, row, 2);
      LinkRandomBox(c, t);  // cbRandomLandWaterClick ..
    }
    ++row;
    return std::pair{t, c};
  };
  std::tie(tbLandWater, cbRandomLandWater) = amount("tbLandWater", "cbRandomLandWater", "Land", 90);
  std::tie(tbBuildableLand, cbRandomBuildableLand) =
      amount("tbBuildableLand", "cbRandomBuildableLand", "Buildable Land", 80);
  std::tie(tbRivers, cbRandomRivers) = amount("tbRivers", "cbRandomRivers", "Rivers", 20);
  cbMultipleRivers = MakeCheckBox("cbMultipleRivers", "Enable Multiple Rivers", this);
  grid->addWidget(cbMultipleRivers, row++, 1);
  std::tie(tbLakes, cbRandomLakes) = amount("tbLakes", "cbRandomLakes", "La&kes", 20);
  std::tie(tbForest, cbRandomForest) = amount("tbForest", "cbRandomForest", "F&orest", 30);
  std::tie(tbMountains, cbRandomMountains) = amount("tbMountains", "cbRandomMountains", "&Mountains", 10);
  tbDecorations = MakeTrackBar("tbDecorations", 0, 10, 0, this);
  grid->addWidget(MakeLabel("Decorations", this, tbDecorations), row, 0);
  grid->addWidget(TrackBarRow(tbDecorations, "Less", "More", this), row++, 1);

  auto* switches = new QWidget(this);
  auto* s = new QGridLayout(switches);
  s->setContentsMargins(0, 0, 0, 0);
  cbEnableShallowWater = MakeCheckBox("cbEnableShallowWater", "Enable Shallow Water", switches);
  cbEnableImpassibleLand = MakeCheckBox("cbEnableImpassibleLand", "Enable Swamp Land", switches);
  cbReverseLandAndWaterProperties = MakeCheckBox("cbReverseLandAndWaterProperties", "Reverse Physics", switches);
  cbEnableSecretMountainPasses =
      MakeCheckBox("cbEnableSecretMountainPasses", "Enable Secret Mountain Passes", switches);
  cbBlankMap = MakeCheckBox("cbBlankMap", "Black Map", switches);
  cbBuildOnSand = MakeCheckBox("cbBuildOnSand", "Build On Sand", switches);
  s->addWidget(cbEnableShallowWater, 0, 0);
  s->addWidget(cbEnableImpassibleLand, 0, 1);
  s->addWidget(cbReverseLandAndWaterProperties, 1, 0);
  s->addWidget(cbEnableSecretMountainPasses, 1, 1);
  s->addWidget(cbBlankMap, 2, 0);
  s->addWidget(cbBuildOnSand, 2, 1);
  grid->addWidget(switches, row++, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(row, 1);

  // Hidden: they only carry their fields through the window.
  cbRiversEnable = MakeCheckBox("cbRiversEnable", "Enabled", this);
  cbLakesEnable = MakeCheckBox("cbLakesEnable", "Enabled", this);
  cbForestEnable = MakeCheckBox("cbForestEnable", "Enabled", this);
  cbMountainsEnable = MakeCheckBox("cbMountainsEnable", "Enabled", this);
  cbMultipleLakes = MakeCheckBox("cbMultipleLakes", "Enable MultipleLakes", this);
  cbAddWalls = MakeCheckBox("cbAddWalls", "Add Walls", this);
  cbEnableIslands = MakeCheckBox("cbEnableIslands", "Enable Islands", this);
  for (QCheckBox* c : {cbRiversEnable, cbLakesEnable, cbForestEnable, cbMountainsEnable, cbMultipleLakes})
    c->setChecked(true);
  for (QCheckBox* c :
       {cbRiversEnable, cbLakesEnable, cbForestEnable, cbMountainsEnable, cbMultipleLakes, cbAddWalls, cbEnableIslands})
    c->hide();
}

void TfrmLand::ApplyRandomBoxes() {
  ApplyRandomBox(cbRandomLandWater, tbLandWater);
  ApplyRandomBox(cbRandomBuildableLand, tbBuildableLand);
  ApplyRandomBox(cbRandomRivers, tbRivers);
  ApplyRandomBox(cbRandomLakes, tbLakes);
  ApplyRandomBox(cbRandomForest, tbForest);
  ApplyRandomBox(cbRandomMountains, tbMountains);
}

void TfrmLand::LandLoad() {
  // Every save runs to its end before any window loads (the main window
  // switches windows on one thread), so there is nothing to wait for here.
  const SettingsRecord& r = record_;
  tbLandWater->setValue(r.LandWater);
  cbRandomLandWater->setChecked(r.RandomLandWater != 0);
  tbBuildableLand->setValue(r.BuildableLand);
  cbRandomBuildableLand->setChecked(r.RandomBuildableLand != 0);
  tbRivers->setValue(r.Rivers);
  cbRandomRivers->setChecked(r.RandomRivers != 0);
  cbMultipleRivers->setChecked(r.MultipleRivers != 0);
  tbLakes->setValue(r.Lakes);
  cbRandomLakes->setChecked(r.RandomLakes != 0);
  tbForest->setValue(r.Forest);
  cbRandomForest->setChecked(r.RandomForest != 0);
  tbMountains->setValue(r.Mountains);
  cbRandomMountains->setChecked(r.RandomMountains != 0);
  tbDecorations->setValue(r.Decorations);
  cbEnableShallowWater->setChecked(r.EnableShallowWater != 0);
  cbEnableImpassibleLand->setChecked(r.EnableImpassibleLand != 0);
  cbReverseLandAndWaterProperties->setChecked(r.ReverseLandAndWaterProperties != 0);
  cbEnableSecretMountainPasses->setChecked(r.EnableSecretMountainPasses != 0);
  cbBlankMap->setChecked(r.BlankMap != 0);
  cbBuildOnSand->setChecked(r.BuildOnSand != 0);
  cbRiversEnable->setChecked(r.RiversEnable != 0);
  cbLakesEnable->setChecked(r.LakesEnable != 0);
  cbForestEnable->setChecked(r.ForestEnable != 0);
  cbMountainsEnable->setChecked(r.MountainsEnable != 0);
  cbMultipleLakes->setChecked(r.MultipleLakes != 0);
  cbAddWalls->setChecked(r.AddWalls != 0);
  cbEnableIslands->setChecked(r.EnableIslands != 0);
  ApplyRandomBoxes();
}

void TfrmLand::LandSave() {
  SettingsRecord& r = record_;
  r.LandWater = static_cast<int8_t>(tbLandWater->value());
  r.RandomLandWater = cbRandomLandWater->isChecked();
  r.BuildableLand = static_cast<int8_t>(tbBuildableLand->value());
  r.RandomBuildableLand = cbRandomBuildableLand->isChecked();
  r.Rivers = static_cast<int8_t>(tbRivers->value());
  r.RandomRivers = cbRandomRivers->isChecked();
  r.MultipleRivers = cbMultipleRivers->isChecked();
  r.Lakes = static_cast<int8_t>(tbLakes->value());
  r.RandomLakes = cbRandomLakes->isChecked();
  r.Forest = static_cast<int8_t>(tbForest->value());
  r.RandomForest = cbRandomForest->isChecked();
  r.Mountains = static_cast<int8_t>(tbMountains->value());
  r.RandomMountains = cbRandomMountains->isChecked();
  r.Decorations = static_cast<int8_t>(tbDecorations->value());
  r.EnableShallowWater = cbEnableShallowWater->isChecked();
  r.EnableImpassibleLand = cbEnableImpassibleLand->isChecked();
  r.ReverseLandAndWaterProperties = cbReverseLandAndWaterProperties->isChecked();
  r.EnableSecretMountainPasses = cbEnableSecretMountainPasses->isChecked();
  r.BlankMap = cbBlankMap->isChecked();
  r.BuildOnSand = cbBuildOnSand->isChecked();
  r.RiversEnable = cbRiversEnable->isChecked();
  r.LakesEnable = cbLakesEnable->isChecked();
  r.ForestEnable = cbForestEnable->isChecked();
  r.MountainsEnable = cbMountainsEnable->isChecked();
  r.MultipleLakes = cbMultipleLakes->isChecked();
  r.AddWalls = cbAddWalls->isChecked();
  r.EnableIslands = cbEnableIslands->isChecked();
  SaveDone();
}

void TfrmLand::SetAllToRandom() {
  LandSave();
  SetLandAllRandom(record_);
  LandLoad();
}

void TfrmLand::SetNoneToRandom() {
  LandSave();
  SetLandNoneRandom(record_);
  LandLoad();
}

void TfrmLand::ResetDefaults() {
  LandSave();
  ResetLandDefaults(record_);
  LandLoad();
}

}  // namespace glenmire
