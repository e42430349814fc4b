#include "gui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "core/atomic_file.h"
#include "core/file_error.h"
#include "gui/about_window.h"
#include "gui/help_window.h"
#include "gui/preview_pane.h"
#include "gui/settings_forms.h"
#include "mapfile/map_reader.h"
#include "mapfile/map_sections.h"
#include "report/fairness.h"
#include "run/generation_road.h"
#include "run/fair_search.h"
#include "run/pipeline.h"
#include "run/presets.h"
#include "settings/config_file.h"
#include "settings/random_flags.h"

namespace glenmire {

namespace {

constexpr int kPanelWidth = 121;
constexpr QSize kClientSize{632, 424};
constexpr const char* kTitle = "Glenmire32 v3.0";

QString Latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }
// File names go to the core in the file system's own encoding.
std::string PathBytes(const QString& s) { return QFile::encodeName(s).toStdString(); }
QString PathText(const std::string& s) { return QFile::decodeName(QByteArray::fromStdString(s)); }

// Where the window keeps what it remembers between runs.
QString FolderKey(const FileDialogSetup& setup) { return "folders/" + setup.key; }

// The settings a user would call changed: everything but the map file name,
// which every "Generate Map" stores.
bool SameSettings(const SettingsRecord& a, const SettingsRecord& b) {
  SettingsRecord x = a, y = b;
  x.MapFileName = y.MapFileName;
  return std::memcmp(&x, &y, sizeof x) == 0;
}

}  // namespace

MainWindow::MainWindow(const QString& programDir, std::unique_ptr<ShellDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent),
      programDir_(programDir),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtShellDialogs>()),
      state_(MakeGeneratorState()),
      shown_(MakeGeneratorState()),
      cleanSettings_(ZeroRecord()) {
  setObjectName("frmGMMain");
  if (!programDir_.isEmpty() && !programDir_.endsWith('/') && !programDir_.endsWith(QDir::separator()))
    programDir_ += '/';

  auto* central = new QWidget(this);
  auto* v = new QVBoxLayout(central);
  v->setContentsMargins(2, 2, 2, 2);
  auto* h = new QHBoxLayout;
  mdiArea_ = new QMdiArea(central);
  mdiArea_->setObjectName("mdiArea");
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setBackground(palette().window());
  h->addWidget(mdiArea_, 0);
  previewColumn_ = new QWidget(central);
  auto* previewLayout = new QVBoxLayout(previewColumn_);
  previewLayout->setContentsMargins(0, 0, 0, 0);
  preview_ = new PreviewPane(previewColumn_);
  previewLayout->addWidget(preview_);
  h->addWidget(previewColumn_, 1);
  auto* panel = new QWidget(central);
  BuildButtons(panel);
  h->addWidget(panel, 0);
  v->addLayout(h, 1);
  progressBar_ = new QProgressBar(central);
  progressBar_->setObjectName("ProgressBar");
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  progressBar_->setTextVisible(false);
  progressBar_->setFixedHeight(10);
  v->addWidget(progressBar_);
  setCentralWidget(central);
  statusBar()->setObjectName("StatusBar1");
  BuildMenus();
  BuildDialogs();

  // Main window creation.
  shell_.CurrentForm = 1;
  std::optional<FileError> startError;
  try {
    const std::string loaded = LoadStartupSettings(*state_, PathBytes(programDir_));
    if (!loaded.empty()) documentName_ = QFileInfo(PathText(loaded)).fileName();
  } catch (const FileError& e) {
    startError = e;  // the defaults are in use; say why once the window is up
  }
  MenuFromState();

  // The frame is as large as its contents need (a larger font makes it larger);
  // it can be made larger still, and the preview grows with it.
  resize(sizeHint().expandedTo(kClientSize + QSize(360, menuBar()->sizeHint().height())));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  PickForm();  // the "File" window first
  MarkSettingsClean();
  if (startError) ShowFileError(*startError);
}

