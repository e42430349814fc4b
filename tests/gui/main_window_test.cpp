// The main window: start, window switching, the master buttons, and the
// commands with scripted dialogs. After every test the window is destroyed
// and no top-level widget may be left.
#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <memory>

#include "gui/help_window.h"
#include "gui/preview_pane.h"
#include "gui/windows/land_window.h"
#include "gui/windows/player_window.h"
#include "gui/windows/quick_window.h"
#include "run/generation_road.h"
#include "run/pipeline.h"
#include "settings/config_file.h"
#include "settings/defaults.h"
#include "settings/random_flags.h"
#include "shell_test_support.h"

using namespace glenmire;
using glenmire::test::DifferingFields;
using glenmire::test::ScriptedDialogs;

namespace {

// The picture `glenmire preview` makes of a map file, one pixel per cell.
QImage CommandPreview(const QString& map, const QString& png) {
  QProcess cli;
  cli.start(QStringLiteral(GLENMIRE_CLI), {"preview", map, "--out", png});
  if (!cli.waitForFinished(60000) || cli.exitCode() != 0) return {};
  return QImage(png).convertToFormat(QImage::Format_RGB888);
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A small, quick map with several settings marked random.
SettingsRecord SmallMapSettings() {
  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  r.MapSize = 32;
  r.LandWater = 60;
  r.RandomLandWater = 1;
  r.Forest = 35;
  r.RandomForest = 1;
  r.RandomStartGold[0] = 1;
  r.RandomUnitHitPoints[0] = 1;
  r.RandomMethod = 2;
  return r;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startsWithTheDefaultsWhenThereIsNoDefaultGmp();
  void startsFromDefaultGmpInTheProgramFolder();
  void unreadableDefaultGmpIsReportedAndTheDefaultsUsed();
  void settingsButtonsShowTheirWindow_data();
  void settingsButtonsShowTheirWindow();
  void everyWindowShowsWholeWithALargerFont();
  void switchingSavesTheOldWindowBeforeTheNewOneLoads();
  void switchingAfterTheUserClosedTheWindow();
  void mayhemSetsItsFlags();
  void masterButtonsActOnTheShownWindowOnly();
  void generateWritesTheCoreFunctionsBytesAndKeepsTheUserSettings();
  void generateWritesTheSameBytesAsTheCommandLine();
  void generateWithTheFileWindowShownStoresItsPlayerCounts();
  void cancelledMapDialogChangesNothing();
  void unwritableMapIsReportedAndTheSettingsStayTheUsers();
  void aMapSizeNoMapHoldsIsRefusedInTheWindow();
  void loadMapThenGenerateWithYesAndNo();
  void loadingAMissingFileSaysSo_data();
  void loadingAMissingFileSaysSo();
  void failedConfigurationLoadChangesNothing();
  void configurationRoundTripAndMenuChecks();
  void fileDialogsHaveTheirTitlesAndFilters();
  void helpOpensTheShippedDocument();
  void previewShowsTheMapThatGenerateAndLoadMapWrite();
  void foldersAreRememberedAcrossRunsAndLowerCaseDefaultIsFound();
  void exitAsksBeforeDroppingChangedSettings();
  void tabReachesEveryCommandButton();
  void fairMapsOnlySearchesWithoutQuestionsAndWritesTheSeedsMap();
  void presetsAreListedWithTheirSurveyAndLoad();
  void symmetryChoiceReachesTheRunsAndIsRefusedWhereItServesNoCount();

 private:
  void Start();
  // The window's controls by the names it gives them.
  template <typename T>
  T* Find(const char* name) const {
    T* w = main_->findChild<T*>(name);
    if (!w) qFatal("no control named %s", name);
    return w;
  }
  QPushButton* Button(const char* name) const { return Find<QPushButton>(name); }
  QAction* Action(const char* name) const { return Find<QAction>(name); }
  TfrmLand* ShowLand();

  std::unique_ptr<QTemporaryDir> dir_;
  ScriptedDialogs* dialogs_ = nullptr;
  std::unique_ptr<MainWindow> main_;
};

void MainWindowTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  // What the window remembers starts afresh in every test.
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_->path() + "/remembered");
}

void MainWindowTest::cleanup() {
  if (main_) QCOMPARE(dialogs_->unexpected, 0);
  main_.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCOMPARE(QApplication::topLevelWidgets().size(), 0);
  dir_.reset();
}

void MainWindowTest::Start() {
  auto dialogs = std::make_unique<ScriptedDialogs>();
  dialogs_ = dialogs.get();
  main_ = std::make_unique<MainWindow>(dir_->path(), std::move(dialogs));
  // Every run uses this seed, as a user who keeps one would.
  Find<QLineEdit>("edSeed")->setText("20261207");
  Find<QCheckBox>("cbKeepSeed")->setChecked(true);
}

TfrmLand* MainWindowTest::ShowLand() {
  Button("btLand")->click();
  return qobject_cast<TfrmLand*>(main_->ShownForm());
}

