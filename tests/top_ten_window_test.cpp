#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "game/top_ten_table.h"
#include "platform/app_error.h"
#include "test_support.h"
#include "ui/accessible_controls.h"
#include "ui/frm_top10.h"
#include "ui/picture_control.h"
#include "ui/png_button.h"
#include "ui/show_top_ten.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;

const QColor kRed(255, 0, 0);
const QColor kPanelBlue(71, 170, 247);

int RowTop(int row)
{
    return 108 + 20 * (row - 1);
}

// A stand-in for the main window: borderless, 670 x 480, shown at (100, 50).
class MainWindowStandIn {
public:
    MainWindowStandIn()
    {
        window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        window.setGeometry(100, 50, 670, 480);
        window.show();
        window.activateWindow();
        // Its activation must not arrive after the top-ten window's.
        EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &window; }));
    }
    QWidget window;
};

// Sends one mouse event to a control with the pointer at `global`.
void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button, const QPoint& global)
{
    QCursor::setPos(global);
    const QPointF local = target->mapFromGlobal(QPointF(global));
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, local, QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Types `text` into `target` one character at a time, as a keyboard whose
// keys produce those characters would.
void TypeText(QWidget* target, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &release);
    }
}

// Shows the window and waits until it is the active one.
void ShowActive(Tfrm_Top10& form)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &form; }));
}

TEST(TopTenWindow, ControlsStandWhereTheDesignPutsThem)
{
    Tfrm_Top10 form(nullptr);
    EXPECT_EQ(form.objectName(), "frm_Top10");
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.size(), QSize(300, 375));
    EXPECT_FALSE(form.isVisible());

    EXPECT_EQ(form.findChild<PictureControl*>("Image1"), form.Image1);
    EXPECT_EQ(form.Image1->geometry(), QRect(0, 0, 300, 375));
    EXPECT_FALSE(form.Image1->Picture().isNull());

    EXPECT_EQ(form.findChild<TPNGButton*>("PNGButton8"), form.PNGButton8);
    EXPECT_EQ(form.PNGButton8->geometry(), QRect(259, 16, 25, 25));
    EXPECT_EQ(form.PNGButton8->ButtonLayout(), TPNGButton::pbsImageAbove);
    EXPECT_EQ(form.PNGButton8->ButtonStyle(), TPNGButton::pbsNoFrame);
    EXPECT_EQ(form.PNGButton8->ImageNormal().size() / form.PNGButton8->ImageNormal().devicePixelRatio(),
              QSize(16, 16));

    const QColor windowText = form.palette().color(QPalette::WindowText);
    for (int row = 1; row <= 10; ++row) {
        SCOPED_TRACE(row);
        const QString n = QString::number(row);
        QLabel* rank = form.findChild<QLabel*>("s" + n);
        QLabel* score = form.findChild<QLabel*>("i" + n);
        QLineEdit* name = form.findChild<QLineEdit*>("e" + n);
        ASSERT_TRUE(rank && score && name);
        EXPECT_EQ(rank, form.RankLabel(row));
        EXPECT_EQ(score, form.ScoreLabel(row));
        EXPECT_EQ(name, form.NameEdit(row));

        EXPECT_EQ(rank->text(), n + ".");
        EXPECT_EQ(rank->pos(), QPoint(80, RowTop(row)));
        EXPECT_EQ(rank->height(), 16);
        EXPECT_EQ(score->pos(), QPoint(104, RowTop(row)));
        EXPECT_EQ(score->height(), 16);
        EXPECT_TRUE(score->alignment() & Qt::AlignLeft);
        EXPECT_EQ(name->geometry(), QRect(172, RowTop(row), 101, 20));
        // The rank label is sized to its text and ends before the score.
        EXPECT_GE(rank->width(), rank->fontMetrics().horizontalAdvance(rank->text()));
        EXPECT_LE(rank->geometry().right(), 104);

        EXPECT_EQ(name->text(), "Gurdala");
        EXPECT_TRUE(form.NameEdit(row)->IsLocked());
        EXPECT_FALSE(name->hasFrame());
        EXPECT_FALSE(name->focusPolicy() & Qt::TabFocus);
        EXPECT_GE(name->maxLength(), 1 << 20);
        EXPECT_EQ(name->palette().color(QPalette::Base), kPanelBlue);
        EXPECT_EQ(name->palette().color(QPalette::Text), windowText);
        EXPECT_EQ(rank->palette().color(QPalette::WindowText), windowText);

        for (QWidget* control : {static_cast<QWidget*>(rank), static_cast<QWidget*>(score),
                                 static_cast<QWidget*>(name)}) {
            EXPECT_EQ(control->font().family(), "Comic Sans MS");
            EXPECT_EQ(control->font().pixelSize(), 12);
            EXPECT_TRUE(control->font().bold());
        }
    }
}

