// The ten settings windows on their own: record -> controls -> record, the
// Set ALL / Set NONE / Reset Defaults buttons, and each window's own rules.
#include <QDir>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "gui/settings_forms.h"
#include "gui/windows/critters_window.h"
#include "gui/windows/land_window.h"
#include "gui/windows/player_window.h"
#include "gui/windows/quick_window.h"
#include "gui/windows/random_window.h"
#include "gui/windows/resources_window.h"
#include "gui/windows/start_res_window.h"
#include "gui/windows/units_window.h"
#include "gui/windows/upgrades_window.h"
#include "settings/defaults.h"
#include "settings/random_flags.h"
#include "shell_test_support.h"

using namespace glenmire;
using glenmire::test::ControlValue;
using glenmire::test::DifferingFields;

namespace {

// A record with something other than a default in every kind of field the
// windows show.
SettingsRecord BusyRecord() {
  SettingsRecord r = ZeroRecord();
  MakeStarterConfiguration(r);
  r.MapSize = 96;
  r.Climate = 2;
  r.MapDescription.assign("Round trip map");
  r.WC2Drive = QDir::drives().value(0).absoluteFilePath().toLatin1().at(0);
  r.WC2Directory.assign(QDir::tempPath().toStdString());
  r.NumberOfPlayers = 2;  // the File window stores these two as 2 and 1
  r.HumanControlled = 1;
  r.LandWater = 45;
  r.RandomLandWater = 1;
  r.BuildableLand = 66;
  r.Rivers = 12;
  r.RandomRivers = 1;
  r.MultipleRivers = 1;
  r.Lakes = 33;
  r.Forest = 44;
  r.RandomForest = 1;
  r.Mountains = 7;
  r.Decorations = 5;
  r.EnableShallowWater = 1;
  r.BuildOnSand = 1;
  r.AddWalls = 1;
  r.RiversEnable = 0;
  const uint8_t races[8] = {0, 1, 2, 0, 1, 2, 0, 1};
  const uint8_t controllers[8] = {5, 4, 6, 7, 0, 3, 3, 3};
  const uint8_t ais[8] = {0, 1, 25, 26, 255, 0, 0, 0};
  for (int i = 0; i < kPlayers; ++i) {
    r.PlayerRace[i] = races[i];
    r.PlayerController[i] = controllers[i];
    r.PlayerAI[i] = ais[i];
    r.Difficulty[i] = static_cast<int8_t>(i + 1);
    r.CrittersPlayer[i] = i;
  }
  r.GoldMines = 9;
  r.OilPatches = 4;
  r.RandomOilPatches = 1;
  r.GoldAmount = 77;
  r.OilAmount = 200;
  r.UpgradeStepCost[0] = 210;
  r.UpgradeGoldCost[0] = 900;
  r.UpgradeLumberCost[0] = 15;
  r.UpgradeOilCost[0] = 7;
  r.RandomUpgradeGoldCost[0] = 1;
  r.StartGold[2] = -5;
  r.StartLumber[7] = 65535;
  r.RandomStartOil[4] = 1;
  r.DifficultyRandom[1] = 1;
  r.AllCompDiff = 3;
  r.AllHumanDiff = 4;
  r.AllHumanPlayers = 1;
  r.AllCompPlayersRandom = 1;
  r.UnitGoldCost[0] = 61;
  r.UnitHitPoints[0] = 100000;
  r.RandomUnitArmor[0] = 1;
  r.RandomUnitHitPoints[59] = 1;
  r.RandomMethod = 1;
  r.RandomExtremity = 55;
  r.CrittersNormal = 3;
  r.RandomCritters = 1;
  r.CritterRandomPlayer[6] = 1;
  return r;
}

struct Window {
  SettingsRecord record = BusyRecord();
  ShellState shell;
  std::unique_ptr<SettingsForm> form;

  explicit Window(int index) : form(CreateSettingsForm(index, record, shell)) { form->FormCreate(); }
  template <class T = QWidget>
  T* Control(const QString& name) const {
    return form->findChild<T*>(name);
  }
};

int64_t Field(const SettingsRecord& r, const char* name, int element) {
  const FieldInfo* f = FindField(name);
  return f ? ReadFieldElement(r, *f, element - 1) : INT64_MIN;
}

}  // namespace

class SettingsWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void recordToControlsToRecord_data();
  void recordToControlsToRecord();
  void controlsShowTheRecord_data();
  void controlsShowTheRecord();
  void buttons_data();
  void buttons();
  void controlsCarryTheirNamesAndCaptions_data();
  void controlsCarryTheirNamesAndCaptions();

  void playerChangeRecountsPlayersAndFileSaveResetsThem();
  void goldAndOilLabelsShowTheAmount();
  void mineAndPatchBoxesStopAt127();
  void typedUnitCostIsStoredDividedByTen();
  void changingUnitDropsUnsavedTyping_data();
  void changingUnitDropsUnsavedTyping();
  void randomBoxStoresAtOnce();
  void unitRaceLabel_data();
  void unitRaceLabel();
  void unusableTextKeepsTheStoredValue();
  void rawMethodGreysOutExtremity();
  void unknownMapSizeSurvivesASave();
  void descriptionHoldsAtMost31Characters();
  void folderBoxNavigatesRealFolders();
  void startResourceRandomBoxDisablesOnlyItsEdit();
  void landLoadDoesNotWaitForAPendingSave();
  void clickOnTheBackgroundPutsTheWindowBack();
  void closingSavesAndLeavesNoWindowShown();
};

void SettingsWindowsTest::recordToControlsToRecord_data() {
  QTest::addColumn<int>("window");
  for (int n = 1; n <= kSettingsWindowCount; ++n) QTest::newRow(qPrintable(SettingsFormClassName(n))) << n;
}

void SettingsWindowsTest::recordToControlsToRecord() {
  QFETCH(int, window);
  Window w(window);
  const SettingsRecord before = w.record;
  w.form->Save();
  QCOMPARE(DifferingFields(before, w.record), QStringList());
}

void SettingsWindowsTest::controlsShowTheRecord_data() {
  QTest::addColumn<int>("window");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QVariant>("expected");
  auto row = [](int n, const char* control, QVariant v) {
    QTest::newRow(qPrintable(SettingsFormClassName(n) + "." + control)) << n << QString(control) << v;
  };
  row(1, "rgMapSize", 2);
  row(1, "rgClimate", 2);
  row(1, "edMapDesc", QString("Round trip map"));
  row(1, "edWarcraftDirectoryDisplay", QDir::tempPath());
  row(1, "tbQSLandWater", 45);
  row(1, "cbQSRandomLandWater", true);
  row(2, "rgrace3", 2);
  row(2, "cboController1", 0);
  row(2, "cboController3", 2);
  row(2, "cboController5", 4);
  row(2, "cboController8", 5);
  row(2, "cboAI3", 2);
  row(2, "cboAI5", 4);
  row(3, "speResGoldMine", 9);
  row(3, "cbResRanOilPat", true);
  row(3, "tbResOilAmt", 200);
  row(4, "cbUpgradeSelection", 0);
  row(4, "txtUpgradeStepCost", QString("210"));
  row(4, "txtUpgradeLumberCost", QString("15"));
  row(4, "cbRandomUpgradeGoldCost", true);
  row(5, "txtStartGoldGreen", QString("-5"));
  row(5, "txtStartLumberYellow", QString("65535"));
  row(5, "cbRandomStartOilOrange", true);
  row(6, "tbDiff4", 4);
  row(6, "cbDiff2Random", true);
  row(6, "tbAllHumanDiff", 4);
  row(6, "cbAllHumanPlayers", true);
  row(7, "cbUnitSelection", 0);
  row(7, "txtUnitGoldCost", QString("610"));
  row(7, "txtUnitHitPoints", QString("100000"));
  row(7, "cbRandomUnitArmor", true);
  row(8, "tbLandWater", 45);
  row(8, "tbDecorations", 5);
  row(8, "cbRandomForest", true);
  row(8, "cbRiversEnable", false);
  row(8, "cbLakesEnable", true);
  row(8, "cbAddWalls", true);
  row(9, "rgRandomMethod", 1);
  row(9, "tbRandomExtremity", 55);
  row(10, "tbCrittersNormal", 3);
  row(10, "tbCrittersPlayer8", 7);
  row(10, "cbCritterRandomPlayer7", true);
}

void SettingsWindowsTest::controlsShowTheRecord() {
  QFETCH(int, window);
  QFETCH(QString, control);
  QFETCH(QVariant, expected);
  Window w(window);
  QWidget* c = w.Control(control);
  QVERIFY2(c, qPrintable(control));
  QCOMPARE(ControlValue(c), expected);
}