void MainWindowTest::startsWithTheDefaultsWhenThereIsNoDefaultGmp() {
  Start();
  SettingsRecord expected = ZeroRecord();
  SetDefaults(expected);
  // The shown "File" window has not been saved yet.
  QCOMPARE(DifferingFields(expected, main_->State().settings), QStringList());
  QCOMPARE(main_->windowTitle(), QString("Glenmire32 v3.0"));
  QCOMPARE(main_->Shell().CurrentForm, 1);
  QVERIFY(qobject_cast<TfrmQuick*>(main_->ShownForm()));
  QVERIFY(!Action("SafetyMode")->isChecked());  // the defaults leave the menu states 0
  QVERIFY(!main_->State().MapLoaded);
  QVERIFY(!Find<QLabel>("lblMapperStatus")->isVisibleTo(main_.get()));
  QCOMPARE(Find<QProgressBar>("ProgressBar")->maximum(), 100);
}

void MainWindowTest::startsFromDefaultGmpInTheProgramFolder() {
  SettingsRecord r = SmallMapSettings();
  r.MapDescription.assign("From the program folder");
  r.SafetyMode = 0;
  SaveConfiguration(r, (dir_->path() + "/Default.gmp").toStdString());
  Start();
  QCOMPARE(DifferingFields(r, main_->State().settings), QStringList());
  QVERIFY(Action("ShowWarnings")->isChecked());
  QVERIFY(Action("Compensate")->isChecked());
  QVERIFY(!Action("SafetyMode")->isChecked());
  QCOMPARE(static_cast<TfrmQuick*>(main_->ShownForm())->edMapDesc->text(), QString("From the program folder"));
}

void MainWindowTest::unreadableDefaultGmpIsReportedAndTheDefaultsUsed() {
  QFile f(dir_->path() + "/Default.gmp");
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write("short");
  f.close();
  Start();
  SettingsRecord expected = ZeroRecord();
  SetDefaults(expected);
  QCOMPARE(DifferingFields(expected, main_->State().settings), QStringList());
  QCOMPARE(dialogs_->messages.size(), std::size_t{1});
  QCOMPARE(dialogs_->messages[0].icon, QMessageBox::Critical);
  QVERIFY(dialogs_->messages[0].detail.contains("Default.gmp"));
}

void MainWindowTest::settingsButtonsShowTheirWindow_data() {
  QTest::addColumn<int>("button");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("windowClass");
  QTest::addColumn<QString>("windowCaption");
  QTest::newRow("1") << 1 << "btQuickStart"
                     << "File"
                     << "TfrmQuick"
                     << "File";
  QTest::newRow("2") << 2 << "btPlayer"
                     << "Player"
                     << "TfrmPlayer"
                     << "Player Options";
  QTest::newRow("3") << 3 << "btResources"
                     << "Resources"
                     << "TfrmResources"
                     << "Natural Resources";
  QTest::newRow("4") << 4 << "btUpgrades"
                     << "Upgrades"
                     << "TfrmUpgrades"
                     << "Upgrade Costs";
  QTest::newRow("5") << 5 << "btStartupResources"
                     << "Startup Resources"
                     << "TfrmStartRes"
                     << "Startup Resources";
  QTest::newRow("6") << 6 << "btStartupUnits"
                     << "Startup Units"
                     << "TfrmDifficulty"
                     << "Startup Units";
  QTest::newRow("7") << 7 << "btUnits"
                     << "Units"
                     << "TfrmUnits"
                     << "Units";
  QTest::newRow("8") << 8 << "btLand"
                     << "Land"
                     << "TfrmLand"
                     << "Land Attributes";
  QTest::newRow("9") << 9 << "btRandomMethod"
                     << "Random Method"
                     << "TfrmRandom"
                     << "Random Method";
  QTest::newRow("10") << 10 << "btCritters"
                      << "Critters!"
                      << "TfrmCritters"
                      << "Critters!";
}

void MainWindowTest::settingsButtonsShowTheirWindow() {
  QFETCH(int, button);
  QFETCH(QString, name);
  QFETCH(QString, caption);
  QFETCH(QString, windowClass);
  QFETCH(QString, windowCaption);
  Start();
  main_->ShowSettingsWindow(button == 1 ? 2 : 1);
  auto* b = main_->findChild<QPushButton*>(name);
  QVERIFY(b);
  QCOMPARE(b->text(), caption);
  b->click();
  QCOMPARE(main_->Shell().CurrentForm, button);
  QVERIFY(main_->ShownForm());
  QCOMPARE(main_->ShownForm()->property("className").toString(), windowClass);
  QCOMPARE(main_->ShownForm()->windowTitle(), windowCaption);
  QCOMPARE(Find<QMdiArea>("mdiArea")->subWindowList().size(), 1);
  QCOMPARE(main_->ShownForm()->parentWidget()->pos(), SettingsForm::kPlace.topLeft());
}

void MainWindowTest::everyWindowShowsWholeWithALargerFont() {
  const QFont usual = QApplication::font();
  QFont large = usual;
  large.setPointSizeF(usual.pointSizeF() * 1.6);
  QApplication::setFont(large);
  Start();
  main_->show();
  for (int n = 1; n <= 10; ++n) {
    main_->ShowSettingsWindow(n);
    const QRect frame = main_->ShownForm()->parentWidget()->geometry();
    QVERIFY2(Find<QMdiArea>("mdiArea")->viewport()->rect().contains(frame), qPrintable(SettingsFormClassName(n)));
  }
  QVERIFY(Button("btGenerateMap")->isVisible());
  QVERIFY(main_->geometry().contains(Button("btGenerateMap")->mapTo(main_.get(), QPoint(0, 0))));
  QApplication::setFont(usual);
}

