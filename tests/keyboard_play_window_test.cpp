// Playing a whole game with the keyboard through the real main window, and
// what a screen reader learns from it through Qt's accessibility interface.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>

#include <vector>

#include "game/scoring.h"
#include "main_window_fixture.h"
#include "platform/cp1250.h"
#include "ui/announcer.h"
#include "ui/cursor_frame.h"
#include "ui/picture_control.h"
#include "ui/png_button.h"
#include "ui/qt_text.h"

namespace {

using testing_support::ClickThroughWindow;
using testing_support::ModalWatch;

class KeyboardPlayWindow : public testing_support::MainWindowFixture {
protected:
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(MainHandle(), key, modifiers); }

    static QAccessibleInterface* Accessible(QObject* object)
    {
        return QAccessible::queryAccessibleInterface(object);
    }
    static QString Name(QObject* object) { return Accessible(object)->text(QAccessible::Name); }
    PictureControl* Tile(int column, int row) const { return window->Tile(column, row); }
    QString Letter(int column, int row) const
    {
        return ToQString(std::string(1, GetGame().GetBoard().At(column, row).letter));
    }
    // What the screen reader was told last, through the announcer.
    std::string Said() const { return window->Announcer1->LastSaid().toStdString(); }
};

TEST_F(KeyboardPlayWindow, AWholeGameByKeyboardReadsOutTilesButtonsAndLines)
{
    // The cursor shows bottom left; the tile under it has the focus.
    Key(Qt::Key_Up);
    ASSERT_TRUE(window->Cursor().Shown());
    EXPECT_TRUE(window->CursorFrame1->isVisible());
    EXPECT_TRUE(window->CursorFrame1->geometry().contains(Tile(1, 33)->geometry()));
    QAccessibleInterface* corner = Accessible(Tile(1, 33));
    EXPECT_EQ(corner->role(), QAccessible::Button);
    EXPECT_TRUE(corner->state().focused);
    EXPECT_EQ(corner->text(QAccessible::Name), Letter(1, 33) + ", 1. oszlop, 9. sor");
    EXPECT_EQ(Name(Tile(4, 25)), Letter(4, 25) + ", 4. oszlop, 1. sor");

    // Spell three letters: up, then right; take the last one back. Each
    // letter picked or taken back says the word so far.
    Key(Qt::Key_Space);
    const std::string first(1, GetGame().GetBoard().At(1, 33).letter);
    EXPECT_EQ(Said(), cp1250::toUtf8(first) + ", " + std::to_string(WordScore(first)) + " pont");
    Key(Qt::Key_Up);
    EXPECT_FALSE(Accessible(Tile(1, 33))->state().focused);
    EXPECT_TRUE(Accessible(Tile(1, 32))->state().focused);
    Key(Qt::Key_Space);
    Key(Qt::Key_Right);
    Key(Qt::Key_Space);
    EXPECT_EQ(GetGame().GetSelection().path, (std::vector<std::string>{"1;33", "1;32", "2;32"}));
    EXPECT_EQ(Name(Tile(2, 32)), Letter(2, 32) + QString::fromUtf8(", 2. oszlop, 8. sor, kijelölve"));
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Name(Tile(2, 32)), Letter(2, 32) + ", 2. oszlop, 8. sor");
    const std::string word = GetGame().GetSelection().currentWord;
    ASSERT_EQ(word.size(), 2u);
    const std::string spoken = cp1250::toUtf8(word) + ", " + std::to_string(WordScore(word)) + " pont";
    EXPECT_EQ(Said(), spoken);
    EXPECT_EQ(Name(window->Label1), window->Label1->text());
    EXPECT_EQ(window->Label1->text(), ToQString(word) + QStringLiteral(" (%1)").arg(WordScore(word)));

    // Refused, taught (Ctrl+F7), and taken with Enter.
    Key(Qt::Key_Enter);
    EXPECT_EQ(Said(), "Ezt a szót nem ismerem: " + cp1250::toUtf8(word) + ".");
    Key(Qt::Key_F7, Qt::ControlModifier);
    EXPECT_EQ(Said(), "Megtanultam ezt a szót: " + cp1250::toUtf8(word) + ".");
    Key(Qt::Key_Enter);
    const QString score = QString::fromUtf8("Eredmény: %1 pont").arg(WordScore(word));
    EXPECT_EQ(Said(), spoken + ". " + score.toStdString() + ".");
    EXPECT_EQ(window->Label2->text(), score);
    EXPECT_EQ(Name(window->Label2), score);
    EXPECT_TRUE(GetGame().GetSelection().path.empty());
    // The empty word's " (0)" is shown, and read as nothing.
    EXPECT_EQ(window->Label1->text(), " (0)");
    EXPECT_EQ(Name(window->Label1), "");
    EXPECT_EQ(Accessible(window->Label1)->role(), QAccessible::StaticText);

    // A new game through the button's press action, as a screen reader
    // presses it.
    auto* newGame = window->findChild<TPNGButton*>(QStringLiteral("PNGButton4"));
    QAccessibleInterface* button = Accessible(newGame);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_FALSE(button->state().focusable) << "the buttons never take the focus";
    EXPECT_EQ(button->text(QAccessible::Name), QString::fromUtf8("Új játék"));
    EXPECT_EQ(Name(window->findChild<TPNGButton*>(QStringLiteral("PNGButton1"))), "Befejeztem");
    ASSERT_NE(button->actionInterface(), nullptr);
    Key(Qt::Key_Space);
    ASSERT_EQ(GetGame().GetSelection().path.size(), 1u);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(GetGame().TotalScore(), 0);
    EXPECT_TRUE(GetGame().GetSelection().path.empty());
    EXPECT_EQ(window->Label2->text(), QString::fromUtf8("Eredmény: 0 pont"));
    EXPECT_EQ(Said(), "Új játék.");
    EXPECT_TRUE(window->Cursor().Shown()) << "a new game keeps the cursor where it was";
    EXPECT_TRUE(errors.texts.empty());
}