MainWindow::~MainWindow() {
  // The shown window saves into the record on its way out; it goes first.
  ReleaseForm();
  delete help_;
}

void MainWindow::BuildButtons(QWidget* panel) {
  panel->setObjectName("pnlButtonMenu");
  panel->setMinimumWidth(kPanelWidth);
  auto* v = new QVBoxLayout(panel);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  static const char* const kNames[10] = {"btQuickStart",       "btPlayer", "btResources", "btUpgrades",
                                         "btStartupResources", "btStartupUnits", "btUnits", "btLand",
                                         "btRandomMethod",     "btCritters"};
  static const char* const kCaptions[10] = {"File", "Player", "Resources", "Upgrades", "Startup Resources",
                                            "Startup Units", "Units", "Land", "Random Method", "Critters!"};
  auto button = [panel, v](const char* name, const char* caption) {
    auto* b = new QPushButton(caption, panel);
    b->setObjectName(name);
    b->setMinimumSize(kPanelWidth, 25);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    v->addWidget(b);
    return b;
  };
  for (int i = 0; i < 10; ++i) {
    QPushButton* b = button(kNames[i], kCaptions[i]);
    connect(b, &QPushButton::clicked, this, [this, i] { ShowSettingsWindow(i + 1); });
  }
  v->addSpacing(9);
  QPushButton* allRandom = button("btAllRandom", "Set ALL Random");
  QPushButton* noneRandom = button("btNoneRandom", "Set NONE Random");
  QPushButton* resetDefaults = button("btResetDefaults", "Reset Defaults");
  v->addSpacing(1);
  QPushButton* mayhem = button("btMayhem", "Mayhem");
  lblMapperStatus_ = new QLabel(panel);
  lblMapperStatus_->setObjectName("lblMapperStatus");
  lblMapperStatus_->hide();
  v->addSpacing(10);
  QPushButton* generate = button("btGenerateMap", "Generate Map");
  generate->setMinimumHeight(35);
  QPushButton* preview = button("btPreviewMap", "Preview Map");
  v->addStretch(1);
  // The random buttons stand out in the link colour of the user's palette,
  // readable on light and dark themes alike.
  for (QPushButton* b : {allRandom, noneRandom, resetDefaults}) {
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, p.color(QPalette::Link));
    b->setPalette(p);
  }
  connect(allRandom, &QPushButton::clicked, this, [this] { MasterSetAllToRandom(); });
  connect(noneRandom, &QPushButton::clicked, this, [this] { MasterSetNoneToRandom(); });
  connect(resetDefaults, &QPushButton::clicked, this, [this] { MasterResetDefaults(); });
  connect(mayhem, &QPushButton::clicked, this, [this] { Mayhem(); });
  connect(generate, &QPushButton::clicked, this, [this] { GenerateMap(); });
  connect(preview, &QPushButton::clicked, this, [this] { PreviewMap(); });
}

