#include "listing/printout.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QTextLayout>

namespace {

QFont sized(qreal points, bool bold, QPaintDevice* device) {
    QFont f(QFont(), device);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

}  // namespace

Printout::Printout(QPagedPaintDevice& device) : device_(device) {}

bool Printout::begin() {
    // At least 15 mm on every side, and never inside the edge a printer cannot reach.
    QPageLayout layout = device_.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    layout.setMargins(QMarginsF(qMax(kMargin, least.left()), qMax(kMargin, least.top()),
                                qMax(kMargin, least.right()), qMax(kMargin, least.bottom())));
    device_.setPageLayout(layout);
    if (!painter_.begin(&device_)) return false;
    body_ = sized(10, false, &device_);
    bold_ = sized(10, true, &device_);
    title_ = sized(14, true, &device_);
    foot_ = sized(9, false, &device_);
    width_ = device_.width();
    // The foot line keeps two lines of the page for itself.
    bottom_ = device_.height() - 2 * lineHeight(foot_);
    gap_ = lineHeight(body_) / 2;
    pictureSide_ = device_.logicalDpiY();  // one inch
    startPage();
    return true;
}

qreal Printout::lineHeight(const QFont& font) const {
    return QFontMetricsF(font, &device_).lineSpacing();
}

void Printout::startPage() {
    if (page_ > 0) device_.newPage();
    ++page_;
    y_ = 0;
    painter_.setFont(foot_);
    painter_.setPen(Qt::black);
    const qreal h = lineHeight(foot_);
    painter_.drawText(QRectF(0, device_.height() - h, width_, h),
                      Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Página %1").arg(page_));
}

void Printout::room(qreal height) {
    if (y_ > 0 && y_ + height > bottom_) startPage();
}

void Printout::paragraph(const QString& caption, const QString& text, const QFont& font) {
    QString body = text;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), '\n');
    body.replace(QLatin1Char('\n'), QChar::LineSeparator);
    const QString head = caption.isEmpty() ? QString() : caption + QStringLiteral(":  ");
    QTextLayout layout(head + body, font, &device_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    if (!head.isEmpty()) {
        QTextLayout::FormatRange bold;
        bold.start = 0;
        bold.length = int(head.size());
        bold.format.setFontWeight(QFont::Bold);
        layout.setFormats({bold});
    }
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(width_);
    layout.endLayout();
    painter_.setPen(Qt::black);
    for (int i = 0; i < layout.lineCount(); ++i) {
        QTextLine line = layout.lineAt(i);
        room(line.height());
        // Each line is drawn where the cursor stands, whatever page it falls on.
        line.draw(&painter_, QPointF(0, y_ - line.y()));
        y_ += line.height();
    }
}

void Printout::heading(const QString& title, const QVector<Line>& lines) {
    paragraph(QString(), title, title_);
    y_ += gap_;
    for (const Line& l : lines) paragraph(l.caption, l.text, body_);
    y_ += gap_;
}

void Printout::record(const QString& number, const QImage& picture, const QVector<Line>& fields) {
    const qreal numberLine = lineHeight(bold_);
    // The rule, the number, the picture and the first field line stay together on one page, so
    // a record never starts with its picture alone at the foot of a page.
    room(gap_ + numberLine + (picture.isNull() ? 0 : pictureSide_ + gap_) +
         (fields.isEmpty() ? 0 : lineHeight(body_)));
    y_ += gap_ / 2;
    painter_.setPen(QPen(Qt::gray, 0));
    painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
    y_ += gap_ / 2;
    paragraph(QString(), number, bold_);
    if (!picture.isNull()) {
        QSizeF s = QSizeF(picture.size()).scaled(pictureSide_, pictureSide_, Qt::KeepAspectRatio);
        QRectF r(0, y_ + (pictureSide_ - s.height()) / 2, s.width(), s.height());
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
        painter_.drawImage(r, picture);
        y_ += pictureSide_ + gap_;
    }
    for (const Line& f : fields) paragraph(f.caption, f.text, body_);
}

int Printout::end() {
    if (painter_.isActive()) painter_.end();
    return page_;
}
