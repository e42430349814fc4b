#include "gui/windows/quick_window.h"

#include <QFile>
#include <QGridLayout>
#include <QRegularExpressionValidator>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/random_flags.h"
#include "settings/reset_defaults.h"

namespace glenmire {

namespace {
constexpr int32_t kSizes[] = {32, 64, 96, 128, 0};
// The longest description that can be typed; the record holds one more.
constexpr int kTypedDescription = 31;
}  // namespace

TfrmQuick::TfrmQuick(SettingsRecord& record, ShellState& shell, QWidget* parent)
    : SettingsForm("TfrmQuick", "File", record, shell, parent) {
  auto* grid = new QGridLayout(this);
  rgMapSize = new RadioGroup("rgMapSize", "Map Size",
                             {"Extra Small Map", "Small Map", "Medium Map", "Large Map", "Random"}, 1, this);
  rgClimate =
      new RadioGroup("rgClimate", "Terrain", {"Forest", "Winter", "Wasteland", "Swamp (v1.3 only)", "Random"}, 1, this);
  grid->addWidget(rgMapSize, 0, 0);
  grid->addWidget(rgClimate, 0, 1);

  edMapDesc = MakeEdit("edMapDesc", this);
  edMapDesc->setMaxLength(kTypedDescription);
  // A map file holds one byte per character: Latin-1 only, so nothing turns into "?".
  edMapDesc->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}]*"), edMapDesc));
  edMapDesc->setToolTip(tr("Letters, digits and signs of Western European languages; a map file holds no others."));
  connect(edMapDesc, &QLineEdit::inputRejected, this, [this] {
    const QString hint = edMapDesc->text().size() >= edMapDesc->maxLength()
                             ? tr("A map description holds at most %1 characters.").arg(edMapDesc->maxLength())
                             : tr("A map description holds only Western European letters, digits and signs.");
    QToolTip::showText(edMapDesc->mapToGlobal(QPoint(0, edMapDesc->height())), hint, edMapDesc);
    descriptionHint_ = hint;
  });
  // A longer stored description is shown whole; once shortened, typing keeps to the limit.
  connect(edMapDesc, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (text.size() <= kTypedDescription) edMapDesc->setMaxLength(kTypedDescription);
  });
  grid->addWidget(MakeLabel("Map Description", this, edMapDesc), 1, 0, 1, 2);
  grid->addWidget(edMapDesc, 2, 0, 1, 2);

  auto* dirBox = new QGroupBox("Warcraft II Directory", this);
  auto* dirLayout = new QVBoxLayout(dirBox);
  dcbWC2Dir = new DriveList("dcbWC2Dir", dirBox);
  dlbWC2Dir = new FolderList("dlbWC2Dir", dirBox);
  edWarcraftDirectoryDisplay = MakeEdit("edWarcraftDirectoryDisplay", dirBox);
  edWarcraftDirectoryDisplay->setReadOnly(true);
  dirLayout->addWidget(dcbWC2Dir);
  dirLayout->addWidget(dlbWC2Dir, 1);
  dirLayout->addWidget(edWarcraftDirectoryDisplay);
  grid->addWidget(dirBox, 0, 2, 4, 1);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(3, 1);

  // Hidden: they only carry their fields through the window.
  speNumberOfPlayers = MakeSpinBox("speNumberOfPlayers", 2, 8, 2, this);
  speNumberOfPlayers->setAccessibleName("Num&ber of Players");
  speHumanControlled = MakeSpinBox("speHumanControlled", 1, 8, 1, this);
  speHumanControlled->setAccessibleName("Number &Human Controlled");
  tbQSLandWater = MakeTrackBar("tbQSLandWater", 0, 100, 0, this);
  cbQSRandomLandWater = MakeCheckBox("cbQSRandomLandWater", "Random", this);
  LinkRandomBox(cbQSRandomLandWater, tbQSLandWater);
  for (QWidget* w : {static_cast<QWidget*>(speNumberOfPlayers), static_cast<QWidget*>(speHumanControlled),
                     static_cast<QWidget*>(tbQSLandWater), static_cast<QWidget*>(cbQSRandomLandWater)})
    w->hide();

  connect(dcbWC2Dir, &QComboBox::activated, this, [this] { dcbWC2DirChange(); });
  connect(dlbWC2Dir, &FolderList::Changed, this, [this] { dlbWC2DirChange(); });
}

