// "About Glenmire": a few lines on what the program is.
#pragma once

#include <QDialog>

namespace glenmire {

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* parent = nullptr);
};

}  // namespace glenmire
