// The yardstick for start-up time and memory: a bare Qt program that opens
// one frameless 670 x 480 window, the size of the game's main window, and
// does nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(670, 480);
    window.move(10, 10);
    window.show();
    return app.exec();
}