void MainWindowTest::switchingSavesTheOldWindowBeforeTheNewOneLoads() {
  Start();
  TfrmLand* land = ShowLand();
  QVERIFY(land);
  land->tbLandWater->setValue(55);
  land->cbRandomLandWater->click();
  Button("btQuickStart")->click();
  auto* file = qobject_cast<TfrmQuick*>(main_->ShownForm());
  QVERIFY(file);
  QCOMPARE(file->tbQSLandWater->value(), 55);
  QVERIFY(file->cbQSRandomLandWater->isChecked());
  QVERIFY(!main_->Shell().FormSavePending);

  // And back: the File window's save reaches the Land window.
  file->cbQSRandomLandWater->click();
  land = ShowLand();
  QVERIFY(!land->cbRandomLandWater->isChecked());
  QVERIFY(land->tbLandWater->isEnabled());
}

void MainWindowTest::switchingAfterTheUserClosedTheWindow() {
  Start();
  TfrmLand* land = ShowLand();
  land->tbForest->setValue(12);
  main_->ShownForm()->parentWidget()->close();  // the frame's close saves the window
  QCOMPARE(main_->Shell().CurrentForm, 0);
  QCOMPARE(main_->State().settings.Forest, int8_t{12});

  // A command in between, with no window shown, must not be undone by the
  // closed window's leaving.
  main_->State().settings.Forest = 33;
  main_->MasterClose();
  land = ShowLand();
  QVERIFY(land);
  QCOMPARE(land->tbForest->value(), 33);
  QVERIFY(!main_->Shell().FormSavePending);
  QCOMPARE(Find<QMdiArea>("mdiArea")->subWindowList().size(), 1);
}

void MainWindowTest::mayhemSetsItsFlags() {
  Start();
  SettingsRecord& r = main_->State().settings;
  r.RandomUnitArmor[52] = 0;  // unit 53 keeps its flags
  r.RandomUnitHitPoints[78] = 1;
  Button("btMayhem")->click();
  QCOMPARE(r.MapSize, 0);
  QCOMPARE(r.Climate, 4);
  QCOMPARE(r.RandomMethod, uint8_t{3});
  QCOMPARE(r.RandomExtremity, int8_t{100});
  for (int i = 0; i < kPlayers; ++i) {
    QCOMPARE(r.PlayerRace[i], uint8_t{2});
    QCOMPARE(r.PlayerAI[i], uint8_t{255});
    QCOMPARE(r.DifficultyRandom[i], uint8_t{1});
    QCOMPARE(r.CritterRandomPlayer[i], uint8_t{1});
    QCOMPARE(r.RandomStartOil[i], uint8_t{1});
  }
  for (int k = 0; k < 52; ++k) QCOMPARE(r.RandomUnitArmor[k], uint8_t{1});
  QCOMPARE(r.RandomUnitArmor[52], uint8_t{0});
  QCOMPARE(r.RandomUnitHitPoints[78], uint8_t{1});
  QCOMPARE(r.RandomUpgradeOilCost[51], uint8_t{1});
  QVERIFY(r.RandomLandWater && r.RandomMountains && r.RandomCritters && r.RandomGoldAmount);
  // The shown window was reloaded.
  auto* file = static_cast<TfrmQuick*>(main_->ShownForm());
  QCOMPARE(file->rgMapSize->ItemIndex(), 4);
  QCOMPARE(file->rgClimate->ItemIndex(), 4);
}

void MainWindowTest::masterButtonsActOnTheShownWindowOnly() {
  Start();
  ShowLand();
  main_->MasterClose();
  const SettingsRecord before = main_->State().settings;
  Button("btAllRandom")->click();
  main_->MasterClose();
  QCOMPARE(DifferingFields(before, main_->State().settings),
           QStringList({"RandomLandWater", "RandomBuildableLand", "RandomRivers", "RandomLakes", "RandomForest",
                        "RandomMountains"}));
  Button("btNoneRandom")->click();
  main_->MasterClose();
  QCOMPARE(DifferingFields(before, main_->State().settings), QStringList());
  Button("btResetDefaults")->click();
  main_->MasterClose();
  QCOMPARE(main_->State().settings.Decorations, int8_t{7});
  QCOMPARE(main_->State().settings.MapSize, before.MapSize);
}

void MainWindowTest::generateWritesTheCoreFunctionsBytesAndKeepsTheUserSettings() {
  SaveConfiguration(SmallMapSettings(), (dir_->path() + "/Default.gmp").toStdString());
  Start();
  main_->ShownForm()->parentWidget()->close();  // no settings window shown
  const QString out = dir_->path() + "/window.pud";

  // What the core function writes for the same settings, menu and seed.
  auto core = MakeGeneratorState();
  core->settings = main_->State().settings;
  core->menu = main_->State().menu;
  core->random.Seed(20261207);
  glenmire::test::AgreeingUi agree;
  PrepareAndRunGeneration(*core, out.toStdString(), RunOptions{.ui = &agree});
  const QByteArray expected = ReadAll(out);
  QVERIFY(!expected.isEmpty());
  QFile::remove(out);

  const SettingsRecord user = main_->State().settings;
  dialogs_->files.push_back(out);
  dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
  Button("btGenerateMap")->click();
  QCOMPARE(ReadAll(out), expected);
  QVERIFY(dialogs_->Texts().contains(kDoneCreating));
  QCOMPARE(Find<QProgressBar>("ProgressBar")->value(), 0);

  // The randomised values never reach the user's settings.
  QStringList changed = DifferingFields(user, main_->State().settings);
  changed.removeAll("MapFileName");
  QCOMPARE(changed, QStringList());
  QCOMPARE(QString::fromStdString(main_->State().settings.MapFileName.str()), out);
  TfrmLand* land = ShowLand();
  QCOMPARE(land->tbLandWater->value(), 60);
  QCOMPARE(land->tbForest->value(), 35);
  QVERIFY(land->cbRandomForest->isChecked());
}

