// vorpanta-icongen: paints Vorpanta's application icon.
//
// Usage: vorpanta-icongen <assets-dir> <icons-dir> [--preview <file.png>]
//
// Reads the lettering font from <assets-dir>/fonts and writes the icon into a
// freedesktop hicolor tree under <icons-dir>:
//   hicolor/<n>x<n>/apps/io.github.vorpanta.Vorpanta.png   n = 16 ... 256
//   hicolor/scalable/apps/io.github.vorpanta.Vorpanta.svg
// The icon is a small stack of the game's letter tiles: an orange (selected)
// tile tilted behind an ivory tile with a bold "V". Sizes up to 24 px show a
// single ivory tile drawn on the pixel grid, because a stack turns to mush at
// that size. The SVG is written from the same shapes as the large PNGs; the
// letters are outlines, so it does not depend on installed fonts.

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char* const kIconName = "io.github.vorpanta.Vorpanta";
const int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
const int kSmallestStack = 32;  // below this the icon is a single tile

QString gFamily;
int gFailures = 0;

void fail(const QString& msg)
{
    std::fprintf(stderr, "CHECK FAILED: %s\n", qPrintable(msg));
    ++gFailures;
}

// Colours of one tile, taken from the board's tiles.
struct TileColours {
    QColor bevelLight, bevelMid, bevelDark, outline, faceTop, faceBottom, ink, glow, value;
};

const TileColours kIvory{QColor(255, 255, 250), QColor(236, 220, 184), QColor(160, 128, 80),
                         QColor(90, 70, 40),    QColor(255, 251, 236), QColor(243, 229, 192),
                         QColor(52, 36, 26),    QColor(255, 255, 255, 230), QColor(150, 110, 60)};
const TileColours kOrange{QColor(255, 240, 180), QColor(250, 170, 50),  QColor(170, 78, 6),
                          QColor(110, 44, 0),    QColor(255, 214, 92),  QColor(255, 144, 28),
                          QColor(90, 26, 0),     QColor(255, 236, 170, 200), QColor(130, 50, 0)};

// One tile of the icon, in the pixel coordinates of the icon being painted.
struct Tile {
    QRectF outer;           // outline of the tile
    qreal radius = 0;       // corner radius of the outline
    qreal outlineWidth = 1;
    qreal faceInset = 0;    // the bevel's width
    qreal rotation = 0;     // degrees, about the tile's centre
    TileColours colours;
    QPainterPath letter;    // letter outline, already placed
    QPainterPath value;     // point value outline, already placed (may be empty)
    qreal glowOffset = 0;   // light edge beside the letter
    qreal letterStroke = 0; // extra ink around the letter, so that it holds at small sizes
    QPointF shadowOffset;   // drop shadow (none when null)
    QColor shadow;
};

