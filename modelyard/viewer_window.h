// The viewer's one window: shows the viewer's pictures stretched into their
// rectangles and forwards mouse, wheel and size events to it.
#pragma once

#include <QImage>
#include <QWidget>

#include "viewer.h"

class QPainter;

namespace modelyard {

inline constexpr const char* kWindowTitle = "UnOfficial Car Viewer + Editor for Windows95";
inline constexpr const char* kPictureFailure = "Die Datei wird konnte nicht angezeigt werden!";

class ViewerWindow : public QWidget {
 public:
  explicit ViewerWindow(MeshModel& model, QWidget* parent = nullptr);

  // The start sequence once the window is shown: model.asc, first frame.
  // When model.asc cannot be written the report closes the window and this
  // returns false: like every model failure outside import and export, it
  // ends the program.
  bool Start();
  Viewer& viewer() { return viewer_; }

  // Where the view goes (the viewer's place for the window's size): its
  // width changes after the first resize.
  QRect ViewRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void ShowPicture(QPainter& painter, const Picture& picture, const ColourTable& table, QImage& image,
                   const QRect& target);
  void Apply(const Redraw& redraw);

  Viewer viewer_;
  QImage backgroundImage_, viewImage_, panelImage_;
};

// The "ERROR!!!" box of the model operations.
void ShowErrorBox(QWidget* owner, const std::string& text);

}  // namespace modelyard
