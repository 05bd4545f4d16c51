#include "info/help_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QTabBar>
#include <algorithm>
#include <memory>

#include "info/help_font.h"
#include "shell/windowing/context.h"
#include "shell/windowing/navigation.h"
#include "shell/windowing/screen.h"

namespace {

const QColor kInk(0x33, 0x33, 0x99);        // the headings' blue-violet
const QColor kLabel(0xFF, 0xFF, 0xC0);      // the counters' light yellow
const QColor kBackdrop(0xE4, 0xE6, 0xEE);   // behind the miniature
const QColor kLabelText(0x1A, 0x1A, 0x40);  // label captions

// Where a widget lies inside `root`, or an empty rectangle when it would not be seen.
QRectF partRect(QWidget* w, QWidget* root) {
    if (!w || !w->isVisibleTo(root) || w->width() <= 0 || w->height() <= 0) return {};
    return QRectF(QRect(w->mapTo(root, QPoint(0, 0)), w->size()).intersected(root->rect()));
}

// The rectangle of a note's target on `root`, trying each alternative name in turn.
QRectF findTarget(const QString& target, QWidget* root) {
    for (const QString& alt : target.split(QLatin1Char('|'))) {
        const int hash = alt.indexOf(QLatin1Char('#'));
        if (hash >= 0) {
            auto* bar = root->findChild<QTabBar*>(alt.left(hash));
            const int index = alt.mid(hash + 1).toInt();
            if (!bar || index < 0 || index >= bar->count() || partRect(bar, root).isEmpty())
                continue;
            const QRect tab = bar->tabRect(index);
            return QRectF(QRect(bar->mapTo(root, tab.topLeft()), tab.size()))
                .intersected(QRectF(root->rect()));
        }
        QRectF r = partRect(root->findChild<QWidget*>(alt), root);
        if (!r.isEmpty()) return r;
    }
    return {};
}

struct PlacedLabel {
    QRectF box;
    QPointF from, to;
    QRectF target;
    QString text;
};

// Places the labels of one band (above or below the miniature) in rows, each as near as it can
// to its part, moving along a row or out to the next row when it would overlap another.
void placeBand(QVector<PlacedLabel>& band, const QFontMetricsF& fm, const QRectF& mini, qreal width,
               bool above) {
    std::sort(band.begin(), band.end(), [](const PlacedLabel& a, const PlacedLabel& b) {
        return a.target.center().x() < b.target.center().x();
    });
    const qreal margin = 4, gap = 4, lh = fm.height() + 5, rowH = lh + 5;
    QVector<qreal> rowRight;
    for (PlacedLabel& l : band) {
        const qreal lw = std::min(fm.horizontalAdvance(l.text) + 10, width - 2 * margin);
        const qreal want = std::clamp(l.target.center().x() - lw / 2, margin, width - margin - lw);
        int row = 0;
        qreal x = want;
        for (;; ++row) {
            if (row == rowRight.size()) {
                rowRight.push_back(margin - gap);
                x = want;
                break;
            }
            x = std::max(want, rowRight[row] + gap);
            if (x + lw <= width - margin) break;
        }
        rowRight[row] = x + lw;
        const qreal y = above ? mini.top() - 8 - (row + 1) * rowH + (rowH - lh)
                              : mini.bottom() + 8 + row * rowH;
        l.box = QRectF(x, y, lw, lh);
        const qreal ax = std::clamp(l.target.center().x(), l.box.left() + 6, l.box.right() - 6);
        l.from = QPointF(ax, above ? l.box.bottom() : l.box.top());
        l.to = QPointF(std::clamp(ax, l.target.left() + 2, l.target.right() - 2),
                       above ? l.target.top() : l.target.bottom());
    }
}

}  // namespace

