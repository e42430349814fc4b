#include "gui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/file_error.h"
#include "gui/about_window.h"
#include "gui/help_window.h"
#include "gui/path_text.h"
#include "gui/preview_pane.h"
#include "run/generation_road.h"
#include "run/presets.h"
#include "settings/random_flags.h"

namespace glenmire {

namespace {

constexpr int kPanelWidth = 121;
constexpr QSize kClientSize{632, 424};
constexpr const char* kTitle = "Glenmire32 v3.0";

// Where the window keeps what it remembers between runs.
QString FolderKey(const FileDialogSetup& setup) { return "folders/" + setup.key; }

QString WithSeparator(QString folder) {
  if (!folder.isEmpty() && !folder.endsWith('/') && !folder.endsWith(QDir::separator())) folder += '/';
  return folder;
}

}  // namespace

MainWindow::MainWindow(const QString& programDir, std::unique_ptr<ShellDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent),
      programDir_(WithSeparator(programDir)),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtShellDialogs>()),
      session_(PathBytes(programDir_), *this, *this) {
  setObjectName("frmGMMain");

  auto* central = new QWidget(this);
  auto* v = new QVBoxLayout(central);
  v->setContentsMargins(2, 2, 2, 2);
  auto* h = new QHBoxLayout;
  frame_ = new SettingsFrame(State().settings, central);
  frame_->setBackground(palette().window());
  connect(frame_, &SettingsFrame::TabOut, this, [this](bool next) {
    if (auto* b = findChild<QPushButton*>(next ? "btQuickStart" : "btPreviewMap")) b->setFocus(Qt::TabFocusReason);
  });
  h->addWidget(frame_, 0);
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
  Shell().CurrentForm = 1;
  const std::optional<FileError> startError = session_.LoadStartupSettings();
  MenuFromState();

  // The frame is as large as its contents need (a larger font makes it larger);
  // it can be made larger still, and the preview grows with it.
  resize(sizeHint().expandedTo(kClientSize + QSize(360, menuBar()->sizeHint().height())));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  frame_->Pick();  // the "File" window first
  MarkSettingsClean();
  if (startError) ShowFileError(*startError);
}

MainWindow::~MainWindow() {
  // The shown window saves into the record on its way out; it goes first.
  frame_->Release();
  delete help_;
}

void MainWindow::BuildButtons(QWidget* panel) {
  panel->setObjectName("pnlButtonMenu");
  panel->setMinimumWidth(kPanelWidth);
  auto* v = new QVBoxLayout(panel);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  static const char* const kNames[10] = {"btQuickStart",       "btPlayer",       "btResources", "btUpgrades",
                                         "btStartupResources", "btStartupUnits", "btUnits",     "btLand",
                                         "btRandomMethod",     "btCritters"};
  static const char* const kCaptions[10] = {
      "File",          "Player", "Resources", "Upgrades",      "Startup Resources",
      "Startup Units", "Units",  "Land",      "Random Method", "Critters!"};
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
  connect(allRandom, &QPushButton::clicked, frame_, &SettingsFrame::SetAllToRandom);
  connect(noneRandom, &QPushButton::clicked, frame_, &SettingsFrame::SetNoneToRandom);
  connect(resetDefaults, &QPushButton::clicked, frame_, &SettingsFrame::ResetDefaults);
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
  connect(fairMapsOnly_, &QAction::toggled, this,
          [](bool on) { QSettings().setValue("preferences/fairMapsOnly", on); });
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
    State().menu.showWarnings = showWarnings_->isChecked();
    State().settings.ShowWarnings = showWarnings_->isChecked();
  });
  connect(compensate_, &QAction::triggered, this, [this] {
    State().menu.compensate = compensate_->isChecked();
    State().settings.Compensate = compensate_->isChecked();
  });
  // The record takes this one at the next "Generate Map".
  connect(safetyMode_, &QAction::triggered, this, [this] { State().menu.safetyMode = safetyMode_->isChecked(); });
  connect(contents, &QAction::triggered, this, [this] { HelpClick(); });
  connect(about, &QAction::triggered, this, [this] { AboutClick(); });
}