TEST(TopTenWindow, ScoreTextsKeepTheirLeadingBlanksAndThePictureShowsAroundLabels)
{
    Tfrm_Top10 form(nullptr);
    form.FillRow(1, "     1 000", "Gurdala");
    form.FillRow(2, "1 000", "Gurdala");
    EXPECT_EQ(form.i1->text(), "     1 000");
    // Five blanks in front make the label wider by their advance.
    EXPECT_EQ(form.i1->width() - form.i2->width(), form.i1->fontMetrics().horizontalAdvance("     "));

    const QImage shot = form.grab().toImage();
    // Where the blanks stand nothing is drawn: the panel's blue shows.
    const int blanks = form.i1->fontMetrics().horizontalAdvance("     ");
    ASSERT_GT(blanks, 4);
    for (int x = 104; x < 104 + blanks - 1; ++x)
        for (int y = RowTop(1); y < RowTop(1) + form.i1->height(); ++y)
            ASSERT_EQ(shot.pixelColor(x, y), kPanelBlue) << x << "," << y;
    // Score and name stand on one line: the name's letters start no lower
    // than a pixel below the score's (an edit centres its text by default).
    auto inkTop = [&shot](int left, int right, int top) {
        for (int y = top; y < top + 20; ++y)
            for (int x = left; x < right; ++x)
                if (shot.pixelColor(x, y).lightness() < 80)
                    return y - top;
        return -1;
    };
    const int scoreInk = inkTop(104, 104 + form.i2->width(), RowTop(2));
    const int nameInk = inkTop(172, 273, RowTop(2));
    ASSERT_GE(scoreInk, 0);
    ASSERT_GE(nameInk, 0);
    EXPECT_LE(std::abs(nameInk - scoreInk), 1) << "score " << scoreInk << ", name " << nameInk;

    // The labels paint no background of their own, the edits paint blue.
    EXPECT_EQ(shot.pixelColor(80, RowTop(3)), kPanelBlue);
    EXPECT_EQ(shot.pixelColor(form.e4->x() + 100, form.e4->y() + 19), kPanelBlue);
}

// The smallest rectangle holding the dark pixels of a picture.
QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < 80)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(TopTenWindow, RankAndScoreLabelsAreSixteenHighWithTheTextAtTheTopLeft)
{
    Tfrm_Top10 form(nullptr);
    form.FillRow(1, "       500", "Anna");
    form.FillRow(10, "12 345 678", "Bea");
    for (QLabel* label : {form.s1, form.s9, form.s10, form.i1, form.i10}) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_EQ(label->height(), 16);
        // As wide as the text, and drawn where a label of just the text's
        // size would draw it.
        QLabel natural(label->text());
        natural.setFont(label->font());
        natural.adjustSize();
        EXPECT_EQ(label->width(), natural.width());
        ASSERT_LT(natural.height(), 16);
        const QRect ink = InkBox(label->grab().toImage());
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_EQ(ink, InkBox(natural.grab().toImage()));
    }
    // A score shown later is sized the same way.
    form.FillRow(1, "1", "Anna");
    EXPECT_EQ(form.i1->height(), 16);
    EXPECT_LT(form.i1->width(), form.i10->width());
}

