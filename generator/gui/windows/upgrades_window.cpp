#include "gui/windows/upgrades_window.h"

#include <QGridLayout>
#include <QIntValidator>
#include <iterator>

#include "settings/random_flags.h"
#include "settings/reset_defaults.h"

namespace glenmire {

namespace {

const char* const kCaptions[TfrmUpgrades::kCosts] = {"Step Cost", "Gold Cost", "Lumber Cost", "Oil Cost"};
constexpr int kStepCost = 0;
using WordArray = int32_t (SettingsRecord::*)[kUpgrades];
constexpr WordArray kValues[TfrmUpgrades::kCosts] = {
    nullptr, &SettingsRecord::UpgradeGoldCost, &SettingsRecord::UpgradeLumberCost, &SettingsRecord::UpgradeOilCost};
// The Random flags are the record's own list, in the same order.
static_assert(std::size(kRandomUpgradeFlags) == TfrmUpgrades::kCosts);

}  // namespace

const char* const TfrmUpgrades::kCostNames[kCosts] = {"StepCost", "GoldCost", "LumberCost", "OilCost"};

const QStringList& TfrmUpgrades::UpgradeNames() {
  static const QStringList names = {"Sword Strength 1",
                                    "Sword Strength 2",
                                    "Axe Strength 1",
                                    "Axe Strength 2",
                                    "Arrow Strength 1",
                                    "Arrow Strength 2",
                                    "Spear Strength 1",
                                    "Spear Strength 2",
                                    "Human Shield Strength 1",
                                    "Human Shield Strength 2",
                                    "Orc Shield Strength 1",
                                    "Orc Shield Strength 2",
                                    "Human Ship Attack 1",
                                    "Human Ship Attack 2",
                                    "Orc Ship Attack 1",
                                    "Orc Ship Attack 2",
                                    "Human Ship Armor 1",
                                    "Human Ship Armor 2",
                                    "Orc Ship Armor 1",
                                    "Orc Ship Armor 2",
                                    "Catapult Strength 1",
                                    "Catapult Strength 2",
                                    "Ballista Strength 1",
                                    "Ballista Strength 2",
                                    "Elven Ranger Training",
                                    "Research Longbow",
                                    "Ranger Scouting",
                                    "Ranger Marksmanship",
                                    "Troll Berserker Training",
                                    "Research Lighter Axes",
                                    "Berserker Scouting",
                                    "Berserker Regeneration",
                                    "Upgrade Ogres To Ogre-Mages",
                                    "Upgrade Knights To Paladins",
                                    "Spell Holy Vision",
                                    "Soell Healing",
                                    "Spell Exorcism",
                                    "Spell Flame Shield",
                                    "Spell Fireball",
                                    "Spell Slow",
                                    "Spell Invisibility",
                                    "Spell Polymorph",
                                    "Spell Blizzard",
                                    "Spell Eye Of Kilrogg",
                                    "Spell Bloodlust",
                                    "Spell Raise Dead",
                                    "Spell Death Coil",
                                    "Spell Whirlwind",
                                    "Spell Haste",
                                    "Spell Unholy Armor",
                                    "Spell Runes",
                                    "Spell Death And Decay"};
  return names;
}

TfrmUpgrades::TfrmUpgrades(SettingsRecord& record, ShellState& shell, QWidget* parent)
    : SettingsForm("TfrmUpgrades", "Upgrade Costs", record, shell, parent) {
  auto* grid = new QGridLayout(this);
  cbUpgradeSelection = MakeDropDownList("cbUpgradeSelection", UpgradeNames(), 0, this);
  cbUpgradeSelection->setMaxVisibleItems(20);
  grid->addWidget(cbUpgradeSelection, 0, 0, 1, 3);
  for (int c = 0; c < kCosts; ++c) {
    const QString cost = QString::fromLatin1(kCostNames[c]);
    txtUpgrade[c] = MakeEdit("txtUpgrade" + cost, this);
    txtUpgrade[c]->setValidator(new QIntValidator(txtUpgrade[c]));  // digits and a sign only
    cbRandomUpgrade[c] = MakeCheckBox("cbRandomUpgrade" + cost, "Random", this);
    grid->addWidget(MakeLabel(kCaptions[c], this, txtUpgrade[c]), 1 + c, 0);
    grid->addWidget(txtUpgrade[c], 1 + c, 1);
    grid->addWidget(cbRandomUpgrade[c], 1 + c, 2);
    connect(cbRandomUpgrade[c], &QCheckBox::clicked, this, [this, c] { RandomClick(c); });
  }
  grid->setRowStretch(1 + kCosts, 1);
  connect(cbUpgradeSelection, &QComboBox::currentIndexChanged, this, [this] { UpgradeValueSync(); });
}

void TfrmUpgrades::UpgradeValueSync() {
  const int j = Selected();
  if (j < 0) return;
  for (int c = 0; c < kCosts; ++c) {
    const long long v = c == kStepCost ? record_.UpgradeStepCost[j] : (record_.*kValues[c])[j];
    txtUpgrade[c]->setText(QString::number(v));
    cbRandomUpgrade[c]->setChecked((record_.*kRandomUpgradeFlags[c])[j] != 0);
    ApplyRandomBox(cbRandomUpgrade[c], txtUpgrade[c]);
  }
}

void TfrmUpgrades::RandomClick(int cost) {
  if (const int j = Selected(); j >= 0) (record_.*kRandomUpgradeFlags[cost])[j] = cbRandomUpgrade[cost]->isChecked();
  ApplyRandomBox(cbRandomUpgrade[cost], txtUpgrade[cost]);
}

void TfrmUpgrades::LoadUpgrades() {
  if (cbUpgradeSelection->currentIndex() != 0)
    cbUpgradeSelection->setCurrentIndex(0);
  else
    UpgradeValueSync();
}

void TfrmUpgrades::SaveUpgrades() {
  if (const int j = Selected(); j >= 0) {
    for (int c = 0; c < kCosts; ++c) {
      // A box that holds no value its element can store keeps the stored one.
      long long v = 0;
      if (c == kStepCost) {
        if (EditValue(txtUpgrade[c], 0, 255, v)) record_.UpgradeStepCost[j] = static_cast<uint8_t>(v);
      } else if (EditValue(txtUpgrade[c], INT32_MIN, INT32_MAX, v)) {
        (record_.*kValues[c])[j] = static_cast<int32_t>(v);
      }
      (record_.*kRandomUpgradeFlags[c])[j] = cbRandomUpgrade[c]->isChecked();
    }
  }
  SaveDone();
}

// As in the Units window: the boxes and the flags change, the typing stays.
void TfrmUpgrades::SetAllToRandom() {
  for (int c = 0; c < kCosts; ++c) {
    cbRandomUpgrade[c]->setChecked(true);
    RandomClick(c);
  }
  SetUpgradesAllRandom(record_);
}

void TfrmUpgrades::SetNoneToRandom() {
  for (int c = 0; c < kCosts; ++c) {
    cbRandomUpgrade[c]->setChecked(false);
    RandomClick(c);
  }
  SetUpgradesNoneRandom(record_);
}

void TfrmUpgrades::ResetDefaults() {
  ResetUpgradeDefaults(record_);
  UpgradeValueSync();
}

}  // namespace glenmire