void MainWindow::BuildMenus() {
  auto action = [this](QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
  };
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File1");
  QAction* loadMap = action(file, "LoadMap", "Load Map");
  QMenu* presets = file->addMenu("New from &Preset");
  presets->setObjectName("NewFromPreset");
  presets->setToolTipsVisible(true);
  for (const PresetRecipe& recipe : ListPresets(PathBytes(programDir_))) {
    const QString name = PathText(recipe.name);
    QAction* a = presets->addAction(name + " \u2014 " + QString::fromStdString(recipe.description));
    a->setObjectName("preset:" + name);
    const QString survey = QString::fromStdString(recipe.survey);
    a->setToolTip(survey);
    a->setStatusTip(survey);
    connect(a, &QAction::triggered, this, [this, name] { LoadPreset(name); });
  }
  presets->setEnabled(!presets->isEmpty());
  file->addSeparator();
  QAction* generate = action(file, "GenerateMap", "&Generate Map");
  generate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  QAction* preview = action(file, "PreviewMap", "&Preview Map");
  preview->setShortcut(QKeySequence(Qt::Key_F5));
  file->addSeparator();
  QAction* exit = action(file, "Exit2", "Exit");
  exit->setShortcut(QKeySequence::Quit);

  QMenu* view = menuBar()->addMenu("&View");
  view->setObjectName("View1");
  showPreview_ = action(view, "ShowPreview", "Map &Preview");
  showPreview_->setCheckable(true);
  showPreview_->setChecked(QSettings().value("view/preview", true).toBool());
  previewColumn_->setVisible(showPreview_->isChecked());

  QMenu* prefs = menuBar()->addMenu("&Preferences");
  prefs->setObjectName("Preferences1");
  QAction* saveSettings = action(prefs, "SaveCurrentSettings1", "Save Current Settings");
  QAction* loadConfiguration = action(prefs, "LoadConfiguration1", "Load Configuration");
  prefs->addSeparator();
  showWarnings_ = action(prefs, "ShowWarnings", "Show Warnings");
  compensate_ = action(prefs, "Compensate", "Compensate for Unplaced Units");
  safetyMode_ = action(prefs, "SafetyMode", "Safety Mode");
  for (QAction* a : {showWarnings_, compensate_, safetyMode_}) {
    a->setCheckable(true);
    a->setChecked(true);
  }
  prefs->addSeparator();
  fairMapsOnly_ = action(prefs, "FairMapsOnly", "&Fair Maps Only");
  fairMapsOnly_->setCheckable(true);
  fairMapsOnly_->setChecked(QSettings().value("preferences/fairMapsOnly", false).toBool());
  fairMapsOnly_->setStatusTip(tr("Runs try seed after seed until a map passes the fairness rules"));
  connect(fairMapsOnly_, &QAction::toggled, this, [](bool on) { QSettings().setValue("preferences/fairMapsOnly", on); });
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("Help1");
  QAction* contents = action(help, "Contents1", "Help");
  contents->setShortcut(QKeySequence::HelpContents);
  help->addSeparator();
  QAction* about = action(help, "About1", "About");

  connect(loadMap, &QAction::triggered, this, [this] { LoadMapClick(); });
  connect(generate, &QAction::triggered, this, [this] { GenerateMap(); });
  connect(preview, &QAction::triggered, this, [this] { PreviewMap(); });
  connect(exit, &QAction::triggered, this, [this] { close(); });
  connect(showPreview_, &QAction::toggled, this, [this](bool on) {
    previewColumn_->setVisible(on);
    QSettings().setValue("view/preview", on);
  });
  connect(saveSettings, &QAction::triggered, this, [this] { SaveCurrentSettingsClick(); });
  connect(loadConfiguration, &QAction::triggered, this, [this] { LoadConfigurationClick(); });
  connect(showWarnings_, &QAction::triggered, this, [this] {
    state_->menu.showWarnings = showWarnings_->isChecked();
    state_->settings.ShowWarnings = showWarnings_->isChecked();
  });
  connect(compensate_, &QAction::triggered, this, [this] {
    state_->menu.compensate = compensate_->isChecked();
    state_->settings.Compensate = compensate_->isChecked();
  });
  // The record takes this one at the next "Generate Map".
  connect(safetyMode_, &QAction::triggered, this, [this] { state_->menu.safetyMode = safetyMode_->isChecked(); });
  connect(contents, &QAction::triggered, this, [this] { HelpClick(); });
  connect(about, &QAction::triggered, this, [this] { AboutClick(); });
}

void MainWindow::BuildDialogs() {
  using Mode = FileDialogSetup::Mode;
  odLoadConfig_ = {Mode::kOpen, "Load Glenmire Configuration", "Glenmire Configuration Files (*.gmp)", "gmp", "", "",
                   "configuration"};
  // Only configurations, so one cannot be saved over a map; suggested under the
  // name the program loads at start.
  sdSaveConfig_ = {Mode::kSave, "Save Glenmire Configuration", "Glenmire Configuration Files (*.gmp)", "gmp",
                   kDefaultConfigName, "", "configuration"};
  sdSaveMap_ = {Mode::kSave, "Save Glenmire Map", "WarCraft II Compatible Map (*.pud)", "pud", "Glenmire.pud", "",
                "map"};
  odLoadMap_ = {Mode::kOpen, "", "WarCraft II Map Files (*.pud)", "pud", "", "", "map"};
}

