// A picture control: draws one picture stretched over its whole area and
// reports the mouse.
//
// A click is a left-button press and release over the same control; the
// second press of a double click is no click. On a left release the click is
// reported before the release.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

class PictureControl : public QWidget {
    Q_OBJECT
public:
    explicit PictureControl(QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

signals:
    void Clicked();
    // `screenPosition`: where the pointer was on the screen when pressed.
    void MouseDown(Qt::MouseButton button, QPoint screenPosition);
    void MouseMoved();
    void MouseUp(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    // The picture stretched to the control's size in device pixels, made at
    // the first paint after a change, so that repaints (a sliding tile is
    // repainted 21 times) only copy pixels.
    QPixmap stretched_;
    bool leftPressed_ = false;  // a left press began here and may become a click
};
