#include "gui/help_window.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace glenmire {

HelpWindow::HelpWindow(const QString& file, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmHelp");
  setWindowTitle("Glenmire Help");
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("helpBrowser");
  browser_->setOpenExternalLinks(true);
  browser_->setSource(QUrl::fromLocalFile(file));
  v->addWidget(browser_);
  resize(640, 520);
}

}  // namespace glenmire
