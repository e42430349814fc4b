#include "gui/settings_frame.h"

#include <QMdiSubWindow>

#include "gui/settings_forms.h"

namespace glenmire {

SettingsFrame::SettingsFrame(SettingsRecord& record, QWidget* parent) : QMdiArea(parent), record_(record) {
  setObjectName("mdiArea");
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void SettingsFrame::Show(int index) {
  Kill();
  shell_.CurrentForm = index;
  Pick();
}

void SettingsFrame::Kill() {
  shell_.FormSavePending = true;
  if (form_ && shell_.CurrentForm != 0) {
    form_->Save();
  } else {
    // No window to save, so no save will clear the flag: clear it here.
    shell_.FormSavePending = false;
  }
  Release();
}

void SettingsFrame::Release() {
  if (!form_) return;
  // The window goes with its frame; it saves once more on its way out.
  QWidget* frame = form_->parentWidget();
  if (frame)
    delete frame;
  else
    delete form_.data();
  form_ = nullptr;
}

void SettingsFrame::Pick() {
  SettingsForm* form = CreateSettingsForm(shell_.CurrentForm, record_, shell_);
  if (!form) return;
  QMdiSubWindow* frame = addSubWindow(form, Qt::FramelessWindowHint);
  frame->setAttribute(Qt::WA_DeleteOnClose);
  form_ = form;
  connect(form, &SettingsForm::TabOut, this, &SettingsFrame::TabOut);
  form->FormCreate();
  frame->show();
  Fit();
}

void SettingsFrame::Fit() {
  // The frame is as wide and high as the settings window needs (a larger font
  // makes it larger); the preview takes the rest.
  if (!form_) return;
  const QWidget* frame = form_->parentWidget() ? form_->parentWidget() : form_.data();
  const int border = 2 * frameWidth();
  const QRect need = frame->geometry();
  setFixedWidth(need.right() + 1 + border);
  setMinimumHeight(need.bottom() + 1 + border);
}

void SettingsFrame::Save() {
  if (shell_.CurrentForm != 0 && form_) form_->Save();
}

void SettingsFrame::Load() {
  if (shell_.CurrentForm != 0 && form_) form_->Load();
}

void SettingsFrame::SetAllToRandom() {
  if (form_) form_->SetAllToRandom();
}

void SettingsFrame::SetNoneToRandom() {
  if (form_) form_->SetNoneToRandom();
}

void SettingsFrame::ResetDefaults() {
  if (form_) form_->ResetDefaults();
}

}  // namespace glenmire
