#include "gui/shell_dialogs.h"

#include <QFileDialog>

#include "core/atomic_file.h"
#include "core/file_error.h"
#include "gui/path_text.h"

namespace glenmire {

std::optional<QString> QtShellDialogs::FileDialog(QWidget* parent, const FileDialogSetup& setup) {
  QFileDialog dialog(parent, setup.title, setup.directory, setup.filter);
  dialog.setAcceptMode(setup.mode == FileDialogSetup::Mode::kSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(setup.mode == FileDialogSetup::Mode::kSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
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

void ShellDialogs::ShowError(QWidget* parent, const QString& text, const QString& detail) {
  Message(parent, QMessageBox::Critical, "Error", text, detail, QMessageBox::Ok);
}

void ShellDialogs::ShowFileError(QWidget* parent, const FileError& e) {
  // "File does not exist." stands as it is, with the file under it.
  if (e.reason() == kFileDoesNotExist)
    ShowError(parent, kFileDoesNotExist, PathText(e.file()));
  else
    ShowError(parent, QString::fromLocal8Bit(e.reason()), PathText(e.file()));
}

void ShellDialogs::Inform(QWidget* parent, const QString& text) {
  Message(parent, QMessageBox::Information, "Information", text, QString(), QMessageBox::Ok);
}

BuildOnSandAnswer ShellDialogs::AskBuildOnSand(QWidget* parent, const QString& text) {
  const auto answer =
      Message(parent, QMessageBox::Warning, "Warning", text, QString(), QMessageBox::Ok | QMessageBox::Cancel);
  return answer == QMessageBox::Ok ? BuildOnSandAnswer::kOk : BuildOnSandAnswer::kCancel;
}

UnplacedAnswer ShellDialogs::AskUnplaced(QWidget* parent, const QString& text) {
  const auto answer = Message(parent, QMessageBox::Warning, "Warning", text, QString(),
                              QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
  if (answer == QMessageBox::Retry) return UnplacedAnswer::kRetry;
  if (answer == QMessageBox::Ignore) return UnplacedAnswer::kIgnore;
  return UnplacedAnswer::kAbort;
}

}  // namespace glenmire
