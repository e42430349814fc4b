#include "gui/windows/player_window.h"

#include <QGridLayout>

#include "settings/random_flags.h"
#include "settings/reset_defaults.h"

namespace glenmire {

namespace {

const char* const kColours[kPlayers] = {"Red", "Blue", "Green", "Violet", "Orange", "Black", "White", "Yellow"};

template <std::size_t N>
int IndexOfCode(const uint8_t (&codes)[N], uint8_t code) {
  for (std::size_t i = 0; i < N; ++i)
    if (codes[i] == code) return static_cast<int>(i);
  return -1;
}

}  // namespace

TfrmPlayer::TfrmPlayer(SettingsRecord& record, ShellState& shell, QWidget* parent)
    : SettingsForm("TfrmPlayer", "Player Options", record, shell, parent) {
  auto* grid = new QGridLayout(this);
  grid->setVerticalSpacing(0);
  grid->setContentsMargins(6, 0, 6, 0);
  const QStringList controllers = {"Human", "Computer", "Rescue (Passive)", "Rescue (Active)", "Rescue (Rnd)", "None"};
  const QStringList ais = {"Land Attack", "Passive", "Sea Attack", "Air Attack", "Random"};
  for (int p = 1; p <= kPlayers; ++p) {
    const int i = p - 1;
    const QString n = QString::number(p);
    rgrace[i] = new RadioGroup("rgrace" + n, QStringLiteral("Player &%1 (%2) Race").arg(p).arg(kColours[i]),
                               {"Human", "Orc", "Random"}, 3, this);
    cboController[i] = MakeDropDownList("cboController" + n, controllers, 5, this);
    cboAI[i] = MakeDropDownList("cboAI" + n, ais, 0, this);
    // One row per player: race, then the controller and the A.I. lists.
    auto* lists = new QWidget(this);
    auto* l = new QGridLayout(lists);
    l->setContentsMargins(0, 0, 0, 0);
    l->setVerticalSpacing(0);
    cboController[i]->setParent(lists);
    cboAI[i]->setParent(lists);
    l->addWidget(MakeLabel("Con&troller", lists, cboController[i]), 0, 0);
    l->addWidget(MakeLabel("&A.I.", lists, cboAI[i]), 0, 1);
    l->addWidget(cboController[i], 1, 0);
    l->addWidget(cboAI[i], 1, 1);
    grid->addWidget(rgrace[i], i, 0);
    grid->addWidget(lists, i, 1, Qt::AlignBottom);
    connect(rgrace[i], &RadioGroup::Clicked, this, [this] { PlayerChanged(); });
    connect(cboController[i], &QComboBox::activated, this, [this] { PlayerChanged(); });
    connect(cboAI[i], &QComboBox::activated, this, [this] { PlayerChanged(); });
  }
}

void TfrmPlayer::PlayerChanged() {
  SavePlayer();
  SynchQuickStart(record_);
}

void TfrmPlayer::LoadPlayer() {
  for (int i = 0; i < kPlayers; ++i) {
    if (record_.PlayerRace[i] <= 2) rgrace[i]->SetItemIndex(record_.PlayerRace[i]);
    if (int c = IndexOfCode(kControllerCodes, record_.PlayerController[i]); c >= 0)
      cboController[i]->setCurrentIndex(c);
    if (int a = IndexOfCode(kAiCodes, record_.PlayerAI[i]); a >= 0) cboAI[i]->setCurrentIndex(a);
  }
}

void TfrmPlayer::SavePlayer() {
  for (int i = 0; i < kPlayers; ++i) {
    if (int r = rgrace[i]->ItemIndex(); r >= 0) record_.PlayerRace[i] = static_cast<uint8_t>(r);
    if (int c = cboController[i]->currentIndex(); c >= 0) record_.PlayerController[i] = kControllerCodes[c];
    if (int a = cboAI[i]->currentIndex(); a >= 0) record_.PlayerAI[i] = kAiCodes[a];
  }
  SaveDone();
}

// The buttons change the window's controls like the user does, so the
// players are recounted after them too.
void TfrmPlayer::SetAllToRandom() {
  SavePlayer();
  SetPlayerAllRandom(record_);
  LoadPlayer();
  SynchQuickStart(record_);
}

void TfrmPlayer::SetNoneToRandom() {
  SavePlayer();
  SetPlayerNoneRandom(record_);
  LoadPlayer();
  SynchQuickStart(record_);
}

void TfrmPlayer::ResetDefaults() { SetNoneToRandom(); }

}  // namespace glenmire
