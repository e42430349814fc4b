#include "gui/preview_pane.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QPainter>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/file_error.h"
#include "core/unit_types.h"
#include "placement/unit_list.h"
#include "report/map_facts.h"
#include "report/map_picture.h"
#include "report/report_text.h"
#include "report/symmetry_check.h"

namespace glenmire {

namespace {

QColor ToColour(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

const char* const kPlayerColours[kPlayers] = {"Red", "Blue", "Green", "Violet", "Orange", "Black", "White", "Yellow"};

// A seed is a whole number 0..4294967295.
class SeedValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    if (input.isEmpty()) return Intermediate;
    bool ok = false;
    const qulonglong value = input.toULongLong(&ok);
    for (QChar c : input)
      if (!c.isDigit()) return Invalid;
    return ok && value <= 0xFFFFFFFFull ? Acceptable : Invalid;
  }
};

constexpr const char* kSymmetryKey = "preferences/symmetry";
// Faint enough to leave the map readable under them.
constexpr QColor kLineColour{255, 255, 255, 110};

// The lines a mode mirrors about; a turn, which has none, shows the lines
// between the sectors that are turned onto each other.
unsigned LinesOf(Symmetry mode) {
  using L = MapView::Line;
  switch (mode) {
    case Symmetry::kNone: return 0;
    case Symmetry::kMirrorX: return L::kVertical;
    case Symmetry::kMirrorY:
    case Symmetry::kHalfTurn: return L::kHorizontal;
    case Symmetry::kMirrorDiagonal: return L::kDiagonal;
    case Symmetry::kQuarterTurn:
    case Symmetry::kMirrorXY: return L::kVertical | L::kHorizontal;
    case Symmetry::kEight: return L::kVertical | L::kHorizontal | L::kDiagonal | L::kAntiDiagonal;
  }
  return 0;
}

// "2, 4, 6 or 8 players" for the tooltip of a mode.
QString PlayerCounts(Symmetry mode) {
  QStringList counts;
  for (int players = 1; players <= kPlayers; ++players)
    if (ServesPlayers(mode, players)) counts << QString::number(players);
  if (counts.size() == kPlayers) return QObject::tr("any number of players, the map as ever");
  const QString last = counts.takeLast();
  return (counts.isEmpty() ? last : counts.join(", ") + QObject::tr(" or ") + last) + QObject::tr(" players");
}

}  // namespace

