// The yardstick for start-up time, memory and closing: a bare Qt program
// that opens one frameless 670 x 480 window, the size of the game's main
// window, and does nothing else; a click anywhere in it closes it, as the
// game's close button closes the game.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
public:
    BareWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            close();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    BareWindow window;
    window.setFixedSize(670, 480);
    window.move(10, 10);
    window.show();
    return app.exec();
}
