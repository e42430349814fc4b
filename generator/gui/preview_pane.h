// The main window's preview pane: the seed of the last run and the field for
// the next one, the symmetry the next runs are made with, the map last generated, previewed or loaded (the same picture
// as `glenmire preview`, scaled to fit with crisp pixels, its start locations
// and gold mines marked in the players' colours, its symmetry lines drawn
// faintly), a legend, and the map report beside it.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/generator_state.h"
#include "core/symmetry.h"
#include "report/fairness.h"
#include "report/map_report.h"

namespace glenmire {

// The picture with its marks, scaled to the room it has.
class MapView : public QWidget {
  Q_OBJECT

 public:
  explicit MapView(QWidget* parent);
  struct Mark {
    int row, column, size;  // cells, 1-based top-left
    QColor colour;
    bool round;  // start locations round, mines square
  };
  // The lines a symmetric map is mirrored or turned about, as a mask.
  enum Line : unsigned { kVertical = 1, kHorizontal = 2, kDiagonal = 4, kAntiDiagonal = 8 };
  void SetMap(const QImage& picture, std::vector<Mark> marks, unsigned lines);
  const QImage& Picture() const { return picture_; }
  unsigned Lines() const { return lines_; }
  QSize sizeHint() const override { return {256, 256}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;  // one pixel per cell
  std::vector<Mark> marks_;
  unsigned lines_ = 0;
};

class PreviewPane : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewPane(QWidget* parent);

  // Shows the map the state holds (loaded from `bytes`, a map file's) and
  // its report, judged by `rules` with the players set up alike as `groups`
  // says.
  void ShowMap(const GeneratorState& map, const std::vector<uint8_t>& bytes, const StartGroups& groups,
               const FairnessRules& rules = {});
  // The verdict in words, as the pane shows it.
  QString VerdictText() const;
  // The picture shown, one pixel per cell (what `glenmire preview` writes).
  const QImage& Picture() const { return view_->Picture(); }
  // The symmetry lines drawn over it (MapView::Line), found on the map itself.
  unsigned SymmetryLines() const { return view_->Lines(); }

  // The seed a run should use: the typed one with "Keep seed" checked, or nothing.
  std::optional<uint32_t> KeptSeed() const;
  void ShowSeed(uint32_t seed);
  // The symmetry chosen for the next runs; remembered across starts.
  Symmetry ChosenSymmetry() const;
  void ChooseSymmetry(Symmetry mode);

 private:
  void ShowReport(const std::vector<uint8_t>& bytes, const StartGroups& groups, const FairnessRules& rules);

  QLineEdit* seed_;
  QCheckBox* keepSeed_;
  QComboBox* symmetry_;
  MapView* view_;
  QLabel* legend_;
  QTableWidget* report_;
  QLabel* verdict_;
  QString verdictLine_;
  MapReporter reporter_;
};

}  // namespace glenmire
