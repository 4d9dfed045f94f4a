#include "ui/picture_control.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>

PictureControl::PictureControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureControl::SetPicture(const QImage& picture)
{
    picture_ = picture;
    stretched_ = QPixmap();
    update();
}

void PictureControl::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize target = (QSizeF(size()) * ratio).toSize();
    if (target.isEmpty())
        return;
    if (stretched_.isNull() || stretched_.size() != target || stretched_.devicePixelRatio() != ratio) {
        // Controls showing the same picture at the same size share one copy.
        const QString key = QStringLiteral("PictureControl:%1:%2x%3@%4")
                                .arg(picture_.cacheKey())
                                .arg(target.width())
                                .arg(target.height())
                                .arg(ratio);
        if (!QPixmapCache::find(key, &stretched_)) {
            stretched_ = QPixmap::fromImage(picture_.size() == target ? picture_
                                                                      : picture_.scaled(target, Qt::IgnoreAspectRatio,
                                                                                        Qt::SmoothTransformation));
            stretched_.setDevicePixelRatio(ratio);
            QPixmapCache::insert(key, stretched_);
        }
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, stretched_);
}

void PictureControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    emit MouseDown(event->button(), event->globalPosition().toPoint());
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press, but its release clicks
    // nothing.
    if (event->button() == Qt::LeftButton)
        leftPressed_ = false;
    emit MouseDown(event->button(), event->globalPosition().toPoint());
}

void PictureControl::mouseMoveEvent(QMouseEvent*)
{
    emit MouseMoved();
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const bool click = leftPressed_ && rect().contains(event->position().toPoint());
        leftPressed_ = false;
        if (click)
            emit Clicked();
    }
    emit MouseUp(event->button());
}