// Each row: a button on a window, then a control's value or enabled state,
// or a record field after the window's next save.
void SettingsWindowsTest::buttons_data() {
  QTest::addColumn<int>("window");
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("what");  // a control name, "enabled:<control>" or "field:<name>[n]"
  QTest::addColumn<QVariant>("expected");
  int n = 0;
  auto row = [&n](int window, const char* button, const char* what, QVariant v) {
    QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3 #%4").arg(SettingsFormClassName(window), button, what).arg(++n)))
        << window << QString(button) << QString(what) << v;
  };
  // "File"
  row(1, "all", "rgMapSize", 4);
  row(1, "all", "rgClimate", 4);
  row(1, "all", "cbQSRandomLandWater", true);
  row(1, "all", "enabled:tbQSLandWater", false);
  row(1, "all", "edMapDesc", QString("Glenmire32 Generated Map"));
  row(1, "reset", "rgMapSize", 3);
  row(1, "reset", "rgClimate", 0);
  row(1, "reset", "tbQSLandWater", 20);
  row(1, "reset", "enabled:tbQSLandWater", true);
  row(1, "reset", "edMapDesc", QString("Round trip map"));
  row(1, "none", "rgMapSize", 3);
  row(1, "none", "cbQSRandomLandWater", false);
  // "Player Options" (one human player in the record)
  row(2, "all", "rgrace1", 2);
  row(2, "all", "rgrace8", 2);
  row(2, "all", "cboController1", 0);
  row(2, "all", "cboController2", 4);
  row(2, "all", "cboAI3", 4);
  row(2, "none", "rgrace1", 0);
  row(2, "none", "rgrace2", 1);
  row(2, "none", "cboController3", 0);
  row(2, "none", "cboController2", 1);
  row(2, "none", "cboAI5", 0);
  row(2, "none", "field:NumberOfPlayers", 8);
  row(2, "none", "field:HumanControlled", 4);
  row(2, "all", "field:NumberOfPlayers", 8);  // the rescue players take part
  row(2, "reset", "cboController8", 1);
  row(2, "reset", "rgrace7", 0);
  // "Natural Resources"
  row(3, "all", "cbResRanGoldMine", true);
  row(3, "all", "enabled:speResGoldMine", false);
  row(3, "all", "enabled:tbResOilAmt", false);
  row(3, "none", "cbResRanOilPat", false);
  row(3, "none", "enabled:speResOilPat", true);
  row(3, "reset", "tbResGoldAmt", 100);
  row(3, "reset", "tbResOilAmt", 100);
  row(3, "reset", "speResGoldMine", 2);
  row(3, "reset", "speResOilPat", 2);
  row(3, "reset", "cbResRanOilPat", false);
  // "Upgrade Costs"
  row(4, "all", "cbRandomUpgradeStepCost", true);
  row(4, "all", "enabled:txtUpgradeStepCost", false);
  row(4, "all", "field:RandomUpgradeOilCost[52]", 1);
  row(4, "none", "cbRandomUpgradeGoldCost", false);
  row(4, "none", "field:RandomUpgradeGoldCost[1]", 0);
  row(4, "reset", "txtUpgradeStepCost", QString("200"));
  row(4, "reset", "txtUpgradeGoldCost", QString("800"));
  row(4, "reset", "txtUpgradeLumberCost", QString("15"));  // not in the defaults: kept
  row(4, "reset", "field:RandomUpgradeGoldCost[1]", 0);
  // "Startup Resources"
  row(5, "all", "cbRandomStartGoldRed", true);
  row(5, "all", "enabled:txtStartOilYellow", false);
  row(5, "none", "cbRandomStartOilOrange", false);
  row(5, "none", "enabled:txtStartOilOrange", true);
  row(5, "reset", "txtStartGoldGreen", QString("1000"));
  row(5, "reset", "field:StartLumber[8]", 1000);
  row(5, "reset", "field:RandomStartOil[5]", 0);
  // "Startup Units"
  row(6, "all", "cbDiff1Random", true);
  row(6, "all", "enabled:tbDiff1", false);
  row(6, "all", "cbAllHumanPlayers", false);
  row(6, "all", "cbAllCompPlayersRandom", false);
  row(6, "none", "cbDiff2Random", false);
  row(6, "none", "enabled:tbDiff2", true);
  row(6, "none", "cbAllCompPlayersRandom", false);
  row(6, "none", "cbAllHumanPlayers", true);
  row(6, "reset", "tbDiff8", 1);
  row(6, "reset", "tbAllCompDiff", 1);
  row(6, "reset", "cbAllHumanPlayers", false);
  row(6, "reset", "enabled:tbDiff3", true);
  // "Units"
  row(7, "all", "cbRandomUnitArmor", true);
  row(7, "all", "enabled:txtUnitArmor", false);
  row(7, "all", "field:RandomUnitPiercingDamage[79]", 1);
  row(7, "none", "cbRandomUnitArmor", false);
  row(7, "none", "field:RandomUnitArmor[1]", 0);
  row(7, "none", "field:RandomUnitHitPoints[60]", 1);  // 53..79 keep theirs
  row(7, "reset", "txtUnitGoldCost", QString("600"));
  row(7, "reset", "txtUnitHitPoints", QString("60"));
  row(7, "reset", "field:RandomUnitHitPoints[60]", 0);
  // "Land Attributes"
  row(8, "all", "cbRandomLakes", true);
  row(8, "all", "enabled:tbLakes", false);
  row(8, "all", "tbDecorations", 5);
  row(8, "all", "cbBuildOnSand", true);
  row(8, "all", "field:RandomMountains", 1);
  row(8, "none", "cbRandomRivers", false);
  row(8, "none", "enabled:tbRivers", true);
  row(8, "reset", "tbLandWater", 20);
  row(8, "reset", "tbBuildableLand", 80);
  row(8, "reset", "tbRivers", 30);
  row(8, "reset", "tbLakes", 30);
  row(8, "reset", "tbForest", 40);
  row(8, "reset", "tbMountains", 20);
  row(8, "reset", "tbDecorations", 7);
  row(8, "reset", "cbRiversEnable", false);
  row(8, "reset", "cbEnableShallowWater", true);
  row(8, "reset", "cbRandomForest", false);
  // "Random Method"
  row(9, "all", "rgRandomMethod", 3);
  row(9, "all", "enabled:tbRandomExtremity", true);
  row(9, "none", "rgRandomMethod", 0);
  row(9, "reset", "rgRandomMethod", 0);
  row(9, "reset", "tbRandomExtremity", 10);
  // "Critters!"
  row(10, "all", "cbRandomCritters", true);
  row(10, "all", "enabled:tbCrittersPlayer3", false);
  row(10, "all", "enabled:cbCritterRandomPlayer3", true);
  row(10, "none", "cbCritterRandomPlayer7", false);
  row(10, "none", "enabled:tbCrittersPlayer7", true);
  row(10, "none", "enabled:tbCrittersNormal", true);
  row(10, "reset", "tbCrittersNormal", 2);
  row(10, "reset", "tbCrittersPlayer5", 0);
  row(10, "reset", "enabled:cbCritterRandomPlayer1", false);
  row(10, "reset", "enabled:cbRandomCritters", true);
  row(10, "reset", "field:CrittersNormal", 2);
}

