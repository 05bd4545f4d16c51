#include "shell/windowing/picture_box.h"

#include <QCache>
#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "shell/windowing/keyboard.h"
#include "shell/windowing/twips.h"

namespace {

struct Thumb {
    QImage image;
    QSize declared;
    QDateTime modified;
    qint64 size;
};

QCache<QString, Thumb>& cache() {
    // Cost in kilobytes: about 64 MB of thumbnails.
    static QCache<QString, Thumb> c(64 * 1024);
    return c;
}

}  // namespace

PictureBox::PictureBox(QWidget* parent, const QString& name) : QWidget(parent) {
    if (!name.isEmpty()) setObjectName(name);
    setAttribute(Qt::WA_TranslucentBackground);
}

void PictureBox::setStretch(bool on) {
    stretch_ = on;
    update();
}

QImage PictureBox::readPicture(const QString& path, QSize* declared) {
    QFileInfo info(path);
    if (!info.isFile()) throw PictureError("no existe el archivo");
    if (info.size() == 0) throw PictureError("archivo vacío");
    if (Thumb* t = cache().object(path)) {
        if (t->modified == info.lastModified() && t->size == info.size()) {
            *declared = t->declared;
            return t->image;
        }
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) throw PictureError("no es una imagen");
    QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) throw PictureError("imagen sin tamaño");
    if (qint64(size.width()) * size.height() > kMaxPixels)
        throw PictureError("imagen demasiado grande");
    int longer = qMax(size.width(), size.height());
    if (longer > kThumbnailSide && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(size.scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio));
    QImage img = reader.read();
    if (img.isNull()) throw PictureError("imagen dañada");
    if (qMax(img.width(), img.height()) > kThumbnailSide)
        img = img.scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio,
                         Qt::SmoothTransformation);
    *declared = size;
    auto* t = new Thumb{img, size, info.lastModified(), info.size()};
    cache().insert(path, t, qMax<qsizetype>(1, img.sizeInBytes() / 1024));
    return img;
}

void PictureBox::LoadPicture(const QString& path) {
    if (path.isEmpty()) {
        clearPicture();
        return;
    }
    QSize declared;
    QImage img = readPicture(path, &declared);
    image_ = img;
    natural_ = QSizeF(declared.width() * twips::kPerPixel, declared.height() * twips::kPerPixel);
    if (!stretch_) twips::resize(this, float(natural_.width()), float(natural_.height()));
    update();
}

void PictureBox::setImage(const QImage& image) {
    image_ = image;
    natural_ = QSizeF(image.width() * twips::kPerPixel, image.height() * twips::kPerPixel);
    if (!stretch_ && !image.isNull())
        twips::resize(this, float(natural_.width()), float(natural_.height()));
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_) {
        p.drawImage(rect(), image_);
    } else if (!image_.isNull()) {
        QSize natural(qRound(natural_.width() / twips::kPerPixel),
                      qRound(natural_.height() / twips::kPerPixel));
        p.drawImage(QRect(QPoint(0, 0), natural), image_);
    }
    if (hasFocus()) {
        // Over the picture, so that the keyboard's place shows on any picture.
        QStyleOptionFocusRect o;
        o.initFrom(this);
        o.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
    }
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent*) {
    emit DblClick();
}

void PictureBox::keyPressEvent(QKeyEvent* e) {
    if (!keyboard::presses(e)) return QWidget::keyPressEvent(e);
    e->accept();
    emit DblClick();
}

QImage PictureBox::placeholder() {
    static const QImage img = [] {
        QImage loaded(QStringLiteral(":/images/placeholder.png"));
        if (!loaded.isNull()) return loaded;
        QImage i(200, 200, QImage::Format_ARGB32_Premultiplied);
        i.fill(QColor(0xE0, 0xE0, 0xE0));
        QPainter p(&i);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x80, 0x80, 0x90), 6));
        p.setBrush(QColor(0x80, 0x80, 0x90));
        p.drawEllipse(QRectF(62, 128, 36, 28));
        p.drawLine(QPointF(96, 140), QPointF(96, 50));
        p.drawLine(QPointF(96, 50), QPointF(140, 66));
        return i;
    }();
    return img;
}
