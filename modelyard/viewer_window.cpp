#include "viewer_window.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <cstring>

namespace modelyard {

ViewerWindow::ViewerWindow(MeshModel& model, QWidget* parent) : QWidget(parent), viewer_(model) {
  setObjectName("Mein Fenster");
  setWindowTitle(kWindowTitle);
  setCursor(Qt::ArrowCursor);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
  setMouseTracking(true);  // a drag may start on a right button release
  resize(670, 500);
}

bool ViewerWindow::Start() {
  if (!viewer_.Start()) {
    close();
    return false;
  }
  update();
  return true;
}

QRect ViewerWindow::ViewRect() const {
  const ViewPlace place = ViewRectFor(width(), height(), viewer_.ResizeCount());
  return QRect(place.left, place.top, place.width, place.height);
}

void ViewerWindow::ShowPicture(QPainter& painter, const Picture& picture, const ColourTable& table, QImage& image,
                               const QRect& target) {
  if (image.isNull()) {
    image = QImage(picture.width, picture.height, QImage::Format_Indexed8);
    if (image.isNull()) {
      QMessageBox box(QMessageBox::Critical, QString(), kPictureFailure, QMessageBox::Ok, this);
      box.exec();
      return;
    }
    QList<QRgb> colours(256);
    for (int i = 0; i < 256; ++i) {
      const auto* entry = &table[static_cast<size_t>(4 * i)];
      colours[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    image.setColorTable(colours);
  }
  // Stored bottom row first; the image wants the top row first.
  for (int row = 0; row < picture.height; ++row) {
    std::memcpy(image.scanLine(picture.height - 1 - row),
                picture.pixels.data() + static_cast<size_t>(row) * picture.width, static_cast<size_t>(picture.width));
  }
  painter.drawImage(target, image);
}

void ViewerWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int w = width(), h = height();
  ViewerPictures& pics = viewer_.pictures;
  ShowPicture(painter, pics.background, pics.backgroundTable, backgroundImage_, QRect(0, 0, w, h));
  ShowPicture(painter, viewer_.view, pics.viewTable, viewImage_, ViewRect());
  ShowPicture(painter, pics.panel, pics.backgroundTable, panelImage_, QRect(0, 0, w * 3 / 16, h));
  painter.setPen(Qt::red);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.drawText(QRect(w * 40 / 640, h * 384 / 480, w, h), Qt::AlignLeft | Qt::AlignTop,
                   QString::number(viewer_.state.currentObject + 1));
}

void ViewerWindow::resizeEvent(QResizeEvent* event) {
  viewer_.Resize(event->size().width(), event->size().height());
  update();
}

void ViewerWindow::Apply(const Redraw& redraw) {
  if (redraw.view || redraw.panel) update();
}

void ViewerWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QPoint p = event->position().toPoint();
    Apply(viewer_.PressLeft(p.x(), p.y()));
  }
}

void ViewerWindow::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    Apply(viewer_.Press(p.x(), p.y()));
  } else if (event->button() == Qt::LeftButton) {
    Apply(viewer_.Release());
  }
}

void ViewerWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  Apply(viewer_.Move(p.x(), p.y()));
}

void ViewerWindow::wheelEvent(QWheelEvent* event) {
  Apply(viewer_.Wheel(event->angleDelta().y()));
  event->accept();
}

void ShowErrorBox(QWidget* owner, const std::string& text) {
  QString message = QString::fromStdString(text);
  while (message.endsWith('\n')) message.chop(1);
  QMessageBox box(QMessageBox::Critical, "ERROR!!!", message, QMessageBox::Ok, owner);
  box.exec();
}

}  // namespace modelyard
