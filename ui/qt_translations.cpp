#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void InstallHungarianQtTexts(QCoreApplication& application)
{
    // The file is mapped, not read: this costs the start next to nothing.
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