TEST(TopTenWindow, OpenedRowIsRedEditableAndTakesTheFocusWithItsTextSelected)
{
    MainWindowStandIn main;
    Tfrm_Top10 form(&main.window);
    for (int row = 1; row <= 10; ++row)
        form.FillRow(row, "       500", row == 3 ? " " : "Gurdala");
    form.OpenRow(3);
    ShowActive(form);

    // Centred over the main window.
    EXPECT_EQ(form.pos(), QPoint(100 + (670 - 300) / 2, 50 + (480 - 375) / 2));

    EXPECT_EQ(form.FirstEditableRow(), 3);
    EXPECT_EQ(QApplication::focusWidget(), form.e3);
    EXPECT_EQ(form.e3->selectedText(), " ");
    EXPECT_TRUE(form.e3->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(form.e3->palette().color(QPalette::Text), kRed);
    EXPECT_EQ(form.i3->palette().color(QPalette::WindowText), kRed);
    EXPECT_EQ(form.s3->palette().color(QPalette::WindowText), kRed);
    EXPECT_FALSE(form.e3->IsLocked());
    for (int row : {1, 2, 4, 10}) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(form.NameEdit(row)->IsLocked());
        EXPECT_NE(form.NameEdit(row)->palette().color(QPalette::Text), kRed);
        EXPECT_NE(form.RankLabel(row)->palette().color(QPalette::WindowText), kRed);
    }

    // Typing replaces the selected blank.
    QTest::keyClicks(form.e3, "Anna");
    EXPECT_EQ(form.e3->text(), "Anna");

    // A click into a locked edit places the cursor there, but typing changes
    // nothing.
    QTest::mouseClick(form.e5, Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_EQ(QApplication::focusWidget(), form.e5);
    QTest::keyClicks(form.e5, "xy");
    EXPECT_EQ(form.e5->text(), "Gurdala");

    // Coming back with the keyboard selects the whole name again.
    QTest::keyClick(&form, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.e3);
    EXPECT_EQ(form.e3->selectedText(), "Anna");

    // A mouse click into it places the cursor without selecting; being given
    // the focus any other way selects the whole name.
    QTest::mouseClick(form.e5, Qt::LeftButton, {}, QPoint(50, 10));
    QTest::mouseClick(form.e3, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(QApplication::focusWidget(), form.e3);
    EXPECT_EQ(form.e3->selectedText(), "");
    form.e5->setFocus(Qt::OtherFocusReason);
    form.e3->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(form.e3->selectedText(), "Anna");
    form.hide();
}

// The key combination the platform binds to a standard editing command.
QKeyCombination KeyOf(QKeySequence::StandardKey command)
{
    const QList<QKeySequence> bindings = QKeySequence::keyBindings(command);
    return bindings.isEmpty() ? QKeyCombination() : bindings.first()[0];
}

void Press(QWindow* window, QKeyCombination key)
{
    QTest::keyClick(window, key.key(), key.keyboardModifiers());
}

// One way of changing an edit's text: `prepare` runs while the edit is
// unlocked (to give it, say, something to undo), `attempt` with the edit as
// the test left it, holding the focus with the cursor at the end.
struct EditAttempt {
    const char* what;
    std::function<void(TopTenNameEdit*, QWindow*)> prepare;
    std::function<void(TopTenNameEdit*, QWindow*)> attempt;
};

std::vector<EditAttempt> EditAttempts()
{
    const auto nothing = [](TopTenNameEdit*, QWindow*) {};
    const auto typeX = [](TopTenNameEdit*, QWindow* w) { QTest::keyClick(w, Qt::Key_X); };
    const auto selectAll = [](TopTenNameEdit* e, QWindow*) { e->selectAll(); };
    return {
        {"typing", nothing,
         [](TopTenNameEdit*, QWindow* w) {
             QTest::keyClick(w, 'x');
             QTest::keyClick(w, 'y');
         }},
        {"typing an accented letter", nothing,
         [](TopTenNameEdit* e, QWindow*) { TypeText(e, QString::fromUtf8("Ő")); }},
        {"backspace", nothing, [](TopTenNameEdit*, QWindow* w) { QTest::keyClick(w, Qt::Key_Backspace); }},
        {"delete", nothing,
         [](TopTenNameEdit*, QWindow* w) {
             QTest::keyClick(w, Qt::Key_Home);
             QTest::keyClick(w, Qt::Key_Delete);
         }},
        {"delete the selection", selectAll, [](TopTenNameEdit*, QWindow* w) { QTest::keyClick(w, Qt::Key_Delete); }},
        {"paste", nothing,
         [](TopTenNameEdit*, QWindow* w) {
             QApplication::clipboard()->setText("Pasted");
             ASSERT_EQ(QApplication::clipboard()->text(), "Pasted");
             QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
         }},
        {"paste by the platform's key", nothing,
         [](TopTenNameEdit*, QWindow* w) {
             QApplication::clipboard()->setText("Pasted");
             Press(w, KeyOf(QKeySequence::Paste));
         }},
        {"cut", selectAll, [](TopTenNameEdit*, QWindow* w) { Press(w, KeyOf(QKeySequence::Cut)); }},
        {"undo", typeX, [](TopTenNameEdit*, QWindow* w) { Press(w, KeyOf(QKeySequence::Undo)); }},
        {"redo",
         [](TopTenNameEdit*, QWindow* w) {
             QTest::keyClick(w, Qt::Key_X);
             Press(w, KeyOf(QKeySequence::Undo));
         },
         [](TopTenNameEdit*, QWindow* w) { Press(w, KeyOf(QKeySequence::Redo)); }},
        {"input method", nothing,
         [](TopTenNameEdit* e, QWindow*) {
             QInputMethodEvent event;
             event.setCommitString("Committed");
             QApplication::sendEvent(e, &event);
         }},
        {"drop", nothing,
         [](TopTenNameEdit* e, QWindow*) {
             QMimeData data;
             data.setText("Dropped");
             const QPointF at(5, 10);
             QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(e, &enter);
             QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(e, &move);
             QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(e, &drop);
         }},
    };
}

// Opens the edit's context menu once for each command it offers and
// triggers that command, with the whole name selected and text on the
// clipboard; returns how many of them changed the text.
int MenuCommandsThatEdit(TopTenNameEdit* edit)
{
    int editing = 0;
    for (int index = 0;; ++index) {
        edit->setText("Gurdala");
        edit->selectAll();
        QApplication::clipboard()->setText("Pasted");
        const QPoint at(5, 10);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit->mapToGlobal(at));
        QApplication::sendEvent(edit, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            ADD_FAILURE() << "no context menu";
            return -1;
        }
        QList<QAction*> offered;
        for (QAction* action : menu->actions())
            if (action->isEnabled() && !action->isSeparator())
                offered.push_back(action);
        if (index == 0 && offered.isEmpty())
            ADD_FAILURE() << "the menu offers nothing";
        if (index >= offered.size()) {
            menu->close();
            return editing;
        }
        offered[index]->trigger();
        menu->close();
        if (edit->text() != "Gurdala")
            ++editing;
    }
}

// The texts of the context menu of a name edit, without separators.
QStringList MenuTexts(TopTenNameEdit* edit)
{
    const QPoint at(5, 10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, edit->mapToGlobal(at));
    QApplication::sendEvent(edit, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return {QStringLiteral("no context menu")};
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts.push_back(action->text().section(QLatin1Char('\t'), 0, 0));
    menu->close();
    return texts;
}

TEST(TopTenWindow, TheNameEditsContextMenusAreHungarianWhateverTheSystemLanguage)
{
    Tfrm_Top10 form(nullptr);
    form.OpenRow(3);
    ShowActive(form);
    form.e3->setText("Gurdala");
    EXPECT_EQ(MenuTexts(form.e3), (QStringList{"&Visszavonás", "Új&ra", "&Kivágás", "&Másolás", "&Beillesztés",
                                               "Törlés", "Összes kijelölése"}));
    form.e5->setText("Gurdala");
    EXPECT_EQ(MenuTexts(form.e5), (QStringList{"&Másolás", "Összes kijelölése"}));
}

TEST(TopTenWindow, LockedNameEditsShowTheCaretButTakeNoEdit)
{
    // A steady caret, so that pictures taken at any moment show it.
    const int flashTime = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0);
    const QString clipboard = QApplication::clipboard()->text();

    Tfrm_Top10 form(nullptr);
    form.OpenRow(3);
    ShowActive(form);
    QWindow* window = form.windowHandle();
    TopTenNameEdit* locked = form.e5;
    ASSERT_TRUE(locked->IsLocked());
    ASSERT_FALSE(form.e3->IsLocked());

    // A click gives a locked edit the focus and shows the caret where it
    // placed the cursor: a thin upright line, the only change in its picture.
    const QImage before = locked->grab().toImage();
    QTest::mouseClick(locked, Qt::LeftButton, {}, QPoint(locked->width() - 2, 10));
    EXPECT_TRUE(locked->hasFocus());
    EXPECT_EQ(locked->cursorPosition(), 7);
    const QImage after = locked->grab().toImage();
    ASSERT_EQ(after.size(), before.size());
    QRect changed;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (after.pixel(x, y) != before.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    EXPECT_FALSE(changed.isEmpty()) << "no caret is drawn";
    EXPECT_LE(changed.width(), 3);
    EXPECT_GE(changed.height(), 8);
    EXPECT_GE(changed.left(), locked->fontMetrics().horizontalAdvance("Gurdal"));

    // The cursor moves and the name can be selected and copied.
    QTest::keyClick(window, Qt::Key_Home);
    EXPECT_EQ(locked->cursorPosition(), 0);
    EXPECT_NE(locked->grab().toImage(), after) << "the caret did not move";
    QTest::keyClick(window, Qt::Key_Right);
    EXPECT_EQ(locked->cursorPosition(), 1);
    QTest::keyClick(window, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(locked->selectedText(), "urdala");
    Press(window, KeyOf(QKeySequence::Copy));
    EXPECT_EQ(QApplication::clipboard()->text(), "urdala");

    // Each way of editing changes the opened row's name, and none changes a
    // locked one.
    for (const EditAttempt& edit : EditAttempts()) {
        SCOPED_TRACE(edit.what);
        for (TopTenNameEdit* name : {form.e3, locked}) {
            const bool wasLocked = name->IsLocked();
            name->setText("Gurdala");
            name->setFocus(Qt::MouseFocusReason);
            name->setCursorPosition(7);
            name->SetLocked(false);
            edit.prepare(name, window);
            name->SetLocked(wasLocked);
            const QString text = name->text();
            edit.attempt(name, window);
            if (wasLocked)
                EXPECT_EQ(name->text().toStdString(), text.toStdString()) << "a locked name changed";
            else
                EXPECT_NE(name->text().toStdString(), text.toStdString()) << "the attempt edits no name at all";
            EXPECT_EQ(name->IsLocked(), wasLocked);
        }
    }

    // The input method, asking the edit whether it takes input, hears no.
    for (TopTenNameEdit* name : {form.e3, locked}) {
        QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImReadOnly);
        QApplication::sendEvent(name, &query);
        EXPECT_EQ(query.value(Qt::ImEnabled).toBool(), !name->IsLocked()) << name->objectName().toStdString();
        EXPECT_EQ(query.value(Qt::ImReadOnly).toBool(), name->IsLocked()) << name->objectName().toStdString();
    }

    // The context menu offers no editing command.
    EXPECT_GT(MenuCommandsThatEdit(form.e3), 0);
    EXPECT_EQ(MenuCommandsThatEdit(locked), 0);
    EXPECT_TRUE(locked->IsLocked());
    EXPECT_EQ(form.FirstEditableRow(), 3);

    form.hide();
    QApplication::clipboard()->setText(clipboard);
    QApplication::setCursorFlashTime(flashTime);
}

TEST(TopTenWindow, ALockedEditsCaretBlinksAtTheDesktopsPace)
{
    const int flashTime = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(200);
    Tfrm_Top10 form(nullptr);
    ShowActive(form);
    TopTenNameEdit* locked = form.e2;
    const QImage without = locked->grab().toImage();
    QTest::mouseClick(locked, Qt::LeftButton, {}, QPoint(locked->width() - 2, 10));
    const QImage with = locked->grab().toImage();
    EXPECT_NE(with, without) << "no caret right after the click";
    EXPECT_TRUE(QTest::qWaitFor([&] { return locked->grab().toImage() == without; }, 1000)) << "it never goes out";
    EXPECT_TRUE(QTest::qWaitFor([&] { return locked->grab().toImage() == with; }, 1000)) << "it never comes back";
    // Away from the edit, no caret is left behind.
    form.setFocus();
    EXPECT_FALSE(locked->hasFocus());
    EXPECT_EQ(locked->grab().toImage(), without);
    form.hide();
    QApplication::setCursorFlashTime(flashTime);
}

TEST(TopTenWindow, WithoutAnOpenedRowNothingHasTheFocus)
{
    Tfrm_Top10 form(nullptr);
    ShowActive(form);
    EXPECT_EQ(form.FirstEditableRow(), 0);
    EXPECT_EQ(form.focusWidget(), nullptr);
    QTest::keyClick(&form, Qt::Key_Tab);
    EXPECT_EQ(form.focusWidget(), nullptr);
    form.hide();
}

TEST(TopTenWindow, DraggingThePictureWithTheLeftButtonMovesTheWindow)
{
    Tfrm_Top10 form(nullptr);
    form.move(200, 150);
    ShowActive(form);
    const QPoint start = form.pos();
    const QPoint grip = form.Image1->mapToGlobal(QPoint(40, 40));

    SendMouse(form.Image1, QEvent::MouseButtonPress, Qt::LeftButton, grip);
    SendMouse(form.Image1, QEvent::MouseMove, Qt::LeftButton, grip + QPoint(30, -20));
    EXPECT_EQ(form.pos(), start + QPoint(30, -20));
    SendMouse(form.Image1, QEvent::MouseMove, Qt::LeftButton, grip + QPoint(-500, 700));
    EXPECT_EQ(form.pos(), start + QPoint(-500, 700));
    SendMouse(form.Image1, QEvent::MouseButtonRelease, Qt::LeftButton, grip + QPoint(-500, 700));
    const QPoint dropped = form.pos();
    SendMouse(form.Image1, QEvent::MouseMove, Qt::NoButton, grip + QPoint(10, 10));
    EXPECT_EQ(form.pos(), dropped) << "the drag ended with the release";

    // The right button does not drag, and releasing it ends a left drag.
    const QPoint grip2 = form.Image1->mapToGlobal(QPoint(40, 40));
    SendMouse(form.Image1, QEvent::MouseButtonPress, Qt::RightButton, grip2);
    SendMouse(form.Image1, QEvent::MouseMove, Qt::RightButton, grip2 + QPoint(25, 25));
    EXPECT_EQ(form.pos(), dropped);
    SendMouse(form.Image1, QEvent::MouseButtonRelease, Qt::RightButton, grip2 + QPoint(25, 25));
    SendMouse(form.Image1, QEvent::MouseButtonPress, Qt::LeftButton, grip2);
    SendMouse(form.Image1, QEvent::MouseButtonRelease, Qt::RightButton, grip2);
    SendMouse(form.Image1, QEvent::MouseMove, Qt::LeftButton, grip2 + QPoint(25, 25));
    EXPECT_EQ(form.pos(), dropped);
    form.hide();
}

TEST(TopTenWindow, LabelsAndEditsDoNotStartADrag)
{
    Tfrm_Top10 form(nullptr);
    form.move(200, 150);
    ShowActive(form);
    const QPoint start = form.pos();
    for (QWidget* control : {static_cast<QWidget*>(form.s2), static_cast<QWidget*>(form.i2),
                             static_cast<QWidget*>(form.e2)}) {
        SCOPED_TRACE(control->objectName().toStdString());
        const QPoint at = control->mapToGlobal(QPoint(3, 3));
        SendMouse(control, QEvent::MouseButtonPress, Qt::LeftButton, at);
        SendMouse(control, QEvent::MouseMove, Qt::LeftButton, at + QPoint(40, 40));
        SendMouse(control, QEvent::MouseButtonRelease, Qt::LeftButton, at + QPoint(40, 40));
        EXPECT_EQ(form.pos(), start);
    }
    form.hide();
}

// ---------------------------------------------------------------------------
// ShowTopTen from start to end, with the modal window driven by a timer.

// Waits for the top-ten window to be shown modally, runs `whileOpen` on it,
// then closes it with its close button (unless `whileOpen` closed it).
class ModalDriver {
public:
    explicit ModalDriver(std::function<void(Tfrm_Top10&)> whileOpen) : whileOpen_(std::move(whileOpen))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    int TimesShown() const { return shown_; }

private:
    void Poll()
    {
        auto* form = qobject_cast<Tfrm_Top10*>(QApplication::activeModalWidget());
        if (!form || !form->isVisible())
            return;
        timer_.stop();
        ++shown_;
        EXPECT_TRUE(QTest::qWaitFor([form] { return QApplication::activeWindow() == form; }));
        whileOpen_(*form);
        if (form->isVisible())
            QTest::mouseClick(form->PNGButton8, Qt::LeftButton, {}, QPoint(12, 12));
        if (form->isVisible()) {
            ADD_FAILURE() << "the close button did not close the window";
            form->done(QDialog::Rejected);
        }
    }

    std::function<void(Tfrm_Top10&)> whileOpen_;
    QTimer timer_;
    int shown_ = 0;
};

struct Shown {
    std::vector<QString> scores;
    std::vector<QString> names;
    int openedRow = 0;
    QWidget* focus = nullptr;
    QString selected;
    // What a screen reader finds focused once the window is active, its name
    // and description; and which name edits it finds editable or focusable.
    QString spokenFocus;
    std::vector<int> editableRows;
    std::vector<int> focusableRows;
};

Shown Record(Tfrm_Top10& form)
{
    Shown shown;
    for (int row = 1; row <= 10; ++row) {
        shown.scores.push_back(form.ScoreLabel(row)->text());
        shown.names.push_back(form.NameEdit(row)->text());
    }
    shown.openedRow = form.FirstEditableRow();
    shown.focus = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(shown.focus))
        shown.selected = edit->selectedText();
    // The close button takes the focus for a screen reader once the window
    // system has told that the window is active.
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.focus || HasAccessibleFocus(form.PNGButton8); }, 2000));
    for (QWidget* control : {shown.focus, static_cast<QWidget*>(form.PNGButton8)}) {
        QAccessibleInterface* spoken = control ? QAccessible::queryAccessibleInterface(control) : nullptr;
        if (spoken && spoken->state().focused) {
            shown.spokenFocus = spoken->text(QAccessible::Name) + " | " + spoken->text(QAccessible::Description);
            break;
        }
    }
    for (int row = 1; row <= 10; ++row) {
        const QAccessible::State state = QAccessible::queryAccessibleInterface(form.NameEdit(row))->state();
        if (state.editable)
            shown.editableRows.push_back(row);
        if (state.focusable)
            shown.focusableRows.push_back(row);
        EXPECT_EQ(state.readOnly, !state.editable);
    }
    return shown;
}

