#include "shell/shell_dialogs.h"

#include <QFileDialog>

namespace glenmire {

std::optional<QString> QtShellDialogs::FileDialog(QWidget* parent, const FileDialogSpec& spec) {
  QFileDialog dialog(parent, spec.title, spec.directory, spec.filter);
  dialog.setAcceptMode(spec.mode == FileDialogSpec::Mode::kSave ? QFileDialog::AcceptSave
                                                                : QFileDialog::AcceptOpen);
  dialog.setFileMode(spec.mode == FileDialogSpec::Mode::kSave ? QFileDialog::AnyFile
                                                              : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(spec.defaultSuffix);
  if (!spec.defaultName.isEmpty()) dialog.selectFile(spec.defaultName);
  const QStringList filters = spec.filter.split(QStringLiteral(";;"));
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
