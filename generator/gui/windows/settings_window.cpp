#include "gui/windows/settings_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>

namespace glenmire {

SettingsForm::SettingsForm(const QString& className, const QString& caption, SettingsRecord& record, ShellState& shell,
                           QWidget* parent)
    : QWidget(parent), record_(record), shell_(shell) {
  // The object name is the window's instance name: TfrmLand -> frmLand.
  setObjectName(className.mid(1));
  setProperty("className", className);
  setWindowTitle(caption);
}

void SettingsForm::Place() {
  // The window keeps its place; a larger font only makes it larger.
  QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
  QWidget* target = frame ? frame : this;
  const QSize need = target->minimumSizeHint().expandedTo(kPlace.size());
  target->setGeometry(QRect(kPlace.topLeft(), need));
}

void SettingsForm::FormCreate() {
  Place();
  Load();
}

void SettingsForm::FormClick() { Place(); }

bool SettingsForm::focusNextPrevChild(bool next) {
  // The frame keeps Tab inside the window; at its ends, hand over instead.
  QWidget* const focused = QApplication::focusWidget();
  for (QWidget* w = focused; w;) {
    w = next ? w->nextInFocusChain() : w->previousInFocusChain();
    if (w == nullptr || w == focused || w == this || !isAncestorOf(w)) break;
    if (w->isEnabled() && w->isVisibleTo(this) && (w->focusPolicy() & Qt::TabFocus))
      return QWidget::focusNextPrevChild(next);
  }
  emit TabOut(next);
  return true;
}

void SettingsForm::FormClose() {
  Save();
  shell_.CurrentForm = 0;
  closed_ = true;
}

void SettingsForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) FormClick();
  QWidget::mousePressEvent(event);
}

void SettingsForm::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

QString SettingsFormClassName(int index) {
  static const char* const kNames[] = {"TfrmQuick",      "TfrmPlayer", "TfrmResources", "TfrmUpgrades", "TfrmStartRes",
                                       "TfrmDifficulty", "TfrmUnits",  "TfrmLand",      "TfrmRandom",   "TfrmCritters"};
  return index >= 1 && index <= 10 ? QString::fromLatin1(kNames[index - 1]) : QString();
}

}  // namespace glenmire
