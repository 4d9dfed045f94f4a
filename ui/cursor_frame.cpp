#include "ui/cursor_frame.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kHalo(255, 255, 255);
const QColor kBand(0, 84, 255);
constexpr int kHaloWidth = 1;
constexpr qreal kCornerRadius = 6;

// The area between two rounded rectangles.
QPainterPath Ring(const QRectF& outer, const QRectF& inner, qreal radius)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addRoundedRect(outer, radius, radius);
    path.addRoundedRect(inner, radius - (inner.left() - outer.left()), radius - (inner.top() - outer.top()));
    return path;
}

}  // namespace

CursorFrame::CursorFrame(QWidget* parent) : QFocusFrame(parent)
{
    setObjectName(QStringLiteral("CursorFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void CursorFrame::Surround(const QRect& cell)
{
    setGeometry(cell.adjusted(-kOutside, -kOutside, kOutside, kOutside));
}

void CursorFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // Logical pixels on whole numbers: the straight edges fall on device
    // pixels at any whole ratio, and only the corners are smoothed.
    const QRectF outer(rect());
    const QRectF halo = outer.adjusted(kHaloWidth, kHaloWidth, -kHaloWidth, -kHaloWidth);
    const qreal depth = kOutside + kInside;
    const QRectF inner = outer.adjusted(depth, depth, -depth, -depth);
    painter.setBrush(kHalo);
    painter.drawPath(Ring(outer, halo, kCornerRadius));
    painter.setBrush(kBand);
    painter.drawPath(Ring(halo, inner, kCornerRadius - kHaloWidth));
}