void TfrmQuick::dcbWC2DirChange() {
  record_.WC2Drive = dcbWC2Dir->Drive();
  dlbWC2Dir->SetDirectory(dcbWC2Dir->Root());
  edWarcraftDirectoryDisplay->setText(dlbWC2Dir->Directory());
}

void TfrmQuick::dlbWC2DirChange() {
  if (suppressFolderChange_) return;
  record_.WC2Directory.assign(QFile::encodeName(dlbWC2Dir->Directory()).left(255).toStdString());
  edWarcraftDirectoryDisplay->setText(dlbWC2Dir->Directory());
}

void TfrmQuick::LoadQuickStart() {
  for (int i = 0; i < 5; ++i)
    if (record_.MapSize == kSizes[i]) rgMapSize->SetItemIndex(i);
  if (record_.Climate >= 0 && record_.Climate <= 4) rgClimate->SetItemIndex(record_.Climate);
  tbQSLandWater->setValue(record_.LandWater);
  cbQSRandomLandWater->setChecked(record_.RandomLandWater != 0);
  ApplyRandomBox(cbQSRandomLandWater, tbQSLandWater);
  const QString description = QString::fromLatin1(record_.MapDescription.str());
  edMapDesc->setMaxLength(std::max(kTypedDescription, static_cast<int>(description.size())));
  edMapDesc->setText(description);
  if (record_.WC2Drive != 0) {
    suppressFolderChange_ = true;
    dcbWC2Dir->SelectDrive(record_.WC2Drive);
    suppressFolderChange_ = false;
  }
  if (!record_.WC2Directory.empty()) {
    const QString folder = QFile::decodeName(QByteArray::fromStdString(record_.WC2Directory.str()));
    if (record_.WC2Drive == 0 || dcbWC2Dir->Drive() == 0) {
      suppressFolderChange_ = true;
      dcbWC2Dir->SelectHolding(folder);
      suppressFolderChange_ = false;
    }
    dlbWC2Dir->SetDirectory(folder);
    edWarcraftDirectoryDisplay->setText(folder);
  }
}

void TfrmQuick::SaveQuickStart() {
  if (int i = rgMapSize->ItemIndex(); i >= 0) record_.MapSize = kSizes[i];
  if (int i = rgClimate->ItemIndex(); i >= 0) record_.Climate = i;
  record_.HumanControlled = static_cast<int8_t>(speHumanControlled->value());
  record_.NumberOfPlayers = static_cast<int8_t>(speNumberOfPlayers->value());
  record_.LandWater = static_cast<int8_t>(tbQSLandWater->value());
  record_.RandomLandWater = cbQSRandomLandWater->isChecked();
  record_.MapDescription.assign(edMapDesc->text().left(32).toLatin1().toStdString());
  // A drive this system does not have stays as stored.
  if (char drive = dcbWC2Dir->Drive(); drive != 0) record_.WC2Drive = drive;
  record_.WC2Directory.assign(QFile::encodeName(dlbWC2Dir->Directory()).left(255).toStdString());
  SaveDone();
}

void TfrmQuick::SetAllToRandom() {
  SaveQuickStart();
  SetQuickAllRandom(record_);
  LoadQuickStart();
}

void TfrmQuick::SetNoneToRandom() { ResetDefaults(); }

void TfrmQuick::ResetDefaults() {
  SaveQuickStart();
  ResetQuickDefaults(record_);
  LoadQuickStart();
}

}  // namespace glenmire
