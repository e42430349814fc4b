#include "gui/main_window.h"

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "core/atomic_file.h"
#include "settings/config_file.h"
#include "core/file_error.h"
#include "settings/random_flags.h"
#include "gui/about_window.h"
#include "gui/help_window.h"
#include "gui/settings_forms.h"
#include "run/generation_road.h"

namespace glenmire {

namespace {

constexpr int kPanelWidth = 121;
constexpr QSize kClientSize{632, 424};

QString Latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
// File names go to the core in the file system's own encoding.
std::string PathBytes(const QString& s) { return QFile::encodeName(s).toStdString(); }
QString PathText(const std::string& s) { return QFile::decodeName(QByteArray::fromStdString(s)); }

}  // namespace

TfrmGMMain::TfrmGMMain(const QString& programDir, std::unique_ptr<ShellDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent),
      programDir_(programDir),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtShellDialogs>()),
      state_(MakeGeneratorState()) {
  setObjectName("frmGMMain");
  // A fixed frame with the system menu and the minimise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  if (!programDir_.isEmpty() && !programDir_.endsWith('/') && !programDir_.endsWith(QDir::separator()))
    programDir_ += '/';

  auto* central = new QWidget(this);
  auto* v = new QVBoxLayout(central);
  v->setContentsMargins(2, 2, 2, 2);
  auto* h = new QHBoxLayout;
  mdiArea = new QMdiArea(central);
  mdiArea->setObjectName("mdiArea");
  mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  h->addWidget(mdiArea, 1);
  BuildButtons();
  pnlButtonMenu->setParent(central);
  h->addWidget(pnlButtonMenu);
  v->addLayout(h, 1);
  ProgressBar = new QProgressBar(central);
  ProgressBar->setObjectName("ProgressBar");
  ProgressBar->setRange(0, 100);
  ProgressBar->setValue(0);
  ProgressBar->setTextVisible(false);
  ProgressBar->setFixedHeight(10);
  v->addWidget(ProgressBar);
  setCentralWidget(central);
  StatusBar1 = statusBar();
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  BuildMenus();
  BuildDialogs();

  // Main window creation.
  state_->ui = this;
  state_->random.Seed(static_cast<uint32_t>(QTime::currentTime().msecsSinceStartOfDay()));
  shell_.CurrentForm = 1;
  std::optional<FileError> startError;
  try {
    LoadStartupSettings(*state_, PathBytes(programDir_));
  } catch (const FileError& e) {
    startError = e;  // the defaults are in use; say why once the window is up
  }
  setWindowTitle("Glenmire32 v3.0");
  MenuFromState();

  // A fixed frame, as large as its contents need (a larger font makes it larger).
  const QSize need = sizeHint().expandedTo(kClientSize + QSize(0, menuBar()->sizeHint().height()));
  setFixedSize(need);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  PickForm();  // the "File" window first
  if (startError) ShowFileError(*startError);
}

TfrmGMMain::~TfrmGMMain() {
  // The shown window saves into the record on its way out; it goes first.
  ReleaseForm();
  delete help_;
  state_->ui = nullptr;
}

