// A stand-in for another program's window in the end-to-end tests: a top-level window with the
// given title and client size ("Display Properties" hosting a preview, or the owner of the
// password dialog). It prints its X window id and stays until it is closed or killed.
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s TITLE WIDTH HEIGHT\n", argv[0]);
    return 2;
  }
  QWidget window;
  window.setWindowTitle(QString::fromLocal8Bit(argv[1]));
  window.resize(std::atoi(argv[2]), std::atoi(argv[3]));
  window.show();
  std::printf("%llu\n", static_cast<unsigned long long>(window.winId()));
  std::fflush(stdout);
  return app.exec();
}