MapView::MapView(QWidget* parent) : QWidget(parent) {
  setObjectName("MapView");
  setMinimumSize(128, 128);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MapView::SetMap(const QImage& picture, std::vector<Mark> marks, unsigned lines) {
  picture_ = picture;
  marks_ = std::move(marks);
  lines_ = lines;
  update();
}

void MapView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_.isNull()) {
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, tr("Preview Map (F5) shows a map here."));
    return;
  }
  // Whole multiples keep every cell the same size; a small pane scales down.
  const double fit =
      std::min(static_cast<double>(width()) / picture_.width(), static_cast<double>(height()) / picture_.height());
  const double scale = fit >= 1 ? std::floor(fit) : fit;
  const QSizeF size(picture_.width() * scale, picture_.height() * scale);
  const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(target, picture_);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(kLineColour, 1));
  const QPointF centre = target.center();
  if (lines_ & kVertical) painter.drawLine(QPointF(centre.x(), target.top()), QPointF(centre.x(), target.bottom()));
  if (lines_ & kHorizontal) painter.drawLine(QPointF(target.left(), centre.y()), QPointF(target.right(), centre.y()));
  if (lines_ & kDiagonal) painter.drawLine(target.topLeft(), target.bottomRight());
  if (lines_ & kAntiDiagonal) painter.drawLine(target.topRight(), target.bottomLeft());
  for (const Mark& m : marks_) {
    const QRectF cell(target.left() + (m.column - 1) * scale, target.top() + (m.row - 1) * scale, m.size * scale,
                      m.size * scale);
    const QRectF box = cell.adjusted(-2, -2, 2, 2);
    painter.setPen(QPen(Qt::black, 3));
    m.round ? painter.drawEllipse(box) : painter.drawRect(box);
    painter.setPen(QPen(m.colour, 2));
    m.round ? painter.drawEllipse(box) : painter.drawRect(box);
  }
}

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent) {
  setObjectName("PreviewPane");
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(4, 0, 4, 0);

  // The seed and the symmetry, one above the other: a row of both would widen the window.
  auto* seedRows = new QGridLayout;
  auto* seedLabel = new QLabel(tr("&Seed:"), this);
  seed_ = new QLineEdit(this);
  seed_->setObjectName("edSeed");
  seed_->setValidator(new SeedValidator(seed_));
  seed_->setPlaceholderText(tr("new each run"));
  seed_->setToolTip(tr("The seed of the last run. With \"Keep seed\" the next run uses the seed typed here."));
  seedLabel->setBuddy(seed_);
  keepSeed_ = new QCheckBox(tr("&Keep seed"), this);
  keepSeed_->setObjectName("cbKeepSeed");
  seedRows->addWidget(seedLabel, 0, 0);
  seedRows->addWidget(seed_, 0, 1);
  seedRows->addWidget(keepSeed_, 0, 2);
  auto* symmetryLabel = new QLabel(tr("S&ymmetry:"), this);
  symmetry_ = new QComboBox(this);
  symmetry_->setObjectName("cbSymmetry");
  QString modes;
  for (int i = 0; i < kSymmetryModes; ++i) {
    const auto mode = static_cast<Symmetry>(i);
    symmetry_->addItem(SymmetryName(mode));
    symmetry_->setItemData(i, PlayerCounts(mode), Qt::ToolTipRole);
    modes += QStringLiteral("\n%1: %2").arg(SymmetryName(mode), PlayerCounts(mode));
  }
  symmetry_->setToolTip(tr("The next maps are mirrored or turned so that every player's side is the image of "
                           "every other's. The active players must be one of the counts a mode serves:") +
                        modes);
  symmetryLabel->setBuddy(symmetry_);
  ChooseSymmetry(ParseSymmetry(QSettings().value(kSymmetryKey).toString().toStdString()).value_or(Symmetry::kNone));
  connect(symmetry_, &QComboBox::currentIndexChanged, this,
          [this] { QSettings().setValue(kSymmetryKey, SymmetryName(ChosenSymmetry())); });
  seedRows->addWidget(symmetryLabel, 1, 0);
  seedRows->addWidget(symmetry_, 1, 1, 1, 2, Qt::AlignLeft);
  seedRows->setColumnStretch(1, 1);
  v->addLayout(seedRows);

  view_ = new MapView(this);
  v->addWidget(view_, 3);
  legend_ = new QLabel(this);
  legend_->setObjectName("lblLegend");
  legend_->setWordWrap(true);
  legend_->setTextFormat(Qt::RichText);
  v->addWidget(legend_);

  report_ = new QTableWidget(0, 4, this);
  report_->setObjectName("tblReport");
  report_->setHorizontalHeaderLabels({tr("Player"), tr("Start"), tr("Nearest mine"), tr("Buildable room")});
  report_->verticalHeader()->hide();
  report_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  report_->horizontalHeader()->setStretchLastSection(true);
  report_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  report_->setSelectionMode(QAbstractItemView::NoSelection);
  report_->setFocusPolicy(Qt::NoFocus);
  v->addWidget(report_, 1);
  verdict_ = new QLabel(this);
  verdict_->setObjectName("lblVerdict");
  verdict_->setWordWrap(true);
  v->addWidget(verdict_);
}

