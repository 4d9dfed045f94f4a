// The image button: where its picture stands, how it blends over the window
// beneath it, how presses, moves and releases from the window system turn
// into clicks, and its faint disabled picture.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <vector>

#include "ui/png_button.h"

namespace {

const QColor kBackground(0, 0, 255);

// A top-level window painted in one colour, standing in for the artwork a
// button is placed over.
class Backdrop : public QWidget {
public:
    Backdrop() { setFixedSize(120, 100); }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), kBackground); }
};

// A picture of the given logical size, opaque red everywhere.
QImage SolidPicture(int size, QColor colour = QColor(255, 0, 0))
{
    QImage picture(size, size, QImage::Format_RGBA8888);
    picture.fill(colour);
    return picture;
}

// The smallest rectangle holding every pixel that is not fully transparent.
QRect PaintedArea(const QImage& image)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                area |= QRect(x, y, 1, 1);
    return area;
}

QRect PaintedArea(QWidget* widget)
{
    return PaintedArea(widget->grab().toImage());
}

class PngButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        backdrop = std::make_unique<Backdrop>();
        button = new TPNGButton(backdrop.get());
        button->setGeometry(20, 30, 37, 37);
        button->SetButtonLayout(TPNGButton::pbsImageAbove);
        button->SetButtonStyle(TPNGButton::pbsNoFrame);
        button->SetImageNormal(SolidPicture(32));
        backdrop->move(50, 50);
        backdrop->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(backdrop.get()));
        window = backdrop->windowHandle();
        // Every test starts with the pointer away from the button. The window
        // system drops a move to where the pointer already is, and the last
        // test's window stood here too, so it moves twice.
        QTest::mouseMove(window, QPoint(1, 1));
        QTest::mouseMove(window, QPoint(2, 2));

        connect(Signal::Click, &TPNGButton::OnClick);
        connect(Signal::DblClick, &TPNGButton::OnDblClick);
        connect(Signal::Enter, &TPNGButton::OnMouseEnter);
        connect(Signal::Exit, &TPNGButton::OnMouseExit);
        QObject::connect(button, &TPNGButton::OnMouseDown, button,
                         [this](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint&) { downs.push_back(b); });
        QObject::connect(button, &TPNGButton::OnMouseUp, button,
                         [this](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint&) { ups.push_back(b); });
    }

    enum class Signal { Click, DblClick, Enter, Exit };
    void connect(Signal which, void (TPNGButton::*signal)())
    {
        QObject::connect(button, signal, button, [this, which] { ++counts[static_cast<int>(which)]; });
    }
    int Count(Signal which) const { return counts[static_cast<int>(which)]; }

    // A point of the button in window coordinates.
    QPoint At(int x, int y) const { return button->geometry().topLeft() + QPoint(x, y); }

    std::unique_ptr<Backdrop> backdrop;
    TPNGButton* button = nullptr;
    QWindow* window = nullptr;
    int counts[4] = {};
    std::vector<Qt::MouseButton> downs;
    std::vector<Qt::MouseButton> ups;
};

TEST_F(PngButtonTest, PictureStandsCentredAndShiftsTwoPixelsWhilePressed)
{
    // 32 x 32 in 37 x 37: the halving rounds toward zero.
    EXPECT_EQ(PaintedArea(button), QRect(2, 2, 32, 32));
    QTest::mouseMove(window, At(18, 18));
    QTest::mousePress(window, Qt::LeftButton, {}, At(18, 18));
    EXPECT_EQ(button->PressedOffset(), 2);
    EXPECT_EQ(PaintedArea(button), QRect(4, 4, 32, 32));
    QTest::mouseRelease(window, Qt::LeftButton, {}, At(18, 18));
    EXPECT_EQ(PaintedArea(button), QRect(2, 2, 32, 32));

    // 16 x 16 in 25 x 25, as the minimise and close buttons.
    button->setGeometry(20, 30, 25, 25);
    button->SetImageNormal(SolidPicture(16));
    EXPECT_EQ(PaintedArea(button), QRect(4, 4, 16, 16));
    QTest::mousePress(window, Qt::LeftButton, {}, At(12, 12));
    EXPECT_EQ(PaintedArea(button), QRect(6, 6, 16, 16));
    QTest::mouseRelease(window, Qt::LeftButton, {}, At(12, 12));
    EXPECT_EQ(PaintedArea(button), QRect(4, 4, 16, 16));
}

