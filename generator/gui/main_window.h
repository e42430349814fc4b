// The map generator's main window: the button column, one settings window at
// a time in the frame, the preview pane with the last map and its seed, the
// progress bar and the menus. Its map session holds the generator state and
// makes the maps; the window is the session's and the generation run's way of
// speaking to the user.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/generation_ui.h"
#include "core/generator_state.h"
#include "gui/map_session.h"
#include "gui/path_text.h"
#include "gui/settings_frame.h"
#include "gui/shell_dialogs.h"
#include "report/fairness.h"

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;

namespace glenmire {

class HelpWindow;
class PreviewPane;

class MainWindow : public QMainWindow, public GenerationUi, private MapSession::View {
  Q_OBJECT

 public:
  // programDir: the folder of the running program (where "Default.gmp" and
  // the help document are); dialogs: the seam for file dialogs and message
  // boxes (nullptr: the real ones).
  explicit MainWindow(const QString& programDir, std::unique_ptr<ShellDialogs> dialogs = nullptr,
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  GeneratorState& State() { return session_.State(); }
  const SettingsRecord& LoadedMap() const { return session_.LoadedMap(); }
  ShellState& Shell() { return frame_->Shell(); }
  // The settings window now shown, or nullptr.
  SettingsForm* ShownForm() const { return frame_->Form(); }
  PreviewPane* Preview() const { return preview_; }
  const QString& ProgramDir() const { return programDir_; }
  QString HelpFilePath() const;
  // The seed the last run used.
  std::optional<uint32_t> LastSeed() const { return session_.LastSeed(); }

  // Window switching.
  void ShowSettingsWindow(int index) { frame_->Show(index); }
  void MasterClose() { frame_->Save(); }
  void MasterOpen() { frame_->Load(); }

  // Commands.
  void GenerateMap();
  void PreviewMap();

  // GenerationUi: the run's progress, status and questions.
  void Progress(int percent) override;
  void Status(const std::string& text) override;
  BuildOnSandAnswer AskBuildOnSand(const std::string& text) override {
    return dialogs_->AskBuildOnSand(this, Latin1(text));
  }
  UnplacedAnswer AskUnplaced(const std::string& text) override { return dialogs_->AskUnplaced(this, Latin1(text)); }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // MapSession::View.
  void ShowMap(const GeneratorState& map, const std::vector<uint8_t>& bytes, const StartGroups& groups,
               const FairnessRules& rules) override;
  void ShowSeed(uint32_t seed) override;
  void ShowProgress(int percent) override { Progress(percent); }
  void ShowStatus(const QString& text, bool paintNow) override;
  void ShowError(const QString& text, const QString& detail) override { dialogs_->ShowError(this, text, detail); }
  void ShowFileError(const FileError& e) override { dialogs_->ShowFileError(this, e); }
  void Inform(const std::string& text) override { dialogs_->Inform(this, Latin1(text)); }

  void BuildButtons(QWidget* panel);
  void BuildMenus();
  void BuildDialogs();
  void MenuFromState();
  void Mayhem();
  void LoadMapClick();
  void SaveCurrentSettingsClick();
  void LoadConfigurationClick();
  void HelpClick();
  void AboutClick();

  // One run of the current settings: into `mapFile` through the file writer,
  // or (mapFile empty) into memory only; the map is shown in the pane.
  void Run(const std::optional<std::string>& mapFile);
  void LoadPreset(const QString& name);
  std::optional<QString> RunDialog(FileDialogSetup& setup);
  // Load Map and the configuration menu items: a name chosen runs `action`
  // on it with the settings window closed, and a file error is shown; after
  // it the settings count as unchanged. An empty name only closes and reopens
  // the window; Cancel does nothing.
  void RunFileCommand(FileDialogSetup& dialog, const std::function<void(const std::string&)>& action);

  // Settings changed since they were last loaded or saved: Exit asks first.
  void MarkSettingsClean();
  bool SettingsChanged();
  void UpdateTitle();

  QString programDir_;
  std::unique_ptr<ShellDialogs> dialogs_;
  MapSession session_;
  QPointer<HelpWindow> help_;

  FileDialogSetup odLoadConfig_;
  FileDialogSetup sdSaveConfig_;
  FileDialogSetup sdSaveMap_;
  FileDialogSetup odLoadMap_;

  SettingsFrame* frame_;
  PreviewPane* preview_;
  QWidget* previewColumn_;
  QLabel* lblMapperStatus_;
  QProgressBar* progressBar_;
  QAction* showWarnings_;
  QAction* compensate_;
  QAction* safetyMode_;
  QAction* fairMapsOnly_;
  QAction* showPreview_;
};

}  // namespace glenmire
