// Draws the program's own pictures (placeholder, background, logo and icon, splash picture) into
// resources/images. They are drawn from primitives here, so the artwork is ours and can be
// redrawn at any size; the PNG files are committed and compiled into the program.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>

namespace {

const QColor kVioleta(0x33, 0x33, 0x99);  // the help headings' blue-violet
const QColor kNoche(0x16, 0x1C, 0x44);
const QColor kOro(0xC9, 0xA2, 0x4A);
const QColor kOroClaro(0xF0, 0xD9, 0x9A);
const QColor kMarfil(0xF6, 0xEE, 0xD8);

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// One eighth note (or a pair joined by a beam) with its head centred at `head`.
void drawNote(QPainter& p, QPointF head, qreal size, const QColor& c, bool flag = true) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.translate(head);
    p.rotate(-22);
    p.drawEllipse(QRectF(-size * 0.62, -size * 0.42, size * 1.24, size * 0.84));
    p.restore();
    const qreal sx = head.x() + size * 0.52, top = head.y() - size * 3.1;
    p.setPen(QPen(c, qMax(1.0, size * 0.13), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(sx, head.y() - size * 0.15), QPointF(sx, top));
    if (!flag) return;
    QPainterPath f;
    f.moveTo(sx, top);
    f.cubicTo(sx + size * 0.2, top + size * 0.9, sx + size * 1.3, top + size * 1.1, sx + size * 0.8,
              top + size * 2.2);
    f.cubicTo(sx + size * 1.0, top + size * 1.4, sx + size * 0.4, top + size * 1.2, sx,
              top + size * 1.0);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(f);
}

void drawBeamedPair(QPainter& p, QPointF a, QPointF b, qreal size, const QColor& c) {
    drawNote(p, a, size, c, false);
    drawNote(p, b, size, c, false);
    const qreal ax = a.x() + size * 0.52, bx = b.x() + size * 0.52;
    const qreal at = a.y() - size * 3.1, bt = b.y() - size * 3.1, t = size * 0.55;
    QPainterPath beam;
    beam.moveTo(ax - size * 0.07, at);
    beam.lineTo(bx + size * 0.07, bt);
    beam.lineTo(bx + size * 0.07, bt + t);
    beam.lineTo(ax - size * 0.07, at + t);
    beam.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(beam);
}

// Five lines following a gentle wave across the picture.
void drawWavyStaff(QPainter& p, qreal w, qreal y0, qreal amp, qreal gap, qreal phase,
                   const QPen& pen) {
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int l = 0; l < 5; ++l) {
        QPainterPath path;
        for (int x = -10; x <= int(w) + 10; x += 6) {
            const qreal y = y0 + l * gap + amp * qSin(x / w * 2.2 * M_PI + phase);
            if (x == -10)
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        p.drawPath(path);
    }
}

// The violin, upright, centred on the origin, about 330 units tall.
void drawViolin(QPainter& p, const QColor& wood, const QColor& dark) {
    QPainterPath body;
    // Right half from the neck joint down to the end pin, mirrored for the left half.
    auto half = [](QPainterPath& path, qreal s) {
        path.cubicTo(s * 28, -84, s * 52, -80, s * 54, -52);
        path.cubicTo(s * 56, -30, s * 34, -26, s * 32, -8);
        path.cubicTo(s * 30, 8, s * 66, 14, s * 64, 54);
        path.cubicTo(s * 62, 92, s * 30, 104, 0, 104);
    };
    body.moveTo(0, -86);
    half(body, 1);
    QPainterPath left;
    left.moveTo(0, -86);
    half(left, -1);
    body.addPath(left);
    body.setFillRule(Qt::WindingFill);
    QPainterPath filled;
    filled = body.simplified();

    QLinearGradient g(-60, -90, 60, 100);
    g.setColorAt(0, wood.lighter(135));
    g.setColorAt(0.5, wood);
    g.setColorAt(1, wood.darker(140));
    p.setPen(QPen(dark, 3));
    p.setBrush(g);
    p.drawPath(filled);

    // Neck, fingerboard and the scroll.
    p.setBrush(dark);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(-7, -190, 14, 150), 5, 5);
    p.drawEllipse(QPointF(0, -200), 13, 15);
    p.setBrush(wood.lighter(120));
    p.drawEllipse(QPointF(2, -202), 6, 7);
    p.setPen(QPen(dark, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-14, -176), QPointF(-20, -178));
    p.drawLine(QPointF(14, -168), QPointF(20, -170));
    // f-holes.
    p.setPen(QPen(dark, 3.2, Qt::SolidLine, Qt::RoundCap));
    for (int s : {-1, 1}) {
        QPainterPath f;
        f.moveTo(s * 22, -22);
        f.cubicTo(s * 12, -6, s * 32, 22, s * 20, 40);
        p.drawPath(f);
    }
    // Bridge, tailpiece and strings.
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawRoundedRect(QRectF(-18, 10, 36, 5), 2, 2);
    QPainterPath tail;
    tail.moveTo(-10, 48);
    tail.lineTo(10, 48);
    tail.lineTo(6, 96);
    tail.lineTo(-6, 96);
    tail.closeSubpath();
    p.drawPath(tail);
    p.setPen(QPen(kMarfil, 0.9));
    for (int i = 0; i < 4; ++i) {
        const qreal x = -4.5 + i * 3;
        p.drawLine(QPointF(x * 0.8, -186), QPointF(x, 50));
    }
}