void SettingsWindowsTest::buttons() {
  QFETCH(int, window);
  QFETCH(QString, button);
  QFETCH(QString, what);
  QFETCH(QVariant, expected);
  Window w(window);
  if (button == "all") w.form->SetAllToRandom();
  if (button == "none") w.form->SetNoneToRandom();
  if (button == "reset") w.form->ResetDefaults();

  if (what.startsWith("field:")) {
    w.form->Save();
    const QString setup = what.mid(6);
    const int bracket = setup.indexOf('[');
    const QString name = bracket < 0 ? setup : setup.left(bracket);
    const int element = bracket < 0 ? 1 : setup.mid(bracket + 1).chopped(1).toInt();
    QCOMPARE(QVariant::fromValue<qlonglong>(Field(w.record, qPrintable(name), element)).toInt(), expected.toInt());
  } else if (what.startsWith("enabled:")) {
    QWidget* c = w.Control(what.mid(8));
    QVERIFY(c);
    QCOMPARE(c->isEnabled(), expected.toBool());
  } else {
    QWidget* c = w.Control(what);
    QVERIFY(c);
    QCOMPARE(ControlValue(c), expected);
  }
}

void SettingsWindowsTest::controlsCarryTheirNamesAndCaptions_data() {
  QTest::addColumn<int>("window");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("caption");  // the control's own text, "" when it has none
  QTest::addColumn<bool>("visible");
  auto row = [](int n, const char* control, const char* caption, bool visible = true) {
    QTest::newRow(qPrintable(SettingsFormClassName(n) + "." + control))
        << n << QString(control) << QString(caption) << visible;
  };
  row(1, "rgMapSize", "Map Size");
  row(1, "rgClimate", "Terrain");
  row(1, "dcbWC2Dir", "");
  row(1, "dlbWC2Dir", "");
  row(1, "speNumberOfPlayers", "", false);
  row(1, "speHumanControlled", "", false);
  row(1, "tbQSLandWater", "", false);
  row(1, "cbQSRandomLandWater", "Random", false);
  row(2, "rgrace1", "Player &1 (Red) Race");
  row(2, "rgrace8", "Player &8 (Yellow) Race");
  row(2, "cboController4", "");
  row(2, "cboAI6", "");
  row(3, "speResGoldMine", "");
  row(3, "cbResRanGoldMine", "Random");
  row(3, "cbResOilAmt", "Random");
  row(3, "CurrentOil", "");
  row(4, "cbUpgradeSelection", "");
  row(4, "cbRandomUpgradeOilCost", "Random");
  row(5, "txtStartOilViolet", "");
  row(5, "cbRandomStartLumberBlack", "Rnd");
  row(6, "tbDiff5", "");
  row(6, "cbDiff8Random", "Random");
  row(6, "tbAllCompDiff", "", false);
  row(6, "cbAllComputerPlayers", "Enable", false);
  row(6, "cbAllHumanPlayersRandom", "Random", false);
  row(7, "lblUnitRace", "(Human Unit)");
  row(7, "txtUnitPiercingDamage", "");
  row(7, "cbRandomUnitVisibleRange", "Random");
  row(8, "cbMultipleRivers", "Enable Multiple Rivers");
  row(8, "cbEnableImpassibleLand", "Enable Swamp Land");
  row(8, "cbReverseLandAndWaterProperties", "Reverse Physics");
  row(8, "cbEnableSecretMountainPasses", "Enable Secret Mountain Passes");
  row(8, "cbBlankMap", "Black Map");
  row(8, "cbBuildOnSand", "Build On Sand");
  row(8, "cbMountainsEnable", "Enabled", false);
  row(8, "cbMultipleLakes", "Enable MultipleLakes", false);
  row(8, "cbEnableIslands", "Enable Islands", false);
  row(9, "rgRandomMethod", "Formula Selection");
  row(10, "cbCritterRandomPlayer8", "Random");
  row(10, "tbCrittersPlayer1", "");
}

