#include "ui/qt_text.h"

#include <QFile>

#include "platform/cp1250.h"

QString ToQString(const std::string& cp1250Text)
{
    QString out;
    out.reserve(static_cast<qsizetype>(cp1250Text.size()));
    for (unsigned char b : cp1250Text)
        out += QChar(static_cast<char16_t>(cp1250::toUnicode(b)));
    return out;
}

std::string FromQString(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t ch = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const int b = cp1250::fromUnicode(ch);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

QString PathToQString(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}