void TfrmGMMain::BuildButtons() {
  pnlButtonMenu = new QWidget(this);
  pnlButtonMenu->setObjectName("pnlButtonMenu");
  pnlButtonMenu->setMinimumWidth(kPanelWidth);
  auto* v = new QVBoxLayout(pnlButtonMenu);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  static const char* const kNames[10] = {"btQuickStart",       "btPlayer", "btResources", "btUpgrades",
                                         "btStartupResources", "btStartupUnits", "btUnits", "btLand",
                                         "btRandomMethod",     "btCritters"};
  static const char* const kCaptions[10] = {"File", "Player", "Resources", "Upgrades", "Startup Resources",
                                            "Startup Units", "Units", "Land", "Random Method", "Critters!"};
  auto button = [this, v](const char* name, const char* caption) {
    auto* b = new QPushButton(caption, pnlButtonMenu);
    b->setObjectName(name);
    b->setMinimumSize(kPanelWidth, 25);
    b->setAutoDefault(false);
    v->addWidget(b);
    return b;
  };
  for (int i = 0; i < 10; ++i) {
    settingsButtons[i] = button(kNames[i], kCaptions[i]);
    connect(settingsButtons[i], &QPushButton::clicked, this, [this, i] { ShowSettingsWindow(i + 1); });
  }
  v->addSpacing(9);
  btAllRandom = button("btAllRandom", "Set ALL Random");
  btNoneRandom = button("btNoneRandom", "Set NONE Random");
  btResetDefaults = button("btResetDefaults", "Reset Defaults");
  v->addSpacing(1);
  btMayhem = button("btMayhem", "Mayhem");
  lblMapperStatus = new QLabel(pnlButtonMenu);
  lblMapperStatus->setObjectName("lblMapperStatus");
  lblMapperStatus->hide();
  v->addSpacing(10);
  btGenerateMap = button("btGenerateMap", "Generate Map");
  btGenerateMap->setMinimumHeight(35);
  v->addStretch(1);
  auto colour = [](QPushButton* b, Qt::GlobalColor c) {
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, c);
    b->setPalette(p);
  };
  colour(btAllRandom, Qt::blue);
  colour(btNoneRandom, Qt::darkBlue);
  colour(btResetDefaults, Qt::darkBlue);
  connect(btAllRandom, &QPushButton::clicked, this, [this] { MasterSetAllToRandom(); });
  connect(btNoneRandom, &QPushButton::clicked, this, [this] { MasterSetNoneToRandom(); });
  connect(btResetDefaults, &QPushButton::clicked, this, [this] { MasterResetDefaults(); });
  connect(btMayhem, &QPushButton::clicked, this, [this] { btMayhemClick(); });
  connect(btGenerateMap, &QPushButton::clicked, this, [this] { btGenerateMapClick(); });
}

void TfrmGMMain::BuildMenus() {
  auto action = [this](QMenu* menu, const char* name, const char* caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
  };
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File1");
  LoadMap = action(file, "LoadMap", "Load Map");
  file->addSeparator();
  Exit2 = action(file, "Exit2", "Exit");
  QMenu* prefs = menuBar()->addMenu("&Preferences");
  prefs->setObjectName("Preferences1");
  SaveCurrentSettings1 = action(prefs, "SaveCurrentSettings1", "Save Current Settings");
  LoadConfiguration1 = action(prefs, "LoadConfiguration1", "Load Configuration");
  prefs->addSeparator();
  ShowWarnings = action(prefs, "ShowWarnings", "Show Warnings");
  Compensate = action(prefs, "Compensate", "Compensate for Unplaced Units");
  SafetyMode = action(prefs, "SafetyMode", "Safety Mode");
  for (QAction* a : {ShowWarnings, Compensate, SafetyMode}) {
    a->setCheckable(true);
    a->setChecked(true);
  }
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("Help1");
  Contents1 = action(help, "Contents1", "Help");
  help->addSeparator();
  About1 = action(help, "About1", "About");

  connect(LoadMap, &QAction::triggered, this, [this] { LoadMapClick(); });
  connect(Exit2, &QAction::triggered, this, [this] { close(); });
  connect(SaveCurrentSettings1, &QAction::triggered, this, [this] { SaveCurrentSettings1Click(); });
  connect(LoadConfiguration1, &QAction::triggered, this, [this] { LoadConfiguration1Click(); });
  connect(ShowWarnings, &QAction::triggered, this, [this] { ShowWarningsClick(); });
  connect(Compensate, &QAction::triggered, this, [this] { CompensateClick(); });
  connect(SafetyMode, &QAction::triggered, this, [this] { SafetyModeClick(); });
  connect(Contents1, &QAction::triggered, this, [this] { Contents1Click(); });
  connect(About1, &QAction::triggered, this, [this] { About1Click(); });
}

void TfrmGMMain::BuildDialogs() {
  using Mode = FileDialogSetup::Mode;
  odLoadConfig = {Mode::kOpen, "Load Glenmire Configuration", "Glenmire Configuration Files (*.gmp)", "gmp", "", ""};
  // Only configurations, so one cannot be saved over a map; suggested under the
  // name the program loads at start.
  sdSaveConfig = {Mode::kSave, "Save Glenmire Configuration", "Glenmire Configuration Files (*.gmp)", "gmp",
                  kDefaultConfigName, ""};
  sdSaveMap = {Mode::kSave, "Save Glenmire Map", "WarCraft II Compatible Map (*.pud)", "pud", "Glenmire.pud", ""};
  odLoadMap = {Mode::kOpen, "", "WarCraft II Map Files (*.pud)", "pud", "", ""};
}

