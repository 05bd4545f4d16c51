#include "works/grabacion_entry.h"

#include <QLabel>
#include <QPushButton>

#include "entry/field_box.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/navigation.h"
#include "shell/windowing/picture_box.h"
#include "store/data_hub.h"
#include "works/grabacion_layout.h"
#include "works/recording_slots.h"

using namespace registers;

GrabacionEntryScreen::GrabacionEntryScreen(Context& ctx, QWidget* parent)
    : EntryScreen(ctx, kGrabacion, parent) {
    grabacion::arrange(*this, notesCaption_, ImagenFondo);
    LabNumRegNuevos->setObjectName(QStringLiteral("LabContador"));
    slots_ = new RecordingSlots(ctx, this);
    connect(slots_, &RecordingSlots::bringClicked, this, &GrabacionEntryScreen::bring);
    connect(slots_, &RecordingSlots::removeClicked, this, &GrabacionEntryScreen::removeLink);
    connect(slots_, &RecordingSlots::pictureDoubleClicked, this, &GrabacionEntryScreen::visit);
}

bool GrabacionEntryScreen::selectionComplete(int g) {
    FormBasesDatos& h = hub();
    if (h.reg[g].Cont == h.reg[g].ContSel) return true;
    const QString text = QStringLiteral("\r    ") + h.MensaSeleccionActual +
                         QStringLiteral("\r\r    - ") + registers::at(g).caption +
                         QStringLiteral("\r\r    ") + h.MensaNoMuestra + QStringLiteral("   \r\r");
    const auto answer = dialogs::message(ctx_.window, text, QMessageBox::Question,
                                         QMessageBox::Ok | QMessageBox::Cancel);
    if (answer != QMessageBox::Ok) {
        if (Navigation* nav = ctx_.nav) {
            nav->setSolapaRegistros1(g);
            nav->setTabRegistros1(1);
            if (nav->currentScreen() == this) nav->TabRegistros1Click(1);
        }
        return false;
    }
    DataControl& data = h.Data[g];
    data.RecordSource = FormBasesDatos::wholeTable(g);
    try {
        data.Refresh();
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
    }
    h.resetSelection(g);
    // A link taken from the partial selection is dropped with it.
    if (g == kCompositor) {
        if (h.MemoAnaGraCompositorPosicion > 0) {
            h.MemoAnaGraCompositorPosicion = -1;
            h.MemoAnaGraLink[0] = 0;
        }
    } else {
        h.MemoAnaGraLink[size_t(g)] = 0;
        h.MemoAnaGraConjunto[size_t(g)].clear();
    }
    return true;
}

void GrabacionEntryScreen::Carga() {
    for (int g = 0; g < kGrabacion; ++g)
        if (!selectionComplete(g)) return;
    EntryScreen::Carga();
    FormBasesDatos& h = hub();
    links::Recording r;
    if (h.MemoAnaGraCompositorPosicion > 0 && h.ContCompositor() > 0)
        r.compositor = h.MemoAnaGraLink[0];
    r.obra = h.MemoAnaGraLink[kObra];
    r.soporte = h.MemoAnaGraLink[kSoporte];
    for (const links::SetTable& t : links::setTables())
        r.set(t.global) = h.MemoAnaGraConjunto[t.global];
    try {
        slots_->show(r);
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
    }
    keepLinks();
}

void GrabacionEntryScreen::keepLinks() {
    FormBasesDatos& h = hub();
    const links::Recording& r = slots_->rec;
    for (int g : {kCompositor, kObra, kSoporte}) h.MemoAnaGraLink[size_t(g)] = r.single(g);
    for (const links::SetTable& t : links::setTables())
        h.MemoAnaGraConjunto[size_t(t.global)] = r.set(t.global);
    if (r.compositor == 0) h.MemoAnaGraCompositorPosicion = -1;
}

void GrabacionEntryScreen::bring(int g) {
    try {
        const int p = slots_->bring(g);
        if (g == kCompositor && p != 0) hub().MemoAnaGraCompositorPosicion = p;
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
    }
    keepLinks();
}

void GrabacionEntryScreen::removeLink(int g) {
    try {
        slots_->remove(g);
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
    }
    keepLinks();
}

void GrabacionEntryScreen::visit(int g) {
    Navigation* nav = ctx_.nav;
    if (!nav) return;
    ctx_.RetornoGrabacion = true;
    nav->setSolapaRegistros1(g);
    nav->setTabRegistros1(2);
    if (nav->currentScreen() == this) nav->TabRegistros1Click(2);
}

bool GrabacionEntryScreen::identifierPresent() {
    if (slots_->rec.soporte != 0) return true;
    dialogs::warning(ctx_.window, hub().MensaIntroducirIDentificador);
    return false;
}

duplicates::Match GrabacionEntryScreen::equalRecord() {
    return duplicates::findEqualRecording(*hub().Data[kGrabacion].connection(), hub(), slots_->rec);
}

void GrabacionEntryScreen::writeNew() {
    links::Recording r = slots_->rec;
    r.notas = notesBox()->text();
    DataControl& data = hub().Data[kGrabacion];
    links::write(*data.connection(), 0, r);
    data.Refresh();
    if (data.recordset().RecordCount() > 0) data.recordset().MoveLast();
}

void GrabacionEntryScreen::clearFields() {
    EntryScreen::clearFields();
    slots_->clear();
    keepLinks();
}
