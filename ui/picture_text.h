// Texts that only a picture shows (the rules on the main window's
// background, the maker's notice and the home page on the about window's),
// given to a screen reader: an empty control over the place where the
// picture shows the text, which draws nothing, lets the mouse through to the
// picture beneath and reads as static text.
#pragma once

#include <QRect>
#include <QString>

class QWidget;

QWidget* AddPictureText(QWidget* window, const char* name, const QRect& place, const QString& text);

// What the pictures say, as one text each.
QString RulesPictureText();
QString NoticePictureText();
QString HomePagePictureText();
