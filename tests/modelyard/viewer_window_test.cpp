// The viewer window, headless: its frame, the buttons under the mouse, drags
// on a button and in the view, the wheel, the error box, and that closing
// leaves no window behind.
#include "viewer_window.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <cerrno>
#include <cstring>

#include "sample_car.h"

using namespace modelyard;

class ViewerWindowTest : public QObject {
  Q_OBJECT

 private:
  // Sends a mouse event straight to the window (no platform cursor needed).
  static void Send(QWidget& w, QEvent::Type type, Qt::MouseButton button, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), w.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
  }
  static void Wheel(QWidget& w, QPoint at, int angle) {
    QWheelEvent event(QPointF(at), w.mapToGlobal(QPointF(at)), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &event);
  }
  static void Click(QWidget& w, QPoint at) {
    Send(w, QEvent::MouseButtonPress, Qt::LeftButton, at, Qt::LeftButton);
    Send(w, QEvent::MouseButtonRelease, Qt::LeftButton, at, Qt::NoButton);
  }

  QTemporaryDir dir_;
  QString oldFolder_;
  std::vector<std::string> errors_;

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    oldFolder_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    SetErrorSink([this](const std::string& text) { errors_.push_back(text); });
  }
  void cleanupTestCase() {
    SetErrorSink(nullptr);
    QDir::setCurrent(oldFolder_);
  }

  void windowShowsTheModelAndWritesItsAscFile() {
    MeshModel model;
    QFile::remove("model.asc");
    QFile::copy(MODELYARD_SAMPLE, "model.geo");
    QVERIFY(model.LoadModel("model.geo"));
    ViewerWindow window(model);
    QCOMPARE(window.windowTitle(), QString("UnOfficial Car Viewer + Editor for Windows95"));
    QCOMPARE(window.size(), QSize(670, 500));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Start();
    QVERIFY(QFile::exists("model.asc"));
    // The view shows the car over the backdrop, in the panel's right place.
    const QImage shot = window.grab().toImage();
    QCOMPARE(shot.size(), QSize(670, 500));
    const QRect view = window.ViewRect();
    QCOMPARE(view.topLeft(), QPoint(670 * 17 / 64, 500 * 11 / 48));
    QCOMPARE(view.width(), 670 * 41 / 64);  // the start sequence's width
    QVERIFY(shot.pixelColor(view.center()) != QColor(Qt::white));
    QVERIFY(shot.pixelColor(QPoint(2, 498)) != QColor(Qt::white));  // panel
    // From the second resize on, the view is W * 51 / 80 wide and the
    // buttons follow the new size.
    window.resize(800, 600);
    QTRY_COMPARE(window.viewer().ClientWidth(), 800);
    QCOMPARE(window.ViewRect(), QRect(800 * 17 / 64, 600 * 11 / 48, 800 * 51 / 80, 600 * 7 / 12));
  }

  void buttonsActUnderTheMouse() {
    MeshModel model;
    QVERIFY(model.LoadModel("model.geo"));
    ViewerWindow window(model);
    window.resize(640, 480);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Start();
    Viewer& viewer = window.viewer();
    QCOMPARE(viewer.ClientWidth(), 640);

    Click(window, QPoint(80, 390));  // Next
    QCOMPARE(viewer.state.currentObject, 1);
    // A right button release presses too.
    Send(window, QEvent::MouseButtonRelease, Qt::RightButton, QPoint(15, 390), Qt::NoButton);  // Previous
    QCOMPARE(viewer.state.currentObject, 0);
    Click(window, QPoint(30, 350));  // Solid
    QVERIFY(viewer.state.solid);
    Click(window, QPoint(50, 400));  // All
    QVERIFY(viewer.state.allObjects);
    Click(window, QPoint(300, 300));  // the view is no button
    QVERIFY(viewer.state.allObjects);

    // Turn: press, move twice, release.
    Send(window, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(30, 230), Qt::LeftButton);
    QCOMPARE(viewer.state.dragMode, 1);
    Send(window, QEvent::MouseMove, Qt::NoButton, QPoint(40, 225), Qt::LeftButton);
    Send(window, QEvent::MouseMove, Qt::NoButton, QPoint(20, 235), Qt::LeftButton);
    Send(window, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(20, 235), Qt::NoButton);
    QCOMPARE(viewer.state.yaw, 350);
    QCOMPARE(viewer.state.pitch, 5);
    QCOMPARE(viewer.state.dragMode, 0);

    // Import and export with the fixed names in the working folder.
    QFile::remove("export.geo");
    Click(window, QPoint(10, 50));
    QVERIFY(!QFile::exists("export.geo"));
    QFile::remove("import.asc");
    QFile::copy("model.asc", "import.asc");
    viewer.state.currentObject = 4;
    Click(window, QPoint(10, 20));
    QCOMPARE(viewer.state.currentObject, 0);
    Click(window, QPoint(10, 50));
    QFile exported("export.geo");
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const QByteArray bytes = exported.readAll();
    const auto sample = BuildSampleCarGeo();
    QCOMPARE(bytes, QByteArray(reinterpret_cast<const char*>(sample.data()), static_cast<int>(sample.size())));
    QVERIFY(errors_.empty());
  }

  // Outside the buttons, a drag in the view turns the model as the Turn
  // button's drag does, until the release; the wheel zooms, forward nearer.
  void dragInTheViewTurnsAndTheWheelZooms() {
    MeshModel model;
    QVERIFY(model.LoadModel("model.geo"));
    ViewerWindow window(model);
    window.resize(640, 480);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Start();
    Viewer& viewer = window.viewer();
    const QRect view = window.ViewRect();
    const QImage before = window.grab().toImage().copy(view);

    const QPoint start = view.center();
    Send(window, QEvent::MouseButtonPress, Qt::LeftButton, start, Qt::LeftButton);
    Send(window, QEvent::MouseMove, Qt::NoButton, start + QPoint(25, -10), Qt::LeftButton);
    Send(window, QEvent::MouseMove, Qt::NoButton, start + QPoint(40, 5), Qt::LeftButton);
    QCOMPARE(viewer.state.yaw, 40);
    QCOMPARE(viewer.state.pitch, 5);
    Send(window, QEvent::MouseButtonRelease, Qt::LeftButton, start + QPoint(40, 5), Qt::NoButton);
    Send(window, QEvent::MouseMove, Qt::NoButton, start, Qt::NoButton);
    QCOMPARE(viewer.state.yaw, 40);
    QCOMPARE(viewer.state.dragMode, 0);
    const QImage turned = window.grab().toImage().copy(view);
    QVERIFY(turned != before);

    Wheel(window, start, 120);
    QCOMPARE(viewer.state.distance, 190);
    Wheel(window, start, -360);
    QCOMPARE(viewer.state.distance, 220);
    QVERIFY(window.grab().toImage().copy(view) != turned);
    QVERIFY(errors_.empty());
  }

  void errorBoxIsCaptionedAndOwned() {
    QWidget owner;
    owner.show();
    QString caption, text;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      caption = box->windowTitle();
      text = box->text();
      QCOMPARE(box->parentWidget(), &owner);
      QCOMPARE(box->icon(), QMessageBox::Critical);
      box->accept();
    });
    ShowErrorBox(&owner, "Couldn't open file\n");
    QCOMPARE(caption, QString("ERROR!!!"));
    QCOMPARE(text, QString("Couldn't open file"));
  }

  void closingLeavesNoWindow() {
    {
      MeshModel model;
      QVERIFY(model.LoadModel("model.geo"));
      ViewerWindow window(model);
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      window.close();
    }
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
  }

  // model.asc that cannot be written is reported and ends the program: only
  // import and export go on after a report.
  void unwritableAscFileClosesTheWindow() {
    MeshModel model;
    QVERIFY(model.LoadModel("model.geo"));
    ViewerWindow window(model);
    window.viewer().ascPath = "no such folder/model.asc";
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    errors_.clear();
    QVERIFY(!window.Start());
    QCOMPARE(errors_, std::vector<std::string>{
                          "Couldn't write file no such folder/model.asc: its folder no such folder does not exist\n"});
    QVERIFY(!window.isVisible());
  }
};

QTEST_MAIN(ViewerWindowTest)
#include "viewer_window_test.moc"
