// The help document in a window of its own.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace glenmire {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // 'file' is an HTML document; links within it and beside it are followed.
  HelpWindow(const QString& file, QWidget* parent);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace glenmire
