#include "ui/application.h"

#include <exception>

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
