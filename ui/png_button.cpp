#include "ui/png_button.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionButton>
#include <qdrawutil.h>

namespace {

// Gap between the picture and the caption when both are shown.
constexpr int kCaptionGap = 4;

}  // namespace

TPNGButton::TPNGButton(QWidget* parent) : QWidget(parent)
{
    resize(23, 23);
    setFocusPolicy(Qt::NoFocus);
    // No background of its own: the parent's picture shows through every
    // pixel the button's picture leaves transparent.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    // Moves are reported also while no button is held.
    setMouseTracking(true);
    setToolTip(QString());
}

void TPNGButton::SetButtonLayout(TPNGButtonLayout layout)
{
    layout_ = layout;
    update();
}

void TPNGButton::SetButtonStyle(TPNGButtonStyle style)
{
    style_ = style;
    update();
}

void TPNGButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void TPNGButton::SetImageNormal(const QImage& image)
{
    imageNormal_ = image;
    imageDisabled_ = MakeDisabledImage(imageNormal_);
    update();
}

void TPNGButton::SetImageDown(const QImage& image)
{
    imageDown_ = image;
    update();
}

void TPNGButton::SetImageOver(const QImage& image)
{
    imageOver_ = image;
    update();
}

QImage TPNGButton::MakeDisabledImage(const QImage& image)
{
    if (image.isNull())
        return {};
    if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
        image.format() == QImage::Format_MonoLSB) {
        // A palette picture keeps its palette, made fully opaque.
        QImage result = image.copy();
        QList<QRgb> colours = result.colorTable();
        for (QRgb& colour : colours)
            colour = qRgba(qRed(colour), qGreen(colour), qBlue(colour), 255);
        result.setColorTable(colours);
        return result;
    }
    // Straight (non-premultiplied) alpha, so only the alpha bytes change.
    QImage result = image.convertToFormat(QImage::Format_RGBA8888);
    for (int y = 0; y < result.height(); ++y) {
        uchar* pixel = result.scanLine(y);
        for (int x = 0; x < result.width(); ++x, pixel += 4)
            pixel[3] = static_cast<uchar>(pixel[3] / 3);
    }
    result.setDevicePixelRatio(image.devicePixelRatio());
    return result;
}

int TPNGButton::PressedOffset() const
{
    return state_ == TButtonState::Down && mouseInside_ ? kPressShift : 0;
}

const QImage& TPNGButton::CurrentImage() const
{
    if (PressedOffset() != 0 && !imageDown_.isNull())
        return imageDown_;
    if (mouseInside_ && !imageOver_.isNull() && Enabled())
        return imageOver_;
    if (state_ == TButtonState::Disabled && !imageDisabled_.isNull())
        return imageDisabled_;
    return imageNormal_;
}

QRect TPNGButton::ImageRect() const
{
    return Arrange().image;
}

QSize TPNGButton::LogicalSize(const QImage& image)
{
    if (image.isNull())
        return {0, 0};
    // A double-resolution picture takes the room of its normal-size self.
    return image.deviceIndependentSize().toSize();
}

TPNGButton::Areas TPNGButton::Arrange() const
{
    const int W = width();
    const int H = height();
    const QSize picture = LogicalSize(CurrentImage());
    const int w = picture.width();
    const int h = picture.height();
    int tw = 0;
    int th = 0;
    if (!caption_.isEmpty()) {
        const QFontMetrics metrics = fontMetrics();
        tw = metrics.horizontalAdvance(caption_);
        th = metrics.height();
    }
    const int gap = caption_.isEmpty() ? 0 : kCaptionGap;
    const int offset = PressedOffset();

    Areas areas;
    switch (layout_) {
    case pbsImageAbove: {
        const int top = (H - (h + gap) - th) / 2;
        areas.image = QRect((W - w) / 2 + offset, top + offset, w, h);
        areas.caption = QRect((W - tw) / 2 + offset, top + h + gap + offset, tw, th);
        break;
    }
    case pbsImageBellow: {
        const int top = (H - (h + gap) - th) / 2;
        areas.caption = QRect((W - tw) / 2 + offset, top + offset, tw, th);
        areas.image = QRect((W - w) / 2 + offset, top + th + gap + offset, w, h);
        break;
    }
    case pbsImageLeft: {
        const int left = (W - (w + gap) - tw) / 2;
        areas.image = QRect(left + offset, (H - h) / 2 + offset, w, h);
        areas.caption = QRect(left + w + gap + offset, (H - th) / 2 + offset, tw, th);
        break;
    }
    case pbsImageRight: {
        const int left = (W - (w + gap) - tw) / 2;
        areas.caption = QRect(left + offset, (H - th) / 2 + offset, tw, th);
        areas.image = QRect(left + tw + gap + offset, (H - h) / 2 + offset, w, h);
        break;
    }
    }
    return areas;
}

void TPNGButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool pressedLook = PressedOffset() != 0;

    switch (style_) {
    case pbsNoFrame:
        break;
    case pbsFlat:
        if (Enabled() && pressedLook)
            qDrawShadePanel(&painter, rect(), palette(), true, 1);
        else if (Enabled() && (mouseInside_ || state_ == TButtonState::Down))
            qDrawShadePanel(&painter, rect(), palette(), false, 1);
        break;
    case pbsDefault: {
        QStyleOptionButton option;
        option.initFrom(this);
        option.state |= pressedLook ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
        break;
    }
    }

    const Areas areas = Arrange();
    const QImage& picture = CurrentImage();
    if (!picture.isNull())
        painter.drawImage(areas.image.topLeft(), picture);

    if (!caption_.isEmpty()) {
        painter.setClipRect(rect());
        painter.setPen(Enabled() ? palette().color(QPalette::Active, QPalette::ButtonText)
                                 : palette().color(QPalette::Disabled, QPalette::Text));
        painter.setFont(font());
        painter.drawText(areas.caption, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption_);
    }
}

bool TPNGButton::event(QEvent* event)
{
    // No tooltips anywhere.
    if (event->type() == QEvent::ToolTip || event->type() == QEvent::WhatsThis)
        return true;
    return QWidget::event(event);
}

void TPNGButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (!Enabled()) {
            imageDisabled_ = MakeDisabledImage(imageNormal_);
            clickArmed_ = false;
            leftHeld_ = false;
            SetState(TButtonState::Disabled);
        } else if (state_ == TButtonState::Disabled) {
            SetState(TButtonState::Normal);
        }
    }
    QWidget::changeEvent(event);
}

void TPNGButton::SetState(TButtonState state)
{
    if (state_ == state)
        return;
    state_ = state;
    update();
}

void TPNGButton::PointerEntered()
{
    pointerOver_ = true;
    if (!Enabled())
        return;
    emit OnMouseEnter();
    mouseInside_ = true;
    update();
}

void TPNGButton::PointerLeft()
{
    pointerOver_ = false;
    if (!Enabled())
        return;
    emit OnMouseExit();
    mouseInside_ = false;
    update();
}

void TPNGButton::enterEvent(QEnterEvent* event)
{
    if (!pointerOver_)
        PointerEntered();
    QWidget::enterEvent(event);
}

void TPNGButton::leaveEvent(QEvent* event)
{
    if (pointerOver_)
        PointerLeft();
    QWidget::leaveEvent(event);
}

void TPNGButton::PressStep(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        leftHeld_ = true;
        clickArmed_ = true;
        if (state_ == TButtonState::Normal)
            SetState(TButtonState::Down);
    }
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TPNGButton::mousePressEvent(QMouseEvent* event)
{
    // A press is always over the button, even when no move announced it.
    if (!pointerOver_)
        PointerEntered();
    PressStep(event);
}

void TPNGButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The window system delivers the second press of a double click as a
    // press followed by this event; the release that follows is no click, so
    // a double click clicks once.
    if (event->button() != Qt::LeftButton)
        return;
    emit OnDblClick();
    if (!leftHeld_) {
        if (!pointerOver_)
            PointerEntered();
        PressStep(event);
    }
    clickArmed_ = false;
}

void TPNGButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool inside = rect().contains(pos);
    // While a button is held the toolkit announces neither leaving nor
    // coming back, yet leaving must take the pressed look away and coming
    // back must restore it.
    if (event->buttons() != Qt::NoButton) {
        if (inside && !pointerOver_)
            PointerEntered();
        else if (!inside && pointerOver_)
            PointerLeft();
    }
    if (inside && !mouseInside_ && state_ != TButtonState::Down) {
        mouseInside_ = true;
        update();
    }
    emit OnMouseMove(event->modifiers(), pos);
}

void TPNGButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    QPointer<TPNGButton> self(this);
    if (event->button() == Qt::LeftButton) {
        const bool click = clickArmed_ && rect().contains(pos);
        clickArmed_ = false;
        leftHeld_ = false;
        if (click) {
            // Drawn unpressed before the command runs, so a window the
            // command opens does not find the button held down.
            if (state_ == TButtonState::Down) {
                state_ = TButtonState::Normal;
                repaint();
            }
            emit OnClick();
            if (!self)
                return;
        }
    }
    if (state_ == TButtonState::Down)
        SetState(TButtonState::Normal);
    emit OnMouseUp(event->button(), event->modifiers(), pos);
}
