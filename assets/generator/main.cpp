// vorpanta-artgen: paints all of Vorpanta's artwork with QPainter.
//
// Usage: vorpanta-artgen <assets-dir> [--mockup <file.png>]
//
// Reads the lettering fonts from <assets-dir>/fonts and writes
//   <assets-dir>/art/*.png       window backgrounds and button pictures,
//                                each also as "@2x" for high-resolution screens
//   <assets-dir>/Ico/[na]?.bmp   the 54 letter tiles (normal and selected)
// Everything is drawn from vector shapes at the target resolution, so the
// @2x pictures are painted, not upscaled. Output is deterministic.
//
// With --mockup the tool also composes a picture of the main window as the
// game shows it (tiles, a selected path and the button row) from the files
// it has just written, for checking the composition by eye.

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextDocument>
#include <QTransform>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Palette. The main window, the about window and the tiles share it; the
// top-ten window uses the fixed light blue that its name boxes are painted in.

const QColor kSkyTop(58, 104, 186);
const QColor kSkyBottom(25, 42, 98);
const QColor kTray(27, 42, 84);          // board tray, also the tile corners
const QColor kNavyInk(18, 26, 62);      // outlines of lettering
const QColor kBandTop(13, 22, 52);
const QColor kBandBottom(24, 38, 84);
const QColor kGold(255, 204, 64);
const QColor kGoldDark(196, 132, 20);
const QColor kPaperTop(255, 249, 230);
const QColor kPaperBottom(247, 233, 196);
const QColor kPaperEdge(201, 151, 63);
const QColor kInk(64, 44, 30);
const QColor kBrick(183, 66, 30);
const QColor kTopTenBlue(71, 170, 247);

QString gFamily;  // family name of the bundled lettering font

int gFailures = 0;

// The game's home page (the package's Homepage), without its scheme: the
// only contact the pictures show.
const QString kHomePage = QStringLiteral("github.com/vorpanta/vorpanta");

void fail(const QString &msg)
{
    std::fprintf(stderr, "CHECK FAILED: %s\n", qPrintable(msg));
    ++gFailures;
}

