#include "gui/windows/resources_window.h"

#include <QGridLayout>

#include "settings/random_flags.h"
#include "settings/reset_defaults.h"

namespace glenmire {

TfrmResources::TfrmResources(SettingsRecord& record, ShellState& shell, QWidget* parent)
    : SettingsForm("TfrmResources", "Natural Resources", record, shell, parent) {
  auto* grid = new QGridLayout(this);
  speResGoldMine = MakeSpinBox("speResGoldMine", 0, kMaxSites, 0, this);
  cbResRanGoldMine = MakeCheckBox("cbResRanGoldMine", "Random", this);
  speResOilPat = MakeSpinBox("speResOilPat", 0, kMaxSites, 0, this);
  cbResRanOilPat = MakeCheckBox("cbResRanOilPat", "Random", this);
  tbResGoldAmt = MakeTrackBar("tbResGoldAmt", 1, 255, 1, this);
  cbResGoldAmt = MakeCheckBox("cbResGoldAmt", "Random", this);
  tbResOilAmt = MakeTrackBar("tbResOilAmt", 1, 255, 1, this);
  cbResOilAmt = MakeCheckBox("cbResOilAmt", "Random", this);
  CurrentGold = new QLabel(this);
  CurrentGold->setObjectName("CurrentGold");
  CurrentOil = new QLabel(this);
  CurrentOil->setObjectName("CurrentOil");

  grid->addWidget(MakeLabel("Gold Mines", this, speResGoldMine), 0, 0);
  grid->addWidget(speResGoldMine, 0, 1);
  grid->addWidget(cbResRanGoldMine, 0, 2);
  grid->addWidget(MakeLabel("Oil Patches", this, speResOilPat), 1, 0);
  grid->addWidget(speResOilPat, 1, 1);
  grid->addWidget(cbResRanOilPat, 1, 2);
  grid->addWidget(MakeLabel("Gold Amount", this, tbResGoldAmt), 2, 0);
  grid->addWidget(TrackBarRow(tbResGoldAmt, "Less", "More", this), 2, 1);
  grid->addWidget(cbResGoldAmt, 2, 2);
  grid->addWidget(CurrentGold, 3, 1);
  grid->addWidget(MakeLabel("Oil Amount", this, tbResOilAmt), 4, 0);
  grid->addWidget(TrackBarRow(tbResOilAmt, "Less", "More", this), 4, 1);
  grid->addWidget(cbResOilAmt, 4, 2);
  grid->addWidget(CurrentOil, 5, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(6, 1);

  LinkRandomBox(cbResRanGoldMine, speResGoldMine);
  LinkRandomBox(cbResRanOilPat, speResOilPat);
  LinkRandomBox(cbResGoldAmt, tbResGoldAmt);
  LinkRandomBox(cbResOilAmt, tbResOilAmt);
  connect(tbResGoldAmt, &QSlider::valueChanged, this, [this] { tbResGoldAmtChange(); });
  connect(tbResOilAmt, &QSlider::valueChanged, this, [this] { tbResOilAmtChange(); });
  tbResGoldAmtChange();
  tbResOilAmtChange();
}

void TfrmResources::tbResGoldAmtChange() { CurrentGold->setText(QString::number(tbResGoldAmt->value() * kAmountStep)); }

void TfrmResources::tbResOilAmtChange() { CurrentOil->setText(QString::number(tbResOilAmt->value() * kAmountStep)); }

void TfrmResources::ApplyRandomBoxes() {
  ApplyRandomBox(cbResRanGoldMine, speResGoldMine);
  ApplyRandomBox(cbResRanOilPat, speResOilPat);
  ApplyRandomBox(cbResGoldAmt, tbResGoldAmt);
  ApplyRandomBox(cbResOilAmt, tbResOilAmt);
}

void TfrmResources::LoadResources() {
  speResGoldMine->setValue(record_.GoldMines);
  cbResRanGoldMine->setChecked(record_.RandomGoldMines != 0);
  speResOilPat->setValue(record_.OilPatches);
  cbResRanOilPat->setChecked(record_.RandomOilPatches != 0);
  tbResGoldAmt->setValue(record_.GoldAmount);
  cbResGoldAmt->setChecked(record_.RandomGoldAmount != 0);
  tbResOilAmt->setValue(record_.OilAmount);
  cbResOilAmt->setChecked(record_.RandomOilAmount != 0);
  ApplyRandomBoxes();
  tbResGoldAmtChange();
  tbResOilAmtChange();
}

void TfrmResources::SaveResources() {
  record_.GoldMines = static_cast<int8_t>(speResGoldMine->value());
  record_.RandomGoldMines = cbResRanGoldMine->isChecked();
  record_.OilPatches = static_cast<int8_t>(speResOilPat->value());
  record_.RandomOilPatches = cbResRanOilPat->isChecked();
  record_.GoldAmount = tbResGoldAmt->value();
  record_.RandomGoldAmount = cbResGoldAmt->isChecked();
  record_.OilAmount = tbResOilAmt->value();
  record_.RandomOilAmount = cbResOilAmt->isChecked();
  SaveDone();
}

void TfrmResources::SetAllToRandom() {
  SaveResources();
  SetResourcesAllRandom(record_);
  LoadResources();
}

void TfrmResources::SetNoneToRandom() {
  SaveResources();
  SetResourcesNoneRandom(record_);
  LoadResources();
}

void TfrmResources::ResetDefaults() {
  SaveResources();
  ResetResourcesDefaults(record_);
  LoadResources();
}

}  // namespace glenmire