QString TfrmGMMain::DefaultConfigPath() const { return programDir_ + kDefaultConfigName; }

QString TfrmGMMain::HelpFilePath() const { return programDir_ + "help/glenmire.html"; }

void TfrmGMMain::MenuFromState() {
  ShowWarnings->setChecked(state_->menu.showWarnings);
  Compensate->setChecked(state_->menu.compensate);
  SafetyMode->setChecked(state_->menu.safetyMode);
}

// ---- window switching ----

void TfrmGMMain::ShowSettingsWindow(int index) {
  KillForm();
  shell_.CurrentForm = index;
  PickForm();
}

void TfrmGMMain::KillForm() {
  shell_.FormSavePending = true;
  if (form_ && shell_.CurrentForm != 0) {
    form_->Save();
  } else {
    // No window to save, so no save will clear the flag: clear it here.
    shell_.FormSavePending = false;
  }
  ReleaseForm();
}

void TfrmGMMain::ReleaseForm() {
  if (!form_) return;
  // The window goes with its frame; it saves once more on its way out.
  QWidget* frame = form_->parentWidget();
  if (frame)
    delete frame;
  else
    delete form_.data();
  form_ = nullptr;
}

void TfrmGMMain::PickForm() {
  SettingsForm* form = CreateSettingsForm(shell_.CurrentForm, state_->settings, shell_);
  if (!form) return;
  QMdiSubWindow* frame = mdiArea->addSubWindow(form, Qt::FramelessWindowHint);
  frame->setAttribute(Qt::WA_DeleteOnClose);
  form_ = form;
  form->FormCreate();
  frame->show();
  FitShownForm();
}

void TfrmGMMain::FitShownForm() {
  // A larger font makes a settings window larger: the frame grows to show it
  // whole (sizes are only known once the frame is on the screen).
  if (!form_ || !isVisible()) return;
  const QRect need = form_->parentWidget() ? form_->parentWidget()->geometry() : form_->geometry();
  const int border = 2 * mdiArea->frameWidth();
  const QSize have = mdiArea->size() - QSize(border, border);
  const QSize grow(std::max(0, need.right() + 1 - have.width()), std::max(0, need.bottom() + 1 - have.height()));
  if (!grow.isNull()) setFixedSize(size() + grow);
}

void TfrmGMMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FitShownForm();
}

void TfrmGMMain::MasterClose() {
  if (shell_.CurrentForm != 0 && form_) form_->Save();
}

void TfrmGMMain::MasterOpen() {
  if (shell_.CurrentForm != 0 && form_) form_->Load();
}

void TfrmGMMain::MasterSetAllToRandom() {
  if (form_) form_->SetAllToRandom();
}

void TfrmGMMain::MasterSetNoneToRandom() {
  if (form_) form_->SetNoneToRandom();
}

void TfrmGMMain::MasterResetDefaults() {
  if (form_) form_->ResetDefaults();
}

// ---- commands ----

void TfrmGMMain::btMayhemClick() {
  MasterClose();
  ApplyMayhem(state_->settings);
  MasterOpen();
}

void TfrmGMMain::btGenerateMapClick() {
  GeneratorState& s = *state_;
  if (s.MapLoaded) {
    const auto answer = dialogs_->Message(this, QMessageBox::Question, "Confirm", kGenitizeQuestion, QString(),
                                          QMessageBox::Yes | QMessageBox::No);
    AnswerGenitizeQuestion(s, answer == QMessageBox::Yes);
  }
  sdSaveMap.directory = PathText(s.settings.WC2Directory.str());
  const std::optional<QString> file = RunDialog(sdSaveMap);
  if (!file || file->isEmpty()) return;
  if (!MapFileNameFits(PathBytes(*file))) {
    ShowError("The map file name is too long (at most 255 characters).", *file);
    return;
  }
  try {
    CheckWritable(PathBytes(*file));  // before the run, so a bad folder costs no work
  } catch (const FileError& e) {
    ShowFileError(e);
    return;
  }

  MasterClose();
  s.menu = {ShowWarnings->isChecked(), Compensate->isChecked(), SafetyMode->isChecked()};
  try {
    const RunOutcome outcome = PrepareAndRunGeneration(s, PathBytes(*file));
    if (outcome.kind == RunOutcome::Kind::kRefused)
      ShowError("This map cannot be made.", Latin1(outcome.reason));
    else
      Inform(outcome.Message());
  } catch (const FileError& e) {
    // The record is already the user's again; show why the map was not written.
    Progress(0);
    ShowFileError(e);
  } catch (const std::exception& e) {
    Progress(0);
    ShowError("The map could not be made.", QString::fromLocal8Bit(e.what()));
  }
  MasterOpen();
}

