#include "ui/sheet_label.h"

#include <QLabel>
#include <QPalette>

QLabel* SheetLabel(QWidget* parent, const QString& name, QRect place, const QFont& font, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAlignment(alignment);
    label->setFont(font);
    label->setGeometry(place);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kSheetInk);
    label->setPalette(palette);
    return label;
}