QString MainWindow::DefaultConfigPath() const { return programDir_ + kDefaultConfigName; }

QString MainWindow::HelpFilePath() const { return programDir_ + "help/glenmire.html"; }

void MainWindow::MenuFromState() {
  showWarnings_->setChecked(state_->menu.showWarnings);
  compensate_->setChecked(state_->menu.compensate);
  safetyMode_->setChecked(state_->menu.safetyMode);
}

// ---- window switching ----

void MainWindow::ShowSettingsWindow(int index) {
  KillForm();
  shell_.CurrentForm = index;
  PickForm();
}

void MainWindow::KillForm() {
  shell_.FormSavePending = true;
  if (form_ && shell_.CurrentForm != 0) {
    form_->Save();
  } else {
    // No window to save, so no save will clear the flag: clear it here.
    shell_.FormSavePending = false;
  }
  ReleaseForm();
}

void MainWindow::ReleaseForm() {
  if (!form_) return;
  // The window goes with its frame; it saves once more on its way out.
  QWidget* frame = form_->parentWidget();
  if (frame)
    delete frame;
  else
    delete form_.data();
  form_ = nullptr;
}

void MainWindow::PickForm() {
  SettingsForm* form = CreateSettingsForm(shell_.CurrentForm, state_->settings, shell_);
  if (!form) return;
  QMdiSubWindow* frame = mdiArea_->addSubWindow(form, Qt::FramelessWindowHint);
  frame->setAttribute(Qt::WA_DeleteOnClose);
  form_ = form;
  connect(form, &SettingsForm::TabOut, this, [this](bool next) {
    if (auto* b = findChild<QPushButton*>(next ? "btQuickStart" : "btPreviewMap")) b->setFocus(Qt::TabFocusReason);
  });
  form->FormCreate();
  frame->show();
  FitShownForm();
}

void MainWindow::FitShownForm() {
  // The frame is as wide and high as the settings window needs (a larger font
  // makes it larger); the preview takes the rest.
  if (!form_) return;
  const QWidget* frame = form_->parentWidget() ? form_->parentWidget() : form_.data();
  const int border = 2 * mdiArea_->frameWidth();
  const QRect need = frame->geometry();
  mdiArea_->setFixedWidth(need.right() + 1 + border);
  mdiArea_->setMinimumHeight(need.bottom() + 1 + border);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FitShownForm();
}

void MainWindow::MasterClose() {
  if (shell_.CurrentForm != 0 && form_) form_->Save();
}

void MainWindow::MasterOpen() {
  if (shell_.CurrentForm != 0 && form_) form_->Load();
}

void MainWindow::MasterSetAllToRandom() {
  if (form_) form_->SetAllToRandom();
}

void MainWindow::MasterSetNoneToRandom() {
  if (form_) form_->SetNoneToRandom();
}

void MainWindow::MasterResetDefaults() {
  if (form_) form_->ResetDefaults();
}

// ---- commands ----

void MainWindow::Mayhem() {
  MasterClose();
  ApplyMayhem(state_->settings);
  MasterOpen();
}

void MainWindow::GenerateMap() {
  GeneratorState& s = *state_;
  if (s.MapLoaded) {
    const auto answer = dialogs_->Message(this, QMessageBox::Question, "Confirm", kGenitizeQuestion, QString(),
                                          QMessageBox::Yes | QMessageBox::No);
    AnswerGenitizeQuestion(s, loadedMap_, answer == QMessageBox::Yes);
  }
  const std::optional<QString> file = RunDialog(sdSaveMap_);
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
  Run(PathBytes(*file));
}

