#include "browse/browse_screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "browse/click_label.h"
#include "entry/field_box.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "shell/windowing/navigation.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/field_rules.h"
#include "store/record_links.h"

BrowseScreen::BrowseScreen(Context& ctx, int global, QWidget* parent)
    : RecordScreen(ctx, registers::screenNumber(global, 2), global, parent) {
    buildPanel();
    for (FieldBox* b : boxes()) {
        look::setBoxColor(b, look::kGris);
        if (!b->def().numeric) b->setToolTip(QString());
    }
    setFieldsLocked(true);
    picture().Imagen->setEnabled(false);

    connect(HScroll, &QScrollBar::valueChanged, this, &BrowseScreen::moved);
    connect(TxtOrden, &QLineEdit::textChanged, this, &BrowseScreen::ordenChanged);
    connect(BtnModificar, &QPushButton::clicked, this, &BrowseScreen::Modificar);
    connect(BtnEliminar, &QPushButton::clicked, this, &BrowseScreen::Eliminar);
    connect(BtnGuardar, &QPushButton::clicked, this, &BrowseScreen::Aceptar);
    connect(BtnDeshacer, &QPushButton::clicked, this, &BrowseScreen::Cancelar);
    connect(BtnReducirAmpliar, &ClickLabel::Click, this, &BrowseScreen::ReducirAmpliar);
    connect(picture().Imagen, &PictureBox::DblClick, this, [this] {
        if (picture().Imagen->isEnabled()) picture().choose();
    });
    connect(picture().BtnImagenEliminar, &QPushButton::clicked, this, [this] {
        if (BtnGuardar->isEnabled()) picture().remove();
    });
    if (BtnRegresar) connect(BtnRegresar, &QPushButton::clicked, this, &BrowseScreen::Regresar);

    // What the screen's load event does on every visit.
    showCounters();
    if (hub().RedAmp(global)) ReducirAmpliar();
    if (BtnRegresar && ctx.RetornoGrabacion) {
        twips::move(BtnRegresar, kRetornoShownLeft, kRetornoTop);
        BtnRegresar->raise();
    }
}

Recordset& BrowseScreen::records() const {
    return hub().Data[global()].recordset();
}

bool BrowseScreen::pending() const {
    return BtnGuardar->isEnabled();
}

QWidget* BrowseScreen::focusSink() const {
    return BtnRegresar ? static_cast<QWidget*>(BtnRegresar) : BtnModificar;
}

void BrowseScreen::Carga() {
    NavegacionActiva = false;
    try {
        Recordset& rs = records();
        if (rs.RecordCount() == 0) {
            Limpiar();
            shownKey_ = 0;
        } else {
            rs.MoveLast();
            const int count = int(qMin<long>(rs.RecordCount(), INT_MAX));
            HScroll->setMaximum(count);
            qint32& pos = state().Posicion;
            HScroll->setValue(pos > count || pos < 0 ? count : pos);
            // The hub keeps the position of the record actually shown.
            pos = HScroll->value();
            rs.setAbsolutePosition(HScroll->value() - 1);
            shownKey_ = rs.currentKey();
            showRecord();
            noteShown();
            recomposeName();
            picture().placeName();
            TxtOrden->setText(QString::number(HScroll->value()));
        }
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
        Limpiar();
        shownKey_ = 0;
    }
    NavegacionActiva = true;
    ValoresInicio();
}

void BrowseScreen::showRecord() {
    for (const FieldDef& f : def().fields) showField(f, hub().field(global(), f.column));
    picture().showStored(hub().field(global(), def().pictureColumn));
}

void BrowseScreen::showField(const FieldDef& f, const QString& stored) {
    // A box that cannot show the whole stored value says so in its tooltip.
    if (f.kind == FieldKind::Notes) {
        NotesBox* n = notesBox();
        n->setText(stored);
        n->setToolTip(stored.size() > n->maxLength()
                          ? hub().EtiNotasCortadas.arg(stored.size()).arg(n->maxLength())
                          : QString());
        return;
    }
    for (FieldBox* b : boxes()) {
        if (b->def().column != f.column) continue;
        const QString shown = b->def().numeric ? rules::shownYear(stored) : stored;
        b->setText(shown);
        if (shown.size() > b->maxLength())
            b->setToolTip(stored);
        else
            b->setToolTip(b->def().numeric ? hub().EtiNumerico : b->text());
    }
}

