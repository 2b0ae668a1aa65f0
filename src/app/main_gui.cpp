#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setObjectName("VLTF1THISWEEKNAZ");
  window.setWindowTitle(QString::fromUtf8("RADADOVUR 今週予想    Ver.2024.8.12A (2019.1.1-2024.7.29　BASE)"));
  window.resize(900, 600);
  window.show();
  return app.exec();
}