QFont boldFont(qreal px)
{
    QFont f(gFamily);
    f.setPixelSize(std::max(1, qRound(px)));
    f.setWeight(QFont::Bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// The outline of `text` scaled so that its ink is `inkHeight` tall, centred on
// `centre`.
QPainterPath placedText(const QString& text, qreal inkHeight, QPointF centre)
{
    QPainterPath path;
    path.addText(0, 0, boldFont(100), text);
    const QRectF ink = path.boundingRect();
    const qreal k = inkHeight / ink.height();
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(k, k);
    t.translate(-ink.center().x(), -ink.center().y());
    return t.map(path);
}

// The large design, laid out on a 256 × 256 canvas and scaled to `size`.
std::vector<Tile> stackScene(int size)
{
    const qreal s = size / 256.0;
    auto scaled = [s](qreal v) { return v * s; };
    std::vector<Tile> tiles;

    Tile back;
    back.outer = QRectF(scaled(26), scaled(14), scaled(136), scaled(168));
    back.radius = scaled(24);
    back.outlineWidth = std::max(1.0, scaled(4));
    back.faceInset = scaled(12);
    back.rotation = -12;
    back.colours = kOrange;
    back.letter = placedText(QStringLiteral("Á"), scaled(108), back.outer.center() + QPointF(scaled(-6), scaled(-4)));
    back.glowOffset = scaled(3);
    back.shadowOffset = QPointF(scaled(3), scaled(6));
    back.shadow = QColor(0, 0, 20, 90);

    Tile front;
    front.outer = QRectF(scaled(104), scaled(76), scaled(136), scaled(168));
    front.radius = scaled(24);
    front.outlineWidth = std::max(1.0, scaled(4));
    front.faceInset = scaled(12);
    front.colours = kIvory;
    const QRectF face = front.outer.adjusted(front.faceInset, front.faceInset, -front.faceInset, -front.faceInset);
    front.letter = placedText(QStringLiteral("V"), scaled(100), face.center() + QPointF(scaled(-8), scaled(-10)));
    if (size >= 64)  // smaller, the digit is a smudge
        front.value = placedText(QStringLiteral("3"), scaled(30),
                                 QPointF(face.right() - scaled(18), face.bottom() - scaled(22)));
    if (size <= 48) {
        back.letterStroke = 0.5;
        front.letterStroke = 0.7;
    }
    front.glowOffset = scaled(3);
    front.shadowOffset = QPointF(scaled(3), scaled(6));
    front.shadow = QColor(0, 0, 20, 110);
    tiles.push_back(back);
    tiles.push_back(front);
    return tiles;
}

// The small design: one ivory tile whose outline sits on the pixel grid.
std::vector<Tile> singleScene(int size)
{
    Tile t;
    const qreal h = size - 1;                      // full height, half a pixel in from the edges
    const qreal w = std::round(h * 70.0 / 86.0);   // the board tiles' proportions
    const qreal left = std::floor((size - w) / 2) + 0.5;
    t.outer = QRectF(left, 0.5, w, h);
    t.radius = size / 6.0;
    t.outlineWidth = 1;
    t.faceInset = size >= 22 ? 1.5 : 1;
    t.colours = kIvory;
    const QRectF face = t.outer.adjusted(t.faceInset, t.faceInset, -t.faceInset, -t.faceInset);
    t.letter = placedText(QStringLiteral("V"), std::round(size * 0.62), face.center());
    t.letterStroke = size / 20.0;
    return {t};
}

std::vector<Tile> sceneFor(int size)
{
    return size >= kSmallestStack ? stackScene(size) : singleScene(size);
}

QPainterPath roundRect(const QRectF& r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QRectF faceOf(const Tile& t)
{
    return t.outer.adjusted(t.faceInset, t.faceInset, -t.faceInset, -t.faceInset);
}

QLinearGradient bevelGradient(const Tile& t)
{
    QLinearGradient g(t.outer.topLeft(), t.outer.bottomRight());
    g.setColorAt(0, t.colours.bevelLight);
    g.setColorAt(0.5, t.colours.bevelMid);
    g.setColorAt(1, t.colours.bevelDark);
    return g;
}

QLinearGradient faceGradient(const Tile& t)
{
    const QRectF face = faceOf(t);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    g.setColorAt(0, t.colours.faceTop);
    g.setColorAt(1, t.colours.faceBottom);
    return g;
}

qreal faceRadius(const Tile& t)
{
    return std::max(0.0, t.radius - t.faceInset * 0.7);
}

// ---------------------------------------------------------------------------
// PNG

void paintTile(QPainter& p, const Tile& t)
{
    p.save();
    const QPointF c = t.outer.center();
    p.translate(c);
    p.rotate(t.rotation);
    p.translate(-c);
    if (!t.shadowOffset.isNull())
        p.fillPath(roundRect(t.outer.translated(t.shadowOffset), t.radius), t.shadow);
    p.setPen(QPen(t.colours.outline, t.outlineWidth));
    p.setBrush(bevelGradient(t));
    p.drawPath(roundRect(t.outer, t.radius));
    p.setPen(Qt::NoPen);
    p.fillPath(roundRect(faceOf(t), faceRadius(t)), faceGradient(t));
    if (t.glowOffset > 0)
        p.fillPath(t.letter.translated(t.glowOffset * 0.85, t.glowOffset), t.colours.glow);
    if (t.letterStroke > 0) {
        p.setPen(QPen(t.colours.ink, t.letterStroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(t.colours.ink);
        p.drawPath(t.letter);
        p.setPen(Qt::NoPen);
    } else {
        p.fillPath(t.letter, t.colours.ink);
    }
    if (!t.value.isEmpty())
        p.fillPath(t.value, t.colours.value);
    p.restore();
}

QImage paintIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Tile& t : sceneFor(size))
        paintTile(p, t);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

// ---------------------------------------------------------------------------
// SVG

QString num(qreal v)
{
    QString s = QString::number(v, 'f', 2);
    while (s.contains(QLatin1Char('.')) && (s.endsWith(QLatin1Char('0')) || s.endsWith(QLatin1Char('.'))))
        s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString colour(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

QString opacityAttr(const char* attr, const QColor& c)
{
    return c.alpha() == 255 ? QString() : QStringLiteral(" %1=\"%2\"").arg(QLatin1String(attr), num(c.alphaF()));
}

QString pathData(const QPainterPath& path)
{
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            d += QStringLiteral("M%1 %2").arg(num(e.x), num(e.y));
            break;
        case QPainterPath::LineToElement:
            d += QStringLiteral("L%1 %2").arg(num(e.x), num(e.y));
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element to = path.elementAt(i + 2);
            d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                     .arg(num(e.x), num(e.y), num(c2.x), num(c2.y), num(to.x), num(to.y));
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    return d;
}

QString gradientXml(const QString& id, const QLinearGradient& g)
{
    QString xml = QStringLiteral("    <linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">\n")
                      .arg(id, num(g.start().x()), num(g.start().y()), num(g.finalStop().x()), num(g.finalStop().y()));
    for (const auto& stop : g.stops())
        xml += QStringLiteral("      <stop offset=\"%1\" stop-color=\"%2\"/>\n").arg(num(stop.first), colour(stop.second));
    xml += QStringLiteral("    </linearGradient>\n");
    return xml;
}

QString rectXml(const QRectF& r, qreal radius, const QString& attrs)
{
    return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"%6/>")
        .arg(num(r.x()), num(r.y()), num(r.width()), num(r.height()), num(radius), attrs);
}

QString fillRule(const QPainterPath& path)
{
    return path.fillRule() == Qt::WindingFill ? QStringLiteral("nonzero") : QStringLiteral("evenodd");
}

QString svgIcon()
{
    const std::vector<Tile> tiles = stackScene(256);
    QString defs, body;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const Tile& t = tiles[i];
        const QString bevelId = QStringLiteral("bevel%1").arg(i);
        const QString faceId = QStringLiteral("face%1").arg(i);
        defs += gradientXml(bevelId, bevelGradient(t));
        defs += gradientXml(faceId, faceGradient(t));

        const QPointF c = t.outer.center();
        body += t.rotation == 0 ? QStringLiteral("  <g>\n")
                                : QStringLiteral("  <g transform=\"rotate(%1 %2 %3)\">\n")
                                      .arg(num(t.rotation), num(c.x()), num(c.y()));
        if (!t.shadowOffset.isNull())
            body += QStringLiteral("    ") +
                    rectXml(t.outer.translated(t.shadowOffset), t.radius,
                            QStringLiteral(" fill=\"%1\"%2").arg(colour(t.shadow), opacityAttr("fill-opacity", t.shadow))) +
                    QLatin1Char('\n');
        body += QStringLiteral("    ") +
                rectXml(t.outer, t.radius,
                        QStringLiteral(" fill=\"url(#%1)\" stroke=\"%2\" stroke-width=\"%3\"")
                            .arg(bevelId, colour(t.colours.outline), num(t.outlineWidth))) +
                QLatin1Char('\n');
        body += QStringLiteral("    ") + rectXml(faceOf(t), faceRadius(t), QStringLiteral(" fill=\"url(#%1)\"").arg(faceId)) +
                QLatin1Char('\n');
        if (t.glowOffset > 0) {
            const QPainterPath glow = t.letter.translated(t.glowOffset * 0.85, t.glowOffset);
            body += QStringLiteral("    <path fill=\"%1\"%2 fill-rule=\"%3\" d=\"%4\"/>\n")
                        .arg(colour(t.colours.glow), opacityAttr("fill-opacity", t.colours.glow), fillRule(glow),
                             pathData(glow));
        }
        body += QStringLiteral("    <path fill=\"%1\" fill-rule=\"%2\" d=\"%3\"/>\n")
                    .arg(colour(t.colours.ink), fillRule(t.letter), pathData(t.letter));
        if (!t.value.isEmpty())
            body += QStringLiteral("    <path fill=\"%1\" fill-rule=\"%2\" d=\"%3\"/>\n")
                        .arg(colour(t.colours.value), fillRule(t.value), pathData(t.value));
        body += QStringLiteral("  </g>\n");
    }
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<!-- Vorpanta application icon: letter tiles. Written by vorpanta-icongen. -->\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
                          "  <defs>\n%1  </defs>\n%2</svg>\n")
        .arg(defs, body);
}

// ---------------------------------------------------------------------------
// Checks

void checkIcon(const QImage& img, int size)
{
    const QString what = QStringLiteral("%1 px icon").arg(size);
    if (img.width() != size || img.height() != size) {
        fail(what + QStringLiteral(": wrong size"));
        return;
    }
    // The corners stay clear, so the icon sits on any panel colour.
    for (const QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0)})
        if (qAlpha(img.pixel(corner)) != 0)
            fail(what + QStringLiteral(": corner (%1,%2) is not transparent").arg(corner.x()).arg(corner.y()));
    // The tiles fill a good part of the square...
    int opaque = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (qAlpha(img.pixel(x, y)) == 255)
                ++opaque;
    if (opaque < size * size * 45 / 100)
        fail(what + QStringLiteral(": only %1 of %2 pixels are opaque").arg(opaque).arg(size * size));
    // ...and the letter shows as dark ink on the ivory face.
    int ink = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QRgb px = img.pixel(x, y);
            if (qAlpha(px) == 255 && qGray(px) < 90)
                ++ink;
        }
    if (ink < size * size / 40)
        fail(what + QStringLiteral(": the letter hardly shows (%1 dark pixels)").arg(ink));
}

bool save(const QImage& img, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, "PNG")) {
        fail(QStringLiteral("cannot write ") + path);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: %s <assets-dir> <icons-dir> [--preview <file.png>]\n", argv[0]);
        return 2;
    }
    const QString assets = QDir(args.at(1)).absolutePath();
    const QString icons = QDir(args.at(2)).absolutePath() + QStringLiteral("/hicolor");
    QString preview;
    for (int i = 3; i + 1 < args.size(); ++i)
        if (args.at(i) == QLatin1String("--preview"))
            preview = args.at(i + 1);

    const QString fontPath = assets + QStringLiteral("/fonts/ComicNeue-Bold.otf");
    const int id = QFontDatabase::addApplicationFont(fontPath);
    if (id < 0) {
        std::fprintf(stderr, "cannot load font %s\n", qPrintable(fontPath));
        return 1;
    }
    gFamily = QFontDatabase::applicationFontFamilies(id).value(0);

    std::vector<QImage> painted;
    for (int size : kSizes) {
        const QImage img = paintIcon(size);
        checkIcon(img, size);
        save(img, QStringLiteral("%1/%2x%2/apps/%3.png").arg(icons).arg(size).arg(QLatin1String(kIconName)));
        painted.push_back(img);
    }

    const QString svgPath = QStringLiteral("%1/scalable/apps/%2.svg").arg(icons, QLatin1String(kIconName));
    QDir().mkpath(QFileInfo(svgPath).absolutePath());
    QFile svg(svgPath);
    if (svg.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        svg.write(svgIcon().toUtf8());
    } else {
        fail(QStringLiteral("cannot write ") + svgPath);
    }

    if (!preview.isEmpty()) {
        // Every size at its real size on a light and on a dark panel; sizes up
        // to 48 px also enlarged four times below, for judging them by eye.
        auto shownWidth = [](const QImage& img) { return img.width() <= 48 ? img.width() * 4 : img.width(); };
        int width = 8;
        for (const QImage& img : painted)
            width += shownWidth(img) + 8;
        const int half = 256 + 16;
        QImage sheet(width, 2 * half, QImage::Format_ARGB32);
        sheet.fill(QColor(236, 236, 236));
        QPainter p(&sheet);
        p.fillRect(0, half, sheet.width(), half, QColor(48, 48, 56));
        int x = 8;
        for (const QImage& img : painted) {
            for (int row = 0; row < 2; ++row) {
                const int top = 8 + row * half;
                p.drawImage(x, top, img);
                if (img.width() <= 48)
                    p.drawImage(QRect(x, top + img.height() + 8, img.width() * 4, img.height() * 4), img);
            }
            x += shownWidth(img) + 8;
        }
        p.end();
        sheet.save(preview);
    }

    if (gFailures) {
        std::fprintf(stderr, "%d check(s) failed\n", gFailures);
        return 1;
    }
    std::printf("icons written and checked\n");
    return 0;
}
