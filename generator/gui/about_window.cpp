#include "gui/about_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace glenmire {

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle("About Glenmire");
  auto* v = new QVBoxLayout(this);
  auto* text = new QLabel(
      "<b>Glenmire32 v3.0</b><br><br>"
      "A random map generator for WarCraft II.<br>"
      "Choose the settings, press \"Generate Map\", and Glenmire writes a new<br>"
      "map file (.pud) with land, water, forests, mountains, gold mines, oil<br>"
      "patches and a town site for every player.<br><br>"
      "You need WarCraft II to play the maps it makes.",
      this);
  text->setObjectName("lblAboutText");
  v->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  v->addWidget(buttons);
}

}  // namespace glenmire
