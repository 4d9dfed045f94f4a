// The about window as the "Névjegy" command opens it: its version text and
// layout, where it stands, what closes it and what does not, and that every
// opening makes a window of its own. Where the modal windows stand on one or
// two screens is window_placement_test's.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QScreen>

#include "main_window_fixture.h"
#include "ui/accessible_controls.h"
#include "ui/frm_nevjegy.h"
#include "ui/picture_control.h"
#include "ui/png_button.h"
#include "ui/png_image.h"

namespace {

using testing_support::ClickThroughWindow;
using testing_support::ModalWatch;

class AboutWindow : public testing_support::MainWindowFixture {
protected:
    // Opens the about window with its button on the main window and runs
    // `inspect` on it while it is open; returns when it has closed.
    void OpenAndInspect(const std::function<void(Tfrm_Nevjegy*)>& inspect)
    {
        bool inspected = false;
        ModalWatch watch([&](QWidget* modal) {
            inspected = true;
            auto* about = qobject_cast<Tfrm_Nevjegy*>(modal);
            ASSERT_NE(about, nullptr) << "the modal window is no about window";
            inspect(about);
        });
        ClickThroughWindow(window->PNGButton3);
        EXPECT_TRUE(inspected) << "no modal window opened";
        EXPECT_EQ(watch.seen.size(), 1u);
    }
};

TEST_F(AboutWindow, ShowsTheVersionOverItsArtworkCentredOverTheMainWindowAndClosesWithItsButton)
{
    // Moved after it was made, partly off the screen: the about window stands
    // centred over it ((670 - 366) / 2 = 152, (480 - 300) / 2 = 90), moved
    // just back onto the screen.
    const QPoint corner = window->screen()->availableGeometry().topLeft();
    window->move(corner + QPoint(-200, 40));
    QPointer<Tfrm_Nevjegy> opened;
    int result = -1;
    OpenAndInspect([&](Tfrm_Nevjegy* about) {
        opened = about;
        EXPECT_EQ(about->pos(), corner + QPoint(0, 130));
        QObject::connect(about, &QDialog::finished, [&](int r) { result = r; });
        EXPECT_EQ(about->size(), QSize(366, 300));
        EXPECT_TRUE(about->windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(about->windowTitle(), QString::fromUtf8("Névjegy"));
        EXPECT_TRUE(about->isModal());

        EXPECT_EQ(about->ProductName->text(), QStringLiteral("V2.2.0.33"));
        EXPECT_EQ(about->ProductName->geometry(), QRect(20, 116, 145, 41));
        EXPECT_EQ(about->ProductName->alignment(), Qt::AlignLeft | Qt::AlignTop);
        EXPECT_EQ(about->ProductName->font().pixelSize(), 15);
        EXPECT_TRUE(about->ProductName->font().bold());
        EXPECT_EQ(about->ProductName->palette().color(QPalette::WindowText), QColor(255, 255, 0));

        EXPECT_EQ(about->Image1->geometry(), QRect(0, 0, 366, 300));
        EXPECT_FALSE(about->Image1->Picture().isNull());
        EXPECT_EQ(about->PNGButton8->geometry(), QRect(329, 12, 25, 25));
        EXPECT_EQ(about->PNGButton8->ImageNormal(), LoadPng(QStringLiteral(":/assets/art/btn_close.png"), false));

        // The main window's button was drawn unpressed before this opened.
        EXPECT_EQ(window->PNGButton3->ButtonState(), TPNGButton::TButtonState::Normal);

        ClickThroughWindow(about->PNGButton8);
        EXPECT_FALSE(about->isVisible());
    });
    EXPECT_EQ(result, 1) << "the close button sets the modal result 1";
    EXPECT_TRUE(opened.isNull()) << "the about window outlived its showing";
    EXPECT_TRUE(errors.texts.empty());
}

// That Esc neither closes it nor reaches the main window is the commands'
// test, with every other shortcut.
TEST_F(AboutWindow, DraggingTheArtworkDoesNotMoveIt)
{
    OpenAndInspect([&](Tfrm_Nevjegy* about) {
        QWindow* handle = about->windowHandle();
        const QPoint before = about->pos();
        QTest::mouseMove(handle, QPoint(100, 250));
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(100, 250));
        QTest::mouseMove(handle, QPoint(160, 280));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(160, 280));
        EXPECT_EQ(about->pos(), before);
    });
}

TEST_F(AboutWindow, EnterClosesItEscDoesNotAndAScreenReaderReadsWhatThePictureSays)
{
    int result = -1;
    OpenAndInspect([&](Tfrm_Nevjegy* about) {
        QObject::connect(about, &QDialog::finished, [&](int r) { result = r; });
        // Nothing takes the keyboard focus: the close button holds it for a
        // screen reader once the window is active.
        EXPECT_TRUE(QTest::qWaitFor([&] { return HasAccessibleFocus(about->PNGButton8); }));
        QAccessibleInterface* close = QAccessible::queryAccessibleInterface(about->PNGButton8);
        EXPECT_EQ(close->text(QAccessible::Name), QString::fromUtf8("Bezár"));
        EXPECT_TRUE(close->state().focused);
        EXPECT_TRUE(close->state().focusable);

        // The maker's notice and the home page, where the picture shows them.
        QAccessibleInterface* notice = QAccessible::queryAccessibleInterface(about->Notice);
        EXPECT_EQ(notice->role(), QAccessible::StaticText);
        EXPECT_TRUE(notice->text(QAccessible::Name).startsWith(QString::fromUtf8("Készítői nyilatkozat. Ez a program szabad szoftver")));
        EXPECT_EQ(about->Notice->geometry(), QRect(186, 62, 168, 156));
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(about->HomePage)->text(QAccessible::Name).contains("github.com/vorpanta/vorpanta"));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(about->ProductName)->text(QAccessible::Name),
                  QString::fromUtf8("Vorpanta, változat: V2.2.0.33"));
        EXPECT_EQ(about->ProductName->text(), "V2.2.0.33") << "the label shows what it showed";

        // Esc does nothing; Enter (either key, without modifiers) closes it as
        // its close button does.
        QTest::keyClick(about->windowHandle(), Qt::Key_Escape);
        QTest::keyClick(about->windowHandle(), Qt::Key_Return, Qt::ShiftModifier);
        EXPECT_TRUE(about->isVisible());
        QTest::keyClick(about->windowHandle(), Qt::Key_Enter);
        EXPECT_FALSE(about->isVisible());
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(AboutWindow, EveryOpeningMakesAWindowOfItsOwn)
{
    bool firstDestroyed = false;
    QStringList versions;
    OpenAndInspect([&](Tfrm_Nevjegy* about) {
        about->setProperty("first", true);
        QObject::connect(about, &QObject::destroyed, [&] { firstDestroyed = true; });
        versions << about->ProductName->text();
        ClickThroughWindow(about->PNGButton8);
    });
    EXPECT_TRUE(firstDestroyed) << "the first about window was not destroyed when it closed";
    OpenAndInspect([&](Tfrm_Nevjegy* about) {
        EXPECT_FALSE(about->property("first").isValid()) << "the first window was shown again";
        versions << about->ProductName->text();
        ClickThroughWindow(about->PNGButton8);
    });
    EXPECT_EQ(versions, QStringList({QStringLiteral("V2.2.0.33"), QStringLiteral("V2.2.0.33")}));
}

}  // namespace