TEST_F(KeyboardPlayWindow, TheTreeHoldsAWindowWithNamedControlsAndNoRing)
{
    // The main window is a window named by its title.
    QAccessibleInterface* main = Accessible(window.get());
    EXPECT_EQ(main->role(), QAccessible::Window);
    EXPECT_EQ(main->text(QAccessible::Name), "Vorpanta");
    Key(Qt::Key_Up);
    ASSERT_TRUE(window->CursorFrame1->isVisible());

    // Its controls: the picture, the two lines, the rules, the announcer,
    // the 90 tiles and the eight buttons; the ring is none of them. Whatever
    // may hold the focus has a name.
    int tiles = 0;
    for (int i = 0; i < main->childCount(); ++i) {
        QAccessibleInterface* child = main->child(i);
        EXPECT_NE(child->object(), window->CursorFrame1) << "the ring is a control of its own";
        if (child->state().focusable) {
            EXPECT_FALSE(child->text(QAccessible::Name).isEmpty()) << "a nameless control takes the focus";
        }
        tiles += qobject_cast<PictureControl*>(child->object()) && child->role() == QAccessible::Button;
    }
    EXPECT_EQ(main->childCount(), 1 + 2 + 1 + 1 + 90 + 8);
    EXPECT_EQ(tiles, 90);

    // The rules read as the picture shows them; the close button says Bezár.
    QAccessibleInterface* rules = Accessible(window->Jatekszabaly);
    EXPECT_EQ(rules->role(), QAccessible::StaticText);
    EXPECT_TRUE(rules->text(QAccessible::Name).startsWith(QString::fromUtf8("Játékszabály. Kattints a bal egérgombbal")));
    EXPECT_TRUE(rules->text(QAccessible::Name).endsWith(QString::fromUtf8("Az F2 megmutatja a szavaidat.")));
    EXPECT_EQ(window->Jatekszabaly->geometry(), QRect(10, 150, 280, 304));
    EXPECT_TRUE(window->Jatekszabaly->testAttribute(Qt::WA_TransparentForMouseEvents)) << "it would stop a drag";
    EXPECT_EQ(Name(window->PNGButton8), QString::fromUtf8("Bezár"));
    EXPECT_EQ(window->aBezar->toolTip(), "Bezar") << "the command's hint keeps its spelling";
    EXPECT_EQ(Accessible(window->Announcer1)->role(), QAccessible::Notification);
    EXPECT_FALSE(window->Announcer1->isVisible());
}

