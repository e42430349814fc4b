#include "gui/preview_pane.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/file_error.h"
#include "core/unit_types.h"
#include "placement/unit_list.h"
#include "report/map_facts.h"
#include "report/map_picture.h"
#include "report/report_text.h"

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

}  // namespace

MapView::MapView(QWidget* parent) : QWidget(parent) {
  setObjectName("MapView");
  setMinimumSize(128, 128);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MapView::SetMap(const QImage& picture, std::vector<Mark> marks) {
  picture_ = picture;
  marks_ = std::move(marks);
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

  auto* seedRow = new QHBoxLayout;
  auto* seedLabel = new QLabel(tr("&Seed:"), this);
  seed_ = new QLineEdit(this);
  seed_->setObjectName("edSeed");
  seed_->setValidator(new SeedValidator(seed_));
  seed_->setPlaceholderText(tr("new each run"));
  seed_->setToolTip(tr("The seed of the last run. With \"Keep seed\" the next run uses the seed typed here."));
  seedLabel->setBuddy(seed_);
  keepSeed_ = new QCheckBox(tr("&Keep seed"), this);
  keepSeed_->setObjectName("cbKeepSeed");
  seedRow->addWidget(seedLabel);
  seedRow->addWidget(seed_, 1);
  seedRow->addWidget(keepSeed_);
  v->addLayout(seedRow);

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
  view_->SetMap(image.copy(), std::move(marks));

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