void MainWindow::BuildDialogs() {
  using Mode = FileDialogSetup::Mode;
  odLoadConfig_ = {Mode::kOpen,    "Load Glenmire Configuration", "Glenmire Configuration Files (*.gmp)", "gmp", "", "",
                   "configuration"};
  // Only configurations, so one cannot be saved over a map; suggested under the
  // name the program loads at start.
  sdSaveConfig_ = {Mode::kSave,
                   "Save Glenmire Configuration",
                   "Glenmire Configuration Files (*.gmp)",
                   "gmp",
                   kDefaultConfigName,
                   "",
                   "configuration"};
  sdSaveMap_ = {Mode::kSave, "Save Glenmire Map", "WarCraft II Compatible Map (*.pud)", "pud", "Glenmire.pud", "",
                "map"};
  odLoadMap_ = {Mode::kOpen, "", "WarCraft II Map Files (*.pud)", "pud", "", "", "map"};
}

QString MainWindow::HelpFilePath() const { return programDir_ + "help/glenmire.html"; }

void MainWindow::MenuFromState() {
  showWarnings_->setChecked(State().menu.showWarnings);
  compensate_->setChecked(State().menu.compensate);
  safetyMode_->setChecked(State().menu.safetyMode);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  frame_->Fit();
}

// ---- commands ----

void MainWindow::Mayhem() {
  MasterClose();
  ApplyMayhem(State().settings);
  MasterOpen();
}

void MainWindow::GenerateMap() {
  if (State().MapLoaded) {
    const auto answer = dialogs_->Message(this, QMessageBox::Question, "Confirm", kGenitizeQuestion, QString(),
                                          QMessageBox::Yes | QMessageBox::No);
    session_.AnswerGenitizeQuestion(answer == QMessageBox::Yes);
  }
  const std::optional<QString> file = RunDialog(sdSaveMap_);
  if (!file || file->isEmpty() || !session_.CanWriteMap(*file)) return;
  Run(PathBytes(*file));
}

void MainWindow::PreviewMap() { Run(std::nullopt); }

void MainWindow::Run(const std::optional<std::string>& mapFile) {
  MasterClose();
  State().menu = {showWarnings_->isChecked(), compensate_->isChecked(), safetyMode_->isChecked()};
  session_.Run(mapFile, preview_->KeptSeed(), fairMapsOnly_->isChecked(), preview_->ChosenSymmetry());
  MasterOpen();
}

void MainWindow::LoadPreset(const QString& name) {
  MasterClose();
  try {
    preview_->ChooseSymmetry(session_.LoadPreset(name));
    MenuFromState();
  } catch (const FileError& e) {
    ShowFileError(e);
  }
  MasterOpen();
  MarkSettingsClean();
}

void MainWindow::LoadMapClick() {
  RunFileCommand(odLoadMap_, [this](const std::string& path) { session_.LoadMap(path); });
}

void MainWindow::SaveCurrentSettingsClick() {
  RunFileCommand(sdSaveConfig_, [this](const std::string& path) { session_.SaveConfiguration(path); });
}

void MainWindow::LoadConfigurationClick() {
  RunFileCommand(odLoadConfig_, [this](const std::string& path) {
    session_.LoadConfiguration(path);
    MenuFromState();
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
  const SettingsRecord record = State().settings;
  MasterClose();
  session_.MarkSettingsClean();
  State().settings = record;
  UpdateTitle();
}

bool MainWindow::SettingsChanged() {
  MasterClose();
  return session_.SettingsChanged();
}

void MainWindow::UpdateTitle() {
  const QString& document = session_.DocumentName();
  setWindowTitle(document.isEmpty() ? QString(kTitle) : document + " - " + kTitle);
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

void MainWindow::ShowMap(const GeneratorState& map, const std::vector<uint8_t>& bytes, const StartGroups& groups,
                         const FairnessRules& rules) {
  preview_->ShowMap(map, bytes, groups, rules);
}

void MainWindow::ShowSeed(uint32_t seed) { preview_->ShowSeed(seed); }

void MainWindow::ShowStatus(const QString& text, bool paintNow) {
  statusBar()->showMessage(text);
  if (paintNow) statusBar()->repaint();
}

// ---- helpers ----

std::optional<QString> MainWindow::RunDialog(FileDialogSetup& setup) {
  // The File window's WarCraft II folder first; without one, where this
  // dialog was last used (remembered across runs), else the program's folder.
  QSettings remembered;
  const QString wc2 = PathText(State().settings.WC2Directory.str());
  setup.directory = !wc2.isEmpty() ? wc2 : remembered.value(FolderKey(setup), programDir_).toString();
  const std::optional<QString> file = dialogs_->FileDialog(this, setup);
  if (file && !file->isEmpty()) remembered.setValue(FolderKey(setup), QFileInfo(*file).absolutePath());
  return file;
}

}  // namespace glenmire
