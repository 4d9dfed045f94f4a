// The program starter `Exe` of the main window: hands a web address (or a
// file) to the desktop's default handler and returns at once, without
// waiting for the browser. A failure to open is ignored.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class WebOpener : public QObject {
    Q_OBJECT
public:
    explicit WebOpener(QObject* parent = nullptr);

    // What to open: a web address or a path.
    QString Command;
    // Kept for the desktop shell's sake; the default handler of a web
    // address takes neither arguments nor a working folder.
    QString Parameters;
    QString DefaultDir;

    // Opens Command with the default handler.
    void Start();

    // Who opens addresses; QDesktopServices::openUrl unless replaced (tests
    // put a recorder here so no browser starts). An empty function restores
    // the default. Returns false when nothing could open the address.
    using OpenFunction = std::function<bool(const QUrl& address)>;
    static void SetOpenFunction(OpenFunction open);

    // The address Start hands on for a command text; a relative path is
    // taken from `defaultDir`.
    static QUrl AddressOf(const QString& command, const QString& defaultDir = QString());
};