namespace help {

QImage renderShot(Context& ctx, const HelpShot& shot, QVector<HelpPart>* parts) {
    if (shot.screen < 0 || !ctx.createScreen) return {};
    // Built without a parent and never shown: only drawn into a picture, then discarded.
    std::unique_ptr<Screen> screen(ctx.createScreen(shot.screen, nullptr));
    if (!screen) return {};
    screen->setAttribute(Qt::WA_DontShowOnScreen);
    screen->ensurePolished();
    const QImage own = screen->grab().toImage();
    QWidget* panel = shot.withPanel ? dynamic_cast<QWidget*>(ctx.nav) : nullptr;
    const QImage side = panel ? panel->grab().toImage() : QImage();

    QImage out(own.width() + side.width(), std::max(own.height(), side.height()),
               QImage::Format_ARGB32_Premultiplied);
    out.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&out);
    p.drawImage(0, 0, own);
    if (!side.isNull()) p.drawImage(own.width(), 0, side);
    p.end();

    if (parts) {
        parts->clear();
        for (const HelpNote& n : shot.notes) {
            const QString target = QString::fromUtf8(n.target);
            QRectF r = findTarget(target, screen.get());
            if (r.isEmpty() && panel) r = findTarget(target, panel).translated(own.width(), 0);
            if (!r.isEmpty()) parts->push_back({r, QString::fromUtf8(n.label)});
        }
    }
    return out;
}

QImage annotate(const QImage& shot, const QVector<HelpPart>& parts, QSize size) {
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(kBackdrop);
    if (shot.isNull() || size.isEmpty()) return out;
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QFont font = helpFont(7.5);
    const QFontMetricsF fm(font);
    const qreal band = 3 * (fm.height() + 10) + 10;
    const qreal scale = std::min(
        {(size.width() - 12.0) / shot.width(), (size.height() - 2 * band) / shot.height(), 1.0});
    const QSizeF ms(shot.width() * scale, shot.height() * scale);
    const QRectF mini(QPointF((size.width() - ms.width()) / 2, (size.height() - ms.height()) / 2),
                      ms);

    // The miniature with a soft shadow and a thin frame.
    p.fillRect(mini.translated(3, 3), QColor(0, 0, 0, 50));
    p.drawImage(mini, shot);
    p.setPen(QPen(QColor(0x40, 0x40, 0x50), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(mini);

    QVector<PlacedLabel> above, below;
    for (const HelpPart& part : parts) {
        PlacedLabel l;
        l.target =
            QRectF(mini.left() + part.rect.left() * scale, mini.top() + part.rect.top() * scale,
                   part.rect.width() * scale, part.rect.height() * scale);
        l.text = part.label;
        (l.target.center().y() < mini.center().y() ? above : below).push_back(l);
    }
    placeBand(above, fm, mini, size.width(), true);
    placeBand(below, fm, mini, size.width(), false);

    const QVector<PlacedLabel> all = above + below;
    p.setPen(QPen(kInk, 2));
    p.setBrush(QColor(0x33, 0x33, 0x99, 36));
    for (const PlacedLabel& l : all) p.drawRoundedRect(l.target.adjusted(-1, -1, 1, 1), 2, 2);
    for (const PlacedLabel& l : all) {
        p.setPen(QPen(kInk, 1.2));
        p.drawLine(l.from, l.to);
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawEllipse(l.to, 2.2, 2.2);
    }
    p.setFont(font);
    for (const PlacedLabel& l : all) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kLabel);
        p.drawRoundedRect(l.box, 4, 4);
        p.setPen(kLabelText);
        p.drawText(l.box, Qt::AlignCenter, fm.elidedText(l.text, Qt::ElideRight, l.box.width()));
    }
    return out;
}

}  // namespace help

HelpPicture::HelpPicture(Context& ctx, HelpShot shot, QWidget* parent)
    : QWidget(parent), ctx_(ctx), shot_(std::move(shot)) {
    setObjectName(QStringLiteral("ImagenAyuda"));
}

void HelpPicture::compose() {
    composed_ = true;
    const QImage shot = help::renderShot(ctx_, shot_, &parts_);
    image_ = help::annotate(shot, parts_, size());
    update();
}

QStringList HelpPicture::shownLabels() const {
    QStringList out;
    for (const HelpPart& p : parts_) out << p.label;
    return out;
}

void HelpPicture::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (composed_ || pending_) return;
    pending_ = true;
    // After the screen switch has finished, never inside it.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!composed_) compose();
        },
        Qt::QueuedConnection);
}

void HelpPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_.isNull())
        p.fillRect(rect(), kBackdrop);
    else
        p.drawImage(rect(), image_);
}