std::string DefaultFileText()
{
    std::string text;
    for (int d = 0; d < 10; ++d)
        text += TopTenDefaultLine(d) + "\r\n";
    return text;
}

std::string FileOf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

class TopTenShow : public ::testing::Test {
protected:
    // Ends a game with `score`, types `typed` into the focused control while
    // the window is open, and returns what the window showed.
    Shown EndGame(std::int32_t score, const QString& typed)
    {
        Shown shown;
        ModalDriver driver([&](Tfrm_Top10& form) {
            shown = Record(form);
            if (!typed.isEmpty() && QApplication::focusWidget())
                TypeText(QApplication::focusWidget(), typed);
        });
        ShowTopTen(&main.window, dir.Path(), score, TopTenMode::EndOfGame);
        EXPECT_EQ(driver.TimesShown(), 1);
        return shown;
    }

    std::string Path() const { return dir.File("Top10.txt"); }
    TopTenTable Written() const
    {
        TopTenTable table;
        table.SetText(ReadFile(Path()));
        return table;
    }
    std::string GetLine(int index) const
    {
        const TopTenTable table = Written();
        return index < table.Count() ? std::string(table.Line(index)) : "<no such line>";
    }
    int LineCount() const { return Written().Count(); }

    MainWindowStandIn main;
    TempFolder dir;
};

