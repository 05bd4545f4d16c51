#include "works/obra_browse.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "entry/field_box.h"
#include "store/data_hub.h"
#include "works/obra_fields.h"
#include "works/obra_movements.h"

ObraBrowseScreen::ObraBrowseScreen(Context& ctx, QWidget* parent)
    : BrowseScreen(ctx, registers::kObra, parent),
      movements_(new ObraMovements(ctx, this, ctx.hub->MemoMosObraAmpRed)) {
    obra::layoutFields(*this);
    QList<QWidget*> order;
    for (const char* c :
         {"TxtNombre", "TxtNumero", "TxtTonalidad", "TxtOpus", "TxtNumeroOpus", "TxtCatalogo",
          "TxtNumeroCatalogo", "TxtFecha1", "TxtFecha2", "TxtSubtitulo"})
        order << box(QLatin1String(c));
    order << movements_->TxtMovimiento << movements_->TxtHoras << movements_->TxtMinutos
          << movements_->TxtSegundos << movements_->BtnAMList << movements_->MSFlexGrid1
          << notesBox() << box(QStringLiteral("TxtAutor"));
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    // The base screen locked its own fields before the movements existed.
    movements_->setLocked(true);
}

void ObraBrowseScreen::boxChanged(FieldBox* b) {
    BrowseScreen::boxChanged(b);
    if (obra::composesTitle(b)) recomposeName();
}

void ObraBrowseScreen::boxFocused(FieldBox* b) {
    if (NavegacionActiva)
        BrowseScreen::boxFocused(b);
    else
        obra::focused(b);
}

QString ObraBrowseScreen::composedName() const {
    return obra::titleOf(*this, hub());
}

bool ObraBrowseScreen::valueOf(const FieldDef& f, QString* value) const {
    return movements_->valueOf(f, value) || BrowseScreen::valueOf(f, value);
}

void ObraBrowseScreen::showRecord() {
    BrowseScreen::showRecord();
    const int g = global();
    movements_->load(hub().field(g, QStringLiteral("Movimientos")),
                     hub().field(g, QStringLiteral("Duraciones")));
}

void ObraBrowseScreen::clearFields() {
    BrowseScreen::clearFields();
    movements_->Limpiar();
}

void ObraBrowseScreen::setFieldsLocked(bool locked) {
    BrowseScreen::setFieldsLocked(locked);
    movements_->setLocked(locked);
}