void SettingsWindowsTest::controlsCarryTheirNamesAndCaptions() {
  QFETCH(int, window);
  QFETCH(QString, control);
  QFETCH(QString, caption);
  QFETCH(bool, visible);
  Window w(window);
  w.form->show();
  QWidget* c = w.Control(control);
  QVERIFY2(c, qPrintable(control));
  QString text;
  if (auto* b = qobject_cast<QAbstractButton*>(c)) text = b->text();
  if (auto* g = qobject_cast<QGroupBox*>(c)) text = g->title();
  if (auto* l = qobject_cast<QLabel*>(c); l && !caption.isEmpty()) text = l->text();
  QCOMPARE(text, caption);
  QCOMPARE(c->isVisible(), visible);
}

void SettingsWindowsTest::playerChangeRecountsPlayersAndFileSaveResetsThem() {
  SettingsRecord r = ZeroRecord();
  SetDefaults(r);
  ShellState shell;
  {
    TfrmPlayer player(r, shell);
    player.FormCreate();
    player.cboController[2]->setCurrentIndex(1);  // "Computer"
    emit player.cboController[2]->activated(1);
    QCOMPARE(r.PlayerController[2], uint8_t{4});
    QCOMPARE(r.NumberOfPlayers, int8_t{3});
    QCOMPARE(r.HumanControlled, int8_t{7});
  }
  TfrmQuick file(r, shell);
  file.FormCreate();
  file.SaveQuickStart();
  QCOMPARE(r.NumberOfPlayers, int8_t{2});
  QCOMPARE(r.HumanControlled, int8_t{1});
}

