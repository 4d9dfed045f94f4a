#include "ui/web_opener.h"

#include <QDesktopServices>

namespace {

WebOpener::OpenFunction& OpenOverride()
{
    static WebOpener::OpenFunction open;
    return open;
}

}  // namespace

WebOpener::WebOpener(QObject* parent) : QObject(parent) {}

void WebOpener::SetOpenFunction(OpenFunction open)
{
    OpenOverride() = std::move(open);
}

QUrl WebOpener::AddressOf(const QString& command, const QString& defaultDir)
{
    // A web address stays as it is ("c:" is a drive, not a scheme);
    // anything else is taken for a path.
    const QUrl url(command, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromUserInput(command, defaultDir, QUrl::AssumeLocalFile);
}

void WebOpener::Start()
{
    if (Command.isEmpty())
        return;
    const QUrl address = AddressOf(Command, DefaultDir);
    // The outcome is not reported to the player: the desktop shows its own
    // message when no program handles the address.
    if (OpenOverride())
        (void)OpenOverride()(address);
    else
        (void)QDesktopServices::openUrl(address);
}