QFont comic(qreal px, bool bold)
{
    QFont f(gFamily);
    f.setPixelSize(qRound(px));
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Small deterministic generator, so that textures come out identical on
// every machine and every run.
struct Rng {
    quint32 s;
    explicit Rng(quint32 seed) : s(seed ? seed : 1u) {}
    quint32 next()
    {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    double unit() { return (next() & 0xffffff) / double(0x1000000); }
};

// ---------------------------------------------------------------------------
// Raster helpers

// One box-blur pass along rows or columns; pixels outside count as transparent.
void blurPass(QImage &img, int r, bool horizontal)
{
    const int w = img.width(), h = img.height();
    const int lines = horizontal ? h : w, len = horizontal ? w : h;
    std::vector<quint32> src(len);
    const int div = 2 * r + 1;
    for (int l = 0; l < lines; ++l) {
        auto px = [&](int i) -> quint32 & {
            return horizontal ? reinterpret_cast<quint32 *>(img.scanLine(l))[i]
                              : reinterpret_cast<quint32 *>(img.scanLine(i))[l];
        };
        for (int i = 0; i < len; ++i)
            src[i] = px(i);
        int sum[4] = {0, 0, 0, 0};
        auto add = [&](int i, int sign) {
            if (i < 0 || i >= len)
                return;
            const quint32 v = src[i];
            for (int c = 0; c < 4; ++c)
                sum[c] += sign * int((v >> (8 * c)) & 0xff);
        };
        for (int i = -r; i <= r; ++i)
            add(i, +1);
        for (int i = 0; i < len; ++i) {
            quint32 out = 0;
            for (int c = 0; c < 4; ++c)
                out |= quint32(sum[c] / div) << (8 * c);
            px(i) = out;
            add(i - r, -1);
            add(i + r + 1, +1);
        }
    }
}

// Approximates a gaussian blur by three box passes each way.
void blur(QImage &img, int radius)
{
    if (radius <= 0)
        return;
    const int r = std::max(1, radius / 2);
    for (int k = 0; k < 3; ++k) {
        blurPass(img, r, true);
        blurPass(img, r, false);
    }
}

// Paints a soft, blurred copy of a shape under what is drawn next.
void softShadow(QPainter &p, const QPainterPath &path, QPointF offset, qreal blurRadius,
                QColor color)
{
    auto *dev = static_cast<QImage *>(p.device());
    QImage shadow(dev->size(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter q(&shadow);
        q.setRenderHint(QPainter::Antialiasing);
        q.setTransform(p.transform());
        q.translate(offset);
        q.fillPath(path, color);
    }
    blur(shadow, qRound(blurRadius * p.transform().m11()));
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, shadow);
    p.restore();
}

QPainterPath roundRect(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// Text outline with its baseline starting at the origin.
QPainterPath textPath(const QFont &font, const QString &text)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

// Text outline centred horizontally on cx, baseline at y.
QPainterPath textPathCentered(const QFont &font, const QString &text, qreal cx, qreal baseline)
{
    QPainterPath path = textPath(font, text);
    const qreal adv = QFontMetricsF(font).horizontalAdvance(text);
    return path.translated(cx - adv / 2, baseline);
}

// Cartoon lettering: soft shadow, thick dark rim, vertical colour gradient
// and a light inner edge along the top.
void cartoonText(QPainter &p, const QPainterPath &glyphs, QColor top, QColor bottom, QColor rim,
                 qreal rimWidth, qreal shadowAlpha = 110)
{
    const QRectF b = glyphs.boundingRect();
    QPainterPathStroker stroker;
    stroker.setWidth(rimWidth);
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath outer = stroker.createStroke(glyphs).united(glyphs);
    if (shadowAlpha > 0)
        softShadow(p, outer, QPointF(1.5, 2.5), 3, QColor(0, 0, 20, int(shadowAlpha)));
    p.fillPath(outer, rim);
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillPath(glyphs, g);
    // highlight: the glyphs minus themselves shifted down a little
    const QPainterPath shine = glyphs.subtracted(glyphs.translated(0, rimWidth * 0.35));
    p.fillPath(shine, QColor(255, 255, 255, 150));
}

// Rich text block (a small subset of HTML) laid out in a box of width w.
void drawRichText(QPainter &p, const QString &html, const QFont &base, QPointF at, qreal w)
{
    QTextDocument doc;
    doc.setDocumentMargin(0);
    doc.setDefaultFont(base);
    doc.setIndentWidth(12);
    doc.setTextWidth(w);
    doc.setHtml(html);
    p.save();
    p.translate(at);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, kInk);
    doc.documentLayout()->draw(&p, ctx);
    p.restore();
}

qreal richTextHeight(const QString &html, const QFont &base, qreal w)
{
    QTextDocument doc;
    doc.setDocumentMargin(0);
    doc.setDefaultFont(base);
    doc.setIndentWidth(12);
    doc.setTextWidth(w);
    doc.setHtml(html);
    return doc.size().height();
}

// Paints a picture of logical size w × h at the given scale.
QImage paintImage(int w, int h, int scale, bool opaque, const std::function<void(QPainter &)> &fn)
{
    QImage img(w * scale, h * scale, QImage::Format_ARGB32_Premultiplied);
    img.fill(opaque ? Qt::black : Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    fn(p);
    p.end();
    return img;
}

// ---------------------------------------------------------------------------
// Shared motifs

// A letter tile in miniature: used as a decoration on the windows.
void miniTile(QPainter &p, const QRectF &r, const QString &letter, bool selected, qreal angle = 0)
{
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF box(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    const qreal rad = r.width() * 0.16;
    softShadow(p, roundRect(box, rad), QPointF(1, 1.5), 2, QColor(0, 0, 20, 120));
    QLinearGradient bevel(box.topLeft(), box.bottomRight());
    bevel.setColorAt(0, selected ? QColor(255, 236, 170) : QColor(255, 252, 240));
    bevel.setColorAt(1, selected ? QColor(196, 96, 10) : QColor(190, 160, 108));
    p.fillPath(roundRect(box, rad), bevel);
    const qreal inset = r.width() * 0.09;
    const QRectF face = box.adjusted(inset, inset, -inset, -inset);
    QLinearGradient fg(face.topLeft(), face.bottomLeft());
    fg.setColorAt(0, selected ? QColor(255, 204, 82) : QColor(253, 246, 224));
    fg.setColorAt(1, selected ? QColor(255, 150, 34) : QColor(242, 226, 184));
    p.fillPath(roundRect(face, rad * 0.7), fg);
    const QFont f = comic(r.height() * 0.62, true);
    const QPainterPath g = textPath(f, letter);
    const QRectF gb = g.boundingRect();
    // cap height centred in the tile, so accents rise above the centre line
    const qreal capHeight = QFontMetricsF(f).capHeight();
    p.fillPath(g.translated(-gb.center().x(), capHeight / 2 + r.height() * 0.04),
               selected ? QColor(74, 30, 0) : kInk);
    p.restore();
}

// A golden crown with three points, pearls and gems, filling the rect.
void crown(QPainter &p, const QRectF &r, qreal shadowBlur = 1.2)
{
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 32.0, r.height() / 32.0);
    QPainterPath body;
    body.moveTo(4.5, 24);
    body.lineTo(3, 10.5);
    body.lineTo(10.5, 17);
    body.lineTo(16, 6.5);
    body.lineTo(21.5, 17);
    body.lineTo(29, 10.5);
    body.lineTo(27.5, 24);
    body.closeSubpath();
    QPainterPath band = roundRect(QRectF(4, 22, 24, 6), 1.6);
    QPainterPath all = body.united(band);
    for (QPointF c : {QPointF(3, 9.5), QPointF(16, 5.2), QPointF(29, 9.5)})
        all.addEllipse(c, 2.3, 2.3);
    all = all.simplified();
    softShadow(p, all, QPointF(0.6, 1.0), shadowBlur, QColor(40, 20, 0, 120));

    QLinearGradient gold(0, 4, 0, 28);
    gold.setColorAt(0, QColor(255, 246, 168));
    gold.setColorAt(0.45, QColor(255, 204, 38));
    gold.setColorAt(1, QColor(205, 128, 0));
    p.setPen(QPen(QColor(122, 70, 0), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gold);
    p.drawPath(body);
    for (QPointF c : {QPointF(3, 9.5), QPointF(16, 5.2), QPointF(29, 9.5)}) {
        QRadialGradient pearl(c - QPointF(0.7, 0.7), 2.6);
        pearl.setColorAt(0, QColor(255, 255, 240));
        pearl.setColorAt(1, QColor(240, 184, 40));
        p.setBrush(pearl);
        p.drawEllipse(c, 2.3, 2.3);
    }
    QLinearGradient bandG(0, 22, 0, 28);
    bandG.setColorAt(0, QColor(255, 228, 110));
    bandG.setColorAt(1, QColor(214, 140, 10));
    p.setBrush(bandG);
    p.drawPath(band);
    p.setPen(QPen(QColor(110, 20, 20), 0.6));
    const QColor gems[3] = {QColor(226, 40, 60), QColor(40, 120, 230), QColor(40, 180, 90)};
    const qreal gx[3] = {9.5, 16, 22.5};
    for (int i = 0; i < 3; ++i) {
        QRadialGradient gg(QPointF(gx[i] - 0.5, 24.2), 2.2);
        gg.setColorAt(0, gems[i].lighter(170));
        gg.setColorAt(1, gems[i]);
        p.setBrush(gg);
        p.setPen(QPen(gems[i].darker(180), 0.5));
        p.drawEllipse(QPointF(gx[i], 25), 1.7, 1.7);
    }
    // glint on the middle point
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    QPainterPath glint;
    glint.moveTo(6, 20);
    glint.lineTo(5.2, 13.5);
    glint.lineTo(8.8, 17);
    glint.closeSubpath();
    p.drawPath(glint);
    p.restore();
}

// A friendly frog sitting on a lily pad, filling the rect (aspect 4:3).
void frog(QPainter &p, const QRectF &r)
{
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 80.0, r.height() / 60.0);

    // lily pad
    QPainterPath pad;
    pad.addEllipse(QPointF(40, 52), 38, 8);
    QPainterPath notch;
    notch.moveTo(40, 52);
    notch.lineTo(78, 50);
    notch.lineTo(78, 58);
    notch.closeSubpath();
    pad = pad.subtracted(notch);
    softShadow(p, pad, QPointF(0, 2), 2, QColor(0, 40, 90, 90));
    QLinearGradient padG(0, 44, 0, 60);
    padG.setColorAt(0, QColor(110, 190, 80));
    padG.setColorAt(1, QColor(44, 120, 50));
    p.setPen(QPen(QColor(30, 90, 40), 1));
    p.setBrush(padG);
    p.drawPath(pad);

    const QColor line(28, 82, 24);
    p.setPen(QPen(line, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    // back legs
    QLinearGradient skin(0, 14, 0, 54);
    skin.setColorAt(0, QColor(140, 216, 86));
    skin.setColorAt(1, QColor(64, 156, 52));
    p.setBrush(skin);
    p.drawEllipse(QPointF(18, 45), 11, 7);
    p.drawEllipse(QPointF(62, 45), 11, 7);

    // body
    QPainterPath body;
    body.addEllipse(QPointF(40, 36), 24, 16);
    p.drawPath(body);
    // belly
    p.setBrush(QColor(226, 246, 170));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(40, 41), 14, 9);
    p.setPen(QPen(line, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    // eyes
    for (qreal ex : {29.0, 51.0}) {
        p.setBrush(skin);
        p.drawEllipse(QPointF(ex, 20), 9, 8.5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(ex, 19.5), 6, 6);
        p.setBrush(QColor(20, 20, 30));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(ex + 1.2, 20.5), 3, 3.4);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(ex + 2.3, 18.8), 1.1, 1.1);
        p.setPen(QPen(line, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    // smile and cheeks
    p.setBrush(Qt::NoBrush);
    QPainterPath smile;
    smile.moveTo(29, 31);
    smile.cubicTo(34, 37, 46, 37, 51, 31);
    p.drawPath(smile);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 130, 140, 150));
    p.drawEllipse(QPointF(24, 31), 3.2, 2.2);
    p.drawEllipse(QPointF(56, 31), 3.2, 2.2);
    // front feet
    p.setPen(QPen(line, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(skin);
    p.drawEllipse(QPointF(31, 51), 6, 3.2);
    p.drawEllipse(QPointF(49, 51), 6, 3.2);
    p.restore();
}

// Gentle night-blue ground with a lighter glow, shared by the main and
// about windows.
void skyGround(QPainter &p, const QRectF &area, QPointF glowAt, qreal glowRadius)
{
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, kSkyTop);
    g.setColorAt(1, kSkyBottom);
    p.fillRect(area, g);
    QRadialGradient glow(glowAt, glowRadius);
    glow.setColorAt(0, QColor(140, 190, 255, 70));
    glow.setColorAt(1, QColor(140, 190, 255, 0));
    p.fillRect(area, glow);
}

// Scattered faint sparkles; kept away from the rectangles in `avoid`.
void sparkles(QPainter &p, const QRectF &area, int count, quint32 seed,
              const std::vector<QRectF> &avoid)
{
    Rng rng(seed);
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c(area.left() + rng.unit() * area.width(),
                        area.top() + rng.unit() * area.height());
        const qreal s = 1.0 + rng.unit() * 2.2;
        const int a = 30 + int(rng.unit() * 60);
        bool clash = false;
        for (const QRectF &r : avoid)
            if (r.adjusted(-s - 2, -s - 2, s + 2, s + 2).contains(c))
                clash = true;
        if (clash)
            continue;
        QPainterPath star;
        star.moveTo(c.x(), c.y() - s * 2);
        star.quadTo(c, QPointF(c.x() + s * 2, c.y()));
        star.quadTo(c, QPointF(c.x(), c.y() + s * 2));
        star.quadTo(c, QPointF(c.x() - s * 2, c.y()));
        star.quadTo(c, QPointF(c.x(), c.y() - s * 2));
        p.setBrush(QColor(255, 246, 200, a));
        p.drawPath(star);
    }
    p.restore();
}

// Parchment panel with a gold rim and a soft shadow.
void paperPanel(QPainter &p, const QRectF &r, qreal radius)
{
    softShadow(p, roundRect(r, radius), QPointF(2, 3), 5, QColor(0, 0, 25, 140));
    QLinearGradient rim(r.topLeft(), r.bottomRight());
    rim.setColorAt(0, QColor(255, 226, 140));
    rim.setColorAt(1, kPaperEdge);
    p.fillPath(roundRect(r, radius), rim);
    const QRectF inner = r.adjusted(2.5, 2.5, -2.5, -2.5);
    QLinearGradient paper(inner.topLeft(), inner.bottomLeft());
    paper.setColorAt(0, kPaperTop);
    paper.setColorAt(1, kPaperBottom);
    p.fillPath(roundRect(inner, radius - 2), paper);
    // thin inner line for a printed-card look
    p.setPen(QPen(QColor(214, 178, 110, 120), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundRect(inner.adjusted(3, 3, -3, -3), radius - 4));
    p.setPen(Qt::NoPen);
}

// Dark band with a golden frame; the band's face is exactly `r`.
void darkBand(QPainter &p, const QRectF &r)
{
    const QRectF frame = r.adjusted(-2.5, -2.5, 2.5, 2.5);
    softShadow(p, roundRect(frame, 8), QPointF(1, 2), 3, QColor(0, 0, 20, 150));
    QLinearGradient rim(frame.topLeft(), frame.bottomLeft());
    rim.setColorAt(0, QColor(255, 226, 120));
    rim.setColorAt(1, kGoldDark);
    p.fillPath(roundRect(frame, 8), rim);
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, kBandTop);
    face.setColorAt(1, kBandBottom);
    p.fillPath(roundRect(r, 6), face);
    // inner shadow along the top edge gives the band some depth
    QLinearGradient inner(r.topLeft(), r.topLeft() + QPointF(0, 7));
    inner.setColorAt(0, QColor(0, 0, 0, 90));
    inner.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillPath(roundRect(r, 6), inner);
}

// A small five-pointed star.
QPainterPath starPath(QPointF c, qreal outer, qreal inner)
{
    QPainterPath s;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const qreal rr = (i % 2) ? inner : outer;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0)
            s.moveTo(pt);
        else
            s.lineTo(pt);
    }
    s.closeSubpath();
    return s;
}

// The game's name in the playful lettering: every letter tipped and lifted
// a little, like tiles dropped on a table.
void titleLettering(QPainter &p, const QString &text, qreal cx, qreal baseline, qreal px)
{
    const QFont f = comic(px, true);
    const QFontMetricsF fm(f);
    const qreal total = fm.horizontalAdvance(text);
    static const qreal tilt[] = {-6, 4, -3, 5, -4, 3, -5, 4, -3, 5};
    static const qreal lift[] = {0, -2, 1, -1, 2, -2, 0, 1, -1, 2};
    QPainterPath all;
    qreal x = cx - total / 2;
    for (int i = 0; i < text.size(); ++i) {
        const QString ch = text.mid(i, 1);
        const qreal adv = fm.horizontalAdvance(ch);
        QPainterPath g = textPath(f, ch);
        QTransform t;
        t.translate(x + adv / 2, baseline + lift[i % 10] * px / 48);
        t.rotate(tilt[i % 10]);
        t.translate(-adv / 2, 0);
        all.addPath(t.map(g));
        x += adv;
    }
    cartoonText(p, all, QColor(255, 246, 140), QColor(255, 168, 28), kNavyInk, px / 8.0);
}

// ---------------------------------------------------------------------------
// Main window background, 670 × 480

const QRectF kWordBand(40, 72, 221, 23);
const QRectF kScoreBand(40, 112, 221, 23);
const QRectF kBoard(300, 63, 350, 387);
const QRectF kButtonStrip(364, 12, 294, 38);

const char *kRulesHtml =
    "<ul style='margin-left:0px; -qt-list-indent:1'>"
    "<li style='margin-bottom:4px'>Kattints a <b>bal egérgombbal</b> egy betűre, majd a "
    "szomszédaira: a következő betű mindig <b>fölötte, alatta, balra vagy jobbra</b> "
    "álljon, átlósan nem. Az utolsóra újra kattintva visszaveheted.</li>"
    "<li style='margin-bottom:4px'>Kész a szó? Kattints a <b>jobb egérgombbal</b>: ha a "
    "program ismeri, a kijelölt szó lekerül a tábláról, a fölötte álló betűk pedig "
    "lehullanak.</li>"
    "<li style='margin-bottom:4px'><b>Pontozás:</b> a betűk értékének összege szorozva a szó "
    "hosszával (ALMA:&nbsp;6&nbsp;×&nbsp;4&nbsp;=&nbsp;24&nbsp;pont).</li>"
    "<li style='margin-bottom:4px'>A tábla <b>33 sorból és 10 oszlopból</b> áll, ebből az "
    "alsó 9 sor látszik.</li>"
    "<li style='margin-bottom:4px'>A <b>„Befejeztem”</b> paranccsal (piros gomb vagy&nbsp;F8) "
    "zárhatod le a játékot.</li>"
    "<li style='margin-bottom:4px'>A <b>Ctrl+F7</b> megtanítja a programnak a legutóbb kirakott új szót.</li>"
    "<li>Az <b>F2</b> megmutatja a szavaidat.</li>"
    "</ul>";

void paintMainBackground(QPainter &p)
{
    const QRectF all(0, 0, 670, 480);
    skyGround(p, all, QPointF(150, 40), 260);
    sparkles(p, QRectF(0, 0, 300, 480), 38, 7,
             {QRectF(0, 0, 300, 150), QRectF(8, 146, 284, 312), QRectF(180, 455, 120, 25)});
    sparkles(p, QRectF(300, 450, 370, 30), 6, 11, {QRectF(540, 455, 130, 25)});

    // Board tray: a framed, recessed field under the tiles. Its inside is a
    // single flat colour, the same one the tile pictures use at their corners.
    const QRectF trayFrame = kBoard.adjusted(-7, -7, 7, 7);
    softShadow(p, roundRect(trayFrame, 12), QPointF(2, 4), 6, QColor(0, 0, 20, 160));
    QLinearGradient frameG(trayFrame.topLeft(), trayFrame.bottomLeft());
    frameG.setColorAt(0, QColor(120, 160, 226));
    frameG.setColorAt(0.5, QColor(70, 110, 190));
    frameG.setColorAt(1, QColor(42, 70, 140));
    p.fillPath(roundRect(trayFrame, 12), frameG);
    p.fillPath(roundRect(trayFrame.adjusted(2.5, 2.5, -2.5, -2.5), 10), QColor(36, 58, 112));
    p.fillRect(kBoard, kTray);

    // Title
    titleLettering(p, QStringLiteral("Vorpanta"), 150, 57, 52);

    // Word line and score line bands, with a little emblem in front of each
    darkBand(p, kWordBand);
    darkBand(p, kScoreBand);
    miniTile(p, QRectF(13, 71.5, 20, 24), QStringLiteral("A"), true, -6);
    {
        const QPainterPath s = starPath(QPointF(23, 123.5), 11.5, 5);
        softShadow(p, s, QPointF(1, 1.5), 2, QColor(0, 0, 20, 130));
        QRadialGradient sg(QPointF(21, 120), 12);
        sg.setColorAt(0, QColor(255, 250, 180));
        sg.setColorAt(1, QColor(255, 176, 20));
        p.setPen(QPen(QColor(150, 80, 0), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(sg);
        p.drawPath(s);
        p.setPen(Qt::NoPen);
    }

    // Rules card
    const QRectF card(10, 150, 280, 304);
    paperPanel(p, card, 12);
    {
        const QFont hf = comic(19, true);
        const QPainterPath h = textPathCentered(hf, QStringLiteral("Játékszabály"), card.center().x(),
                                                card.top() + 27);
        cartoonText(p, h, QColor(255, 120, 72), QColor(196, 58, 24), QColor(110, 30, 10), 3, 0);
        // small tiles either side of the heading
        miniTile(p, QRectF(card.left() + 22, card.top() + 9, 17, 21), QStringLiteral("S"), false, -8);
        miniTile(p, QRectF(card.right() - 39, card.top() + 9, 17, 21), QStringLiteral("Z"), false, 7);
    }
    const QFont body = comic(12, false);
    const qreal textW = card.width() - 26;
    const qreal textTop = card.top() + 38;
    const QString rules = QString::fromUtf8(kRulesHtml);
    if (textTop + richTextHeight(rules, body, textW) > card.bottom() - 8)
        fail(QStringLiteral("main: the rules do not fit on their card (%1 > %2)")
                 .arg(textTop + richTextHeight(rules, body, textW))
                 .arg(card.bottom() - 8));
    drawRichText(p, rules, body, QPointF(card.left() + 13, textTop), textW);

    // Maker's address
    {
        const QFont f = comic(11, true);
        const QString web = kHomePage;
        const qreal w = QFontMetricsF(f).horizontalAdvance(web);
        const QPainterPath t = textPath(f, web).translated(657 - w, 472);
        p.fillPath(t.translated(0.6, 0.8), QColor(0, 0, 20, 120));
        p.fillPath(t, QColor(200, 218, 250));
    }
}

// ---------------------------------------------------------------------------
// About window background, 367 × 300

const QRectF kVersionArea(20, 116, 145, 41);
const QRectF kAboutClose(329, 12, 25, 25);

void paintAboutBackground(QPainter &p)
{
    const QRectF all(0, 0, 367, 300);
    skyGround(p, all, QPointF(160, 30), 220);
    sparkles(p, all, 30, 23,
             {QRectF(0, 0, 367, 62), QRectF(8, 60, 170, 110), QRectF(178, 56, 185, 168),
              QRectF(6, 218, 355, 78), kAboutClose.adjusted(-4, -4, 4, 4)});

    // title
    titleLettering(p, QStringLiteral("Vorpanta"), 168, 48, 44);

    // left: a word made of tiles above the version plaque
    const QString word = QStringLiteral("JÁTÉK");
    for (int i = 0; i < word.size(); ++i) {
        static const qreal tilt[] = {-5, 3, -2, 4, -4};
        miniTile(p, QRectF(24 + i * 27, 64 + (i % 2) * 2, 24, 29), word.mid(i, 1), i == 1 || i == 3,
                 tilt[i]);
    }
    {
        const QFont f = comic(11, true);
        p.setFont(f);
        p.setPen(QColor(190, 214, 255));
        p.drawText(QPointF(21, 112), QStringLiteral("Változat:"));
    }
    // The version text is drawn at the top left of kVersionArea in yellow;
    // a soft dark haze behind it (no edges) keeps it readable.
    {
        const QPointF c(kVersionArea.left() + 40, kVersionArea.top() + 11);
        QRadialGradient haze(c, 62);
        haze.setColorAt(0, QColor(8, 14, 40, 130));
        haze.setColorAt(0.5, QColor(8, 14, 40, 60));
        haze.setColorAt(1, QColor(8, 14, 40, 0));
        p.save();
        p.translate(c);
        p.scale(1, 0.45);
        p.translate(-c);
        p.fillRect(QRectF(c.x() - 80, c.y() - 80, 160, 160), haze);
        p.restore();
    }

    // maker's notice, right; its text keeps clear of the card's frame
    const QRectF card(186, 62, 168, 156);
    paperPanel(p, card, 10);
    {
        const QFont hf = comic(14, true);
        const QPainterPath h = textPathCentered(hf, QStringLiteral("Készítői nyilatkozat"),
                                                card.center().x(), card.top() + 21);
        p.fillPath(h, kBrick);
        const QString html = QString::fromUtf8(
            "<p style='margin-bottom:4px'>Ez a program szabad szoftver: a GNU GPL 3. vagy "
            "későbbi változata szerint terjeszthető, mindenféle garancia nélkül.</p>"
            "<p style='margin-bottom:4px'>Betűtípus: Comic&nbsp;Neue, SIL&nbsp;OFL licenc alatt.</p>"
            "<p><b>© 2026 a Vorpanta fejlesztői</b></p>");
        const QFont body = comic(11, false);
        const qreal textTop = card.top() + 30;
        const qreal textW = card.width() - 22;
        if (textTop + richTextHeight(html, body, textW) > card.bottom() - 8)
            fail(QStringLiteral("about: the maker's notice does not fit on its card"));
        drawRichText(p, html, body, QPointF(card.left() + 11, textTop), textW);
    }

    // the frog of the top-ten window keeps the version company
    frog(p, QRectF(44, 160, 62, 46.5));

    // the game's home, bottom: the only contact that the picture gives
    const QRectF contact(12, 226, 343, 64);
    {
        softShadow(p, roundRect(contact, 10), QPointF(1, 2), 4, QColor(0, 0, 20, 140));
        QLinearGradient g(contact.topLeft(), contact.bottomLeft());
        g.setColorAt(0, QColor(20, 34, 78, 235));
        g.setColorAt(1, QColor(14, 24, 58, 235));
        p.fillPath(roundRect(contact, 10), g);
        p.setPen(QPen(QColor(255, 214, 110, 200), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(roundRect(contact.adjusted(0.6, 0.6, -0.6, -0.6), 9.5));
        p.setPen(Qt::NoPen);

        const QRectF crownBox(contact.right() - 56, contact.top() + 9, 44, 44);
        // Every text stays inside the frame with room to spare, clear of the crown.
        const QRectF room(contact.left() + 8, contact.top() + 5, crownBox.left() - 6 - contact.left() - 8,
                          contact.height() - 10);
        const auto write = [&](const QFont &f, const QColor &colour, QPointF at, const QString &text) {
            const QRectF box = QFontMetricsF(f).tightBoundingRect(text).translated(at);
            if (!room.contains(box))
                fail(QStringLiteral("about: \"%1\" leaves its panel").arg(text));
            p.setFont(f);
            p.setPen(colour);
            p.drawText(at, text);
        };
        write(comic(12, true), kGold, QPointF(contact.left() + 14, contact.top() + 19),
              QString::fromUtf8("A játék honlapja"));
        const qreal y = contact.top() + 38;
        {  // a globe before the address
            const QPointF ic(contact.left() + 22, y - 4);
            p.save();
            p.setPen(QPen(QColor(255, 214, 110), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(ic, 5, 5);
            p.drawEllipse(ic, 2.2, 5);
            p.drawLine(ic + QPointF(-5, 0), ic + QPointF(5, 0));
            p.restore();
        }
        write(comic(12, false), QColor(236, 242, 255), QPointF(contact.left() + 34, y), kHomePage);
        write(comic(10, false), QColor(190, 214, 255), QPointF(contact.left() + 34, y + 15),
              QString::fromUtf8("forráskód, hibabejelentés, újdonságok"));
        // the crown brightens the empty right side of the panel
        crown(p, crownBox, 1.5);
    }
}

// ---------------------------------------------------------------------------
// Top-ten window background, 300 × 375

const QRectF kTopTenRows(80, 108, 196, 201);  // x 80..275, y 108..308
const QRectF kTopTenClosePicture(263, 20, 16, 16);  // button at 259,16; picture at +4,+4

// The light-blue panel of the small windows: a pale, frosted rim fading
// inwards with a fine speckle, then a thin light line that frames the plain
// middle.
void frostedPanel(QPainter &p, const QRectF &all, int scale, quint32 seed)
{
    p.fillRect(all, kTopTenBlue);
    const qreal rim = 15;
    {
        auto *dev = static_cast<QImage *>(p.device());
        Rng rng(seed);
        const int W = dev->width(), H = dev->height();
        const qreal rimPx = rim * scale;
        for (int y = 0; y < H; ++y) {
            auto *line = reinterpret_cast<QRgb *>(dev->scanLine(y));
            for (int x = 0; x < W; ++x) {
                const qreal d = std::min({qreal(x) + 0.5, qreal(y) + 0.5, W - x - 0.5, H - y - 0.5});
                const double n = rng.unit();
                if (d >= rimPx)
                    continue;
                const qreal t = 1.0 - d / rimPx;  // 1 at the edge, 0 inside
                const qreal a = std::clamp(0.16 + 0.62 * t * t + (n - 0.5) * 0.22 * t, 0.0, 0.9);
                const QColor base = QColor::fromRgb(line[x]);
                const int r = qRound(base.red() + (246 - base.red()) * a);
                const int g = qRound(base.green() + (251 - base.green()) * a);
                const int b = qRound(base.blue() + (255 - base.blue()) * a);
                line[x] = qRgb(r, g, b);
            }
        }
    }
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundRect(all.adjusted(rim + 0.5, rim + 0.5, -rim - 0.5, -rim - 0.5), 6));
    p.setPen(QPen(QColor(30, 100, 170, 70), 1));
    p.drawPath(roundRect(all.adjusted(rim + 1.5, rim + 1.5, -rim - 1.5, -rim - 1.5), 5));
    p.setPen(Qt::NoPen);
}

// The heading of the small windows, in yellow cartoon lettering with its
// baseline starting at `at`; the outline of its letters.
QPainterPath panelHeading(QPainter &p, const QString &text, qreal px, QPointF at)
{
    const QPainterPath t = textPath(comic(px, true), text).translated(at);
    cartoonText(p, t, QColor(255, 246, 120), QColor(255, 190, 0), QColor(24, 36, 84), 5, 120);
    return t;
}

// The small golden star at the start of a parchment band.
void bandStar(QPainter &p, QPointF centre, qreal outer, qreal inner)
{
    const QPainterPath star = starPath(centre, outer, inner);
    QRadialGradient sg(star.boundingRect().center() - QPointF(1, 1), outer);
    sg.setColorAt(0, QColor(255, 250, 180));
    sg.setColorAt(1, QColor(255, 176, 20));
    p.setPen(QPen(QColor(150, 80, 0), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(sg);
    p.drawPath(star);
    p.setPen(Qt::NoPen);
}

void paintTopTenBackground(QPainter &p, int scale)
{
    const QRectF all(0, 0, 300, 375);
    frostedPanel(p, all, scale, 99);

    // "TOP 10" heading and the crown below it
    panelHeading(p, QStringLiteral("TOP 10"), 38, QPointF(24, 57));
    crown(p, QRectF(22, 60, 54, 46), 1.6);

    // frog near the bottom left
    frog(p, QRectF(16, 302, 76, 57));
}

// ---------------------------------------------------------------------------
// Words window background, 440 × 380

const QRectF kWordsTakenSheet(24, 78, 196, 254);   // this game's words
const QRectF kWordsLeftSheet(228, 78, 190, 254);   // the words left on the board
const QRectF kWordsRecordBand(22, 336, 396, 26);   // the best word of all time
const QRectF kWordsClosePicture(403, 20, 16, 16);  // button at 399,16; picture at +4,+4

// A lighter sheet of the panel that the rows of text stand on.
void blueSheet(QPainter &p, const QRectF &r)
{
    softShadow(p, roundRect(r, 9), QPointF(1, 2), 3, QColor(10, 60, 120, 90));
    p.fillPath(roundRect(r, 9), QColor(255, 255, 255, 150));
    p.fillPath(roundRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 8), QColor(146, 206, 252));
    // a rule under the sheet's heading
    p.setPen(QPen(QColor(30, 90, 160, 110), 1));
    p.drawLine(QPointF(r.left() + 8, r.top() + 28.5), QPointF(r.right() - 8, r.top() + 28.5));
    p.setPen(Qt::NoPen);
}

void paintWordsBackground(QPainter &p, int scale)
{
    const QRectF all(0, 0, 440, 380);
    frostedPanel(p, all, scale, 77);

    // "SZAVAK" heading with three small tiles that spell on beside it
    const QPainterPath t = panelHeading(p, QStringLiteral("SZAVAK"), 36, QPointF(26, 58));
    const qreal after = t.boundingRect().right() + 16;
    miniTile(p, QRectF(after, 24, 22, 26), QStringLiteral("S"), true, -8);
    miniTile(p, QRectF(after + 24, 26, 22, 26), QStringLiteral("Z"), true, 4);
    miniTile(p, QRectF(after + 48, 24, 22, 26), QStringLiteral("Ó"), false, 10);

    blueSheet(p, kWordsTakenSheet);
    blueSheet(p, kWordsLeftSheet);

    // the record band: a strip of parchment with a small star
    paperPanel(p, kWordsRecordBand, 8);
    bandStar(p, QPointF(kWordsRecordBand.left() + 16, kWordsRecordBand.center().y()), 8, 3.6);
}

// ---------------------------------------------------------------------------
// Statistics window background, 600 × 440

const QRectF kStatsSummarySheet(24, 78, 180, 228);   // the totals
const QRectF kStatsChartSheet(214, 78, 362, 228);    // the chart of the latest scores
const QRectF kStatsTodayBand(22, 318, 556, 106);     // today's board
const QRectF kStatsShareBox(50, 384, 466, 28);       // the line to share
const QRectF kStatsClosePicture(563, 20, 16, 16);    // button at 559,16; picture at +4,+4
const QRectF kStatsCopyPicture(530, 390, 16, 16);    // button at 526,386; picture at +4,+4

// A small bar chart of three tile-coloured bars with a golden trend line.
void miniChart(QPainter &p, const QRectF &r)
{
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 40.0, r.height() / 32.0);
    const QPainterPath base = roundRect(QRectF(1, 3, 38, 28), 4);
    softShadow(p, base, QPointF(1, 1.5), 2, QColor(0, 0, 20, 110));
    QLinearGradient card(0, 3, 0, 31);
    card.setColorAt(0, kPaperTop);
    card.setColorAt(1, kPaperBottom);
    p.setPen(QPen(kPaperEdge, 1));
    p.setBrush(card);
    p.drawPath(base);
    const qreal heights[] = {9, 15, 21};
    for (int i = 0; i < 3; ++i) {
        const QRectF bar(6 + i * 11, 27 - heights[i], 8, heights[i]);
        QLinearGradient g(bar.topLeft(), bar.bottomLeft());
        g.setColorAt(0, i == 2 ? QColor(255, 204, 82) : QColor(146, 206, 252));
        g.setColorAt(1, i == 2 ? QColor(255, 144, 28) : QColor(58, 104, 186));
        p.setPen(QPen(kNavyInk, 0.8));
        p.setBrush(g);
        p.drawPath(roundRect(bar, 1.5));
    }
    p.setPen(QPen(kBrick, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath trend;
    trend.moveTo(5, 20);
    trend.lineTo(16, 14);
    trend.lineTo(25, 12);
    trend.lineTo(36, 5);
    p.drawPath(trend);
    p.restore();
}

void paintStatisticsBackground(QPainter &p, int scale)
{
    const QRectF all(0, 0, 600, 440);
    frostedPanel(p, all, scale, 55);

    // "STATISZTIKA" heading with a small chart beside it
    const QPainterPath t = panelHeading(p, QStringLiteral("STATISZTIKA"), 36, QPointF(26, 58));
    miniChart(p, QRectF(t.boundingRect().right() + 16, 22, 44, 35));

    blueSheet(p, kStatsSummarySheet);
    blueSheet(p, kStatsChartSheet);

    // Today's board on a parchment band, with a star like the words
    // window's record band, and a light box for the line to share.
    paperPanel(p, kStatsTodayBand, 10);
    bandStar(p, QPointF(kStatsTodayBand.left() + 18, kStatsTodayBand.top() + 18), 9, 4);
    p.setPen(QPen(QColor(214, 178, 110), 1));
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawPath(roundRect(kStatsShareBox.adjusted(0.5, 0.5, -0.5, -0.5), 6));
    p.setPen(Qt::NoPen);
}

// ---------------------------------------------------------------------------
// Button pictures

// Glossy coloured disc for the round buttons.
void glossyDisc(QPainter &p, QColor light, QColor mid, QColor dark)
{
    const QPointF c(16, 16);
    const qreal r = 14;
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    softShadow(p, disc, QPointF(0.5, 1.0), 1.2, QColor(0, 0, 20, 130));
    QRadialGradient g(c + QPointF(-4, -5), r * 1.5);
    g.setColorAt(0, light);
    g.setColorAt(0.55, mid);
    g.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(150), 1.0));
    p.setBrush(g);
    p.drawPath(disc);
    // gloss on the upper half
    QPainterPath gloss;
    gloss.addEllipse(QRectF(c.x() - 10, c.y() - 12.5, 20, 12));
    QLinearGradient gg(0, c.y() - 12.5, 0, c.y() - 0.5);
    gg.setColorAt(0, QColor(255, 255, 255, 170));
    gg.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.fillPath(gloss, gg);
}

void paintBtnNew(QPainter &p)
{
    glossyDisc(p, QColor(150, 210, 255), QColor(40, 128, 230), QColor(14, 64, 150));
    QPainterPath play;
    play.moveTo(12.5, 9.5);
    play.lineTo(23.5, 16);
    play.lineTo(12.5, 22.5);
    play.closeSubpath();
    QPainterPathStroker st;
    st.setWidth(2.2);
    st.setJoinStyle(Qt::RoundJoin);
    const QPainterPath shape = st.createStroke(play).united(play);
    p.fillPath(shape.translated(0.5, 0.8), QColor(0, 20, 70, 110));
    p.fillPath(shape, Qt::white);
}

void paintBtnStop(QPainter &p)
{
    glossyDisc(p, QColor(255, 160, 140), QColor(226, 50, 36), QColor(140, 18, 12));
    const QPainterPath sq = roundRect(QRectF(10.5, 10.5, 11, 11), 2);
    p.fillPath(sq.translated(0.5, 0.8), QColor(80, 0, 0, 110));
    p.fillPath(sq, Qt::white);
}

void paintBtnTop10(QPainter &p) { crown(p, QRectF(0, 1, 32, 31)); }

void paintBtnAbout(QPainter &p)
{
    // diploma sheet
    const QRectF sheet(3, 5, 26, 21);
    softShadow(p, roundRect(sheet, 1.5), QPointF(0.6, 1), 1.2, QColor(0, 0, 20, 130));
    QLinearGradient paper(sheet.topLeft(), sheet.bottomRight());
    paper.setColorAt(0, QColor(255, 253, 240));
    paper.setColorAt(1, QColor(240, 226, 186));
    p.setPen(QPen(QColor(120, 90, 40), 1));
    p.setBrush(paper);
    p.drawPath(roundRect(sheet, 1.5));
    p.setPen(QPen(QColor(200, 160, 80), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawRect(sheet.adjusted(2, 2, -2, -2));
    // heading and text lines
    p.setPen(QPen(QColor(60, 80, 140), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 9.8), QPointF(22, 9.8));
    p.setPen(QPen(QColor(120, 130, 160), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7, 13.5), QPointF(25, 13.5));
    p.drawLine(QPointF(7, 16.5), QPointF(25, 16.5));
    p.drawLine(QPointF(7, 19.5), QPointF(16, 19.5));
    // ribbons and seal
    const QPointF sc(22.5, 22);
    p.setPen(QPen(QColor(110, 10, 10), 0.7));
    p.setBrush(QColor(206, 30, 40));
    QPainterPath r1;
    r1.moveTo(sc + QPointF(-2.5, 2));
    r1.lineTo(sc + QPointF(-4.5, 9));
    r1.lineTo(sc + QPointF(-2, 7.5));
    r1.lineTo(sc + QPointF(-0.5, 9.5));
    r1.lineTo(sc + QPointF(0.5, 3));
    r1.closeSubpath();
    p.drawPath(r1);
    p.drawPath(QTransform().translate(2 * sc.x(), 0).scale(-1, 1).map(r1));
    QRadialGradient seal(sc + QPointF(-1.5, -1.5), 6);
    seal.setColorAt(0, QColor(255, 120, 110));
    seal.setColorAt(1, QColor(190, 20, 30));
    p.setBrush(seal);
    p.drawPath(starPath(sc, 5.6, 4.6).simplified());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 200, 190, 200), 0.7));
    p.drawEllipse(sc, 2.6, 2.6);
}

void paintBtnNews(QPainter &p)
{
    const QPainterPath s = starPath(QPointF(16, 17), 14.5, 6.6);
    QPainterPathStroker st;
    st.setWidth(2.4);
    st.setJoinStyle(Qt::RoundJoin);
    const QPainterPath round = st.createStroke(s).united(s).simplified();
    softShadow(p, round, QPointF(0.5, 1), 1.2, QColor(40, 20, 0, 130));
    QRadialGradient g(QPointF(13, 12), 16);
    g.setColorAt(0, QColor(255, 252, 190));
    g.setColorAt(0.5, QColor(255, 220, 40));
    g.setColorAt(1, QColor(240, 150, 0));
    p.setPen(QPen(QColor(170, 96, 0), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(round);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QPointF(12.5, 12.5), 2.2, 1.6);
}

void paintBtnHome(QPainter &p)
{
    const QColor line(80, 36, 20);
    QPainterPath walls = roundRect(QRectF(7, 15, 18, 13.5), 1);
    QPainterPath roof;
    roof.moveTo(2.5, 16.5);
    roof.lineTo(16, 4);
    roof.lineTo(29.5, 16.5);
    roof.lineTo(26.5, 18);
    roof.lineTo(16, 8.5);
    roof.lineTo(5.5, 18);
    roof.closeSubpath();
    QPainterPath chimney = roundRect(QRectF(21, 5, 3.8, 8), 0.6);
    softShadow(p, walls.united(roof).united(chimney), QPointF(0.5, 1), 1.2, QColor(0, 0, 20, 130));
    p.setPen(QPen(line, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(180, 70, 50));
    p.drawPath(chimney);
    QLinearGradient wall(0, 15, 0, 29);
    wall.setColorAt(0, QColor(255, 248, 226));
    wall.setColorAt(1, QColor(236, 214, 168));
    p.setBrush(wall);
    p.drawPath(walls);
    QLinearGradient rg(0, 4, 0, 18);
    rg.setColorAt(0, QColor(255, 120, 90));
    rg.setColorAt(1, QColor(200, 44, 30));
    p.setBrush(rg);
    p.drawPath(roof);
    // door and window
    QLinearGradient door(0, 19, 0, 28.5);
    door.setColorAt(0, QColor(170, 100, 50));
    door.setColorAt(1, QColor(110, 56, 24));
    p.setBrush(door);
    p.drawPath(roundRect(QRectF(10, 19.5, 5.5, 9), 1));
    p.setBrush(QColor(120, 196, 255));
    p.drawRect(QRectF(18.5, 19, 4.5, 4.5));
    p.setPen(QPen(line, 0.6));
    p.drawLine(QPointF(20.75, 19), QPointF(20.75, 23.5));
    p.drawLine(QPointF(18.5, 21.25), QPointF(23, 21.25));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 120));
    p.drawEllipse(QPointF(14.3, 24.3), 0.6, 0.6);
}

void paintBtnMinimize(QPainter &p)
{
    QPainterPath a;
    a.moveTo(5.6, 1.5);
    a.lineTo(10.4, 1.5);
    a.lineTo(10.4, 7);
    a.lineTo(14, 7);
    a.lineTo(8, 14.2);
    a.lineTo(2, 7);
    a.lineTo(5.6, 7);
    a.closeSubpath();
    softShadow(p, a, QPointF(0.4, 0.7), 0.8, QColor(0, 20, 0, 130));
    QLinearGradient g(0, 1.5, 0, 14.5);
    g.setColorAt(0, QColor(170, 250, 120));
    g.setColorAt(1, QColor(36, 150, 30));
    p.setPen(QPen(QColor(20, 90, 16), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(a);
    p.setPen(QPen(QColor(255, 255, 255, 150), 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6.8, 2.8), QPointF(6.8, 7.5));
}

void paintBtnClose(QPainter &p)
{
    const QPainterPath bar = roundRect(QRectF(-7.6, -2.3, 15.2, 4.6), 1.8);
    const QPainterPath cross = QTransform().translate(8, 8).rotate(45).map(bar).united(
        QTransform().translate(8, 8).rotate(-45).map(bar));
    softShadow(p, cross, QPointF(0.4, 0.7), 0.8, QColor(40, 10, 0, 130));
    QLinearGradient g(0, 1, 0, 15);
    g.setColorAt(0, QColor(255, 196, 100));
    g.setColorAt(1, QColor(236, 108, 0));
    p.setPen(QPen(QColor(140, 56, 0), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(cross);
}

// Two sheets of paper, one over the other: copying the line to share.
void paintBtnCopy(QPainter &p)
{
    const QPainterPath back = roundRect(QRectF(1.5, 1.2, 9.5, 11), 1.6);
    const QPainterPath front = roundRect(QRectF(5.2, 4.6, 9.5, 11), 1.6);
    softShadow(p, back.united(front), QPointF(0.4, 0.7), 0.8, QColor(40, 20, 0, 130));
    p.setPen(QPen(QColor(110, 64, 20), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient g(0, 1, 0, 15);
    g.setColorAt(0, QColor(255, 252, 236));
    g.setColorAt(1, QColor(240, 214, 150));
    p.setBrush(QColor(236, 206, 140));
    p.drawPath(back);
    p.setBrush(g);
    p.drawPath(front);
    p.setPen(QPen(kNavyInk, 0.9, Qt::SolidLine, Qt::RoundCap));
    for (qreal y : {7.8, 10.2, 12.6})
        p.drawLine(QPointF(7.3, y), QPointF(y > 12 ? 10.6 : 12.6, y));
}

// ---------------------------------------------------------------------------
// Letter tiles, 70 × 86 (shown at half size on the board)

struct Letter {
    const char *utf8;
    int value;
};
const Letter kLetters[] = {
    {"A", 1}, {"Á", 1}, {"B", 3}, {"C", 3}, {"D", 4}, {"E", 1}, {"É", 1}, {"F", 2}, {"G", 3},
    {"H", 2}, {"I", 1}, {"J", 2}, {"K", 2}, {"L", 2}, {"M", 2}, {"N", 2}, {"O", 1}, {"Ö", 1},
    {"P", 1}, {"R", 3}, {"S", 2}, {"T", 2}, {"U", 1}, {"Ü", 1}, {"V", 3}, {"Y", 3}, {"Z", 2},
};

const int kTileW = 70, kTileH = 86;
const qreal kTileBaseline = 61;  // letters share one baseline; accents rise above it
const qreal kTileFontPx = 55;

QImage paintTile(const QString &letter, int value, bool selected)
{
    return paintImage(kTileW, kTileH, 1, true, [&](QPainter &p) {
        p.fillRect(QRectF(0, 0, kTileW, kTileH), kTray);
        const QRectF outer(1.5, 1.5, kTileW - 3, kTileH - 3);
        const qreal rad = 11;
        // outer bevel: lit from the top left
        QLinearGradient bevel(outer.topLeft(), outer.bottomRight());
        if (selected) {
            bevel.setColorAt(0, QColor(255, 240, 180));
            bevel.setColorAt(0.5, QColor(250, 170, 50));
            bevel.setColorAt(1, QColor(170, 78, 6));
        } else {
            bevel.setColorAt(0, QColor(255, 255, 250));
            bevel.setColorAt(0.5, QColor(236, 220, 184));
            bevel.setColorAt(1, QColor(160, 128, 80));
        }
        p.setPen(QPen(selected ? QColor(110, 44, 0) : QColor(90, 70, 40), 1.4));
        p.setBrush(bevel);
        p.drawPath(roundRect(outer, rad));
        p.setPen(Qt::NoPen);
        const QRectF face = outer.adjusted(5, 5, -5, -5);
        QLinearGradient fg(face.topLeft(), face.bottomLeft());
        if (selected) {
            fg.setColorAt(0, QColor(255, 214, 92));
            fg.setColorAt(1, QColor(255, 144, 28));
        } else {
            fg.setColorAt(0, QColor(255, 251, 236));
            fg.setColorAt(1, QColor(243, 229, 192));
        }
        p.fillPath(roundRect(face, rad - 4), fg);

        // the letter, centred on its ink, on the shared baseline
        const QFont f = comic(kTileFontPx, true);
        QPainterPath g = textPath(f, letter);
        const qreal dx = face.center().x() - g.boundingRect().center().x() - 2;
        g.translate(dx, kTileBaseline);
        const QColor ink = selected ? QColor(90, 26, 0) : QColor(52, 36, 26);
        p.fillPath(g.translated(1.2, 1.4), selected ? QColor(255, 236, 170, 200)
                                                     : QColor(255, 255, 255, 230));
        p.fillPath(g, ink);

        // point value in the bottom right corner
        const QFont vf = comic(18, true);
        const QPainterPath v = textPath(vf, QString::number(value));
        const QRectF vb = v.boundingRect();
        const QPointF at(face.right() - 3 - vb.right(), face.bottom() - 3 - vb.bottom());
        p.fillPath(v.translated(at), selected ? QColor(130, 50, 0) : QColor(150, 110, 60));
    });
}

// ---------------------------------------------------------------------------
// Output and checks

bool isOpaque(const QImage &img)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

// Every pixel of the (logical) rect must have exactly this colour.
void expectPlain(const QImage &img, int scale, const QRectF &rect, QColor color, const QString &what)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    const QRect px(qRound(rect.left() * scale), qRound(rect.top() * scale),
                   qRound(rect.width() * scale), qRound(rect.height() * scale));
    int bad = 0;
    for (int y = px.top(); y <= px.bottom(); ++y)
        for (int x = px.left(); x <= px.right(); ++x)
            if (a.pixel(x, y) != color.rgba())
                ++bad;
    if (bad)
        fail(QStringLiteral("%1: %2 pixels differ from %3").arg(what).arg(bad).arg(color.name()));
}

// The rect must be calm: no edges or drawings, only smooth shading. Checked
// as the largest difference between neighbouring pixels in any channel.
void expectCalm(const QImage &img, int scale, const QRectF &rect, int tolerance, const QString &what)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    const QRect px(qRound(rect.left() * scale), qRound(rect.top() * scale),
                   qRound(rect.width() * scale), qRound(rect.height() * scale));
    auto diff = [](QRgb u, QRgb v) {
        return std::max({std::abs(qRed(u) - qRed(v)), std::abs(qGreen(u) - qGreen(v)),
                         std::abs(qBlue(u) - qBlue(v))});
    };
    int worst = 0;
    for (int y = px.top(); y <= px.bottom(); ++y)
        for (int x = px.left(); x <= px.right(); ++x) {
            if (x < px.right())
                worst = std::max(worst, diff(a.pixel(x, y), a.pixel(x + 1, y)));
            if (y < px.bottom())
                worst = std::max(worst, diff(a.pixel(x, y), a.pixel(x, y + 1)));
        }
    if (worst > tolerance)
        fail(QStringLiteral("%1: not calm (neighbouring pixels differ by %2)").arg(what).arg(worst));
}

bool save(const QImage &img, const QString &path, const char *format)
{
    QImage out = img;
    if (qstrcmp(format, "BMP") == 0)
        out = img.convertToFormat(QImage::Format_RGB888);
    if (!out.save(path, format)) {
        fail(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    std::printf("wrote %s (%dx%d)\n", qPrintable(path), out.width(), out.height());
    return true;
}

void saveOpaquePng(const QImage &img, const QString &path)
{
    if (!isOpaque(img))
        fail(QStringLiteral("%1 has transparent pixels").arg(path));
    save(img.convertToFormat(QImage::Format_RGB32), path, "PNG");
}

QString at2x(const QString &path)
{
    QString p = path;
    p.insert(p.size() - 4, QStringLiteral("@2x"));
    return p;
}

// ---------------------------------------------------------------------------
// Mock-up of the main window, composed from the written files

void composeMockup(const QString &assets, const QString &outPath)
{
    const QString art = assets + QStringLiteral("/art/");
    const QString ico = assets + QStringLiteral("/Ico/");
    QImage canvas(art + QStringLiteral("main_background.png"));
    if (canvas.isNull()) {
        fail(QStringLiteral("mock-up: no main background"));
        return;
    }
    canvas = canvas.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A board drawn the way the game draws letters: 200-letter pool weights.
    const char *pool = "AAAAAAAAAAAAAAÁÁÁÁÁÁÁÁÁBBBCCDDDEEEEEEEEEEEEEEEEEEEEEEÉÉÉÉÉÉÉFFFGGGGGHHHHIIIIIIIIII"
                       "JJJKKKKKKKKKKLLLLLLLLLLLLLLMMMMMMNNNNNNNNNNOOOOOOOOOOOÖÖÖÖPPPRRRRRRRRSSSSSSSSSSSS"
                       "TTTTTTTTTTTTTTTTTTUUÜVVVVYYYZZZZZZZZZ";
    const QString letters = QString::fromUtf8(pool);
    Rng rng(2026);
    // a selected path: A-L-M-A at column 3..4, rows 27..28 (board coordinates)
    struct Sel {
        int col, row;
        QChar ch;
    };
    const Sel path[] = {{3, 27, QChar('A')}, {4, 27, QChar('L')}, {4, 28, QChar('M')}, {5, 28, QChar('A')}};
    for (int col = 1; col <= 10; ++col)
        for (int row = 25; row <= 33; ++row) {
            QString ch = letters.mid(int(rng.next() % quint32(letters.size())), 1);
            bool selected = false;
            for (const Sel &s : path)
                if (s.col == col && s.row == row) {
                    ch = s.ch;
                    selected = true;
                }
            if (col == 9 && row == 25)
                continue;  // one emptied cell, to see the tray
            QImage tile(ico + (selected ? "a" : "n") + ch + ".bmp");
            if (tile.isNull()) {
                fail(QStringLiteral("mock-up: missing tile %1").arg(ch));
                continue;
            }
            p.drawImage(QRectF(300 + (col - 1) * 35, 63 + (row - 25) * 43, 35, 43), tile);
        }
    const struct {
        const char *name;
        int x, y, off;
    } buttons[] = {{"btn_new", 364, 12, 2},  {"btn_stop", 408, 12, 2},    {"btn_top10", 444, 12, 2},
                   {"btn_about", 488, 12, 2}, {"btn_news", 524, 12, 2},    {"btn_home", 560, 12, 2},
                   {"btn_minimize", 608, 12, 4}, {"btn_close", 632, 12, 4}};
    for (const auto &b : buttons) {
        QImage img(art + b.name + ".png");
        if (img.isNull())
            fail(QStringLiteral("mock-up: missing %1").arg(b.name));
        p.drawImage(QPointF(b.x + b.off, b.y + b.off), img);
    }
    // the two text lines as the window draws them
    QFont f = comic(16, true);
    p.setFont(f);
    p.setPen(QColor(255, 255, 0));
    p.drawText(kWordBand, Qt::AlignCenter, QStringLiteral("ALMA (24)"));
    f.setWeight(QFont::Normal);
    p.setFont(f);
    p.drawText(kScoreBand, Qt::AlignCenter, QString::fromUtf8("Eredmény: 125 pont"));
    p.end();
    save(canvas, outPath, "PNG");

    const QString stem = outPath.endsWith(QLatin1String(".png")) ? outPath.chopped(4) : outPath;
    const QImage cross(art + QStringLiteral("btn_close.png"));

    // about window: version text and close button
    QImage about(art + QStringLiteral("about_background.png"));
    if (!about.isNull()) {
        about = about.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter q(&about);
        q.setRenderHint(QPainter::TextAntialiasing);
        q.setFont(comic(15, true));
        q.setPen(QColor(255, 255, 0));
        q.drawText(kVersionArea, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("V2.2.0.33"));
        q.drawImage(QPointF(kAboutClose.left() + 4, kAboutClose.top() + 4), cross);
        q.end();
        save(about, stem + QStringLiteral("-about.png"), "PNG");
    }

    // top-ten window: ten rows, one of them open for a name
    QImage top(art + QStringLiteral("top10_background.png"));
    if (!top.isNull()) {
        top = top.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter q(&top);
        q.setRenderHint(QPainter::TextAntialiasing);
        QFont rf = comic(12, true);
        q.setFont(rf);
        const char *names[] = {"Panni", "Bence", "Gurdala", "Zsófi", "Ödön",
                               "Gurdala", "Réka", "Ábel", "Gurdala", "Gurdala"};
        for (int n = 1; n <= 10; ++n) {
            const int y = 108 + 20 * (n - 1);
            q.setPen(n == 4 ? QColor(255, 0, 0) : QColor(0, 0, 0));
            q.drawText(QPointF(80, y + 12), QStringLiteral("%1.").arg(n));
            q.drawText(QPointF(104, y + 12), QStringLiteral("%1").arg(1200 - n * 97, 10));
            q.drawText(QPointF(174, y + 13), QString::fromUtf8(names[n - 1]));
        }
        q.drawImage(QPointF(259 + 4, 16 + 4), cross);
        q.end();
        save(top, stem + QStringLiteral("-top10.png"), "PNG");
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() < 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: %s <assets-dir> [--mockup <file.png>]\n", argv[0]);
        return 2;
    }
    const QString assets = QDir(args.at(1)).absolutePath();
    QString mockup;
    for (int i = 2; i + 1 < args.size(); ++i)
        if (args.at(i) == QLatin1String("--mockup"))
            mockup = args.at(i + 1);

    for (const char *name : {"ComicNeue-Regular.otf", "ComicNeue-Bold.otf"}) {
        const QString path = assets + QStringLiteral("/fonts/") + QLatin1String(name);
        const int id = QFontDatabase::addApplicationFont(path);
        if (id < 0) {
            std::fprintf(stderr, "cannot load font %s\n", qPrintable(path));
            return 1;
        }
        gFamily = QFontDatabase::applicationFontFamilies(id).value(0);
    }

    const QString artDir = assets + QStringLiteral("/art");
    const QString icoDir = assets + QStringLiteral("/Ico");
    QDir().mkpath(artDir);
    QDir().mkpath(icoDir);

    // Window backgrounds
    for (int scale : {1, 2}) {
        auto name = [&](const char *base) {
            const QString p = artDir + QLatin1Char('/') + QLatin1String(base) + QStringLiteral(".png");
            return scale == 1 ? p : at2x(p);
        };
        const QImage main = paintImage(670, 480, scale, true, paintMainBackground);
        expectPlain(main, scale, kBoard, kTray, QStringLiteral("main: board area"));
        expectCalm(main, scale, kButtonStrip, 4, QStringLiteral("main: button strip"));
        saveOpaquePng(main, name("main_background"));

        const QImage about = paintImage(367, 300, scale, true, paintAboutBackground);
        expectCalm(about, scale, kVersionArea, 4, QStringLiteral("about: version area"));
        expectCalm(about, scale, kAboutClose, 4, QStringLiteral("about: close button corner"));
        saveOpaquePng(about, name("about_background"));

        const QImage top = paintImage(300, 375, scale, true,
                                      [scale](QPainter &p) { paintTopTenBackground(p, scale); });
        expectPlain(top, scale, kTopTenRows, kTopTenBlue, QStringLiteral("top10: table area"));
        expectCalm(top, scale, kTopTenClosePicture, 12, QStringLiteral("top10: close button"));
        saveOpaquePng(top, name("top10_background"));

        const QImage words = paintImage(440, 380, scale, true,
                                        [scale](QPainter &p) { paintWordsBackground(p, scale); });
        expectCalm(words, scale, kWordsClosePicture, 12, QStringLiteral("words: close button"));
        saveOpaquePng(words, name("szavak_background"));

        const QImage stats = paintImage(600, 440, scale, true,
                                        [scale](QPainter &p) { paintStatisticsBackground(p, scale); });
        expectCalm(stats, scale, kStatsClosePicture, 12, QStringLiteral("statistics: close button"));
        expectCalm(stats, scale, kStatsCopyPicture, 12, QStringLiteral("statistics: copy button"));
        saveOpaquePng(stats, name("statisztika_background"));

        const struct {
            const char *name;
            int size;
            void (*fn)(QPainter &);
        } buttons[] = {
            {"btn_new", 32, paintBtnNew},       {"btn_stop", 32, paintBtnStop},
            {"btn_top10", 32, paintBtnTop10},   {"btn_about", 32, paintBtnAbout},
            {"btn_news", 32, paintBtnNews},     {"btn_home", 32, paintBtnHome},
            {"btn_minimize", 16, paintBtnMinimize}, {"btn_close", 16, paintBtnClose},
            {"btn_copy", 16, paintBtnCopy},
        };
        for (const auto &b : buttons) {
            const QImage img = paintImage(b.size, b.size, scale, false, b.fn);
            save(img.convertToFormat(QImage::Format_ARGB32), name(b.name), "PNG");
        }
    }

    // Letter tiles. The letter must stay well inside the tile face, accents too.
    for (const Letter &l : kLetters) {
        const QString letter = QString::fromUtf8(l.utf8);
        const QFont f = comic(kTileFontPx, true);
        const QRectF ink = textPath(f, letter).boundingRect().translated(0, kTileBaseline);
        if (ink.top() < 10 || ink.bottom() > kTileH - 20)
            fail(QStringLiteral("tile %1: letter leaves the face (%2..%3)")
                     .arg(letter)
                     .arg(ink.top())
                     .arg(ink.bottom()));
        for (bool selected : {false, true}) {
            const QImage tile = paintTile(letter, l.value, selected);
            save(tile, icoDir + QLatin1Char('/') + (selected ? QLatin1Char('a') : QLatin1Char('n')) +
                           letter + QStringLiteral(".bmp"),
                 "BMP");
        }
    }

    if (!mockup.isEmpty())
        composeMockup(assets, mockup);

    if (gFailures) {
        std::fprintf(stderr, "%d check(s) failed\n", gFailures);
        return 1;
    }
    std::printf("all pictures written and checked\n");
    return 0;
}