TEST_F(TopTenShow, FirstFinishedGameWritesElevenLinesWithTheTypedName)
{
    const Shown shown = EndGame(500, "Anna");
    EXPECT_EQ(shown.scores[0], "       500");
    EXPECT_EQ(shown.names[0], " ");
    EXPECT_EQ(shown.scores[1], "     1 0000");
    EXPECT_EQ(shown.names[9], "Gurdala");
    EXPECT_EQ(shown.openedRow, 1);
    EXPECT_EQ(shown.selected, " ");
    // A screen reader hears the opened row's name edit and the end of the
    // game; only that edit is editable or focusable.
    EXPECT_EQ(shown.spokenFocus.toStdString(),
              "1. hely, 500 pont | Vége a játéknak: 500 pont, 1. hely. Írd be a neved, majd nyomj Entert.");
    EXPECT_EQ(shown.editableRows, std::vector<int>{1});
    EXPECT_EQ(shown.focusableRows, std::vector<int>{1});
    EXPECT_EQ(ReadFile(Path()), "99499\t       500\tAnna\r\n" + DefaultFileText());
    // The main window is the active one again.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &main.window; }));
}

TEST_F(TopTenShow, ClosingWithoutTypingStoresOneBlank)
{
    EndGame(0, "");
    // A score of 0 shares the key 99999 with the default lines, but its score
    // text has a blank where theirs have the digit 1.
    EXPECT_EQ(ReadFile(Path()), "99999\t         0\t \r\n" + DefaultFileText());
}