QImage placeholder() {
    const int s = 200;
    QImage img = canvas(s, s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, s);
    bg.setColorAt(0, QColor(0xEC, 0xEC, 0xEE));
    bg.setColorAt(1, QColor(0xD2, 0xD3, 0xD8));
    p.fillRect(img.rect(), bg);
    p.setPen(QPen(QColor(0xB4, 0xB6, 0xC0), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(8, 8, s - 16, s - 16), 10, 10);
    const QColor ink(0x8E, 0x90, 0xA4);
    for (int l = 0; l < 5; ++l) {
        p.setPen(QPen(ink.lighter(118), 2));
        p.drawLine(QPointF(26, 78 + l * 14), QPointF(s - 26, 78 + l * 14));
    }
    drawBeamedPair(p, QPointF(74, 134), QPointF(124, 120), 16, ink);
    return img;
}

QImage background() {
    const int w = 688, h = 542;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, w, h);
    bg.setColorAt(0, QColor(0xEC, 0xEF, 0xF5));
    bg.setColorAt(0.55, QColor(0xD9, 0xDF, 0xEB));
    bg.setColorAt(1, QColor(0xC4, 0xCD, 0xDF));
    p.fillRect(img.rect(), bg);
    drawWavyStaff(p, w, 70, 26, 11, 0.4, QPen(QColor(255, 255, 255, 150), 1.3));
    drawWavyStaff(p, w, 330, 34, 12, 2.1, QPen(QColor(255, 255, 255, 120), 1.3));
    drawWavyStaff(p, w, 460, 18, 9, 4.0, QPen(QColor(0x33, 0x33, 0x99, 26), 1.1));
    const QColor note(0x33, 0x33, 0x99, 34);
    drawNote(p, QPointF(120, 104), 12, note);
    drawBeamedPair(p, QPointF(430, 110), QPointF(468, 100), 12, note);
    drawNote(p, QPointF(600, 360), 13, note);
    drawBeamedPair(p, QPointF(210, 378), QPointF(250, 368), 13, note);
    QRadialGradient glow(QPointF(w * 0.3, h * 0.25), w * 0.7);
    glow.setColorAt(0, QColor(255, 255, 255, 60));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(img.rect(), glow);
    return img;
}

// The logo, drawn on a 256-pixel square and scaled to `side`. It is also the program's icon: at
// 256 pixels the logo itself, smaller sizes drawn from the shapes rather than shrunk from it.
QImage logo(int side = 256) {
    const int s = 256;
    QImage img = canvas(side, side);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / qreal(s), side / qreal(s));
    const QPointF c(s / 2.0, s / 2.0);
    QRadialGradient disc(c - QPointF(30, 40), s * 0.62);
    disc.setColorAt(0, QColor(0x55, 0x55, 0xC2));
    disc.setColorAt(0.6, kVioleta);
    disc.setColorAt(1, kNoche);
    QLinearGradient ring(0, 0, s, s);
    ring.setColorAt(0, kOroClaro);
    ring.setColorAt(0.5, kOro);
    ring.setColorAt(1, kOroClaro.darker(130));
    p.setPen(QPen(QBrush(ring), 9));
    p.setBrush(disc);
    p.drawEllipse(c, s / 2.0 - 7, s / 2.0 - 7);
    p.setPen(QPen(QColor(0xF0, 0xD9, 0x9A, 110), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, s / 2.0 - 17, s / 2.0 - 17);

    // A staff arcing behind the violin.
    p.save();
    p.setClipRegion(QRegion(QRect(17, 17, s - 34, s - 34), QRegion::Ellipse));
    for (int l = 0; l < 5; ++l) {
        QPainterPath arc;
        const qreal y = 150 + l * 9;
        arc.moveTo(0, y + 40);
        arc.cubicTo(70, y - 40, 180, y - 40, s, y + 20);
        p.setPen(QPen(QColor(0xF0, 0xD9, 0x9A, 120), 1.6));
        p.drawPath(arc);
    }
    drawNote(p, QPointF(58, 170), 9, kOroClaro);
    drawNote(p, QPointF(200, 150), 9, kOroClaro);
    p.restore();

    p.save();
    p.translate(c + QPointF(4, 14));
    p.rotate(-28);
    p.scale(0.62, 0.62);
    drawViolin(p, QColor(0xC8, 0x7A, 0x2E), QColor(0x2A, 0x17, 0x0C));
    p.restore();
    return img;
}