void SettingsWindowsTest::goldAndOilLabelsShowTheAmount() {
  Window w(3);
  auto* f = static_cast<TfrmResources*>(w.form.get());
  QCOMPARE(f->CurrentGold->text(), QString("192500"));  // loaded 77
  f->tbResGoldAmt->setValue(100);
  QCOMPARE(f->CurrentGold->text(), QString("250000"));
  f->tbResOilAmt->setValue(1);
  QCOMPARE(f->CurrentOil->text(), QString("2500"));
}

void SettingsWindowsTest::mineAndPatchBoxesStopAt127() {
  Window w(3);
  auto* f = static_cast<TfrmResources*>(w.form.get());
  f->speResGoldMine->setValue(200);
  f->speResOilPat->setValue(128);
  f->SaveResources();
  QCOMPARE(w.record.GoldMines, int8_t{127});
  QCOMPARE(w.record.OilPatches, int8_t{127});
}

void SettingsWindowsTest::typedUnitCostIsStoredDividedByTen() {
  Window w(7);
  auto* f = static_cast<TfrmUnits*>(w.form.get());
  f->txtUnit[4]->setText("605");
  f->UnitSave();
  QCOMPARE(w.record.UnitGoldCost[0], uint8_t{60});
  f->cbUnitSelection->setCurrentIndex(1);
  f->cbUnitSelection->setCurrentIndex(0);
  QCOMPARE(f->txtUnit[4]->text(), QString("600"));
}

void SettingsWindowsTest::changingUnitDropsUnsavedTyping_data() {
  QTest::addColumn<int>("window");
  QTest::addColumn<QString>("button");  // pressed after the typing
  QTest::newRow("Units") << 7 << "";
  QTest::newRow("Units, Set ALL Random") << 7 << "all";
  QTest::newRow("Units, Set NONE Random") << 7 << "none";
  QTest::newRow("Upgrade Costs, Set ALL Random") << 4 << "all";
}

void SettingsWindowsTest::changingUnitDropsUnsavedTyping() {
  QFETCH(int, window);
  QFETCH(QString, button);
  Window w(window);
  const bool units = window == 7;
  auto* edit = w.Control<QLineEdit>(units ? "txtUnitVisibleRange" : "txtUpgradeStepCost");
  auto* selection = w.Control<QComboBox>(units ? "cbUnitSelection" : "cbUpgradeSelection");
  SettingsRecord expected = w.record;  // the buttons set their flags in the record at once
  if (button == "all") SetAllRandom(SettingsWindow(window), expected);
  if (button == "none") SetNoneRandom(SettingsWindow(window), expected);
  edit->setText("9");  // the first entry's value, not saved
  if (button == "all") w.form->SetAllToRandom();
  if (button == "none") w.form->SetNoneToRandom();
  selection->setCurrentIndex(1);
  QCOMPARE(edit->text(), QString::number(units ? w.record.UnitVisibleRange[1] : w.record.UpgradeStepCost[1]));
  w.form.reset();  // closing saves the second entry, not the first
  QCOMPARE(DifferingFields(expected, w.record), QStringList());
}

void SettingsWindowsTest::randomBoxStoresAtOnce() {
  {
    Window w(7);
    auto* f = static_cast<TfrmUnits*>(w.form.get());
    f->cbUnitSelection->setCurrentIndex(2);
    f->cbRandomUnit[1]->click();  // hit points
    QCOMPARE(w.record.RandomUnitHitPoints[2], uint8_t{1});
    QVERIFY(!f->txtUnit[1]->isEnabled());
    f->cbRandomUnit[1]->click();
    QCOMPARE(w.record.RandomUnitHitPoints[2], uint8_t{0});
    QVERIFY(f->txtUnit[1]->isEnabled());
  }
  Window w(4);
  auto* f = static_cast<TfrmUpgrades*>(w.form.get());
  f->cbUpgradeSelection->setCurrentIndex(51);
  f->cbRandomUpgrade[3]->click();
  QCOMPARE(w.record.RandomUpgradeOilCost[51], uint8_t{1});
  QVERIFY(!f->txtUpgrade[3]->isEnabled());
}

