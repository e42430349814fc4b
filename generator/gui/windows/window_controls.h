// The control kinds the settings windows are built from: radio groups, track
// bars with their "Less" .. "More" ends, Random boxes that grey out their
// value control, and the drive and folder choosers of the "File" window.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace glenmire {

// A titled group of radio buttons, laid out in columns; at most one item is
// selected, and "none" (-1) is a state of its own.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& name, const QString& caption, const QStringList& items, int columns, QWidget* parent);
  int ItemIndex() const;
  void SetItemIndex(int index);  // -1 selects nothing
  int Count() const { return static_cast<int>(buttons_.size()); }
  QRadioButton* Item(int index) const { return buttons_.at(index); }

 signals:
  // The user clicked an item.
  void Clicked(int index);

 private:
  QButtonGroup group_;
  QList<QRadioButton*> buttons_;
};

// A horizontal track bar 'name' with range min..max and initial position.
QSlider* MakeTrackBar(const QString& name, int min, int max, int value, QWidget* parent);
// The track bar between its two end labels ("Less" .. "More").
QWidget* TrackBarRow(QSlider* bar, const QString& left, const QString& right, QWidget* parent);
QCheckBox* MakeCheckBox(const QString& name, const QString& caption, QWidget* parent);
QLabel* MakeLabel(const QString& caption, QWidget* parent, QWidget* buddy = nullptr);
QLineEdit* MakeEdit(const QString& name, QWidget* parent);
QSpinBox* MakeSpinBox(const QString& name, int min, int max, int value, QWidget* parent);
QComboBox* MakeDropDownList(const QString& name, const QStringList& items, int selected, QWidget* parent);

// A "Random" box that disables 'target' while checked (its click handler).
void LinkRandomBox(QCheckBox* box, QWidget* target);
// The same rule applied once, as a load does.
inline void ApplyRandomBox(QCheckBox* box, QWidget* target) { target->setEnabled(!box->isChecked()); }

// The edit's text as an integer within lo..hi; false when it is not one.
bool EditValue(const QLineEdit* edit, long long lo, long long hi, long long& value);

// The drives (file system roots) of this system, one per item; the drive
// letter is the first character of the item's root path.
class DriveList : public QComboBox {
  Q_OBJECT

 public:
  DriveList(const QString& name, QWidget* parent);
  char Drive() const;                         // 0 when none or a place without a letter is selected
  bool SelectDrive(char letter);              // false (selection unchanged) when unknown
  void SelectHolding(const QString& folder);  // the place the folder lies in
  QString Root() const;                       // the selected drive's root folder
};

// A folder chooser: the path from the root to the current folder, then the
// current folder's sub-folders. Activating an entry opens it. The folder may
// be empty (nothing chosen yet) or one this system does not have; it is kept
// as text either way.
class FolderList : public QListWidget {
  Q_OBJECT

 public:
  FolderList(const QString& name, QWidget* parent);
  QString Directory() const { return directory_; }
  void SetDirectory(const QString& path);  // emits Changed

 signals:
  void Changed();

 private:
  void Fill();
  QString directory_;
};

}  // namespace glenmire