// The splash's large picture: an organ front in a concert hall under a warm light.
QImage orchestra() {
    const int w = 774, h = 300;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x0E, 0x12, 0x30));
    sky.setColorAt(0.7, QColor(0x2A, 0x2C, 0x6A));
    sky.setColorAt(1, QColor(0x3A, 0x24, 0x3C));
    p.fillRect(img.rect(), sky);
    QRadialGradient light(QPointF(w / 2.0, 60), 360);
    light.setColorAt(0, QColor(0xF6, 0xDC, 0x96, 150));
    light.setColorAt(0.5, QColor(0xF6, 0xDC, 0x96, 40));
    light.setColorAt(1, QColor(0xF6, 0xDC, 0x96, 0));
    p.fillRect(img.rect(), light);

    // The hall's arches.
    p.setPen(QPen(QColor(0xF0, 0xD9, 0x9A, 60), 2));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal inset = 40 + i * 26;
        p.drawArc(QRectF(inset, 20 + i * 14, w - 2 * inset, 520), 0, 180 * 16);
    }

    // Pipes: three towers, the tallest in the middle, each pipe with its foot and mouth.
    const qreal floor = 236, pipeW = 15, pitch = 19;
    auto pipe = [&](qreal x, qreal height) {
        const qreal top = floor - height;
        QLinearGradient metal(x, 0, x + pipeW, 0);
        metal.setColorAt(0, QColor(0x6C, 0x72, 0x7E));
        metal.setColorAt(0.45, QColor(0xF2, 0xF4, 0xF7));
        metal.setColorAt(1, QColor(0x5E, 0x63, 0x6E));
        p.setPen(QPen(QColor(0x2A, 0x2E, 0x3A), 0.8));
        p.setBrush(metal);
        p.drawRoundedRect(QRectF(x, top, pipeW, height - 26), 3, 3);
        QPainterPath foot;
        foot.moveTo(x, floor - 26);
        foot.lineTo(x + pipeW, floor - 26);
        foot.lineTo(x + pipeW / 2 + 2, floor);
        foot.lineTo(x + pipeW / 2 - 2, floor);
        foot.closeSubpath();
        p.drawPath(foot);
        p.setBrush(QColor(0x1A, 0x1C, 0x26));
        p.drawEllipse(QRectF(x + 3.5, floor - 40, pipeW - 7, 7));
    };
    const int n = 33;
    const qreal x0 = (w - (n - 1) * pitch - pipeW) / 2.0;
    for (int i = 0; i < n; ++i) {
        const qreal t = qAbs(i - (n - 1) / 2.0) / ((n - 1) / 2.0);
        // Towers at the middle and the ends, flats between them.
        const qreal towers = 0.55 + 0.45 * qCos(t * 2 * M_PI);
        pipe(x0 + i * pitch, 70 + 140 * towers * (1 - 0.35 * t));
    }
    // The case: dark wood with a gilded rail.
    QLinearGradient wood(0, floor, 0, h);
    wood.setColorAt(0, QColor(0x5A, 0x30, 0x18));
    wood.setColorAt(1, QColor(0x24, 0x12, 0x0A));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRect(QRectF(x0 - 20, floor, (n - 1) * pitch + pipeW + 40, h - floor));
    p.setBrush(kOro);
    p.drawRect(QRectF(x0 - 24, floor - 3, (n - 1) * pitch + pipeW + 48, 7));
    p.setPen(QPen(QColor(0xC9, 0xA2, 0x4A, 140), 1.2));
    for (int i = 0; i < 8; ++i) {
        const qreal px = x0 + i * ((n - 1) * pitch + pipeW) / 7.0;
        p.drawLine(QPointF(px, floor + 14), QPointF(px, h - 10));
    }

    // Music rising from the organ.
    drawWavyStaff(p, w, 40, 16, 8, 1.0, QPen(QColor(0xF0, 0xD9, 0x9A, 90), 1.2));
    drawNote(p, QPointF(110, 66), 10, QColor(0xF0, 0xD9, 0x9A, 200));
    drawBeamedPair(p, QPointF(640, 58), QPointF(676, 50), 10, QColor(0xF0, 0xD9, 0x9A, 200));
    drawNote(p, QPointF(190, 44), 9, QColor(0xF0, 0xD9, 0x9A, 160));
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    const struct {
        const char* name;
        QImage image;
    } pictures[] = {{"placeholder.png", placeholder()},
                    {"fondo.png", background()},
                    {"logo.png", logo()},
                    {"orquesta.png", orchestra()},
                    {"icono-48.png", logo(48)},
                    {"icono-128.png", logo(128)}};
    for (const auto& pic : pictures) {
        const QString path = out + QLatin1Char('/') + QLatin1String(pic.name);
        if (!pic.image.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