void MainWindowTest::generateWritesTheSameBytesAsTheCommandLine() {
  const QString config = dir_->path() + "/Default.gmp";
  SettingsRecord settings = SmallMapSettings();
  settings.MapSize = 64;
  settings.RandomMethod = 3;
  SaveConfiguration(settings, config.toStdString());
  const QString cliMap = dir_->path() + "/cli.pud";
  QProcess cli;
  cli.start(QStringLiteral(GLENMIRE_CLI), {"generate", "--config", config, "--seed", "20261207", "--out", cliMap,
                                           "--build-on-sand", "ok", "--unplaced", "ignore", "--quiet"});
  QVERIFY(cli.waitForFinished(60000));
  QCOMPARE(cli.exitCode(), 0);

  Start();
  main_->ShownForm()->parentWidget()->close();  // the command line has no settings window
  // Earlier runs with other seeds leave nothing that changes the next map.
  for (const char* seed : {"1", "2"}) {
    Find<QLineEdit>("edSeed")->setText(seed);
    dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
    Action("PreviewMap")->trigger();
  }
  Find<QLineEdit>("edSeed")->setText("20261207");
  const QString windowMap = dir_->path() + "/window.pud";
  dialogs_->files.push_back(windowMap);
  dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
  Button("btGenerateMap")->click();
  const QByteArray bytes = ReadAll(windowMap);
  QVERIFY(!bytes.isEmpty());
  QVERIFY(bytes == ReadAll(cliMap));
}

void MainWindowTest::generateWithTheFileWindowShownStoresItsPlayerCounts() {
  SaveConfiguration(SmallMapSettings(), (dir_->path() + "/Default.gmp").toStdString());
  Start();
  main_->ShowSettingsWindow(2);
  auto* player = static_cast<TfrmPlayer*>(main_->ShownForm());
  player->cboController[2]->setCurrentIndex(1);
  emit player->cboController[2]->activated(1);
  QCOMPARE(main_->State().settings.NumberOfPlayers, int8_t{3});
  main_->ShowSettingsWindow(1);
  dialogs_->files.push_back(dir_->path() + "/file-window.pud");
  dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
  Button("btGenerateMap")->click();
  QVERIFY(QFile::exists(dir_->path() + "/file-window.pud"));
  QCOMPARE(main_->State().settings.NumberOfPlayers, int8_t{2});
  QCOMPARE(main_->State().settings.HumanControlled, int8_t{1});
}

void MainWindowTest::cancelledMapDialogChangesNothing() {
  Start();
  ShowLand()->tbLandWater->setValue(70);  // not saved: nothing is saved on cancel
  const SettingsRecord before = main_->State().settings;
  dialogs_->files = {std::nullopt, QString()};
  Button("btGenerateMap")->click();
  Button("btGenerateMap")->click();
  QCOMPARE(DifferingFields(before, main_->State().settings), QStringList());
  QCOMPARE(dialogs_->messages.size(), std::size_t{0});

  // A name the record cannot hold whole is refused, not cut.
  const QString tooLong = dir_->path() + "/" + QString(260, 'x') + ".pud";
  dialogs_->files.push_back(tooLong);
  Button("btGenerateMap")->click();
  QCOMPARE(dialogs_->messages.size(), std::size_t{1});
  QCOMPARE(dialogs_->messages[0].detail, tooLong);
  QCOMPARE(DifferingFields(before, main_->State().settings), QStringList());
}

void MainWindowTest::unwritableMapIsReportedAndTheSettingsStayTheUsers() {
  SaveConfiguration(SmallMapSettings(), (dir_->path() + "/Default.gmp").toStdString());
  Start();
  ShowLand();
  main_->MasterClose();
  const SettingsRecord user = main_->State().settings;
  const QString target = dir_->path() + "/no/such/folder/map.pud";
  dialogs_->files.push_back(target);
  dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
  Button("btGenerateMap")->click();
  QCOMPARE(dialogs_->messages.back().icon, QMessageBox::Critical);
  QCOMPARE(dialogs_->messages.back().detail, target);
  QVERIFY(!dialogs_->Texts().contains(kDoneCreating));
  QCOMPARE(Find<QProgressBar>("ProgressBar")->value(), 0);
  QStringList changed = DifferingFields(user, main_->State().settings);
  changed.removeAll("MapFileName");
  QCOMPARE(changed, QStringList());
  QCOMPARE(static_cast<TfrmLand*>(main_->ShownForm())->tbLandWater->value(), 60);
}

