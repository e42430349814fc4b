#include "gui/windows/window_controls.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>

namespace glenmire {

RadioGroup::RadioGroup(const QString& name, const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent) {
  setObjectName(name);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 2, 6, 2);
  grid->setVerticalSpacing(2);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], this);
    b->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
    group_.addButton(b, i);
    buttons_.append(b);
    // Items run down the first column, then the next (as the group's items are listed).
    grid->addWidget(b, i % rows, i / rows);
  }
  connect(&group_, &QButtonGroup::idClicked, this, &RadioGroup::Clicked);
}

int RadioGroup::ItemIndex() const { return group_.checkedId(); }

void RadioGroup::SetItemIndex(int index) {
  if (index >= 0 && index < Count()) {
    buttons_[index]->setChecked(true);
    return;
  }
  if (QAbstractButton* b = group_.checkedButton()) {
    group_.setExclusive(false);
    b->setChecked(false);
    group_.setExclusive(true);
  }
}

QSlider* MakeTrackBar(const QString& name, int min, int max, int value, QWidget* parent) {
  auto* bar = new QSlider(Qt::Horizontal, parent);
  bar->setObjectName(name);
  bar->setRange(min, max);
  bar->setValue(value);
  bar->setTickPosition(QSlider::TicksBelow);
  bar->setTickInterval(max - min >= 50 ? 10 : 1);
  bar->setPageStep(max - min >= 50 ? 10 : 1);
  return bar;
}

QWidget* TrackBarRow(QSlider* bar, const QString& left, const QString& right, QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  auto* l = new QLabel(left, row);
  auto* r = new QLabel(right, row);
  l->setBuddy(bar);
  r->setBuddy(bar);
  h->addWidget(l);
  bar->setParent(row);
  h->addWidget(bar, 1);
  h->addWidget(r);
  return row;
}

QCheckBox* MakeCheckBox(const QString& name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QLabel* MakeLabel(const QString& caption, QWidget* parent, QWidget* buddy) {
  auto* label = new QLabel(caption, parent);
  if (buddy) label->setBuddy(buddy);
  return label;
}

QLineEdit* MakeEdit(const QString& name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  return edit;
}

QSpinBox* MakeSpinBox(const QString& name, int min, int max, int value, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(min, max);
  spin->setValue(value);
  return spin;
}

QComboBox* MakeDropDownList(const QString& name, const QStringList& items, int selected, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->addItems(items);
  combo->setCurrentIndex(selected);
  return combo;
}

void LinkRandomBox(QCheckBox* box, QWidget* target) {
  QObject::connect(box, &QCheckBox::clicked, target, [box, target] { ApplyRandomBox(box, target); });
}

bool EditValue(const QLineEdit* edit, long long lo, long long hi, long long& value) {
  bool ok = false;
  const long long v = edit->text().trimmed().toLongLong(&ok);
  if (!ok || v < lo || v > hi) return false;
  value = v;
  return true;
}

namespace {

// The places a folder can be chosen from: the drives, and on a system
// without drive letters the file system's root and the home folder.
QStringList Roots() {
  QStringList roots;
  for (const QFileInfo& drive : QDir::drives()) roots << QDir::toNativeSeparators(drive.absoluteFilePath());
  const bool letters = !roots.isEmpty() && roots.front().size() >= 2 && roots.front().at(1) == QLatin1Char(':');
  if (!letters) roots << QDir::toNativeSeparators(QDir::homePath());
  return roots;
}

bool HasDriveLetter(const QString& root) { return root.size() >= 2 && root.at(1) == QLatin1Char(':'); }

}  // namespace

DriveList::DriveList(const QString& name, QWidget* parent) : QComboBox(parent) {
  setObjectName(name);
  addItems(Roots());
  setCurrentIndex(-1);
}

char DriveList::Drive() const {
  const QString root = currentText();
  return HasDriveLetter(root) ? root.at(0).toLatin1() : 0;
}

void DriveList::SelectHolding(const QString& folder) {
  int best = -1;
  qsizetype longest = -1;
  const QString path = QDir::fromNativeSeparators(folder);
  for (int i = 0; i < count(); ++i) {
    const QString root = QDir::fromNativeSeparators(itemText(i));
    if (path.startsWith(root) && root.size() > longest) {
      best = i;
      longest = root.size();
    }
  }
  setCurrentIndex(best);
}

bool DriveList::SelectDrive(char letter) {
  for (int i = 0; i < count(); ++i) {
    const QString root = itemText(i);
    if (!root.isEmpty() && root.at(0).toUpper() == QChar(letter).toUpper()) {
      setCurrentIndex(i);
      return true;
    }
  }
  return false;
}

QString DriveList::Root() const { return QDir::fromNativeSeparators(currentText()); }

FolderList::FolderList(const QString& name, QWidget* parent) : QListWidget(parent) {
  setObjectName(name);
  connect(this, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { SetDirectory(item->data(Qt::UserRole).toString()); });
  Fill();
}

void FolderList::SetDirectory(const QString& path) {
  directory_ = path;
  Fill();
  emit Changed();
}

void FolderList::Fill() {
  clear();
  auto add = [this](const QString& text, const QString& path, int indent) {
    auto* item = new QListWidgetItem(QString(indent * 2, QLatin1Char(' ')) + text, this);
    item->setData(Qt::UserRole, path);
  };
  if (directory_.isEmpty()) {
    for (const QString& root : Roots()) add(root, QDir::fromNativeSeparators(root), 0);
    return;
  }
  // The path from the root down to the folder, then its sub-folders.
  QStringList chain;
  QDir dir(directory_);
  for (QString p = dir.absolutePath();;) {
    chain.prepend(p);
    QDir up(p);
    if (!up.cdUp() || up.absolutePath() == p) break;
    p = up.absolutePath();
  }
  int depth = 0;
  for (const QString& p : chain) {
    const QString name = QFileInfo(p).fileName();
    add(name.isEmpty() ? p : name, p, depth++);
  }
  if (dir.exists()) {
    const QStringList subs = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& s : subs) add(s, dir.absoluteFilePath(s), depth);
  }
}

}  // namespace glenmire
