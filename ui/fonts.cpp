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
