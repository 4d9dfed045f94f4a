#include "ui/fitted_text.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

void ShowFitted(QLabel* label, const QString& text, int width, int largest, int smallest)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    const auto widest = [&lines](const QFont& font) {
        const QFontMetrics metrics(font);
        int most = 0;
        for (const QString& line : lines)
            most = std::max(most, metrics.horizontalAdvance(line));
        return most;
    };
    QFont font = label->font();
    int size = largest;
    font.setPixelSize(size);
    while (size > smallest && widest(font) > width)
        font.setPixelSize(--size);
    if (label->font().pixelSize() != size)
        label->setFont(font);
    label->setText(text);
}