void MainWindow::PreviewMap() { Run(std::nullopt); }

uint32_t MainWindow::NextSeed() const {
  if (auto kept = preview_->KeptSeed()) return *kept;
  return QRandomGenerator::global()->generate();
}

void MainWindow::ShowBytes(const std::string& mapFile, const std::vector<uint8_t>& bytes, const StartGroups& groups) {
  // What the pane shows is read back from the very bytes of the map.
  LoadMapBytes(*shown_, mapFile, bytes);
  shown_->MapLoaded = true;
  preview_->ShowMap(*shown_, bytes, groups, rules_);
}

void MainWindow::Run(const std::optional<std::string>& mapFile) {
  GeneratorState& s = *state_;
  MasterClose();
  s.menu = {showWarnings_->isChecked(), compensate_->isChecked(), safetyMode_->isChecked()};
  if (fairMapsOnly_->isChecked() && !s.MapLoaded) {
    RunFairSearch(mapFile);
    MasterOpen();
    return;
  }
  const uint32_t seed = NextSeed();
  s.random.Seed(seed);
  MemorySink memory;
  FileSink file;
  RunOptions options;
  options.sink = mapFile ? static_cast<MapSink*>(&file) : &memory;
  options.ui = this;
  options.loadedMap = &loadedMap_;
  try {
    const RunOutcome outcome = PrepareAndRunGeneration(s, mapFile.value_or(s.settings.MapFileName.str()), options);
    const std::vector<uint8_t>& bytes = mapFile ? file.bytes : memory.bytes;
    if (outcome.MapMade()) {
      // What the pane shows is read back from the very bytes of the map.
      ShowBytes(outcome.mapFile, bytes, StartGroupsFromSettings(s.settings));
    }
    ShowOutcome(outcome, seed, !mapFile);
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

// Fair Maps Only: the command's search with its default rules and tries; no
// question is asked on the way (Build On Sand is answered Cancel).
void MainWindow::RunFairSearch(const std::optional<std::string>& mapFile) {
  GeneratorState& s = *state_;
  SettingsRecord& r = s.settings;
  // As Generate Map stores them before its backup.
  if (mapFile) r.MapFileName.assign(*mapFile);
  MenuChecksIntoRecord(s.menu, r);
  FairSearchRequest request;
  request.setup.record = r;
  request.setup.menu = s.menu;
  request.setup.mapFileName = r.MapFileName.empty() ? kDefaultMapFileName : r.MapFileName.str();
  request.setup.buildOnSand = BuildOnSandAnswer::kCancel;
  request.setup.rules = rules_;
  request.firstSeed = NextSeed();
  request.tries = kDefaultFairTries;
  const FairSearchResult result = FindFairMap(request, [this](const FairSearchProgress& p) {
    Progress(p.tried * 100 / std::max(p.tries, 1));
    statusBar()->showMessage(tr("Looking for a fair map: try %1 of %2, seed %3").arg(p.tried).arg(p.tries).arg(p.seed));
    statusBar()->repaint();
    return true;
  });
  Progress(0);
  const uint32_t last = request.firstSeed + static_cast<uint32_t>(std::max(result.tries - 1, 0));
  switch (result.kind) {
    case FairSearchResult::Kind::kRefused:
      statusBar()->showMessage(tr("refused"));
      ShowError("This map cannot be made.", Latin1(result.reason));
      return;
    case FairSearchResult::Kind::kNotFound:
    case FairSearchResult::Kind::kStopped: {
      QString why = tr("No map was made.");
      if (auto rule = result.tally.MostCommon())
        why = tr("The rule failed most often (in %1 of %2 tries): %3.")
                  .arg(result.tally.Count(*rule))
                  .arg(result.tries)
                  .arg(QString::fromStdString(DescribeFairRule(request.setup.rules, *rule)));
      statusBar()->showMessage(tr("No fair map in %1 tries").arg(result.tries));
      ShowError(tr("No fair map was found in %1 tries (seeds %2 to %3).").arg(result.tries).arg(request.firstSeed).arg(last),
                why);
      return;
    }
    case FairSearchResult::Kind::kFound:
      break;
  }
  lastSeed_ = result.seed;
  preview_->ShowSeed(result.seed);
  try {
    if (mapFile) WriteFileAtomically(result.mapFile, result.bytes.data(), result.bytes.size());
  } catch (const FileError& e) {
    ShowFileError(e);
    return;
  }
  ShowBytes(result.mapFile, result.bytes, StartGroupsFromSettings(request.setup.record));
  const QString found = tr("Seed %1: fair after %2 %3").arg(result.seed).arg(result.tries).arg(result.tries == 1 ? tr("try") : tr("tries"));
  statusBar()->showMessage(mapFile ? found + ": " + tr("map written to %1").arg(PathText(result.mapFile)) : found);
  if (mapFile) Inform(kDoneCreating);
}

void MainWindow::LoadPreset(const QString& name) {
  MasterClose();
  try {
    const std::string preset = kPresetPrefix + PathBytes(name);
    LoadConfigurationWithMenu(*state_, ResolveConfigPath(preset, PathBytes(programDir_)));
    MenuFromState();
    documentName_ = name;
    rules_ = RulesForConfig(preset, PathBytes(programDir_));
  } catch (const FileError& e) {
    ShowFileError(e);
  }
  MasterOpen();
  MarkSettingsClean();
}

void MainWindow::ShowOutcome(const RunOutcome& outcome, uint32_t seed, bool preview) {
  lastSeed_ = seed;
  preview_->ShowSeed(seed);
  const QString seedText = QStringLiteral("Seed %1").arg(seed);
  switch (outcome.kind) {
    case RunOutcome::Kind::kRefused:
      statusBar()->showMessage(seedText + ": " + tr("refused"));
      ShowError("This map cannot be made.", Latin1(outcome.reason));
      return;
    case RunOutcome::Kind::kNoPlayableMap:
      statusBar()->showMessage(seedText + ": " + tr("no playable map"));
      Inform(outcome.Message());
      return;
    case RunOutcome::Kind::kMapWritten:
    case RunOutcome::Kind::kMapGenitized:
      if (preview) {
        statusBar()->showMessage(seedText + ": " + tr("preview, not saved"));
        return;
      }
      statusBar()->showMessage(seedText + ": " + tr("map written to %1").arg(PathText(outcome.mapFile)));
      Inform(outcome.Message());
      return;
  }
}

void MainWindow::LoadMapClick() {
  RunFileCommand(odLoadMap_, [this](const std::string& path) {
    loadedMap_ = LoadMapForGenitize(*state_, path);
    // A map's own settings do not say which players were meant to start alike.
    rules_ = {};
    ShowBytes(path, ReadMapFileBytes(path), AllStartAlike());
    documentName_ = QFileInfo(PathText(path)).fileName();
  });
}

void MainWindow::SaveCurrentSettingsClick() {
  RunFileCommand(sdSaveConfig_, [this](const std::string& path) {
    SaveConfiguration(state_->settings, path);
    documentName_ = QFileInfo(PathText(path)).fileName();
  });
}

void MainWindow::LoadConfigurationClick() {
  RunFileCommand(odLoadConfig_, [this](const std::string& path) {
    LoadConfigurationWithMenu(*state_, path);
    MenuFromState();
    documentName_ = QFileInfo(PathText(path)).fileName();
    rules_ = {};
  });
}

void MainWindow::RunFileCommand(FileDialogSetup& dialog, const std::function<void(const std::string&)>& action) {
  const std::optional<QString> file = RunDialog(dialog);
  if (!file) return;
  MasterClose();
  bool done = false;
  if (!file->isEmpty()) {
    try {
      action(PathBytes(*file));
      done = true;
    } catch (const FileError& e) {
      ShowFileError(e);
    }
  }
  MasterOpen();
  // Loaded or saved: the settings are as a file holds them.
  if (done) MarkSettingsClean();
}

void MainWindow::HelpClick() {
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

void MainWindow::AboutClick() {
  TfrmAbout about(this);
  about.exec();
}

// ---- settings that changed, the title and Exit ----

void MainWindow::MarkSettingsClean() {
  // What a save of the shown window would store, without storing it.
  const SettingsRecord record = state_->settings;
  MasterClose();
  cleanSettings_ = state_->settings;
  state_->settings = record;
  UpdateTitle();
}

bool MainWindow::SettingsChanged() {
  MasterClose();
  return !SameSettings(cleanSettings_, state_->settings);
}

void MainWindow::UpdateTitle() {
  setWindowTitle(documentName_.isEmpty() ? QString(kTitle) : documentName_ + " - " + kTitle);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!SettingsChanged()) {
    event->accept();
    return;
  }
  const auto answer = dialogs_->Message(this, QMessageBox::Question, "Exit",
                                        "The settings have changed since they were last loaded or saved.  Save them "
                                        "before closing?",
                                        QString(), QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  if (answer == QMessageBox::Discard) {
    event->accept();
    return;
  }
  if (answer == QMessageBox::Save) {
    SaveCurrentSettingsClick();
    if (!SettingsChanged()) {
      event->accept();
      return;
    }
  }
  event->ignore();
}

// ---- the generation run's voice ----

void MainWindow::Progress(int percent) {
  progressBar_->setValue(percent);
  // The run holds the GUI thread; paint the bar now rather than when it ends.
  progressBar_->repaint();
}

void MainWindow::Status(const std::string& text) { lblMapperStatus_->setText(Latin1(text)); }

BuildOnSandAnswer MainWindow::AskBuildOnSand(const std::string& text) {
  const auto answer = dialogs_->Message(this, QMessageBox::Warning, "Warning", Latin1(text), QString(),
                                        QMessageBox::Ok | QMessageBox::Cancel);
  return answer == QMessageBox::Ok ? BuildOnSandAnswer::kOk : BuildOnSandAnswer::kCancel;
}

UnplacedAnswer MainWindow::AskUnplaced(const std::string& text) {
  const auto answer = dialogs_->Message(this, QMessageBox::Warning, "Warning", Latin1(text), QString(),
                                        QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
  if (answer == QMessageBox::Retry) return UnplacedAnswer::kRetry;
  if (answer == QMessageBox::Ignore) return UnplacedAnswer::kIgnore;
  return UnplacedAnswer::kAbort;
}

// The run's last word ("Done Creating MapFile", the failure message).
void MainWindow::Inform(const std::string& text) {
  dialogs_->Message(this, QMessageBox::Information, "Information", Latin1(text), QString(), QMessageBox::Ok);
}

// ---- helpers ----

std::optional<QString> MainWindow::RunDialog(FileDialogSetup& setup) {
  // The File window's WarCraft II folder first; without one, where this
  // dialog was last used (remembered across runs), else the program's folder.
  QSettings remembered;
  const QString wc2 = PathText(state_->settings.WC2Directory.str());
  setup.directory = !wc2.isEmpty() ? wc2 : remembered.value(FolderKey(setup), programDir_).toString();
  const std::optional<QString> file = dialogs_->FileDialog(this, setup);
  if (file && !file->isEmpty()) remembered.setValue(FolderKey(setup), QFileInfo(*file).absolutePath());
  return file;
}

void MainWindow::ShowFileError(const FileError& e) {
  // "File does not exist." stands as it is, with the file under it.
  if (e.reason() == kFileDoesNotExist)
    ShowError(kFileDoesNotExist, PathText(e.file()));
  else
    ShowError(QString::fromLocal8Bit(e.reason()), PathText(e.file()));
}

void MainWindow::ShowError(const QString& text, const QString& detail) {
  dialogs_->Message(this, QMessageBox::Critical, "Error", text, detail, QMessageBox::Ok);
}

}  // namespace glenmire