void SettingsWindowsTest::unitRaceLabel_data() {
  QTest::addColumn<int>("unit");
  QTest::addColumn<QString>("label");
  QTest::newRow("Footman") << 1 << "(Human Unit)";
  QTest::newRow("Grunt") << 2 << "(Orc Unit)";
  QTest::newRow("Daemon") << 40 << "(Misc Creature)";
  QTest::newRow("Farm") << 42 << "(Human Unit)";
  QTest::newRow("Orc Cannon Tower") << 79 << "(Orc Unit)";
}

void SettingsWindowsTest::unitRaceLabel() {
  QFETCH(int, unit);
  QFETCH(QString, label);
  Window w(7);
  auto* f = static_cast<TfrmUnits*>(w.form.get());
  QCOMPARE(f->cbUnitSelection->count(), kUnitTypes);
  f->cbUnitSelection->setCurrentIndex(unit - 1);
  QCOMPARE(f->lblUnitRace->text(), label);
}

void SettingsWindowsTest::unusableTextKeepsTheStoredValue() {
  Window units(7);
  auto* u = static_cast<TfrmUnits*>(units.form.get());
  u->txtUnit[0]->setText("256");   // visible range: a byte
  u->txtUnit[4]->setText("2560");  // gold cost: 256 after the division
  u->txtUnit[8]->setText("x");
  u->txtUnit[1]->setText("-7");  // hit points take any 32-bit number
  u->UnitSave();
  QCOMPARE(units.record.UnitVisibleRange[0], uint8_t{4});
  QCOMPARE(units.record.UnitGoldCost[0], uint8_t{61});
  QCOMPARE(units.record.UnitArmor[0], uint8_t{2});
  QCOMPARE(units.record.UnitHitPoints[0], -7);

  Window start(5);
  auto* s = static_cast<TfrmStartRes*>(start.form.get());
  s->txtStart[TfrmStartRes::kGold][0]->setText("");
  s->txtStart[TfrmStartRes::kGold][1]->setText("-5");
  s->SaveStartRes();
  QCOMPARE(start.record.StartGold[0], 1000);
  QCOMPARE(start.record.StartGold[1], -5);
}

void SettingsWindowsTest::rawMethodGreysOutExtremity() {
  Window w(9);
  auto* f = static_cast<TfrmRandom*>(w.form.get());
  QVERIFY(f->tbRandomExtremity->isEnabled());
  f->rgRandomMethod->Item(2)->click();
  QVERIFY(!f->tbRandomExtremity->isEnabled());
  f->rgRandomMethod->Item(3)->click();
  QVERIFY(f->tbRandomExtremity->isEnabled());
  f->rgRandomMethod->Item(2)->click();
  f->rgRandomMethod->Item(0)->click();
  QVERIFY(f->tbRandomExtremity->isEnabled());

  w.record.RandomMethod = 2;
  f->RandomLoad();
  QVERIFY(!f->tbRandomExtremity->isEnabled());
}

void SettingsWindowsTest::unknownMapSizeSurvivesASave() {
  SettingsRecord r = BusyRecord();
  r.MapSize = 50;
  ShellState shell;
  TfrmQuick f(r, shell);
  f.FormCreate();
  QCOMPARE(f.rgMapSize->ItemIndex(), -1);
  f.SaveQuickStart();
  QCOMPARE(r.MapSize, 50);
  // A known size after an unknown one is selected again.
  r.MapSize = 64;
  f.LoadQuickStart();
  QCOMPARE(f.rgMapSize->ItemIndex(), 1);
}

void SettingsWindowsTest::descriptionHoldsAtMost31Characters() {
  Window w(1);
  auto* f = static_cast<TfrmQuick*>(w.form.get());
  f->edMapDesc->clear();
  QTest::keyClicks(f->edMapDesc, QString(40, 'a'));
  QCOMPARE(f->edMapDesc->text().size(), 31);
  f->edMapDesc->setText(QString(31, 'b'));
  f->SaveQuickStart();
  QCOMPARE(QString::fromStdString(w.record.MapDescription.str()), QString(31, 'b'));
  // A stored one of 32 (a loaded map's) is shown and kept whole; typing stays within 31.
  w.record.MapDescription.assign(std::string(32, 'c'));
  f->LoadQuickStart();
  f->SaveQuickStart();
  QCOMPARE(QString::fromStdString(w.record.MapDescription.str()), QString(32, 'c'));
  QTest::keyClick(f->edMapDesc, Qt::Key_Backspace);
  QTest::keyClicks(f->edMapDesc, "dd");
  QCOMPARE(f->edMapDesc->text().size(), 31);
  QVERIFY(f->DescriptionHint().contains("31"));
  // Only what a map file holds: a character outside it is refused with a hint, never stored as "?".
  f->edMapDesc->clear();
  for (QChar c : QString::fromUtf8("Z\u00fcrich \u20ac5")) {  // typed as a keyboard would, beyond ASCII
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(f->edMapDesc, &press);
  }
  QCOMPARE(f->edMapDesc->text(), QString::fromUtf8("Z\u00fcrich 5"));
  QVERIFY(f->DescriptionHint().contains("Western European"));
  f->SaveQuickStart();
  QCOMPARE(w.record.MapDescription.str(), std::string("Z\xfcrich 5"));
}

