#include "listing/listing_screen.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "listing/field_text.h"
#include "listing/listing_look.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/record_store.h"

using namespace listing;

ListingScreen::ListingScreen(Context& ctx, int global, QWidget* parent)
    : Screen(ctx, registers::screenNumber(global, 3), parent),
      def_(registers::at(global)),
      global_(global) {
    QVector<bool>& flags = state().CamposListados;
    if (flags.size() != def_.listEntries.size()) flags.resize(def_.listEntries.size());
    buildControls();
    buildCounters();
    Form_Load();
}

Recordset& ListingScreen::recordset() const {
    return ctx_.hub->Data[global_].recordset();
}

RegisterState& ListingScreen::state() const {
    return ctx_.hub->reg[global_];
}

int ListingScreen::textEntries() const {
    return int(def_.listEntries.size()) - 1;
}

bool ListingScreen::pictures() const {
    return state().CamposListados.value(textEntries());
}

QVector<int> ListingScreen::tickedEntries() const {
    QVector<int> chosen;
    for (int e = 0; e < textEntries(); ++e)
        if (list_->item(e)->checkState() == Qt::Checked) chosen << e;
    return chosen;
}

int ListingScreen::ticked() const {
    int n = 0;
    for (int i = 0; i < list_->count(); ++i) n += list_->item(i)->checkState() == Qt::Checked;
    return n;
}

// ---------------------------------------------------------------------------------------------
// Loading, "Listar", the empty state

void ListingScreen::Form_Load() {
    const RegisterState& s = state();
    numRegSeleccion_->setText(QString::number(s.ContSel));
    numRegSeleccion1_->setText(QString::number(s.ContSel));
    numFiltros_->setText(QString::number(s.ContFil));
    numFiltros1_->setText(QString::number(s.ContFil));
    Ocupado = false;
    registroSuperior_ = 1;
}

void ListingScreen::clearPictures() {
    for (PictureBox* b : std::as_const(imagen_)) {
        b->clearPicture();
        b->hide();
    }
}

void ListingScreen::takeTicks() {
    QVector<bool>& flags = state().CamposListados;
    NumColumnas = 1;
    for (int e = 0; e < textEntries(); ++e) {
        flags[e] = list_->item(e)->checkState() == Qt::Checked;
        if (flags[e]) ++NumColumnas;
    }
    flags[textEntries()] = list_->item(textEntries())->checkState() == Qt::Checked;
    tabla_->setColumnCount(1);
    twips::setColumnWidth(tabla_, 0, kNumberColumn);
}

void ListingScreen::Listar() {
    const int n = ticked();
    numCampos_->setText(QString::number(n));
    if (recordset().RecordCount() == 0 || n == 0) {
        emptyState();
        return;
    }
    vscroll_->setEnabled(false);
    Ocupado = true;
    registroSuperior_ = 1;
    vscroll_->setMaximum(1);
    vscroll_->setValue(1);
    hscroll_->setEnabled(true);
    zoom5_->setEnabled(true);
    tabla_->setRowCount(0);
    clearPictures();
    takeTicks();
    state().MemoLisPosicion = 1;
    state().MemoLisPosicion2 = hscroll_->value();
    vscroll_->setEnabled(true);
    Ocupado = false;
    pageFill();
}

void ListingScreen::emptyState() {
    vscroll_->setEnabled(false);
    hscroll_->setEnabled(false);
    zoom5_->setEnabled(false);
    vscroll_->hide();
    label16_->show();
    lineImagen_->show();
    twips::setWidth(label16_, 1485);
    twips::setWidth(lineImagen_, 1680 - twips::left(lineImagen_));
    twips::setLeft(tabla_, kGridLeft);
    twips::setWidth(tabla_, kGridWidth);
    tabla_->setRowCount(0);
    tabla_->setColumnCount(0);
    clearPictures();
    NumColumnas = 0;
    state().CamposListados.fill(false);
}

// ---------------------------------------------------------------------------------------------
// Refresh

void ListingScreen::Carga() {
    QVector<bool>& flags = state().CamposListados;
    if (!flags.contains(true)) {
        Listar();
        return;
    }
    NumColumnas = 0;
    vscroll_->setEnabled(false);
    Ocupado = true;
    vscroll_->setMaximum(1);
    vscroll_->setValue(1);
    hscroll_->setEnabled(true);
    zoom5_->setEnabled(true);
    tabla_->setRowCount(0);
    clearPictures();
    for (int e = 0; e < list_->count(); ++e)
        list_->item(e)->setCheckState(flags.value(e) ? Qt::Checked : Qt::Unchecked);
    numCampos_->setText(QString::number(ticked()));
    takeTicks();
    Ocupado = true;
    hscroll_->setEnabled(true);
    hscroll_->setValue(qBound(kMinZoom, int(state().MemoLisPosicion2), kMaxZoom));
    const PageLayout lay = layoutAt(hscroll_->value());
    rows_ = lay.rows;
    FilasPagina = rows_ + 1;
    Recordset& rs = recordset();
    if (rs.RecordCount() == 0) {
        vscroll_->setEnabled(false);
        return;
    }
    vscroll_->setEnabled(true);
    rs.MoveLast();
    const int max = int(lay.pages);
    vscroll_->setMaximum(max);
    vscroll_->setVisible(lay.pageBarShown);
    Ocupado = false;
    const qint64 R = state().MemoLisPosicion;
    // The page of the last visit, or the last page when the selection has shrunk. The page is
    // filled even when the bar already stands there (no change event comes then).
    showPage(int(R > max ? max : (R >= 1 ? R : 1)));
}

// ---------------------------------------------------------------------------------------------
// Fields of a record

QString ListingScreen::entryText(int entry) const {
    const VocabItem& e = def_.listEntries[entry];
    return shownValue(def_.field(e.column), recordset().Field(e.column));
}

QString ListingScreen::picturePath() const {
    return recordset().Field(def_.listEntries.last().column);
}