void MainWindowTest::aMapSizeNoMapHoldsIsRefusedInTheWindow() {
  SettingsRecord odd = SmallMapSettings();
  odd.MapSize = 130;  // as another program may have stored it
  SaveConfiguration(odd, (dir_->path() + "/Default.gmp").toStdString());
  Start();
  const QString target = dir_->path() + "/odd.pud";
  dialogs_->files.push_back(target);
  Button("btGenerateMap")->click();
  QCOMPARE(dialogs_->messages.size(), std::size_t{1});
  QCOMPARE(dialogs_->messages.back().icon, QMessageBox::Critical);
  QVERIFY(dialogs_->messages.back().detail.contains("MapSize is 130"));
  QVERIFY(!QFileInfo::exists(target));
  QCOMPARE(main_->State().settings.MapSize, 130);
  QCOMPARE(Find<QProgressBar>("ProgressBar")->value(), 0);
}

void MainWindowTest::loadMapThenGenerateWithYesAndNo() {
  SaveConfiguration(SmallMapSettings(), (dir_->path() + "/Default.gmp").toStdString());
  Start();
  const QString first = dir_->path() + "/first.pud";
  dialogs_->files.push_back(first);
  dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
  Button("btGenerateMap")->click();
  QVERIFY(QFile::exists(first));

  dialogs_->files.push_back(first);
  Action("LoadMap")->trigger();
  QVERIFY(main_->State().MapLoaded);
  QCOMPARE(dialogs_->fileDialogs.back().directory, dir_->path());  // where the last map went

  // Yes: the loaded map is written again with the settings of the moment.
  // The loaded map's size and players go into the record before the run,
  // whatever it held (the File window, which would store its own, is not shown).
  ShowLand();
  main_->State().settings.MapSize = 128;
  dialogs_->messages.clear();
  dialogs_->files.push_back(dir_->path() + "/genitized.pud");
  dialogs_->answers = {QMessageBox::Yes};
  Button("btGenerateMap")->click();
  QCOMPARE(dialogs_->messages.front().text, QString(kGenitizeQuestion));
  QCOMPARE(dialogs_->messages.front().icon, QMessageBox::Question);
  QCOMPARE(dialogs_->messages.front().buttons, QMessageBox::Yes | QMessageBox::No);
  QVERIFY(dialogs_->Texts().contains(kDoneGenitizing));
  QVERIFY(QFile::exists(dir_->path() + "/genitized.pud"));
  QVERIFY(main_->State().MapLoaded);
  QCOMPARE(main_->State().settings.MapSize, 32);

  // No: a new map, still with the loaded map's size and players.
  main_->State().settings.MapSize = 128;
  main_->State().settings.NumberOfPlayers = 5;
  dialogs_->messages.clear();
  dialogs_->files.push_back(dir_->path() + "/fresh.pud");
  dialogs_->answers = {QMessageBox::No, QMessageBox::Ok, QMessageBox::Ignore};
  Button("btGenerateMap")->click();
  QVERIFY(!main_->State().MapLoaded);
  QVERIFY(dialogs_->Texts().contains(kDoneCreating));
  QVERIFY(QFile::exists(dir_->path() + "/fresh.pud"));
  QCOMPARE(main_->State().settings.MapSize, 32);
  QCOMPARE(main_->State().settings.NumberOfPlayers, main_->LoadedMap().NumberOfPlayers);

  // Declined once, the map is not offered again.
  dialogs_->messages.clear();
  dialogs_->files.push_back(std::nullopt);
  Button("btGenerateMap")->click();
  QCOMPARE(dialogs_->messages.size(), std::size_t{0});
}

void MainWindowTest::loadingAMissingFileSaysSo_data() {
  QTest::addColumn<bool>("map");
  QTest::newRow("Load Map") << true;
  QTest::newRow("Load Configuration") << false;
}

void MainWindowTest::loadingAMissingFileSaysSo() {
  QFETCH(bool, map);
  Start();
  const SettingsRecord before = main_->State().settings;
  const QString missing = dir_->path() + "/missing.file";
  dialogs_->files.push_back(missing);
  Action(map ? "LoadMap" : "LoadConfiguration1")->trigger();
  QCOMPARE(dialogs_->messages.size(), std::size_t{1});
  QCOMPARE(dialogs_->messages[0].text, QString("File does not exist."));
  QCOMPARE(dialogs_->messages[0].icon, QMessageBox::Critical);
  QCOMPARE(dialogs_->messages[0].detail, missing);
  QVERIFY(!main_->State().MapLoaded);
  QStringList changed = DifferingFields(before, main_->State().settings);
  changed.removeAll("NumberOfPlayers");  // the File window's save
  changed.removeAll("HumanControlled");
  QCOMPARE(changed, QStringList());
}

void MainWindowTest::failedConfigurationLoadChangesNothing() {
  Start();
  TfrmLand* land = ShowLand();
  land->tbMountains->setValue(44);
  main_->MasterClose();
  const SettingsRecord before = main_->State().settings;
  const QString broken = dir_->path() + "/broken.gmp";
  QFile f(broken);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(100, '\x7f'));
  f.close();
  dialogs_->files.push_back(broken);
  Action("LoadConfiguration1")->trigger();
  QCOMPARE(dialogs_->messages.size(), std::size_t{1});
  QCOMPARE(dialogs_->messages[0].detail, broken);
  QVERIFY(!dialogs_->messages[0].text.isEmpty());
  QCOMPARE(DifferingFields(before, main_->State().settings), QStringList());
  QCOMPARE(land->tbMountains->value(), 44);
  QCOMPARE(main_->ShownForm(), land);
}

