#include "gui/windows/start_res_window.h"

#include <QGridLayout>
#include <QIntValidator>

#include "settings/random_flags.h"
#include "settings/reset_defaults.h"

namespace glenmire {

namespace {
const char* const kColours[kPlayers] = {"Red", "Blue", "Green", "Violet", "Orange", "Black", "White", "Yellow"};
const char* const kResources[3] = {"Gold", "Lumber", "Oil"};
}  // namespace

TfrmStartRes::TfrmStartRes(SettingsRecord& record, ShellState& shell, QWidget* parent)
    : SettingsForm("TfrmStartRes", "Startup Resources", record, shell, parent) {
  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(2);
  for (int r = 0; r < 3; ++r) {
    grid->addWidget(new QLabel(kResources[r], this), 1 + 2 * r, 0);
    for (int p = 0; p < kPlayers; ++p) {
      const QString suffix = QString::fromLatin1(kResources[r]) + QString::fromLatin1(kColours[p]);
      QLineEdit* edit = MakeEdit("txtStart" + suffix, this);
      edit->setValidator(new QIntValidator(edit));
      edit->setMinimumWidth(40);
      QCheckBox* box = MakeCheckBox("cbRandomStart" + suffix, "Rnd", this);
      LinkRandomBox(box, edit);  // cbRandomStartGoldRedClick ..
      txtStart[r][p] = edit;
      cbRandomStart[r][p] = box;
      grid->addWidget(edit, 1 + 2 * r, p + 1);
      grid->addWidget(box, 2 + 2 * r, p + 1);
    }
  }
  // Column captions, wrapped so that eight columns fit the window.
  for (int p = 0; p < kPlayers; ++p) {
    QLabel* caption = MakeLabel(QStringLiteral("&%1 (%2)").arg(p + 1).arg(kColours[p]), this, txtStart[kGold][p]);
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignCenter);
    grid->addWidget(caption, 0, p + 1);
  }
  grid->setRowStretch(7, 1);
}

int32_t* TfrmStartRes::Values(int resource) {
  return resource == kGold ? record_.StartGold : resource == kLumber ? record_.StartLumber : record_.StartOil;
}

uint8_t* TfrmStartRes::Flags(int resource) {
  return resource == kGold     ? record_.RandomStartGold
         : resource == kLumber ? record_.RandomStartLumber
                               : record_.RandomStartOil;
}

void TfrmStartRes::LoadStartRes() {
  for (int r = 0; r < 3; ++r)
    for (int p = 0; p < kPlayers; ++p) {
      cbRandomStart[r][p]->setChecked(Flags(r)[p] != 0);
      ApplyRandomBox(cbRandomStart[r][p], txtStart[r][p]);
      txtStart[r][p]->setText(QString::number(Values(r)[p]));
    }
}

void TfrmStartRes::SaveStartRes() {
  for (int r = 0; r < 3; ++r)
    for (int p = 0; p < kPlayers; ++p) {
      Flags(r)[p] = cbRandomStart[r][p]->isChecked();
      // An edit left without a number keeps the stored value.
      long long v = 0;
      if (EditValue(txtStart[r][p], INT32_MIN, INT32_MAX, v)) Values(r)[p] = static_cast<int32_t>(v);
    }
  SaveDone();
}

void TfrmStartRes::SetAllToRandom() {
  SaveStartRes();
  SetStartResAllRandom(record_);
  LoadStartRes();
}

void TfrmStartRes::SetNoneToRandom() {
  SaveStartRes();
  SetStartResNoneRandom(record_);
  LoadStartRes();
}

void TfrmStartRes::ResetDefaults() {
  // Written to the record at once; typing not yet saved is replaced.
  ResetStartResDefaults(record_);
  LoadStartRes();
}

}  // namespace glenmire
