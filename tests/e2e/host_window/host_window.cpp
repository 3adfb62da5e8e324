// A stand-in for another program's window in the end-to-end tests: a top-level window with the
// given title and client size ("Display Properties" hosting a preview, or the owner of the
// password dialog), at the screen's top left. It stays until it is closed or killed.
#include <QApplication>
#include <QWidget>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 4) return 2;
  QWidget window;
  window.setWindowTitle(QString::fromLocal8Bit(argv[1]));
  window.setGeometry(0, 0, std::atoi(argv[2]), std::atoi(argv[3]));
  window.show();
  return app.exec();
}