TEST_F(KeyboardPlayWindow, TheGameSaysWhatTheBoardDoesNotShow)
{
    // A word the list does not know, with nothing picked, and after the end
    // of the game; the end itself is told by the top-ten window.
    Key(Qt::Key_Enter);
    EXPECT_EQ(Said(), "Nincs kijelölt szó.");
    Key(Qt::Key_F7, Qt::ControlModifier);
    EXPECT_EQ(Said(), "Megtanultam az üres szót.");
    Key(Qt::Key_F7, Qt::ControlModifier);
    EXPECT_EQ(Said(), "Az üres szót már ismerem.");
    GetGame().SetGameActive(false);
    Key(Qt::Key_Enter);
    EXPECT_EQ(Said(), "Ennek a játéknak vége. Új játék: Ctrl+N.");
    Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Said(), "Új játék.");
    // Saying never changes what a sighted player sees.
    EXPECT_FALSE(window->Announcer1->isVisible());
    EXPECT_EQ(window->Label1->text(), " (0)");
}

TEST_F(KeyboardPlayWindow, OnAnEmptyCellItsHiddenTileNamesThePlace)
{
    // The cursor's moves themselves are keyboard_cursor_test's.
    GetGame().MutableBoard().At(1, 32).letter = kBlank;
    GetGame().RedrawCell(1, 32);
    Key(Qt::Key_Up);  // shows it bottom left
    Key(Qt::Key_Up);
    EXPECT_FALSE(Tile(1, 32)->isVisible());
    EXPECT_TRUE(Accessible(Tile(1, 32))->state().focused);
    EXPECT_FALSE(Accessible(Tile(1, 33))->state().focused);
    EXPECT_EQ(Name(Tile(1, 32)), QString::fromUtf8("üres, 1. oszlop, 8. sor"));
    Key(Qt::Key_Space);
    EXPECT_TRUE(GetGame().GetSelection().path.empty()) << "Space on an empty cell does nothing";
    Key(Qt::Key_Right);
    EXPECT_TRUE(Accessible(Tile(2, 32))->state().focused);
}

// That the keys belong to a modal window while it is open is the commands'
// test, with the shortcuts.
TEST_F(KeyboardPlayWindow, TopTenRowsAreReadOutAndAMouseClickHidesTheCursor)
{
    QString firstRow, firstName;
    ModalWatch watch([&](QWidget* modal) {
        firstRow = Name(modal->findChild<QLabel*>(QStringLiteral("s1")));
        firstName = Name(modal->findChild<QWidget*>(QStringLiteral("e1")));
    });
    Key(Qt::Key_F10);
    ASSERT_EQ(watch.seen.size(), 1u);
    // The default table's first row shows "     1 0000" and "Gurdala".
    EXPECT_EQ(firstRow.toStdString(), "1. hely, 1 0000 pont, Gurdala");
    EXPECT_EQ(firstName.toStdString(), "1. hely, 1 0000 pont");

    Key(Qt::Key_Up);
    ASSERT_TRUE(window->Cursor().Shown());
    ClickThroughWindow(Tile(5, 30));
    EXPECT_FALSE(window->Cursor().Shown());
    EXPECT_FALSE(window->CursorFrame1->isVisible());
    EXPECT_FALSE(Accessible(Tile(1, 33))->state().focused);
    EXPECT_EQ(GetGame().GetSelection().path, std::vector<std::string>{"5;30"}) << "mouse play is unchanged";
}

}  // namespace
