// What the main window makes maps of, without the window: the generator state
// with the settings being edited (the configuration or map they came from,
// whether they changed since, the fairness rules their maps are judged by) and
// the runs: Generate Map and Preview Map with the kept seed or a fresh one,
// the Fair Maps Only search, and the map the preview shows, read back from the
// very bytes of the map. It speaks to the user only through its View.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/file_error.h"
#include "core/generation_ui.h"
#include "core/generator_state.h"
#include "core/symmetry.h"
#include "report/fairness.h"

namespace glenmire {

struct RunOutcome;
struct StartGroups;

class MapSession {
  Q_DECLARE_TR_FUNCTIONS(MapSession)

 public:
  // What the user sees of a session.
  class View {
   public:
    virtual ~View() = default;
    // The map in `map`, read from `bytes`, with its report.
    virtual void ShowMap(const GeneratorState& map, const std::vector<uint8_t>& bytes, const StartGroups& groups,
                         const FairnessRules& rules) = 0;
    virtual void ShowSeed(uint32_t seed) = 0;
    virtual void ShowProgress(int percent) = 0;
    // paintNow: the run holds the GUI thread, paint the text before it goes on.
    virtual void ShowStatus(const QString& text, bool paintNow = false) = 0;
    virtual void ShowError(const QString& text, const QString& detail) = 0;
    virtual void ShowFileError(const FileError& e) = 0;
    // The run's last word ("Done Creating MapFile", the failure message).
    virtual void Inform(const std::string& text) = 0;
  };

  // programDir: where "Default.gmp" and the presets are; the runs report
  // their progress and ask their questions through `ui`.
  MapSession(std::string programDir, View& view, GenerationUi& ui);
  ~MapSession();

  GeneratorState& State() { return *state_; }
  // The configuration or map last loaded or saved, empty for none.
  const QString& DocumentName() const { return documentName_; }
  // The seed the last run used.
  std::optional<uint32_t> LastSeed() const { return lastSeed_; }

  // Program start: Default.gmp next to the program, else the defaults. A file
  // that exists but cannot be read leaves the defaults; its error is returned
  // for the window to show once it is up.
  std::optional<FileError> LoadStartupSettings();
  // Each throws FileError and then changes nothing. A preset brings its
  // fairness rules and returns the symmetry its maps are made with; a
  // configuration or map the default rules.
  Symmetry LoadPreset(const QString& name);
  void LoadConfiguration(const std::string& path);
  void SaveConfiguration(const std::string& path);
  // Loaded for Genitizing; the preview shows it.
  void LoadMap(const std::string& path);
  // The record the loaded map came with.
  const SettingsRecord& LoadedMap() const { return loadedMap_; }
  // Generate Map's question on a loaded map: Yes Genitizes it, No drops it.
  void AnswerGenitizeQuestion(bool genitize);

  // The record as it is now counts as unchanged; SettingsChanged compares with it
  // (the map file name aside, which every Generate Map stores).
  void MarkSettingsClean() { cleanSettings_ = state_->settings; }
  bool SettingsChanged() const;

  // Whether Generate Map may write `file`; says why not. Checked before the
  // run, so a bad folder costs no work.
  bool CanWriteMap(const QString& file);
  // One run of the record and menu checks as they stand (the shown settings
  // window saved): into `mapFile` through the file writer, or (mapFile empty)
  // into memory only, with `keptSeed` or a fresh one, made `symmetry` (a
  // mode that does not serve the players is refused); the map is shown. With
  // `fairMapsOnly` and no map loaded, the fair search instead.
  void Run(const std::optional<std::string>& mapFile, std::optional<uint32_t> keptSeed, bool fairMapsOnly,
           Symmetry symmetry = Symmetry::kNone);

 private:
  void RunFairSearch(const std::optional<std::string>& mapFile, uint32_t firstSeed, Symmetry symmetry);
  void ShowBytes(const std::string& mapFile, const std::vector<uint8_t>& bytes, const StartGroups& groups);
  void ShowOutcome(const RunOutcome& outcome, uint32_t seed, bool preview);

  std::string programDir_;
  View& view_;
  GenerationUi& ui_;
  std::unique_ptr<GeneratorState> state_;
  std::unique_ptr<GeneratorState> shown_;    // the map in the preview
  SettingsRecord loadedMap_ = ZeroRecord();  // the record the map loaded for Genitizing came with
  SettingsRecord cleanSettings_;
  QString documentName_;
  FairnessRules rules_;  // what maps are judged by: a loaded preset's, else the defaults
  std::optional<uint32_t> lastSeed_;
};

}  // namespace glenmire