void BrowseScreen::noteShown() {
    kept_.clear();
    for (const FieldDef& f : def().fields) {
        if (f.kind != FieldKind::Text && f.kind != FieldKind::Year &&
            f.kind != FieldKind::Century && f.kind != FieldKind::Notes)
            continue;
        QString value;
        if (valueOf(f, &value)) kept_.note(f.column, value);
    }
}

void BrowseScreen::clearFields() {
    kept_.clear();
    clearBoxes();
    notesBox()->setToolTip(QString());
    picture().remove();
}

void BrowseScreen::Limpiar() {
    NavegacionActiva = false;
    HScroll->setMaximum(1);
    HScroll->setValue(1);
    NavegacionActiva = true;
    TxtOrden->setText(QStringLiteral("0"));
    clearFields();
}

void BrowseScreen::ValoresInicio() {
    BtnDeshacer->setEnabled(false);
    BtnGuardar->setEnabled(false);
    // With no record shown there is nothing to modify or delete.
    const bool shown = shownKey_ != 0;
    BtnModificar->setEnabled(shown);
    BtnEliminar->setEnabled(shown);
}

void BrowseScreen::Bloquear(bool Valor) {
    NavegacionActiva = Valor;
    setFieldsLocked(Valor);
    picture().Imagen->setEnabled(!Valor);
    picture().BtnImagenEliminar->setVisible(!Valor);
    HScroll->setEnabled(Valor);
    TxtOrden->setEnabled(Valor);
    BtnDeshacer->setEnabled(!Valor);
    BtnGuardar->setEnabled(!Valor);
}

void BrowseScreen::boxChanged(FieldBox* b) {
    RecordScreen::boxChanged(b);
    if (b->def().identifier)
        b->setToolTip(rules::isFilled(b->text()) ? b->text() : hub().EtiIdentificador);
    else if (!b->def().numeric)
        b->setToolTip(b->text());
    else
        b->setToolTip(hub().EtiNumerico);
}

void BrowseScreen::boxFocused(FieldBox* b) {
    if (NavegacionActiva)
        focusSink()->setFocus();
    else
        b->selectAll();
}

void BrowseScreen::keyPressEvent(QKeyEvent* e) {
    // The keys of a document move through the selection as the scroll bar does, unless a text is
    // being edited (the record number box takes Home and End itself).
    const auto* text = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const bool editing = text && !text->isReadOnly();
    int to = -1;
    switch (e->key()) {
        case Qt::Key_PageUp:
            to = HScroll->value() - 1;
            break;
        case Qt::Key_PageDown:
            to = HScroll->value() + 1;
            break;
        case Qt::Key_Home:
            to = HScroll->minimum();
            break;
        case Qt::Key_End:
            to = HScroll->maximum();
            break;
        default:
            break;
    }
    if (to < 0 || editing || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier ||
        !NavegacionActiva || !HScroll->isEnabled() || shownKey_ == 0) {
        RecordScreen::keyPressEvent(e);
        return;
    }
    HScroll->setValue(qBound(HScroll->minimum(), to, HScroll->maximum()));
    e->accept();
}

void BrowseScreen::notesFocused() {
    if (NavegacionActiva) focusSink()->setFocus();
}

void BrowseScreen::moved(int value) {
    if (!NavegacionActiva || records().RecordCount() == 0) return;
    TxtOrden->setText(QString::number(value));
    try {
        records().setAbsolutePosition(value - 1);
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
        return;
    }
    state().Posicion = value;
    Carga();
}

void BrowseScreen::ordenChanged() {
    if (!NavegacionActiva) return;
    const QString t = TxtOrden->text();
    const double n = rules::numericValue(t);
    if (n > double(records().RecordCount()) || n < 1 || !rules::isNumber(t)) {
        TxtOrden->setText(QString());
        return;
    }
    HScroll->setValue(int(rules::roundHalfEven(n)));
}

void BrowseScreen::Modificar() {
    if (records().RecordCount() == 0) return;
    NavegacionActiva = false;
    store().BloquearSolapas(true);
    locked_ = true;
    BtnEliminar->setEnabled(false);
    Bloquear(false);
    picture().placeButton();
    picture().BtnImagenEliminar->setVisible(!picture().fileName().isEmpty());
}