TEST_F(PngButtonTest, DoubleResolutionPictureTakesItsLogicalSize)
{
    QImage sharp = SolidPicture(64);
    sharp.setDevicePixelRatio(2.0);
    button->SetImageNormal(sharp);
    EXPECT_EQ(button->ImageRect(), QRect(2, 2, 32, 32));
    EXPECT_EQ(PaintedArea(button), QRect(2, 2, 32, 32));
}

TEST_F(PngButtonTest, TransparentPixelsShowTheWindowBeneath)
{
    // Left half clear, right half red at half opacity, bottom rows opaque.
    QImage picture(32, 32, QImage::Format_RGBA8888);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 32; ++y)
        for (int x = 16; x < 32; ++x)
            picture.setPixelColor(x, y, QColor(255, 0, 0, y < 24 ? 128 : 255));
    button->SetImageNormal(picture);

    const QImage shot = backdrop->grab().toImage();
    const QPoint origin = button->pos() + QPoint(2, 2);
    // Around the picture and under its clear pixels: the window's colour.
    EXPECT_EQ(shot.pixelColor(button->pos()), kBackground);
    EXPECT_EQ(shot.pixelColor(origin + QPoint(5, 5)), kBackground);
    // Half-transparent red over blue mixes them.
    const QColor mixed = shot.pixelColor(origin + QPoint(20, 5));
    EXPECT_NEAR(mixed.red(), 128, 2);
    EXPECT_EQ(mixed.green(), 0);
    EXPECT_NEAR(mixed.blue(), 127, 2);
    // Opaque pixels cover it.
    EXPECT_EQ(shot.pixelColor(origin + QPoint(20, 28)), QColor(255, 0, 0));
}

TEST_F(PngButtonTest, LeftPressAndReleaseOnTheButtonClicksOnce)
{
    QTest::mouseMove(window, At(10, 10));
    EXPECT_EQ(Count(Signal::Enter), 1);
    EXPECT_TRUE(button->MouseInside());

    QTest::mousePress(window, Qt::LeftButton, {}, At(10, 10));
    EXPECT_EQ(button->ButtonState(), TPNGButton::TButtonState::Down);
    EXPECT_EQ(Count(Signal::Click), 0);
    QTest::mouseRelease(window, Qt::LeftButton, {}, At(12, 12));
    EXPECT_EQ(Count(Signal::Click), 1);
    EXPECT_EQ(button->ButtonState(), TPNGButton::TButtonState::Normal);
    EXPECT_EQ(downs, std::vector<Qt::MouseButton>{Qt::LeftButton});
    EXPECT_EQ(ups, std::vector<Qt::MouseButton>{Qt::LeftButton});

    QTest::mouseMove(window, QPoint(2, 2));
    EXPECT_EQ(Count(Signal::Exit), 1);
    EXPECT_FALSE(button->MouseInside());
}

TEST_F(PngButtonTest, RightButtonNeitherPressesNorClicks)
{
    QTest::mouseMove(window, At(10, 10));
    QTest::mousePress(window, Qt::RightButton, {}, At(10, 10));
    EXPECT_EQ(button->ButtonState(), TPNGButton::TButtonState::Normal);
    EXPECT_EQ(PaintedArea(button), QRect(2, 2, 32, 32));
    QTest::mouseRelease(window, Qt::RightButton, {}, At(10, 10));
    EXPECT_EQ(Count(Signal::Click), 0);
    // It is still reported as a press and a release.
    EXPECT_EQ(downs, std::vector<Qt::MouseButton>{Qt::RightButton});
    EXPECT_EQ(ups, std::vector<Qt::MouseButton>{Qt::RightButton});
}