void TfrmGMMain::LoadMapClick() {
  RunFileCommand(odLoadMap, [this](const std::string& path) { LoadMapForGenitize(*state_, path); });
}

void TfrmGMMain::SaveCurrentSettings1Click() {
  RunFileCommand(sdSaveConfig, [this](const std::string& path) { SaveConfiguration(state_->settings, path); });
}

void TfrmGMMain::LoadConfiguration1Click() {
  RunFileCommand(odLoadConfig, [this](const std::string& path) {
    LoadConfigurationWithMenu(*state_, path);
    MenuFromState();
  });
}

void TfrmGMMain::RunFileCommand(FileDialogSetup& dialog, const std::function<void(const std::string&)>& action) {
  dialog.directory = programDir_;
  const std::optional<QString> file = RunDialog(dialog);
  if (!file) return;
  MasterClose();
  if (!file->isEmpty()) {
    try {
      action(PathBytes(*file));
    } catch (const FileError& e) {
      ShowFileError(e);
    }
  }
  MasterOpen();
}

void TfrmGMMain::ShowWarningsClick() {
  state_->menu.showWarnings = ShowWarnings->isChecked();
  state_->settings.ShowWarnings = ShowWarnings->isChecked();
}

void TfrmGMMain::CompensateClick() {
  state_->menu.compensate = Compensate->isChecked();
  state_->settings.Compensate = Compensate->isChecked();
}

// The record takes this one at the next "Generate Map".
void TfrmGMMain::SafetyModeClick() { state_->menu.safetyMode = SafetyMode->isChecked(); }

void TfrmGMMain::Contents1Click() {
  const QString file = HelpFilePath();
  if (!QFileInfo::exists(file)) {
    ShowError("The help document could not be found.", file);
    return;
  }
  if (!help_) help_ = new HelpWindow(file, this);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void TfrmGMMain::About1Click() {
  TfrmAbout about(this);
  about.exec();
}

// ---- the generation run's voice ----

void TfrmGMMain::Progress(int percent) {
  ProgressBar->setValue(percent);
  // The run holds the GUI thread; paint the bar now rather than when it ends.
  ProgressBar->repaint();
}

void TfrmGMMain::Status(const std::string& text) { lblMapperStatus->setText(Latin1(text)); }

BuildOnSandAnswer TfrmGMMain::AskBuildOnSand(const std::string& text) {
  const auto answer = dialogs_->Message(this, QMessageBox::Warning, "Warning", Latin1(text), QString(),
                                        QMessageBox::Ok | QMessageBox::Cancel);
  return answer == QMessageBox::Ok ? BuildOnSandAnswer::kOk : BuildOnSandAnswer::kCancel;
}

UnplacedAnswer TfrmGMMain::AskUnplaced(const std::string& text) {
  const auto answer = dialogs_->Message(this, QMessageBox::Warning, "Warning", Latin1(text), QString(),
                                        QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
  if (answer == QMessageBox::Retry) return UnplacedAnswer::kRetry;
  if (answer == QMessageBox::Ignore) return UnplacedAnswer::kIgnore;
  return UnplacedAnswer::kAbort;
}

// The run's last word ("Done Creating MapFile", the failure message).
void TfrmGMMain::Inform(const std::string& text) {
  dialogs_->Message(this, QMessageBox::Information, "Information", Latin1(text), QString(), QMessageBox::Ok);
}

// ---- helpers ----

std::optional<QString> TfrmGMMain::RunDialog(const FileDialogSetup& setup) { return dialogs_->FileDialog(this, setup); }

void TfrmGMMain::ShowFileError(const FileError& e) {
  // "File does not exist." stands as it is, with the file under it.
  if (e.reason() == kFileDoesNotExist)
    ShowError(kFileDoesNotExist, PathText(e.file()));
  else
    ShowError(QString::fromLocal8Bit(e.reason()), PathText(e.file()));
}

void TfrmGMMain::ShowError(const QString& text, const QString& detail) {
  dialogs_->Message(this, QMessageBox::Critical, "Error", text, detail, QMessageBox::Ok);
}

}  // namespace glenmire
