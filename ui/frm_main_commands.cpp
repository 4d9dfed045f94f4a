// The main window's commands: the command list with its twelve commands and
// eight shortcuts, the eight image buttons along the top edge, and the
// program starter that opens the maker's web pages.
#include <QAction>
#include <QKeySequence>

#include "ui/accessible_controls.h"
#include "ui/error_box.h"
#include "ui/frm_main.h"
#include "ui/frm_nevjegy.h"
#include "ui/frm_statisztika.h"
#include "ui/frm_szavak.h"
#include "ui/png_button.h"
#include "ui/png_image.h"
#include "ui/show_top_ten.h"
#include "ui/web_opener.h"

namespace {

QAction* MakeCommand(QObject* list, const char* name, const char* hint)
{
    auto* action = new QAction(list);
    action->setObjectName(QString::fromLatin1(name));
    // The command text is the hint; the window shows no tooltips, so it
    // appears nowhere on screen.
    action->setToolTip(QString::fromUtf8(hint));
    action->setStatusTip(QString::fromUtf8(hint));
    return action;
}

TPNGButton* MakeButton(QWidget* window, const char* name, int left, int top, int size, const char* picture,
                       const QString& hint)
{
    auto* button = new TPNGButton(window);
    button->setObjectName(QString::fromLatin1(name));
    // A screen reader names the button by its command's hint.
    PresentAsButton(button, "OnClick");
    button->setAccessibleName(hint);
    button->setGeometry(left, top, size, size);
    button->SetButtonLayout(TPNGButton::pbsImageAbove);
    button->SetButtonStyle(TPNGButton::pbsNoFrame);
    button->SetImageNormal(LoadPng(QStringLiteral(":/assets/art/%1.png").arg(QLatin1String(picture))));
    return button;
}

}  // namespace

void Tfrm_Main::CreateCommands()
{
    ActionList1 = new QObject(this);
    ActionList1->setObjectName(QStringLiteral("ActionList1"));

    struct Command {
        QAction*& action;
        const char* name;
        const char* hint;
        QKeySequence shortcut;
        void (Tfrm_Main::*handler)();
    };
    const Command commands[] = {
        // Ctrl+N, the desktop's key for a new game, beside the others.
        {aUj, "aUj", "Új játék", QKeySequence(Qt::CTRL | Qt::Key_N), &Tfrm_Main::aUjExecute},
        {aStop, "aStop", "Befejeztem", QKeySequence(Qt::Key_F8), &Tfrm_Main::aStopExecute},
        {aTop10, "aTop10", "Top10", QKeySequence(Qt::Key_F10), &Tfrm_Main::aTop10Execute},
        {aNevjegy, "aNevjegy", "Névjegy", {}, &Tfrm_Main::aNevjegyExecute},
        {aUjdonsag, "aUjdonsag", "Újdonságok honlapomon", {}, &Tfrm_Main::aUjdonsagExecute},
        {aHonlap, "aHonlap", "Gurdala honlapja", {}, &Tfrm_Main::aHonlapExecute},
        {aMinimize, "aMinimize", "Tálcára vele...", QKeySequence(Qt::Key_Escape), &Tfrm_Main::aMinimizeExecute},
        {aBezar, "aBezar", "Bezar", {}, &Tfrm_Main::aBezarExecute},
        {aSzohozza, "aSzohozza", "Szóhozzá", QKeySequence(Qt::CTRL | Qt::Key_F7), &Tfrm_Main::aSzohozzaExecute},
        {aSzavak, "aSzavak", "Szavak", QKeySequence(Qt::Key_F2), &Tfrm_Main::aSzavakExecute},
        {aNapi, "aNapi", "Napi tábla", QKeySequence(Qt::CTRL | Qt::Key_D), &Tfrm_Main::aNapiExecute},
        {aStatisztika, "aStatisztika", "Statisztika", QKeySequence(Qt::Key_F3), &Tfrm_Main::aStatisztikaExecute},
    };
    for (const Command& command : commands) {
        command.action = MakeCommand(ActionList1, command.name, command.hint);
        if (!command.shortcut.isEmpty()) {
            // A window shortcut runs only while this window is the active
            // one, so a modal window over it silences it; the key must come
            // with exactly the given modifiers.
            command.action->setShortcut(command.shortcut);
            command.action->setShortcutContext(Qt::WindowShortcut);
        }
        addAction(command.action);
        connect(command.action, &QAction::triggered, this, command.handler);
    }
    aSzohozza->setText(QString::fromUtf8("Szóhozzá"));
    aSzavak->setText(QStringLiteral("Szavak"));
    aNapi->setText(QString::fromUtf8("Napi tábla"));
    aStatisztika->setText(QStringLiteral("Statisztika"));

    struct Button {
        TPNGButton*& button;
        const char* name;
        int left;
        int size;
        const char* picture;
        const QAction* command;
        void (Tfrm_Main::*handler)();
    };
    const Button buttons[] = {
        {PNGButton4, "PNGButton4", 364, 37, "btn_new", aUj, &Tfrm_Main::aUjExecute},
        {PNGButton1, "PNGButton1", 408, 37, "btn_stop", aStop, &Tfrm_Main::aStopExecute},
        {PNGButton2, "PNGButton2", 444, 37, "btn_top10", aTop10, &Tfrm_Main::aTop10Execute},
        {PNGButton3, "PNGButton3", 488, 37, "btn_about", aNevjegy, &Tfrm_Main::aNevjegyExecute},
        {PNGButton5, "PNGButton5", 524, 37, "btn_news", aUjdonsag, &Tfrm_Main::aUjdonsagExecute},
        {PNGButton6, "PNGButton6", 560, 37, "btn_home", aHonlap, &Tfrm_Main::aHonlapExecute},
        {PNGButton7, "PNGButton7", 608, 25, "btn_minimize", aMinimize, &Tfrm_Main::aMinimizeExecute},
        {PNGButton8, "PNGButton8", 632, 25, "btn_close", aBezar, &Tfrm_Main::aBezarExecute},
    };
    for (const Button& entry : buttons) {
        entry.button =
            MakeButton(this, entry.name, entry.left, 12, entry.size, entry.picture, entry.command->toolTip());
        connect(entry.button, &TPNGButton::OnClick, this, entry.handler);
    }

    // The command's hint keeps its old spelling; a screen reader reads the
    // word as the other windows' close buttons say it.
    PNGButton8->setAccessibleName(QString::fromUtf8("Bezár"));

    Exe = new WebOpener(this);
    Exe->setObjectName(QStringLiteral("Exe"));
}