void MainWindowTest::configurationRoundTripAndMenuChecks() {
  Start();
  QVERIFY(!Action("ShowWarnings")->isChecked());
  Action("ShowWarnings")->trigger();  // stored at once
  Action("SafetyMode")->trigger();    // stored at the next "Generate Map" only
  QCOMPARE(main_->State().settings.ShowWarnings, uint8_t{1});
  QCOMPARE(main_->State().settings.SafetyMode, uint8_t{0});
  ShowLand()->tbRivers->setValue(9);  // the shown window is saved first

  const QString file = dir_->path() + "/saved.gmp";
  dialogs_->files.push_back(file);
  Action("SaveCurrentSettings1")->trigger();
  const QByteArray bytes = ReadAll(file);
  QCOMPARE(bytes.size(), qsizetype{kSettingsRecordSize});
  QCOMPARE(bytes.at(offsetof(SettingsRecord, SafetyMode)), '\0');
  QCOMPARE(bytes.at(offsetof(SettingsRecord, ShowWarnings)), '\1');
  QCOMPARE(bytes.at(offsetof(SettingsRecord, Rivers)), '\x09');

  // Loading sets the menu from the file and reloads the shown window.
  SettingsRecord other = SmallMapSettings();
  other.Rivers = 17;
  other.ShowWarnings = 0;
  other.SafetyMode = 1;
  SaveConfiguration(other, file.toStdString());
  dialogs_->files.push_back(file);
  Action("LoadConfiguration1")->trigger();
  QVERIFY(!Action("ShowWarnings")->isChecked());
  QVERIFY(Action("SafetyMode")->isChecked());
  QCOMPARE(static_cast<TfrmLand*>(main_->ShownForm())->tbRivers->value(), 17);
  QCOMPARE(DifferingFields(other, main_->State().settings), QStringList());
}

void MainWindowTest::fileDialogsHaveTheirTitlesAndFilters() {
  Start();
  main_->State().settings.WC2Directory.assign("/some/where");
  dialogs_->files = {std::nullopt, std::nullopt, std::nullopt, std::nullopt};
  Button("btGenerateMap")->click();
  Action("LoadMap")->trigger();
  Action("SaveCurrentSettings1")->trigger();
  Action("LoadConfiguration1")->trigger();
  const auto& d = dialogs_->fileDialogs;
  QCOMPARE(d.size(), std::size_t{4});
  using Mode = FileDialogSetup::Mode;
  QCOMPARE(d[0].mode, Mode::kSave);
  QCOMPARE(d[0].title, QString("Save Glenmire Map"));
  QCOMPARE(d[0].filter, QString("WarCraft II Compatible Map (*.pud)"));
  QCOMPARE(d[0].defaultName, QString("Glenmire.pud"));
  QCOMPARE(d[0].directory, QString("/some/where"));
  QCOMPARE(d[1].mode, Mode::kOpen);
  QCOMPARE(d[1].title, QString());
  QCOMPARE(d[1].filter, QString("WarCraft II Map Files (*.pud)"));
  QCOMPARE(d[2].title, QString("Save Glenmire Configuration"));
  // Only configurations, under the name the program loads at start.
  QCOMPARE(d[2].filter, QString("Glenmire Configuration Files (*.gmp)"));
  QCOMPARE(d[2].defaultSuffix, QString("gmp"));
  QCOMPARE(d[2].defaultName, QString("Default.gmp"));
  QCOMPARE(d[3].title, QString("Load Glenmire Configuration"));
  QCOMPARE(d[3].filter, QString("Glenmire Configuration Files (*.gmp)"));
  // The File window's WarCraft II folder is where every dialog starts.
  for (std::size_t i = 1; i < 4; ++i) QCOMPARE(d[i].directory, QString("/some/where"));
}

void MainWindowTest::helpOpensTheShippedDocument() {
  Start();
  Action("Contents1")->trigger();  // not shipped in this folder
  QCOMPARE(dialogs_->messages.size(), std::size_t{1});
  QCOMPARE(dialogs_->messages[0].detail, main_->HelpFilePath());

  QVERIFY(QDir(dir_->path()).mkpath("help"));
  QVERIFY(QFile::copy(QStringLiteral(GLENMIRE_HELP_FILE), main_->HelpFilePath()));
  Action("Contents1")->trigger();
  auto* help = main_->findChild<HelpWindow*>();
  QVERIFY(help);
  QVERIFY(help->isWindow());
  QVERIFY(help->browser()->toPlainText().contains("Generate Map"));
  Action("Contents1")->trigger();  // the same window again
  QCOMPARE(main_->findChildren<HelpWindow*>().size(), 1);
}

