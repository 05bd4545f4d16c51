#include "works/grabacion_browse.h"

#include <QPushButton>

#include "entry/field_box.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "works/grabacion_layout.h"
#include "works/recording_fields.h"
#include "works/recording_slots.h"

using namespace registers;

GrabacionBrowseScreen::GrabacionBrowseScreen(Context& ctx, QWidget* parent)
    : BrowseScreen(ctx, kGrabacion, parent) {
    grabacion::arrange(*this, notesCaption_, ImagenFondo);
    // "Retorno" leads to this screen's own register's entry, never opened from here: it stays
    // behind the notes, where it still takes the focus the viewing state passes on.
    if (BtnRegresar) {
        twips::move(BtnRegresar, twips::left(notesBox()) + 120, twips::top(notesBox()) + 120);
        BtnRegresar->stackUnder(notesBox());
    }
    slots_ = new RecordingSlots(ctx, this);
    slots_->setEditable(false);
    connect(slots_, &RecordingSlots::bringClicked, this, &GrabacionBrowseScreen::bring);
    connect(slots_, &RecordingSlots::removeClicked, this, &GrabacionBrowseScreen::removeLink);
}

bool GrabacionBrowseScreen::editing() const {
    return BtnGuardar->isEnabled() && BtnModificar->isEnabled();
}

void GrabacionBrowseScreen::showRecord() {
    const qint64 key = records().currentKey();
    const links::Recording rec = links::read(*hub().Data[kGrabacion].connection(), key);
    slots_->show(rec);
    showField(*def().field(QStringLiteral("Notas")), rec.notas);
}

void GrabacionBrowseScreen::clearFields() {
    clearBoxes();
    slots_->clear();
}

void GrabacionBrowseScreen::setFieldsLocked(bool locked) {
    BrowseScreen::setFieldsLocked(locked);
    if (slots_) slots_->setEditable(!locked && BtnModificar->isEnabled());
}

bool GrabacionBrowseScreen::identifierPresent() {
    if (slots_->rec.soporte != 0) return true;
    dialogs::warning(ctx_.window, hub().MensaIntroducirIDentificador);
    return false;
}

void GrabacionBrowseScreen::writeCurrent() {
    links::Recording r = slots_->rec;
    r.notas = notesBox()->text();
    DataControl& data = hub().Data[kGrabacion];
    links::write(*data.connection(), records().currentKey(), r,
                 untouched(QStringLiteral("Notas"), r.notas));
    // The recordset reads its rows again; a recording no longer in a filtered selection leaves it.
    data.Refresh();
}

void GrabacionBrowseScreen::bring(int g) {
    if (!editing()) return;
    try {
        slots_->bring(g);
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
    }
}

void GrabacionBrowseScreen::removeLink(int g) {
    if (!editing()) return;
    try {
        slots_->remove(g);
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
    }
}
