// The image button of every window: a control without a background of its
// own that draws a PNG picture (with its alpha channel) over whatever lies
// beneath it, optionally with a caption, and reports a click.
//
// The windows use it one way only: picture above, no frame, only the normal
// picture set, no caption. Then the only visible feedback is that the
// picture shifts 2 pixels right and down while the left button is held on it
// with the pointer over it. The button never takes the keyboard focus and
// shows no tooltip.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class TPNGButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TPNGButtonLayout ButtonLayout READ ButtonLayout WRITE SetButtonLayout)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QImage ImageNormal READ ImageNormal WRITE SetImageNormal)
    Q_PROPERTY(QImage ImageDown READ ImageDown WRITE SetImageDown)
    Q_PROPERTY(QImage ImageOver READ ImageOver WRITE SetImageOver)
    Q_PROPERTY(TPNGButtonStyle ButtonStyle READ ButtonStyle WRITE SetButtonStyle)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

public:
    enum TPNGButtonLayout { pbsImageAbove, pbsImageBellow, pbsImageLeft, pbsImageRight };
    Q_ENUM(TPNGButtonLayout)
    enum TPNGButtonStyle { pbsDefault, pbsFlat, pbsNoFrame };
    Q_ENUM(TPNGButtonStyle)
    enum class TButtonState { Normal, Down, Disabled };

    // How far the picture and caption move while the pressed look is on.
    static constexpr int kPressShift = 2;

    explicit TPNGButton(QWidget* parent = nullptr);

    TPNGButtonLayout ButtonLayout() const { return layout_; }
    void SetButtonLayout(TPNGButtonLayout layout);
    TPNGButtonStyle ButtonStyle() const { return style_; }
    void SetButtonStyle(TPNGButtonStyle style);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    const QImage& ImageNormal() const { return imageNormal_; }
    void SetImageNormal(const QImage& image);
    const QImage& ImageDown() const { return imageDown_; }
    void SetImageDown(const QImage& image);
    const QImage& ImageOver() const { return imageOver_; }
    void SetImageOver(const QImage& image);
    // The faint picture shown while disabled, made from ImageNormal.
    const QImage& DisabledImage() const { return imageDisabled_; }

    // The button's own enabled switch (a disabled parent does not change it).
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }

    TButtonState ButtonState() const { return state_; }
    bool MouseInside() const { return mouseInside_; }
    // kPressShift while the pressed look is on (Down with the pointer over
    // the button), else 0.
    int PressedOffset() const;

    // The picture the next paint draws, and where (widget coordinates,
    // logical pixels).
    const QImage& CurrentImage() const;
    QRect ImageRect() const;

    // A copy of `image` with every alpha value divided by 3 (an image without
    // alpha counts as opaque); a palette picture becomes fully opaque instead.
    static QImage MakeDisabledImage(const QImage& image);

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos);
    void OnMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos);
    void OnMouseMove(Qt::KeyboardModifiers modifiers, const QPoint& pos);
    void OnMouseEnter();
    void OnMouseExit();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Where the picture and the caption are drawn.
    struct Areas {
        QRect image;
        QRect caption;
    };
    Areas Arrange() const;
    static QSize LogicalSize(const QImage& image);

    void PointerEntered();
    void PointerLeft();
    void PressStep(QMouseEvent* event);
    void SetState(TButtonState state);

    TPNGButtonLayout layout_ = pbsImageAbove;
    TPNGButtonStyle style_ = pbsDefault;
    QString caption_;
    QImage imageNormal_;
    QImage imageDown_;
    QImage imageOver_;
    QImage imageDisabled_;

    TButtonState state_ = TButtonState::Normal;
    bool mouseInside_ = false;
    // Whether the pointer was last reported as over the button (enter and
    // exit come in pairs).
    bool pointerOver_ = false;
    // A left press on this button that its release may turn into a click.
    bool clickArmed_ = false;
    // The left button went down on this button and is still held.
    bool leftHeld_ = false;
};
