// The text on the light sheets of the words and statistics windows: dark ink
// on the picture, no background of its own.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

inline const QColor kSheetInk(16, 32, 72);

QLabel* SheetLabel(QWidget* parent, const QString& name, QRect place, const QFont& font,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