TEST_F(TopTenShow, EnterAndEscCloseItAsTheCloseButtonDoesAndTheNameIsKept)
{
    // Enter typed into the name edit, and Esc, close it with the close
    // button's result; the typed name is taken either way. Modified keys
    // close nothing.
    struct Closing {
        Qt::Key key;
        bool intoTheEdit;
    };
    const Closing closings[] = {{Qt::Key_Return, true}, {Qt::Key_Enter, true}, {Qt::Key_Escape, true},
                                {Qt::Key_Escape, false}, {Qt::Key_Return, false}};
    std::string expected = DefaultFileText();
    int score = 500;
    for (const Closing& c : closings) {
        SCOPED_TRACE(c.key);
        bool closedByKey = false;
        int result = -1;
        ModalDriver driver([&](Tfrm_Top10& form) {
            QObject::connect(&form, &QDialog::finished, [&](int r) { result = r; });
            TopTenNameEdit* name = form.NameEdit(form.FirstEditableRow());
            QTest::keyClicks(name, "Bea");
            for (Qt::KeyboardModifiers wrong : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
                QTest::keyClick(form.windowHandle(), c.key, wrong);
            EXPECT_TRUE(form.isVisible()) << "a modified key closed the window";
            if (c.intoTheEdit)
                QTest::keyClick(name, c.key);
            else
                QTest::keyClick(form.windowHandle(), c.key);
            closedByKey = !form.isVisible();
        });
        ShowTopTen(&main.window, dir.Path(), score, TopTenMode::EndOfGame);
        EXPECT_TRUE(closedByKey);
        EXPECT_EQ(result, 1) << "not closed as the close button closes it";
        EXPECT_EQ(driver.TimesShown(), 1);
        ++score;
    }
    const std::string file = ReadFile(Path());
    for (int s = 500; s < score; ++s)
        EXPECT_NE(file.find("\t       " + std::to_string(s) + "\tBea\r\n"), std::string::npos) << s;

    // Viewing, with no control holding the keyboard focus.
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        bool closedByKey = false;
        ModalDriver viewing([&](Tfrm_Top10& form) {
            QTest::keyClick(form.windowHandle(), key);
            closedByKey = !form.isVisible();
        });
        ShowTopTen(&main.window, dir.Path(), 0, TopTenMode::Viewing);
        EXPECT_TRUE(closedByKey);
        EXPECT_EQ(viewing.TimesShown(), 1);
    }
    EXPECT_EQ(ReadFile(Path()), file) << "viewing wrote the table";
}

