#include "ui/error_box.h"

#include <QMessageBox>

#include <exception>

#include "app/error_text.h"

namespace {

ErrorBoxSink& Sink()
{
    static ErrorBoxSink sink;
    return sink;
}

}  // namespace

void SetErrorBoxSink(ErrorBoxSink sink)
{
    Sink() = std::move(sink);
}

void ShowErrorBox(QWidget* parent, const std::string& message)
{
    const QString text = QString::fromStdString(ErrorBoxText(message));
    if (Sink()) {
        Sink()(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Vorpanta"), text, QMessageBox::Ok, parent);
    // Messages carry file names, which must never be taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void RunGuarded(QWidget* parent, const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        ShowErrorBox(parent, error.what());
    } catch (...) {
        ShowErrorBox(parent, "Unknown error");
    }
}