void SettingsWindowsTest::folderBoxNavigatesRealFolders() {
  Window w(1);
  auto* f = static_cast<TfrmQuick*>(w.form.get());
  // Without drive letters: the root and the home folder, and no letter stored.
  QCOMPARE(f->dcbWC2Dir->count(), 2);
  QCOMPARE(QDir::fromNativeSeparators(f->dcbWC2Dir->itemText(1)), QDir::homePath());
  f->dcbWC2Dir->setCurrentIndex(1);
  f->dcbWC2DirChange();
  QCOMPARE(f->dlbWC2Dir->Directory(), QDir::homePath());
  QCOMPARE(w.record.WC2Drive, '\0');

  QTemporaryDir dir;
  QDir(dir.path()).mkpath("Warcraft II/Maps");
  f->dlbWC2Dir->SetDirectory(dir.path());
  const QList<QListWidgetItem*> found = f->dlbWC2Dir->findItems("Warcraft II", Qt::MatchEndsWith);
  QCOMPARE(found.size(), 1);
  emit f->dlbWC2Dir->itemActivated(found.front());
  QCOMPARE(f->dlbWC2Dir->Directory(), dir.path() + "/Warcraft II");
  QCOMPARE(QString::fromStdString(w.record.WC2Directory.str()), dir.path() + "/Warcraft II");
  QVERIFY(!f->dlbWC2Dir->findItems("Maps", Qt::MatchEndsWith).isEmpty());
}

void SettingsWindowsTest::startResourceRandomBoxDisablesOnlyItsEdit() {
  Window w(5);
  auto* f = static_cast<TfrmStartRes*>(w.form.get());
  auto disabledEdits = [f] {
    QStringList names;
    for (auto& row : f->txtStart)
      for (QLineEdit* e : row)
        if (!e->isEnabled()) names << e->objectName();
    names.sort();
    return names;
  };
  const QStringList before = disabledEdits();
  f->cbRandomStart[TfrmStartRes::kGold][0]->click();
  QStringList expected = QStringList(before) << "txtStartGoldRed";
  expected.sort();
  QCOMPARE(disabledEdits(), expected);
  QCOMPARE(w.record.RandomStartGold[0], uint8_t{0});  // stored at the next save only
}

void SettingsWindowsTest::landLoadDoesNotWaitForAPendingSave() {
  SettingsRecord r = BusyRecord();
  ShellState shell;
  shell.FormSavePending = true;  // nobody is left to clear it
  TfrmLand f(r, shell);
  f.FormCreate();
  QCOMPARE(f.tbLandWater->value(), 45);
  f.LandSave();
  QVERIFY(!shell.FormSavePending);
}

void SettingsWindowsTest::clickOnTheBackgroundPutsTheWindowBack() {
  Window w(9);
  w.form->move(100, 100);
  QTest::mouseClick(w.form.get(), Qt::LeftButton, {}, QPoint(2, 2));
  QCOMPARE(w.form->pos(), SettingsForm::kPlace.topLeft());
  QVERIFY(w.form->width() >= SettingsForm::kPlace.width());
}

void SettingsWindowsTest::closingSavesAndLeavesNoWindowShown() {
  Window w(8);
  w.shell.CurrentForm = 8;
  static_cast<TfrmLand*>(w.form.get())->tbLandWater->setValue(61);
  w.form->close();
  QCOMPARE(w.record.LandWater, int8_t{61});
  QCOMPARE(w.shell.CurrentForm, 0);
}

QTEST_MAIN(SettingsWindowsTest)
#include "settings_windows_test.moc"