TEST_F(TopTenShow, NamesAreStoredInCodePage1250WithoutLineBreakingCharacters)
{
    EndGame(500, QString::fromUtf8("ÁÉÖÜŐŰ €日"));
    EXPECT_EQ(GetLine(0), "99499\t       500\t\xC1\xC9\xD6\xDC\xD5\xDB \x80?");

    // A pasted name with a tab, CR and LF would make more fields or lines.
    ModalDriver driver([](Tfrm_Top10& form) { form.NameEdit(form.FirstEditableRow())->setText("a\tb\rc\nd"); });
    ShowTopTen(&main.window, dir.Path(), 700, TopTenMode::EndOfGame);
    EXPECT_EQ(GetLine(0), "99299\t       700\ta b c d");
    EXPECT_EQ(GetLine(1), "99499\t       500\t\xC1\xC9\xD6\xDC\xD5\xDB \x80?");
    EXPECT_EQ(LineCount(), 12);
}

TEST_F(TopTenShow, OlderEntryWithAnEmptyNameIsTheRowOpened)
{
    WriteFile(Path(), FileOf({"99299\t       700\tZoli", "99299\t       700\t"}));
    const Shown shown = EndGame(700, "Kati");
    // Eight fillers, then the new line; sorted: the empty name, the blank
    // name, "Zoli", then the fillers.
    EXPECT_EQ(shown.openedRow, 1);
    EXPECT_EQ(shown.names[0], "");
    EXPECT_EQ(shown.names[1], " ");
    EXPECT_EQ(shown.names[2], "Zoli");
    EXPECT_EQ(shown.scores[3], "     1 000");
    EXPECT_EQ(GetLine(0), "99299\t       700\tKati");
    EXPECT_EQ(GetLine(1), "99299\t       700\t ");
    EXPECT_EQ(GetLine(2), "99299\t       700\tZoli");
    EXPECT_EQ(GetLine(3), TopTenFillerLine());
    EXPECT_EQ(LineCount(), 11);
}

TEST_F(TopTenShow, BigScoresSortByTheTextOfTheirKeys)
{
    // 90 000 has the key 9999, which sorts after 99499 (500) but, its tab
    // coming before the fifth 9, before the filler lines (99999).
    WriteFile(Path(), FileOf({"99499\t       500\tAnna"}));
    const Shown shown = EndGame(90000, "Big");
    EXPECT_EQ(shown.openedRow, 2);
    EXPECT_EQ(shown.scores[1], "    90 000");
    EXPECT_EQ(GetLine(0), "99499\t       500\tAnna");
    EXPECT_EQ(GetLine(1), "9999\t    90 000\tBig");
    EXPECT_EQ(GetLine(2), TopTenFillerLine());
    EXPECT_EQ(LineCount(), 11);
}

TEST_F(TopTenShow, ScoreBelowTenBetterOnesOpensNoRowButIsWritten)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 10; ++i)
        lines.push_back(TopTenLine(1000 + i, "P" + std::to_string(i)));
    lines.push_back(TopTenLine(3, "Low"));
    WriteFile(Path(), FileOf(lines));

    const Shown shown = EndGame(50, "ignored");
    EXPECT_EQ(shown.openedRow, 0);
    EXPECT_EQ(shown.focus, nullptr);
    // The close button holds the focus for a screen reader and tells the end.
    EXPECT_EQ(shown.spokenFocus.toStdString(),
              "Bezár | Vége a játéknak: 50 pont. Ez most nem fért be a legjobb tíz közé.");
    EXPECT_TRUE(shown.editableRows.empty());
    EXPECT_TRUE(shown.focusableRows.empty());
    EXPECT_EQ(shown.scores[0], "     1 009");
    EXPECT_EQ(shown.names[9], "P0");
    EXPECT_EQ(LineCount(), 12);
    EXPECT_EQ(GetLine(10), "99949\t        50\t ");
    EXPECT_EQ(GetLine(11), "99996\t         3\tLow");
}

TEST_F(TopTenShow, ViewingShowsTheTableAndWritesNothing)
{
    Shown shown;
    ModalDriver driver([&](Tfrm_Top10& form) { shown = Record(form); });
    ShowTopTen(&main.window, dir.Path(), -1, TopTenMode::Viewing);
    ASSERT_EQ(driver.TimesShown(), 1);
    for (int d = 0; d < 10; ++d) {
        EXPECT_EQ(shown.scores[d], QString("     1 000") + QString::number(d));
        EXPECT_EQ(shown.names[d], "Gurdala");
    }
    EXPECT_EQ(shown.openedRow, 0);
    EXPECT_EQ(shown.focus, nullptr);
    EXPECT_EQ(shown.spokenFocus.toStdString(), "Bezár | ");
    EXPECT_TRUE(shown.focusableRows.empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path())));

    // An existing file is shown sorted (and filled up) but left byte for
    // byte as it was. Lines without fields show empty texts.
    const std::string unsorted = "b\tx\ty\nA\r\n";
    WriteFile(Path(), unsorted);
    ModalDriver again([&](Tfrm_Top10& form) { shown = Record(form); });
    ShowTopTen(&main.window, dir.Path(), 123, TopTenMode::Viewing);
    EXPECT_EQ(shown.scores[0], "     1 000");
    EXPECT_EQ(shown.names[7], "Gurdala");
    EXPECT_EQ(shown.scores[8], "");
    EXPECT_EQ(shown.names[8], "");
    EXPECT_EQ(shown.scores[9], "x");
    EXPECT_EQ(shown.names[9], "y");
    EXPECT_EQ(shown.openedRow, 0);
    EXPECT_EQ(ReadFile(Path()), unsorted);
}