std::optional<uint32_t> PreviewPane::KeptSeed() const {
  if (!keepSeed_->isChecked()) return std::nullopt;
  bool ok = false;
  const qulonglong value = seed_->text().toULongLong(&ok);
  if (!ok || value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<uint32_t>(value);
}

void PreviewPane::ShowSeed(uint32_t seed) { seed_->setText(QString::number(seed)); }

Symmetry PreviewPane::ChosenSymmetry() const { return static_cast<Symmetry>(std::max(symmetry_->currentIndex(), 0)); }

void PreviewPane::ChooseSymmetry(Symmetry mode) { symmetry_->setCurrentIndex(static_cast<int>(mode)); }

void PreviewPane::ShowMap(const GeneratorState& map, const std::vector<uint8_t>& bytes, const StartGroups& groups,
                          const FairnessRules& rules) {
  const MapPicture picture = RenderMapPicture(map, 1);
  QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height, picture.width * 3,
               QImage::Format_RGB888);
  std::vector<MapView::Mark> marks;
  bool players[kPlayers] = {};
  const int32_t unitBytes = UnitBytes(map);
  for (int32_t i = 0; i + kUnitRecordBytes <= unitBytes; i += kUnitRecordBytes) {
    const UnitRecord u = DecodeUnitRecord(map.UnitList + i);
    if (u.type == kGoldMine) marks.push_back({u.row, u.column, 3, ToColour(kGoldMineColour), false});
    if ((u.type == kHumanStart || u.type == kOrcStart) && u.owner < kPlayers) {
      marks.push_back({u.row, u.column, 1, ToColour(OwnerColour(u.owner)), true});
      players[u.owner] = true;
    }
  }
  // The lines of the symmetries the map has, checked cell by cell: a loaded
  // map shows its own, whatever run made it.
  unsigned lines = 0;
  for (Symmetry mode : SymmetriesOf(map)) lines |= LinesOf(mode);
  view_->SetMap(image.copy(), std::move(marks), lines);

  QString legend;
  auto swatch = [](Rgb c) {
    return QStringLiteral("<span style=\"background-color:%1\">&nbsp;&nbsp;&nbsp;</span>").arg(ToColour(c).name());
  };
  for (int p = 0; p < kPlayers; ++p)
    if (players[p])
      legend += swatch(OwnerColour(static_cast<uint8_t>(p))) + " " + tr(kPlayerColours[p]) + "&nbsp;&nbsp; ";
  legend += swatch(kGoldMineColour) + " " + tr("gold mine");
  legend_->setText(legend);
  ShowReport(bytes, groups, rules);
}

QString PreviewPane::VerdictText() const { return verdictLine_; }

void PreviewPane::ShowReport(const std::vector<uint8_t>& bytes, const StartGroups& groups, const FairnessRules& rules) {
  report_->setRowCount(0);
  verdict_->clear();
  verdictLine_.clear();
  MapReport report;
  try {
    report = reporter_.Report(ReadMapFacts(bytes, ""));
  } catch (const FileError&) {
    return;  // the picture stands alone: the map was read already, the report is extra
  }
  const Verdict verdict = JudgeMap(report, rules, groups);
  for (int player : report.ActivePlayers()) {
    const PlayerReport& p = report.Player(player);
    const int row = report_->rowCount();
    report_->insertRow(row);
    report_->setItem(row, 0, new QTableWidgetItem(tr(kPlayerColours[player - 1])));
    report_->setItem(
        row, 1,
        new QTableWidgetItem(p.hasStart ? QStringLiteral("%1, %2").arg(p.startRow).arg(p.startColumn) : tr("none")));
    report_->setItem(row, 2,
                     new QTableWidgetItem(p.nearestMineSteps == kNotReached ? tr("none on foot")
                                                                            : tr("%1 steps").arg(p.nearestMineSteps)));
    report_->setItem(
        row, 3,
        new QTableWidgetItem(tr("%1 cells%2").arg(p.buildableRoom).arg(p.townHallFits ? "" : tr(", no town hall"))));
  }
  verdictLine_ = QString::fromStdString(VerdictLine(verdict));
  verdict_->setText(tr("<b>Verdict:</b> %1").arg(verdictLine_.toHtmlEscaped()));
}

}  // namespace glenmire