TEST_F(PngButtonTest, LeavingWhileHeldDropsThePressedLookAndReleasingOutsideDoesNotClick)
{
    QTest::mouseMove(window, At(10, 10));
    QTest::mousePress(window, Qt::LeftButton, {}, At(10, 10));
    EXPECT_EQ(PaintedArea(button), QRect(4, 4, 32, 32));

    QTest::mouseMove(window, At(60, 10));
    EXPECT_EQ(Count(Signal::Exit), 1);
    EXPECT_EQ(button->ButtonState(), TPNGButton::TButtonState::Down);
    EXPECT_EQ(button->PressedOffset(), 0);
    EXPECT_EQ(PaintedArea(button), QRect(2, 2, 32, 32));

    // Coming back while still held restores the pressed look.
    QTest::mouseMove(window, At(20, 20));
    EXPECT_EQ(Count(Signal::Enter), 2);
    EXPECT_EQ(PaintedArea(button), QRect(4, 4, 32, 32));

    QTest::mouseMove(window, At(60, 10));
    QTest::mouseRelease(window, Qt::LeftButton, {}, At(60, 10));
    EXPECT_EQ(Count(Signal::Click), 0);
    EXPECT_EQ(button->ButtonState(), TPNGButton::TButtonState::Normal);
    EXPECT_EQ(PaintedArea(button), QRect(2, 2, 32, 32));
    EXPECT_EQ(ups.size(), 1u);

    // A press that began elsewhere and is released over the button does not
    // click it either.
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(window, At(10, 10));
    QTest::mouseRelease(window, Qt::LeftButton, {}, At(10, 10));
    EXPECT_EQ(Count(Signal::Click), 0);
}

TEST_F(PngButtonTest, DoubleClickClicksOnce)
{
    QTest::mouseMove(window, At(10, 10));
    QTest::mouseDClick(window, Qt::LeftButton, {}, At(10, 10));
    EXPECT_EQ(Count(Signal::Click), 1);
    EXPECT_EQ(Count(Signal::DblClick), 1);
    // Both presses and both releases are reported.
    EXPECT_EQ(downs.size(), 2u);
    EXPECT_EQ(ups.size(), 2u);
    EXPECT_EQ(button->ButtonState(), TPNGButton::TButtonState::Normal);
}

TEST_F(PngButtonTest, ButtonIsDrawnUnpressedBeforeItsClickRuns)
{
    // Record where every paint draws the picture; the click's handler must
    // come after a paint in the normal place.
    std::vector<int> paintedOffsets;
    struct PaintSpy : QObject {
        TPNGButton* button;
        std::vector<int>* offsets;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                offsets->push_back(button->PressedOffset());
            return false;
        }
    } spy;
    spy.button = button;
    spy.offsets = &paintedOffsets;
    button->installEventFilter(&spy);

    bool checkedInClick = false;
    QObject::connect(button, &TPNGButton::OnClick, button, [&] {
        checkedInClick = true;
        EXPECT_EQ(button->ButtonState(), TPNGButton::TButtonState::Normal);
        ASSERT_FALSE(paintedOffsets.empty());
        EXPECT_EQ(paintedOffsets.back(), 0) << "the last paint before the click still showed it pressed";
        EXPECT_EQ(PaintedArea(button), QRect(2, 2, 32, 32));
    });

    QTest::mouseMove(window, At(10, 10));
    QTest::mousePress(window, Qt::LeftButton, {}, At(10, 10));
    QCoreApplication::processEvents();
    ASSERT_FALSE(paintedOffsets.empty());
    EXPECT_EQ(paintedOffsets.back(), 2);
    QTest::mouseRelease(window, Qt::LeftButton, {}, At(10, 10));
    EXPECT_TRUE(checkedInClick);
    button->removeEventFilter(&spy);
}

