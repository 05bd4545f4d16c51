#pragma once
// The picture box: natural size in twips while stretch is off, scaled to its size while it is on.
// Pictures are read with a size check before decoding, so a file that declares an enormous image
// is refused instead of exhausting memory; decoded pictures are kept as thumbnails.
#include <QImage>
#include <QWidget>
#include <stdexcept>

struct PictureError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr, const QString& name = {});

    bool Stretch() const { return stretch_; }
    void setStretch(bool on);

    // Loads a picture file; with stretch off the box takes the picture's natural size in twips.
    // An empty path loads an empty picture. Throws PictureError when the file cannot be shown.
    void LoadPicture(const QString& path);
    // Shows a picture already in memory (the placeholder, for one).
    void setImage(const QImage& image);
    void clearPicture() { setImage(QImage()); }
    const QImage& image() const { return image_; }
    bool hasPicture() const { return !image_.isNull(); }
    // The picture's size in twips as the file declares it (0 × 0 when empty).
    QSizeF naturalTwips() const { return natural_; }

    // Largest number of pixels a picture file may declare (width × height).
    static constexpr qint64 kMaxPixels = 100'000'000;
    // Decoded pictures are reduced to this many pixels on their longer side.
    static constexpr int kThumbnailSide = 800;

    // Reads a picture for display: a thumbnail and the declared size. Throws PictureError.
    static QImage readPicture(const QString& path, QSize* declared);

    // The program's placeholder picture for records without one.
    static QImage placeholder();

  signals:
    void DblClick();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    // Space and Enter act as the double click on a picture the keyboard can reach.
    void keyPressEvent(QKeyEvent* e) override;

  private:
    QImage image_;
    QSizeF natural_;
    bool stretch_ = false;
};