void MainWindowTest::previewShowsTheMapThatGenerateAndLoadMapWrite() {
  SaveConfiguration(SmallMapSettings(), (dir_->path() + "/Default.gmp").toStdString());
  Start();
  Find<QCheckBox>("cbKeepSeed")->setChecked(false);
  dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
  Action("PreviewMap")->trigger();  // in memory: no file, no dialog
  QVERIFY(dialogs_->fileDialogs.empty());
  QVERIFY(main_->LastSeed().has_value());
  QCOMPARE(Find<QLineEdit>("edSeed")->text(), QString::number(*main_->LastSeed()));
  QVERIFY(main_->statusBar()->currentMessage().startsWith(QStringLiteral("Seed %1").arg(*main_->LastSeed())));
  const QImage previewed = main_->Preview()->Picture();
  QCOMPARE(previewed.size(), QSize(32, 32));

  // Keep the previewed seed: Generate Map writes the map that was shown.
  Find<QCheckBox>("cbKeepSeed")->setChecked(true);
  const QString out = dir_->path() + "/kept.pud";
  dialogs_->files.push_back(out);
  dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
  Button("btGenerateMap")->click();
  QVERIFY(main_->statusBar()->currentMessage().contains(out));
  QCOMPARE(main_->Preview()->Picture(), previewed);
  QCOMPARE(CommandPreview(out, dir_->path() + "/kept.png"), previewed);

  // A loaded map is shown as it is in its file.
  const QString other = dir_->path() + "/other.pud";
  Find<QCheckBox>("cbKeepSeed")->setChecked(false);
  dialogs_->files.push_back(other);
  dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
  Button("btGenerateMap")->click();
  dialogs_->files.push_back(out);
  Action("LoadMap")->trigger();
  QCOMPARE(main_->Preview()->Picture(), previewed);
  QCOMPARE(main_->windowTitle(), QString("kept.pud - Glenmire32 v3.0"));

  // The pane can be hidden, and stays so at the next start.
  Action("ShowPreview")->trigger();
  QVERIFY(main_->Preview()->isHidden() || !main_->Preview()->isVisibleTo(main_.get()));
  main_.reset();
  Start();
  QVERIFY(!Action("ShowPreview")->isChecked());
}

void MainWindowTest::foldersAreRememberedAcrossRunsAndLowerCaseDefaultIsFound() {
  // Saved as older versions suggested: found at start on a file system that tells case apart.
  SettingsRecord lower = SmallMapSettings();
  lower.LandWater = 77;
  SaveConfiguration(lower, (dir_->path() + "/default.gmp").toStdString());
  Start();
  QCOMPARE(main_->State().settings.LandWater, int8_t{77});
  QCOMPARE(main_->windowTitle(), QString("default.gmp - Glenmire32 v3.0"));

  QDir(dir_->path()).mkdir("configs");
  const QString saved = dir_->path() + "/configs/mine.gmp";
  dialogs_->files.push_back(saved);
  Action("SaveCurrentSettings1")->trigger();
  QVERIFY(QFile::exists(saved));
  main_.reset();

  Start();
  dialogs_->files.push_back(std::nullopt);
  Action("LoadConfiguration1")->trigger();
  QCOMPARE(dialogs_->fileDialogs.back().directory, dir_->path() + "/configs");
}

void MainWindowTest::exitAsksBeforeDroppingChangedSettings() {
  Start();
  main_->show();
  QVERIFY(!main_->close() || true);  // unchanged: closes without a word
  QVERIFY(dialogs_->messages.empty());
  main_->show();
  Button("btMayhem")->click();
  dialogs_->answers = {QMessageBox::Cancel};
  QVERIFY(!main_->close());
  QCOMPARE(dialogs_->messages.size(), std::size_t{1});
  QVERIFY(main_->isVisible());
  const QString saved = dir_->path() + "/kept.gmp";
  dialogs_->answers = {QMessageBox::Save};
  dialogs_->files.push_back(saved);
  QVERIFY(main_->close());
  SettingsRecord r = ZeroRecord();
  LoadConfiguration(r, saved.toStdString());
  QCOMPARE(r.MapSize, 0);  // Mayhem's random size went into the file
}