void BrowseScreen::Eliminar() {
    if (records().RecordCount() == 0) return;
    if (refusedInUse()) return;
    store().BloquearSolapas(true);
    locked_ = true;
    BtnModificar->setEnabled(false);
    HScroll->setEnabled(false);
    TxtOrden->setEnabled(false);
    BtnGuardar->setEnabled(true);
    BtnDeshacer->setEnabled(true);
}

bool BrowseScreen::refusedInUse() {
    const int users = links::recordingsUsing(ctx_, global(), shownKey_);
    if (users <= 0) return false;
    dialogs::warning(ctx_.window, hub().MensaRegistroEnUso.arg(users));
    return true;
}

void BrowseScreen::positionOnShown() {
    Recordset& rs = records();
    if (rs.currentKey() == shownKey_ && shownKey_ != 0) return;
    const auto& keys = rs.keys();
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == shownKey_ && shownKey_ != 0) {
            rs.setAbsolutePosition(long(i));
            return;
        }
    throw DbError(dberr::kNoCurrentRecord, QStringLiteral("el registro mostrado ya no existe"));
}

void BrowseScreen::Aceptar() {
    try {
        if (BtnModificar->isEnabled())
            acceptModification();
        else if (BtnEliminar->isEnabled())
            acceptDeletion();
    } catch (const DbError& e) {
        reportFailure(e.number, e.detail);
        backToViewing();
    } catch (const std::bad_alloc&) {
        reportFailure(dberr::kOutOfMemory);
        backToViewing();
    }
}

void BrowseScreen::backToViewing() {
    Carga();
    store().BloquearSolapas(false);
    locked_ = false;
    Bloquear(true);
}

void BrowseScreen::acceptModification() {
    if (!identifierPresent()) return;
    if (!yearsReady()) return;
    positionOnShown();
    writeCurrent();
    if (store().ErrorDatos) {
        store().reportError();
        backToViewing();
        return;
    }
    // A changed record may have left a filtered selection.
    state().ContSel = qint32(records().RecordCount());
    LabNumRegSeleccion->setText(QString::number(state().ContSel));
    emit registroCambiado();
    backToViewing();
}

void BrowseScreen::writeCurrent() {
    Campos all, campos;
    const int total = collectFields(all);
    int n = 0;
    for (int i = 0; i < total; ++i)
        if (!untouched(all[i].first, all[i].second)) campos[n++] = all[i];
    store().GuardarCampos(global(), n, false, campos);
}

void BrowseScreen::acceptDeletion() {
    if (refusedInUse()) {
        backToViewing();
        return;
    }
    positionOnShown();
    Recordset& rs = records();
    const long before = rs.RecordCount();
    store().EliminarRegistro(global());
    if (store().ErrorDatos) {
        store().reportError();
        backToViewing();
        return;
    }
    if (rs.RecordCount() == before) {  // nothing was deleted
        backToViewing();
        return;
    }
    RegisterState& s = state();
    --s.Cont;
    if (rs.RecordCount() > 0) {
        if (s.Posicion != 1) --s.Posicion;
        s.ContSel = qint32(rs.RecordCount());
        rs.setAbsolutePosition(s.Posicion - 1);
    } else {
        s.Posicion = 1;
        s.ContSel = 0;
    }
    emit registroCambiado();
    Carga();
    ++s.ContEli;
    LabNumRegEliminados->setText(QString::number(s.ContEli));
    LabNumRegSeleccion->setText(QString::number(s.ContSel));
    store().BloquearSolapas(false);
    locked_ = false;
    Bloquear(true);
}

void BrowseScreen::Cancelar() {
    NavegacionActiva = true;
    backToViewing();
}

void BrowseScreen::Regresar() {
    // A pending change holds the user here, as the locked tabs do.
    if (!ctx_.RetornoGrabacion || !ctx_.nav || pending()) return;
    Navigation* nav = ctx_.nav;
    nav->setSolapaRegistros1(registers::kGrabacion);
    nav->setTabRegistros1(0);
    // Setting the tab runs its handler when the tab changes; otherwise run it here, once.
    if (nav->currentScreen() == this) nav->TabRegistros1Click(0);
}

void BrowseScreen::Form_Unload() {
    if (locked_) store().BloquearSolapas(false);
    locked_ = false;
    if (def().group == 1) ctx_.RetornoGrabacion = false;
}