TEST_F(TopTenShow, UnreadableFileShowsNoWindow)
{
    WriteFile(Path(), FileOf({"99499\t       500\tAnna"}));
    ASSERT_EQ(::chmod(Path().c_str(), 0), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    for (TopTenMode mode : {TopTenMode::Viewing, TopTenMode::EndOfGame}) {
        ModalDriver driver([](Tfrm_Top10&) {});
        std::string message;
        // As an ordinary user: root reads any file.
        const bool root = ::geteuid() == 0;
        if (root) {
            ASSERT_EQ(::seteuid(65534), 0);
        }
        try {
            ShowTopTen(&main.window, dir.Path(), 500, mode);
        } catch (const AppError& e) {
            message = e.what();
        }
        if (root) {
            ASSERT_EQ(::seteuid(0), 0);
        }
        EXPECT_EQ(message, "Cannot open file \"" + Path() + "\". Permission denied");
        QTest::qWait(20);
        EXPECT_EQ(driver.TimesShown(), 0);
    }
    EXPECT_EQ(ReadFile(Path()), FileOf({"99499\t       500\tAnna"}));
}

TEST_F(TopTenShow, FolderAtTheFileNameIsNoTableAndCannotBeWrittenOver)
{
    ASSERT_EQ(::mkdir(Path().c_str(), 0755), 0);

    // Viewing shows the default lines, as for a missing file.
    Shown shown;
    ModalDriver viewing([&](Tfrm_Top10& form) { shown = Record(form); });
    ShowTopTen(&main.window, dir.Path(), 0, TopTenMode::Viewing);
    ASSERT_EQ(viewing.TimesShown(), 1);
    EXPECT_EQ(shown.scores[0], "     1 0000");
    EXPECT_EQ(shown.names[9], "Gurdala");
    EXPECT_EQ(shown.openedRow, 0);

    // At the end of a game the name is taken, and then the table cannot be
    // written where the folder stands.
    ModalDriver ending([&](Tfrm_Top10& form) {
        shown = Record(form);
        QTest::keyClicks(form.e1, "Anna");
    });
    try {
        ShowTopTen(&main.window, dir.Path(), 500, TopTenMode::EndOfGame);
        ADD_FAILURE() << "the table was written over a folder";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + Path() + "\". Is a directory");
    }
    EXPECT_EQ(ending.TimesShown(), 1);
    EXPECT_EQ(shown.openedRow, 1);
    EXPECT_EQ(shown.scores[0], "       500");
    EXPECT_EQ(shown.scores[1], "     1 0000");
    EXPECT_TRUE(QFileInfo(QString::fromStdString(Path())).isDir());
    EXPECT_TRUE(QDir(QString::fromStdString(Path())).isEmpty());
    EXPECT_EQ(QDir(QString::fromStdString(dir.Path())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"Top10.txt"});
}

TEST_F(TopTenShow, UnwritableFileIsAnErrorAfterTheWindowClosed)
{
    // The data folder's place is taken by a regular file.
    WriteFile(dir.File("plain"), "x");
    const std::string dataDir = dir.File("plain");
    ModalDriver driver([](Tfrm_Top10& form) { QTest::keyClicks(form.e1, "Anna"); });
    try {
        ShowTopTen(&main.window, dataDir, 500, TopTenMode::EndOfGame);
        ADD_FAILURE() << "wrote below a regular file";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + dataDir + "/Top10.txt\". ", 0), 0u)
            << e.what();
    }
    EXPECT_EQ(driver.TimesShown(), 1);
    EXPECT_EQ(ReadFile(dataDir), "x");
}

TEST_F(TopTenShow, FailedWriteLeavesTheOldFileIntact)
{
    const std::string old = FileOf({"99499\t       500\tAnna"});
    WriteFile(Path(), old);

    // Files may not grow past a few bytes while the window is open, so the
    // new table cannot be written (as root, permissions would not stop it).
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    ModalDriver driver([&](Tfrm_Top10& form) {
        QTest::keyClicks(form.e1, "Bea");
        rlimit small = saved;
        small.rlim_cur = 16;
        ::setrlimit(RLIMIT_FSIZE, &small);
    });
    try {
        ShowTopTen(&main.window, dir.Path(), 600, TopTenMode::EndOfGame);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ADD_FAILURE() << "the table was written past the file size limit";
    } catch (const AppError& e) {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + Path() + "\". ", 0), 0u) << e.what();
    }
    std::signal(SIGXFSZ, savedSignal);
    EXPECT_EQ(driver.TimesShown(), 1);
    EXPECT_EQ(ReadFile(Path()), old);
    EXPECT_EQ(QDir(QString::fromStdString(dir.Path())).entryList(QDir::Files), QStringList{"Top10.txt"});
}

}  // namespace