void MainWindowTest::tabReachesEveryCommandButton() {
  Start();
  main_->show();
  QVERIFY(QTest::qWaitForWindowActive(main_.get()));
  main_->ShownForm()->setFocus();
  QSet<QString> reached;
  for (int i = 0; i < 200; ++i) {
    QWidget* focused = QApplication::focusWidget();
    if (!focused) break;
    reached << focused->objectName();
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  for (const char* name : {"btQuickStart", "btCritters", "btAllRandom", "btMayhem", "btGenerateMap", "btPreviewMap"})
    QVERIFY2(reached.contains(name), qPrintable(QStringList(reached.values()).join(",")));
}

void MainWindowTest::fairMapsOnlySearchesWithoutQuestionsAndWritesTheSeedsMap() {
  // The shipped Default.gmp at 32 x 32, where a fair map takes a few tries.
  const QString shipped = QFileInfo(QStringLiteral(GLENMIRE_CLI)).absolutePath() + "/Default.gmp";
  SettingsRecord r = ZeroRecord();
  LoadConfiguration(r, shipped.toStdString());
  r.MapSize = 32;
  const QString config = dir_->path() + "/Default.gmp";
  SaveConfiguration(r, config.toStdString());
  Start();
  Action("FairMapsOnly")->trigger();
  QVERIFY(Action("FairMapsOnly")->isChecked());
  const QString out = dir_->path() + "/fair.pud";
  dialogs_->files.push_back(out);
  Button("btGenerateMap")->click();
  // Only the closing message: the search asks nothing on its way.
  QCOMPARE(dialogs_->Texts(), QStringList{kDoneCreating});
  const QString message = main_->statusBar()->currentMessage();
  QVERIFY2(message.contains(QRegularExpression("^Seed \\d+: fair after \\d+ tr")), qPrintable(message));
  QCOMPARE(main_->Preview()->VerdictText(), QString("fair"));
  const QString seed = message.section(' ', 1, 1).chopped(1);
  QCOMPARE(Find<QLineEdit>("edSeed")->text(), seed);

  QProcess cli;
  const QString again = dir_->path() + "/again.pud";
  cli.start(QStringLiteral(GLENMIRE_CLI), {"generate", "--config", config, "--seed", seed, "--out", again, "--quiet"});
  QVERIFY(cli.waitForFinished(60000));
  QCOMPARE(cli.exitCode(), 0);
  QCOMPARE(ReadAll(out), ReadAll(again));

  // Settings that never place their players: the message names the rule that failed.
  main_->State().settings.BuildableLand = 0;
  main_->State().settings.SafetyMode = 0;
  main_->State().menu.safetyMode = false;
  Action("SafetyMode")->setChecked(false);
  main_->ShownForm()->parentWidget()->close();
  dialogs_->messages.clear();
  Action("PreviewMap")->trigger();
  QCOMPARE(dialogs_->messages.size(), std::size_t{1});
  QVERIFY(dialogs_->messages[0].text.startsWith("No fair map was found in 500 tries"));
  QVERIFY2(dialogs_->messages[0].detail.contains("start location"), qPrintable(dialogs_->messages[0].detail));
  main_.reset();
  Start();
  QVERIFY(Action("FairMapsOnly")->isChecked());  // remembered
}

void MainWindowTest::presetsAreListedWithTheirSurveyAndLoad() {
  QDir(dir_->path()).mkdir("presets");
  SettingsRecord duel = SmallMapSettings();
  duel.LandWater = 88;
  SaveConfiguration(duel, (dir_->path() + "/presets/duel.gmp").toStdString());
  QFile recipe(dir_->path() + "/presets/duel.txt");
  QVERIFY(recipe.open(QIODevice::WriteOnly));
  recipe.write("description: A small duel\nsurvey: 100 % placed, 50 % fair\nsymmetry: mirror-x\nLandWater=88\n");
  recipe.close();
  Start();
  QAction* preset = Action("preset:duel");
  QVERIFY(preset->text().contains("A small duel"));
  QCOMPARE(preset->toolTip(), QString("100 % placed, 50 % fair"));
  preset->trigger();
  QCOMPARE(main_->State().settings.LandWater, int8_t{88});
  QCOMPARE(main_->windowTitle(), QString("duel - Glenmire32 v3.0"));
  QCOMPARE(main_->Preview()->ChosenSymmetry(), Symmetry::kMirrorX);
  QVERIFY(dialogs_->messages.empty());
}

void MainWindowTest::symmetryChoiceReachesTheRunsAndIsRefusedWhereItServesNoCount() {
  SaveConfiguration(SmallMapSettings(), (dir_->path() + "/Default.gmp").toStdString());
  Start();
  main_->ShownForm()->parentWidget()->close();
  auto* choice = Find<QComboBox>("cbSymmetry");
  QCOMPARE(choice->currentText(), QString("none"));
  Action("PreviewMap")->trigger();
  QCOMPARE(main_->Preview()->SymmetryLines(), 0u);

  // What the core function writes for the same settings, seed and mode.
  const QString out = dir_->path() + "/turned.pud";
  auto core = MakeGeneratorState();
  core->settings = main_->State().settings;
  core->menu = main_->State().menu;
  core->random.Seed(20261207);
  glenmire::test::AgreeingUi agree;
  PrepareAndRunGeneration(*core, out.toStdString(), RunOptions{.ui = &agree, .symmetry = Symmetry::kHalfTurn});
  const QByteArray expected = ReadAll(out);
  QVERIFY(!expected.isEmpty());
  QFile::remove(out);

  choice->setCurrentText("half-turn");
  dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
  Action("PreviewMap")->trigger();
  const QImage previewed = main_->Preview()->Picture();
  QCOMPARE(main_->Preview()->SymmetryLines(), unsigned{MapView::kHorizontal});
  dialogs_->files.push_back(out);
  dialogs_->answers = {QMessageBox::Ok, QMessageBox::Ignore};
  Button("btGenerateMap")->click();
  QCOMPARE(ReadAll(out), expected);
  QCOMPARE(main_->Preview()->Picture(), previewed);

  // Two players cannot share four images: refused with the run's message,
  // by the plain run and by the fair search alike, and nothing is written.
  choice->setCurrentText("quarter-turn");
  const QString refused = dir_->path() + "/refused.pud";
  for (bool fair : {false, true}) {
    Action("FairMapsOnly")->setChecked(fair);
    dialogs_->messages.clear();
    dialogs_->files.push_back(refused);
    Button("btGenerateMap")->click();
    QCOMPARE(dialogs_->messages.size(), std::size_t{1});
    QCOMPARE(dialogs_->messages[0].text, QString("This map cannot be made."));
    QVERIFY2(dialogs_->messages[0].detail.contains("quarter-turn"), qPrintable(dialogs_->messages[0].detail));
    QVERIFY(!QFileInfo::exists(refused));
  }
  main_.reset();
  Start();
  QCOMPARE(Find<QComboBox>("cbSymmetry")->currentText(), QString("quarter-turn"));  // remembered
}

QTEST_MAIN(MainWindowTest)

#include "main_window_test.moc"
