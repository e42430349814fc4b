#include "gui/windows/difficulty_window.h"

#include <QGridLayout>

#include "settings/random_flags.h"
#include "settings/reset_defaults.h"

namespace glenmire {

namespace {
const char* const kColours[kPlayers] = {"Red", "Blue", "Green", "Violet", "Orange", "Black", "White", "Yellow"};
}

TfrmDifficulty::TfrmDifficulty(SettingsRecord& record, ShellState& shell, QWidget* parent)
    : SettingsForm("TfrmDifficulty", "Startup Units", record, shell, parent) {
  auto* grid = new QGridLayout(this);
  for (int p = 1; p <= kPlayers; ++p) {
    const int i = p - 1;
    tbDiff[i] = MakeTrackBar(QStringLiteral("tbDiff%1").arg(p), 1, 10, 1, this);
    cbDiffRandom[i] = MakeCheckBox(QStringLiteral("cbDiff%1Random").arg(p), "Random", this);
    grid->addWidget(MakeLabel(QStringLiteral("&%1 (%2)").arg(p).arg(kColours[i]), this, tbDiff[i]), i, 0);
    grid->addWidget(TrackBarRow(tbDiff[i], "Less", "More", this), i, 1);
    grid->addWidget(cbDiffRandom[i], i, 2);
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(kPlayers, 1);

  tbAllCompDiff = MakeTrackBar("tbAllCompDiff", 1, 10, 1, this);
  tbAllCompDiff->setAccessibleName("All Comp Players");
  tbAllHumanDiff = MakeTrackBar("tbAllHumanDiff", 1, 10, 1, this);
  tbAllHumanDiff->setAccessibleName("All Human Players");
  cbAllComputerPlayers = MakeCheckBox("cbAllComputerPlayers", "Enable", this);
  cbAllHumanPlayers = MakeCheckBox("cbAllHumanPlayers", "Enable", this);
  cbAllCompPlayersRandom = MakeCheckBox("cbAllCompPlayersRandom", "Random", this);
  cbAllHumanPlayersRandom = MakeCheckBox("cbAllHumanPlayersRandom", "Random", this);
  for (QWidget* w : std::initializer_list<QWidget*>{tbAllCompDiff, tbAllHumanDiff, cbAllComputerPlayers,
                                                    cbAllHumanPlayers, cbAllCompPlayersRandom, cbAllHumanPlayersRandom})
    w->hide();
}

void TfrmDifficulty::EnableTrackBars(bool enabled) {
  for (QSlider* bar : tbDiff) bar->setEnabled(enabled);
}

void TfrmDifficulty::LoadDifficulty() {
  for (int i = 0; i < kPlayers; ++i) {
    tbDiff[i]->setValue(record_.Difficulty[i]);
    cbDiffRandom[i]->setChecked(record_.DifficultyRandom[i] != 0);
  }
  tbAllCompDiff->setValue(record_.AllCompDiff);
  tbAllHumanDiff->setValue(record_.AllHumanDiff);
  cbAllComputerPlayers->setChecked(record_.AllComputerPlayers != 0);
  cbAllHumanPlayers->setChecked(record_.AllHumanPlayers != 0);
  cbAllCompPlayersRandom->setChecked(record_.AllCompPlayersRandom != 0);
  cbAllHumanPlayersRandom->setChecked(record_.AllHumanPlayersRandom != 0);
}

void TfrmDifficulty::SaveDifficulty() {
  for (int i = 0; i < kPlayers; ++i) {
    record_.Difficulty[i] = static_cast<int8_t>(tbDiff[i]->value());
    record_.DifficultyRandom[i] = cbDiffRandom[i]->isChecked();
  }
  record_.AllCompDiff = static_cast<uint8_t>(tbAllCompDiff->value());
  record_.AllHumanDiff = static_cast<uint8_t>(tbAllHumanDiff->value());
  record_.AllComputerPlayers = cbAllComputerPlayers->isChecked();
  record_.AllHumanPlayers = cbAllHumanPlayers->isChecked();
  record_.AllCompPlayersRandom = cbAllCompPlayersRandom->isChecked();
  record_.AllHumanPlayersRandom = cbAllHumanPlayersRandom->isChecked();
  SaveDone();
}

void TfrmDifficulty::SetAllToRandom() {
  SaveDifficulty();
  SetDifficultyAllRandom(record_);
  LoadDifficulty();
  EnableTrackBars(false);
}

void TfrmDifficulty::SetNoneToRandom() {
  SaveDifficulty();
  SetDifficultyNoneRandom(record_);
  LoadDifficulty();
  EnableTrackBars(true);
}

void TfrmDifficulty::ResetDefaults() {
  SaveDifficulty();
  ResetDifficultyDefaults(record_);
  LoadDifficulty();
  EnableTrackBars(true);
}

}  // namespace glenmire
