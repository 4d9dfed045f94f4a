// How an error that no handler caught reaches the player: a message box with
// the error's text, the caption "Vorpanta", an error icon and an OK button.
// Afterwards the program goes on with the next event.
#pragma once

#include <QString>

#include <functional>
#include <string>

class QWidget;

// Shows the error box for a UTF-8 message (the full stop rule applied).
void ShowErrorBox(QWidget* parent, const std::string& message);

// Tests replace the message box by a recorder; an empty function restores it.
using ErrorBoxSink = std::function<void(QWidget* parent, const QString& text)>;
void SetErrorBoxSink(ErrorBoxSink sink);

// Runs `action`, showing any error it raises in the error box. Every event
// handler of the windows runs through this.
void RunGuarded(QWidget* parent, const std::function<void()>& action);
