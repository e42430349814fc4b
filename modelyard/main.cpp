// modelyard: loads model.geo from the working folder, writes it as model.asc
// and shows it in the viewer window.
#include <QApplication>
#include <QPointer>

#include "mesh_model.h"
#include "viewer_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QPointer<QWidget> owner;
  modelyard::SetErrorSink([&owner](const std::string& text) { modelyard::ShowErrorBox(owner, text); });

  // Without a model there is nothing to show: the report ends the program.
  modelyard::MeshModel model;
  if (!model.LoadModel("model.geo")) return 1;

  modelyard::ViewerWindow window(model);
  owner = &window;
  window.show();
  if (!window.Start()) {
    modelyard::SetErrorSink(nullptr);
    return 0;  // the window is gone, as after any close
  }
  const int result = app.exec();
  modelyard::SetErrorSink(nullptr);
  return result;
}
