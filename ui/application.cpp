#include "ui/application.h"

#include <clocale>
#include <cstring>
#include <exception>

#include <langinfo.h>

#include "ui/error_box.h"
#include "ui/font_warm_up.h"
#include "ui/fonts.h"
#include "ui/qt_translations.h"

VorpantaApplication::VorpantaApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The name doubles as the task bar's title. No display name is set: the
    // toolkit would append it to every window's caption ("Top10 — Vorpanta").
    setApplicationName(QStringLiteral("Vorpanta"));
    // Wayland compositors find the window's icon through the desktop entry.
    setDesktopFileName(QStringLiteral("io.github.vorpanta.Vorpanta"));
    setApplicationVersion(QStringLiteral(VORPANTA_VERSION_TEXT));
    // Qt takes every text it hands the system as UTF-8. Where the
    // environment names no UTF-8 locale (LANG unset, as in minimal
    // containers), the C library is told so too, so that Xlib encodes the
    // window titles that older window managers read (WM_NAME) right.
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");
    FinishReadingFontConfiguration();
    InstallFonts();
    InstallHungarianQtTexts(*this);
}

bool VorpantaApplication::notify(QObject* receiver, QEvent* event)
{
    // A backstop only: the windows' handlers catch their own errors.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowErrorBox(nullptr, error.what());
    } catch (...) {
        ShowErrorBox(nullptr, "Unknown error");
    }
    return false;
}