TEST_F(PngButtonTest, PictureChoiceFollowsPressHoverAndDisabledState)
{
    const QImage down = SolidPicture(32, QColor(0, 255, 0));
    const QImage over = SolidPicture(32, QColor(255, 255, 0));
    button->SetImageDown(down);
    button->SetImageOver(over);

    EXPECT_EQ(button->CurrentImage(), button->ImageNormal());
    QTest::mouseMove(window, At(10, 10));
    EXPECT_EQ(button->CurrentImage(), over);
    QTest::mousePress(window, Qt::LeftButton, {}, At(10, 10));
    EXPECT_EQ(button->CurrentImage(), down);
    EXPECT_EQ(button->grab().toImage().pixelColor(20, 20), QColor(0, 255, 0));
    // Pressed but off the button: no pressed look, so not the down picture.
    QTest::mouseMove(window, At(60, 10));
    EXPECT_EQ(button->CurrentImage(), button->ImageNormal());
    QTest::mouseRelease(window, Qt::LeftButton, {}, At(60, 10));

    button->SetEnabled(false);
    EXPECT_EQ(button->CurrentImage(), button->DisabledImage());
}

TEST(PngButtonDisabledPicture, AlphaIsDividedByThree)
{
    QImage picture(6, 1, QImage::Format_RGBA8888);
    const int alphas[] = {0, 1, 2, 3, 128, 255};
    for (int x = 0; x < 6; ++x)
        picture.setPixelColor(x, 0, QColor(10 * x, 200, 30, alphas[x]));
    const QImage faint = TPNGButton::MakeDisabledImage(picture);
    const int expected[] = {0, 0, 0, 1, 42, 85};
    for (int x = 0; x < 6; ++x) {
        const uchar* pixel = faint.constScanLine(0) + 4 * x;
        EXPECT_EQ(pixel[3], expected[x]) << "alpha " << alphas[x];
        // The colour stays as it was (not premultiplied by the new alpha).
        if (alphas[x] != 0) {
            EXPECT_EQ(pixel[1], 200);
            EXPECT_EQ(pixel[2], 30);
        }
    }

    // A picture without alpha counts as opaque.
    QImage opaque(2, 2, QImage::Format_RGB32);
    opaque.fill(QColor(1, 2, 3));
    EXPECT_EQ(TPNGButton::MakeDisabledImage(opaque).pixelColor(1, 1), QColor(1, 2, 3, 85));

    // A palette picture is made fully opaque, without the division.
    QImage palette(2, 1, QImage::Format_Indexed8);
    palette.setColorTable({qRgba(9, 8, 7, 0), qRgba(1, 2, 3, 90)});
    palette.setPixel(0, 0, 0);
    palette.setPixel(1, 0, 1);
    const QImage paletteFaint = TPNGButton::MakeDisabledImage(palette);
    EXPECT_EQ(paletteFaint.pixelColor(0, 0), QColor(9, 8, 7, 255));
    EXPECT_EQ(paletteFaint.pixelColor(1, 0), QColor(1, 2, 3, 255));
}

TEST_F(PngButtonTest, DisablingShowsTheFaintPictureAndEnablingRestoresIt)
{
    button->SetEnabled(false);
    EXPECT_EQ(button->ButtonState(), TPNGButton::TButtonState::Disabled);
    EXPECT_EQ(button->grab().toImage().pixelColor(20, 20).alpha(), 85);

    // A picture assigned while disabled gets its own faint copy.
    QImage half(32, 32, QImage::Format_RGBA8888);
    half.fill(QColor(255, 0, 0, 150));
    button->SetImageNormal(half);
    EXPECT_EQ(button->DisabledImage().pixelColor(0, 0).alpha(), 50);

    button->SetEnabled(true);
    EXPECT_EQ(button->ButtonState(), TPNGButton::TButtonState::Normal);
    EXPECT_EQ(button->CurrentImage(), half);

    // A disabled window does not make its buttons look disabled.
    backdrop->setEnabled(false);
    EXPECT_EQ(button->ButtonState(), TPNGButton::TButtonState::Normal);
    backdrop->setEnabled(true);
}

}  // namespace
