#include "ui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void InstallFonts()
{
    QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/ComicNeue-Regular.otf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/ComicNeue-Bold.otf"));
    if (!QFontDatabase::families().contains(QStringLiteral("Comic Sans MS")))
        QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
}

QFont HouseFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
