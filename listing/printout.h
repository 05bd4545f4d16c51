#pragma once
// The printed listing, laid out on any paged device (a printer, a PDF file): every page carries
// its number at the foot; the first page opens with what was printed; then each record with its
// order number, its picture when chosen and the full text of its fields. Long texts run on across
// pages line by line, so notes are printed whole.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QVector>

class QPagedPaintDevice;

class Printout {
  public:
    struct Line {
        QString caption;
        QString text;
    };

    // The page's margin on every side, in millimetres, unless the printer needs more.
    static constexpr qreal kMargin = 15;

    explicit Printout(QPagedPaintDevice& device);
    // Starts the first page; false when the device cannot be painted on (a file that cannot be
    // written, for one).
    bool begin();
    // The opening of the first page: a title and its lines.
    void heading(const QString& title, const QVector<Line>& lines);
    // One record: its number line, its picture (null: none) and its fields.
    void record(const QString& number, const QImage& picture, const QVector<Line>& fields);
    // Ends the printout; returns the number of pages.
    int end();

  private:
    void startPage();
    void room(qreal height);  // a new page unless `height` fits below the cursor
    void paragraph(const QString& caption, const QString& text, const QFont& font);
    qreal lineHeight(const QFont& font) const;

    QPagedPaintDevice& device_;
    QPainter painter_;
    QFont body_, bold_, title_, foot_;
    qreal width_ = 0, bottom_ = 0, y_ = 0, gap_ = 0, pictureSide_ = 0;
    int page_ = 0;
};
