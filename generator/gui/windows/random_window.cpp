#include "gui/windows/random_window.h"

#include <QVBoxLayout>

#include "settings/random_flags.h"
#include "settings/reset_defaults.h"

namespace glenmire {

TfrmRandom::TfrmRandom(SettingsRecord& record, ShellState& shell, QWidget* parent)
    : SettingsForm("TfrmRandom", "Random Method", record, shell, parent) {
  auto* v = new QVBoxLayout(this);
  rgRandomMethod =
      new RadioGroup("rgRandomMethod", "Formula Selection",
                     {"Ranged Variance Method", "Weighted Variance Method", "Raw Variance Method", "Random"}, 1, this);
  tbRandomExtremity = MakeTrackBar("tbRandomExtremity", 1, 100, 1, this);
  v->addWidget(rgRandomMethod);
  v->addWidget(MakeLabel("Extremity", this, tbRandomExtremity));
  v->addWidget(TrackBarRow(tbRandomExtremity, "Less", "More", this));
  v->addStretch(1);
  connect(rgRandomMethod, &RadioGroup::Clicked, this, [this] { rgRandomMethodClick(); });
}

void TfrmRandom::rgRandomMethodClick() {
  tbRandomExtremity->setEnabled(rgRandomMethod->ItemIndex() != kRawVarianceMethod);
}

void TfrmRandom::RandomLoad() {
  if (record_.RandomMethod <= kRandomMethodRandom) rgRandomMethod->SetItemIndex(record_.RandomMethod);
  rgRandomMethodClick();
  tbRandomExtremity->setValue(record_.RandomExtremity);
}

void TfrmRandom::RandomSave() {
  if (int i = rgRandomMethod->ItemIndex(); i >= 0) record_.RandomMethod = static_cast<uint8_t>(i);
  record_.RandomExtremity = static_cast<int8_t>(tbRandomExtremity->value());
  SaveDone();
}

void TfrmRandom::SetAllToRandom() {
  RandomSave();
  SetRandomMethodAllRandom(record_);
  RandomLoad();
}

void TfrmRandom::SetNoneToRandom() {
  RandomSave();
  SetRandomMethodNoneRandom(record_);
  RandomLoad();
}

void TfrmRandom::ResetDefaults() {
  RandomSave();
  ResetRandomMethodDefaults(record_);
  RandomLoad();
}

}  // namespace glenmire
