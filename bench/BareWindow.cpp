// The start-up yardstick: a plain Qt window of the start window's client
// size, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(386, 157);
    window.show();
    return QApplication::exec();
}