QString Tfrm_Main::NewsPageAddress()
{
    return QStringLiteral("http://" VORPANTA_WEB_HOST "/reklam.php");
}

QString Tfrm_Main::HomePageAddress()
{
    return QStringLiteral("http://" VORPANTA_WEB_HOST);
}

void Tfrm_Main::ReturnFromModal()
{
    if (!isVisible() || isMinimized() || isActiveWindow())
        return;
    raise();
    activateWindow();
}

void Tfrm_Main::aUjExecute()
{
    RunGuarded(this, [this] { game_.NewGame(); });
}

void Tfrm_Main::aStopExecute()
{
    RunGuarded(this, [this] {
        if (game_.GameActive()) {
            // From now on the board takes no clicks until the next new game;
            // the game goes into the record of finished games.
            game_.FinishGame();
            ShowTopTen(this, locations_.dataDir, game_.TotalScore(), TopTenMode::EndOfGame);
        } else {
            ShowTopTen(this, locations_.dataDir, -1, TopTenMode::Viewing);
        }
    });
    ReturnFromModal();
}

void Tfrm_Main::aTop10Execute()
{
    RunGuarded(this, [this] { ShowTopTen(this, locations_.dataDir, -1, TopTenMode::Viewing); });
    ReturnFromModal();
}

void Tfrm_Main::aNevjegyExecute()
{
    RunGuarded(this, [this] {
        // A new window each time; it frees itself when it closes.
        auto* about = new Tfrm_Nevjegy(this);
        about->exec();
    });
    ReturnFromModal();
}

void Tfrm_Main::aUjdonsagExecute()
{
    RunGuarded(this, [this] {
        Exe->Command = NewsPageAddress();
        Exe->Start();
    });
}

void Tfrm_Main::aHonlapExecute()
{
    RunGuarded(this, [this] {
        Exe->Command = HomePageAddress();
        Exe->Start();
    });
}

void Tfrm_Main::aMinimizeExecute()
{
    // The main window is the application's only window outside a modal
    // showing, so minimising it minimises the application; restoring brings
    // it back where it was.
    RunGuarded(this, [this] { showMinimized(); });
}

void Tfrm_Main::aBezarExecute()
{
    // The close handler saves the settings and word lists; it keeps the
    // window open when the settings cannot be written.
    RunGuarded(this, [this] { close(); });
}

void Tfrm_Main::aSzohozzaExecute()
{
    RunGuarded(this, [this] { game_.AddLastWord(); });
}

void Tfrm_Main::aSzavakExecute()
{
    RunGuarded(this, [this] { ShowWords(this, game_); });
    ReturnFromModal();
}

void Tfrm_Main::aNapiExecute()
{
    RunGuarded(this, [this] { game_.NewDailyGame(); });
}

void Tfrm_Main::aStatisztikaExecute()
{
    RunGuarded(this, [this] { ShowStatistics(this, game_); });
    ReturnFromModal();
}
