// The main window asks people things only through this seam: file dialogs
// and message boxes. The program uses the real dialogs; tests answer from a
// script.
#pragma once

#include <QMessageBox>
#include <QString>
#include <optional>

#include "core/generation_ui.h"

class QWidget;

namespace glenmire {

class FileError;

struct FileDialogSetup {
  enum class Mode { kOpen, kSave };
  Mode mode = Mode::kOpen;
  QString title;
  QString filter;  // Qt form: "Name (*.ext);;Name (*.ext)"; the first entry is selected
  QString defaultSuffix;
  QString defaultName;  // proposed file name, may be empty
  QString directory;    // initial folder, may be empty
  QString key;          // which remembered folder the dialog starts in ("map", "configuration")
};

class ShellDialogs {
 public:
  virtual ~ShellDialogs() = default;
  // The chosen path (possibly empty), or nothing when cancelled.
  virtual std::optional<QString> FileDialog(QWidget* parent, const FileDialogSetup& setup) = 0;
  // A modal message box; 'detail' is shown under the text when not empty.
  virtual QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                              const QString& text, const QString& detail,
                                              QMessageBox::StandardButtons buttons) = 0;

  // The window's own boxes, each a Message.
  void ShowError(QWidget* parent, const QString& text, const QString& detail);
  void ShowFileError(QWidget* parent, const FileError& e);  // the reason, with the file under it
  void Inform(QWidget* parent, const QString& text);
  BuildOnSandAnswer AskBuildOnSand(QWidget* parent, const QString& text);
  UnplacedAnswer AskUnplaced(QWidget* parent, const QString& text);
};

// The real thing.
class QtShellDialogs : public ShellDialogs {
 public:
  std::optional<QString> FileDialog(QWidget* parent, const FileDialogSetup& setup) override;
  QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, const QString& detail,
                                      QMessageBox::StandardButtons buttons) override;
};

}  // namespace glenmire
