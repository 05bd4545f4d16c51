// The listing's page and zoom arithmetic and the filling of the grid's rows.
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollBar>
#include <QTableWidget>

#include "listing/listing_look.h"
#include "listing/listing_screen.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/record_store.h"

using namespace listing;

namespace {

QTableWidgetItem* cell(const QString& text) {
    auto* it = new QTableWidgetItem(text);
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return it;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Page geometry

float ListingScreen::columnsWidth() const {
    // Columns the page will have: those of the grid keep their width (the user may have dragged
    // them), new ones take the default.
    float sum = 0;
    const int cols = qMax(NumColumnas, 1);
    for (int c = 0; c < cols; ++c) {
        if (c == 0 && c >= tabla_->columnCount())
            sum += kNumberColumn;
        else if (c < tabla_->columnCount())
            sum += twips::columnWidth(tabla_, c);
        else
            sum += kDefaultColumn;
    }
    return sum;
}

PageLayout ListingScreen::layoutAt(int zoom) const {
    return pageLayout(recordset().RecordCount(), zoom, pictures(), columnsWidth());
}

// ---------------------------------------------------------------------------------------------
// Page fill, zoom

void ListingScreen::pageFill() {
    if (Ocupado) return;
    const int zoom = hscroll_->value();
    const PageLayout lay = layoutAt(zoom);
    if (lay.rows == 0) {  // not one row fits: overflowing columns at zoom 20
        hscroll_->setValue(kMaxZoom - 1);
        return;
    }
    Ocupado = true;
    rows_ = lay.rows;
    FilasPagina = rows_ + 1;
    const int P = vscroll_->value();
    Recordset& rs = recordset();
    const qint64 N = rs.RecordCount();
    if (N == 0) {
        vscroll_->setEnabled(false);
        return;
    }
    vscroll_->setEnabled(true);
    rs.MoveLast();
    const int max = int(lay.pages);
    vscroll_->setMaximum(max);
    vscroll_->setVisible(lay.pageBarShown);
    PaginaZoom = qBound(qint64(vscroll_->minimum()), PaginaZoom, qint64(max));
    if (labZoom_->text().toInt() == zoom) {  // the page was moved
        vscroll_->setValue(max < P ? max : P);
        registroSuperior_ = rows_ * (vscroll_->value() - 1) + 1;
    } else {  // the zoom has just changed: the page holding the top record
        vscroll_->setValue(int(PaginaZoom));
    }
    const qint64 S = vscroll_->value();
    state().MemoLisPosicion = qint32(S);
    Ocupado = false;
    if (NumColumnas == 0) return;

    clearPictures();
    tabla_->setRowCount(0);
    tabla_->setColumnCount(NumColumnas);
    const qint64 rows = N - rows_ * S > 0 ? FilasPagina : N - rows_ * (S - 1) + 1;
    label16_->hide();
    lineImagen_->hide();
    tabla_->hide();
    twips::setWidth(label16_, pictureColumn(zoom) - 15);
    twips::setWidth(lineImagen_, twips::width(fondo_));
    twips::setLeft(tabla_, gridLeft(pictures(), zoom));
    twips::setWidth(tabla_, gridWidth(pictures(), zoom, lay.pageBarShown));
    if (pictures()) {
        label16_->show();
        lineImagen_->show();
    }
    tabla_->show();
    tabla_->setRowCount(int(rows));
    twips::setRowHeight(tabla_, 0, kHeaderRow);
    auto header = [](const QString& text) {
        QTableWidgetItem* it = cell(text);
        it->setForeground(kNavy);
        return it;
    };
    tabla_->setItem(0, 0, header(ctx_.hub->EtiNumero));
    for (int e = 0, col = 1; e < textEntries(); ++e)
        if (state().CamposListados[e])
            tabla_->setItem(0, col++, header(def_.listEntries[e].caption));
    try {
        fillRows(rows, zoom, rows_ * (S - 1));
    } catch (const DbError& e) {
        progress_->setValue(0);
        dialogs::error(ctx_.window, ctx_.hub->MensaProducidoError + QString::number(e.number));
    }
}

void ListingScreen::fillRows(qint64 rows, int zoom, qint64 first) {
    Recordset& rs = recordset();
    const qint64 N = rs.RecordCount();
    const float rowHeight = kRowUnit * float(zoom), side = pictureSide(zoom);
    progress_->setMaximum(int(qMax<qint64>(rows - 1, 1)));
    progress_->setValue(0);
    rs.setAbsolutePosition(0);
    for (int i = 1; i < rows; ++i) {
        progress_->setValue(i);
        twips::setRowHeight(tabla_, i, rowHeight);
        rs.setAbsolutePosition(long(first + i - 1));
        for (int e = 0, col = 1; e < textEntries(); ++e)
            if (state().CamposListados[e]) tabla_->setItem(i, col++, cell(entryText(e)));
        const QString path = pictures() ? picturePath() : QString();
        if (!path.isEmpty() && i - 1 < imagen_.size()) {
            PictureBox* box = imagen_[i - 1];
            DialogoImagen.FileName = path;
            ctx_.store->CargarImagen(*box, DialogoImagen, int(side), int(side));
            if (!DialogoImagen.FileName.isEmpty()) {
                twips::setTop(box, kGridTop + kHeaderRow + rowHeight * float(i - 1) +
                                       (side - twips::height(box)) / 2);
                twips::setLeft(
                    box, kFondoLeft + 30 + (pictureColumn(zoom) - 15 - twips::width(box)) / 2);
                box->show();
            }
        }
        QTableWidgetItem* number = cell(QString::number(first + i));
        number->setBackground(kSilver);
        tabla_->setItem(i, 0, number);
    }
    if (rs.AbsolutePosition() != N - 1) {  // records follow: a blank row says the listing goes on
        const int r = tabla_->rowCount();
        tabla_->setRowCount(r + 1);
        twips::setRowHeight(tabla_, r, rowHeight);
        QTableWidgetItem* more = cell(QString());
        more->setBackground(palette().color(QPalette::Button));
        tabla_->setItem(r, 0, more);
    }
    progress_->setValue(0);
}

void ListingScreen::zoomChange() {
    const int zoom = hscroll_->value();
    state().MemoLisPosicion2 = zoom;
    const PageLayout lay = layoutAt(zoom);
    if (lay.rows == 0) {
        hscroll_->setValue(kMaxZoom - 1);
        return;
    }
    PaginaZoom = registroSuperior_ / lay.rows + (registroSuperior_ % lay.rows ? 1 : 0);
    pageFill();
    labZoom_->setText(QString::number(zoom));
}

void ListingScreen::Zoom5() {
    hscroll_->setValue(5);
}

void ListingScreen::showPage(int page) {
    if (vscroll_->value() == page)
        pageFill();
    else
        vscroll_->setValue(page);
}
