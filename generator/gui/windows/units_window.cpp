#include "gui/windows/units_window.h"

#include <QGridLayout>
#include <QIntValidator>
#include <iterator>

#include "settings/random_flags.h"
#include "settings/reset_defaults.h"

namespace glenmire {

namespace {

const char* const kCaptions[TfrmUnits::kStats] = {"Visible Range", "Hit Points",   "Magic Points",   "Build Time",
                                                  "Gold Cost",     "Lumber Cost",  "Oil Cost",       "Attack Range",
                                                  "Armor",         "Basic Damage", "Piercing Damage"};
constexpr int kHitPoints = 1;
// The three costs are stored divided by 10.
constexpr int kScale[TfrmUnits::kStats] = {1, 1, 1, 1, 10, 10, 10, 1, 1, 1, 1};

// The byte arrays by statistic (hit points are 32-bit and kept apart).
using ByteArray = uint8_t (SettingsRecord::*)[kUnitTypes];
constexpr ByteArray kValues[TfrmUnits::kStats] = {&SettingsRecord::UnitVisibleRange,  nullptr,
                                                  &SettingsRecord::UnitMagicPoints,   &SettingsRecord::UnitBuildTime,
                                                  &SettingsRecord::UnitGoldCost,      &SettingsRecord::UnitLumberCost,
                                                  &SettingsRecord::UnitOilCost,       &SettingsRecord::UnitAttackRange,
                                                  &SettingsRecord::UnitArmor,         &SettingsRecord::UnitBasicDamage,
                                                  &SettingsRecord::UnitPiercingDamage};
// The Random flags are the record's own list, in the same order.
static_assert(std::size(kRandomUnitFlags) == TfrmUnits::kStats);

}  // namespace

const char* const TfrmUnits::kStatNames[kStats] = {"VisibleRange", "HitPoints",   "MagicPoints",   "BuildTime",
                                                   "GoldCost",     "LumberCost",  "OilCost",       "AttackRange",
                                                   "Armor",        "BasicDamage", "PiercingDamage"};

const QStringList& TfrmUnits::UnitNames() {
  static const QStringList names = {"Footman",
                                    "Grunt",
                                    "Peasant",
                                    "Peon",
                                    "Ballista",
                                    "Catapult",
                                    "Knight",
                                    "Ogre ",
                                    "Elven Archer",
                                    "Troll Axethrower",
                                    "Mage",
                                    "Death Knight",
                                    "Paladin",
                                    "Ogre-Mage",
                                    "Dwarven Demolition Squad",
                                    "Goblin Sappers",
                                    "Attack Peasant",
                                    "Attack Peon",
                                    "Human Oil Tanker",
                                    "Orc Oil Tanker",
                                    "Human Transport",
                                    "Orc Transport",
                                    "Elven Destroyer",
                                    "Troll Destroyer",
                                    "Battleship",
                                    "Ogre Juggernaught",
                                    "Gnomish Submarine",
                                    "Giant Turtle",
                                    "Gnomish Flying Machine",
                                    "Goblin Zeppelin",
                                    "Gyphon Rider",
                                    "Dragon",
                                    "Eye of Kilrog",
                                    "Cho'Gall (Orc villian)",
                                    "Sir Anduin Lothar (Human hero)",
                                    "Gul'Dan (Orc villian)",
                                    "Sire Uther Lightbringer (Human hero)",
                                    "Zuljin (Orc villian)",
                                    "Skeleton",
                                    "Daemon",
                                    "Critter",
                                    "Farm",
                                    "Pig Farm",
                                    "Human Barracks",
                                    "Orc Barracks",
                                    "Church",
                                    "Altar Of Storms",
                                    "Scout Tower",
                                    "Watch Tower",
                                    "Stables",
                                    "Ogre Mound",
                                    "Gnomish Inventor",
                                    "Goblin Alchemist",
                                    "Gryphon Aviary",
                                    "Dragon Roost",
                                    "Human Shipyard",
                                    "Orc Shipyard",
                                    "Town Hall",
                                    "Great Hall",
                                    "Elven Lumber Mill",
                                    "Troll Lumber Mill",
                                    "Human Foundry",
                                    "Orc Foundry",
                                    "Mage Tower",
                                    "Temple Of The Damned",
                                    "Human Blacksmith",
                                    "Orc Blacksmith",
                                    "Human Refinery",
                                    "Orc Refinery",
                                    "Human Oil Platform",
                                    "Orc Oil Platform",
                                    "Keep",
                                    "Stronghold",
                                    "Castle",
                                    "Fortress",
                                    "Human Guard Tower",
                                    "Orc Guard Tower",
                                    "Human Cannon Tower",
                                    "Orc Cannon Tower"};
  return names;
}

TfrmUnits::TfrmUnits(SettingsRecord& record, ShellState& shell, QWidget* parent)
    : SettingsForm("TfrmUnits", "Units", record, shell, parent) {
  auto* grid = new QGridLayout(this);
  cbUnitSelection = MakeDropDownList("cbUnitSelection", UnitNames(), 0, this);
  cbUnitSelection->setMaxVisibleItems(20);
  lblUnitRace = new QLabel("(Human Unit)", this);
  lblUnitRace->setObjectName("lblUnitRace");
  grid->addWidget(cbUnitSelection, 0, 0, 1, 2);
  grid->addWidget(lblUnitRace, 0, 2);
  for (int f = 0; f < kStats; ++f) {
    const QString stat = QString::fromLatin1(kStatNames[f]);
    txtUnit[f] = MakeEdit("txtUnit" + stat, this);
    txtUnit[f]->setValidator(new QIntValidator(txtUnit[f]));  // digits and a sign only
    cbRandomUnit[f] = MakeCheckBox("cbRandomUnit" + stat, "Random", this);
    grid->addWidget(MakeLabel(kCaptions[f], this, txtUnit[f]), 1 + f, 0);
    grid->addWidget(txtUnit[f], 1 + f, 1);
    grid->addWidget(cbRandomUnit[f], 1 + f, 2);
    connect(cbRandomUnit[f], &QCheckBox::clicked, this, [this, f] { RandomClick(f); });
  }
  grid->setRowStretch(1 + kStats, 1);
  // cbUnitSelectionChange: show the newly selected unit; typing not saved is dropped.
  connect(cbUnitSelection, &QComboBox::currentIndexChanged, this, [this] { UnitValueSync(); });
}

void TfrmUnits::UnitValueSync() {
  const int k = Selected();
  if (k < 0) return;
  for (int f = 0; f < kStats; ++f) {
    const long long v = f == kHitPoints ? record_.UnitHitPoints[k] : (record_.*kValues[f])[k];
    txtUnit[f]->setText(QString::number(v * kScale[f]));
    cbRandomUnit[f]->setChecked((record_.*kRandomUnitFlags[f])[k] != 0);
    ApplyRandomBox(cbRandomUnit[f], txtUnit[f]);
  }
  const char race = record_.UnitRace[k];
  lblUnitRace->setText(race == 'H' ? "(Human Unit)" : race == 'O' ? "(Orc Unit)" : "(Misc Creature)");
}

void TfrmUnits::RandomClick(int stat) {
  if (const int k = Selected(); k >= 0) (record_.*kRandomUnitFlags[stat])[k] = cbRandomUnit[stat]->isChecked();
  ApplyRandomBox(cbRandomUnit[stat], txtUnit[stat]);
}

void TfrmUnits::UnitLoad() {
  if (cbUnitSelection->currentIndex() != 0)
    cbUnitSelection->setCurrentIndex(0);  // shows it
  else
    UnitValueSync();
}

void TfrmUnits::UnitSave() {
  if (const int k = Selected(); k >= 0) {
    for (int f = 0; f < kStats; ++f) {
      // A box that holds no value its element can store keeps the stored one.
      long long v = 0;
      if (f == kHitPoints) {
        if (EditValue(txtUnit[f], INT32_MIN, INT32_MAX, v)) record_.UnitHitPoints[k] = static_cast<int32_t>(v);
      } else if (EditValue(txtUnit[f], INT32_MIN, INT32_MAX, v) && v / kScale[f] >= 0 && v / kScale[f] <= 255) {
        (record_.*kValues[f])[k] = static_cast<uint8_t>(v / kScale[f]);
      }
      (record_.*kRandomUnitFlags[f])[k] = cbRandomUnit[f]->isChecked();
    }
  }
  SaveDone();
}

// The buttons change the boxes and the flags only: values typed for the shown
// unit stay in their boxes until the next save, and a change of selection
// still drops them. A box stores into the shown unit at once.
void TfrmUnits::SetAllToRandom() {
  for (int f = 0; f < kStats; ++f) {
    cbRandomUnit[f]->setChecked(true);
    RandomClick(f);
  }
  SetUnitsAllRandom(record_);
}

void TfrmUnits::SetNoneToRandom() {
  for (int f = 0; f < kStats; ++f) {
    cbRandomUnit[f]->setChecked(false);
    RandomClick(f);
  }
  SetUnitsNoneRandom(record_);
}

void TfrmUnits::ResetDefaults() {
  ResetUnitDefaults(record_);
  UnitValueSync();
}

}  // namespace glenmire
