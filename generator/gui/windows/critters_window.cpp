#include "gui/windows/critters_window.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "settings/random_flags.h"
#include "settings/reset_defaults.h"

namespace glenmire {

TfrmCritters::TfrmCritters(SettingsRecord& record, ShellState& shell, QWidget* parent)
    : SettingsForm("TfrmCritters", "Critters!", record, shell, parent) {
  auto* v = new QVBoxLayout(this);
  auto* normal = new QGroupBox("Non-Player Critters", this);
  auto* n = new QGridLayout(normal);
  tbCrittersNormal = MakeTrackBar("tbCrittersNormal", 0, 10, 0, normal);
  cbRandomCritters = MakeCheckBox("cbRandomCritters", "Random", normal);
  n->addWidget(MakeLabel("Non-Player Critters", normal, tbCrittersNormal), 0, 0);
  n->addWidget(TrackBarRow(tbCrittersNormal, "Less", "More", normal), 0, 1);
  n->addWidget(cbRandomCritters, 0, 2);
  n->setColumnStretch(1, 1);
  LinkRandomBox(cbRandomCritters, tbCrittersNormal);

  auto* players = new QGroupBox("Player Controlled Critters", this);
  auto* p = new QGridLayout(players);
  for (int i = 1; i <= kPlayers; ++i) {
    QSlider* bar = MakeTrackBar(QStringLiteral("tbCrittersPlayer%1").arg(i), 0, 10, 0, players);
    QCheckBox* box = MakeCheckBox(QStringLiteral("cbCritterRandomPlayer%1").arg(i), "Random", players);
    p->addWidget(MakeLabel(QStringLiteral("Player %1").arg(i), players, bar), i - 1, 0);
    p->addWidget(TrackBarRow(bar, "Less", "More", players), i - 1, 1);
    p->addWidget(box, i - 1, 2);
    LinkRandomBox(box, bar);
    tbCrittersPlayer[i - 1] = bar;
    cbCritterRandomPlayer[i - 1] = box;
  }
  p->setColumnStretch(1, 1);
  v->addWidget(normal);
  v->addWidget(players, 1);
}

void TfrmCritters::ApplyRandomBoxes() {
  ApplyRandomBox(cbRandomCritters, tbCrittersNormal);
  for (int i = 0; i < kPlayers; ++i) ApplyRandomBox(cbCritterRandomPlayer[i], tbCrittersPlayer[i]);
}

void TfrmCritters::LoadCritters() {
  tbCrittersNormal->setValue(record_.CrittersNormal);
  cbRandomCritters->setChecked(record_.RandomCritters != 0);
  for (int i = 0; i < kPlayers; ++i) {
    tbCrittersPlayer[i]->setValue(record_.CrittersPlayer[i]);
    cbCritterRandomPlayer[i]->setChecked(record_.CritterRandomPlayer[i] != 0);
  }
  ApplyRandomBoxes();
}

void TfrmCritters::SaveCritters() {
  record_.CrittersNormal = tbCrittersNormal->value();
  record_.RandomCritters = cbRandomCritters->isChecked();
  for (int i = 0; i < kPlayers; ++i) {
    record_.CrittersPlayer[i] = tbCrittersPlayer[i]->value();
    record_.CritterRandomPlayer[i] = cbCritterRandomPlayer[i]->isChecked();
  }
  SaveDone();
}

void TfrmCritters::SetAllToRandom() {
  SaveCritters();
  SetCrittersAllRandom(record_);
  LoadCritters();
  cbRandomCritters->setEnabled(true);
  for (QCheckBox* box : cbCritterRandomPlayer) box->setEnabled(true);
}

void TfrmCritters::SetNoneToRandom() {
  SaveCritters();
  SetCrittersNoneRandom(record_);
  LoadCritters();
}

void TfrmCritters::ResetDefaults() {
  SaveCritters();
  ResetCritterDefaults(record_);
  LoadCritters();
  // As the reset has always left them: only the non-player box usable.
  cbRandomCritters->setEnabled(true);
  for (QCheckBox* box : cbCritterRandomPlayer) box->setEnabled(false);
}

}  // namespace glenmire
