#include "ui/picture_text.h"

#include <QWidget>

#include "ui/accessible_controls.h"

QWidget* AddPictureText(QWidget* window, const char* name, const QRect& place, const QString& text)
{
    auto* control = new QWidget(window);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(place);
    control->setAttribute(Qt::WA_TransparentForMouseEvents);
    control->setFocusPolicy(Qt::NoFocus);
    SetSpokenText(control, text);
    return control;
}

QString RulesPictureText()
{
    return QString::fromUtf8(
        "Játékszabály. "
        "Kattints a bal egérgombbal egy betűre, majd a szomszédaira: a következő betű mindig fölötte, alatta, "
        "balra vagy jobbra álljon, átlósan nem. Az utolsóra újra kattintva visszaveheted. "
        "Kész a szó? Kattints a jobb egérgombbal: ha a program ismeri, a kijelölt szó lekerül a tábláról, "
        "a fölötte álló betűk pedig lehullanak. "
        "Pontozás: a betűk értékének összege szorozva a szó hosszával (ALMA: 6 × 4 = 24 pont). "
        "A tábla 33 sorból és 10 oszlopból áll, ebből az alsó 9 sor látszik. "
        "A „Befejeztem” paranccsal (piros gomb vagy F8) zárhatod le a játékot. "
        "A Ctrl+F7 megtanítja a programnak a legutóbb kirakott új szót. "
        "Az F2 megmutatja a szavaidat.");
}

QString NoticePictureText()
{
    return QString::fromUtf8(
        "Készítői nyilatkozat. "
        "Ez a program szabad szoftver: a GNU GPL 3. vagy későbbi változata szerint terjeszthető, "
        "mindenféle garancia nélkül. "
        "Betűtípus: Comic Neue, SIL OFL licenc alatt. "
        "© 2026 a Vorpanta fejlesztői");
}

QString HomePagePictureText()
{
    return QString::fromUtf8("A játék honlapja: github.com/vorpanta/vorpanta; forráskód, hibabejelentés, újdonságok");
}
