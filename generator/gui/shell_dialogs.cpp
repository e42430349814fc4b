#include "gui/shell_dialogs.h"

#include <QFileDialog>

namespace glenmire {

std::optional<QString> QtShellDialogs::FileDialog(QWidget* parent, const FileDialogSetup& setup) {
  QFileDialog dialog(parent, setup.title, setup.directory, setup.filter);
  dialog.setAcceptMode(setup.mode == FileDialogSetup::Mode::kSave ? QFileDialog::AcceptSave
                                                                : QFileDialog::AcceptOpen);
  dialog.setFileMode(setup.mode == FileDialogSetup::Mode::kSave ? QFileDialog::AnyFile
                                                              : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(setup.defaultSuffix);
  if (!setup.defaultName.isEmpty()) dialog.selectFile(setup.defaultName);
  const QStringList filters = setup.filter.split(QStringLiteral(";;"));
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedFiles().value(0);
}

QMessageBox::StandardButton QtShellDialogs::Message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                                    const QString& text, const QString& detail,
                                                    QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, title, text, buttons, parent);
  if (!detail.isEmpty()) box.setInformativeText(detail);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace glenmire
