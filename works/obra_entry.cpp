#include "works/obra_entry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "entry/field_box.h"
#include "store/data_hub.h"
#include "works/obra_fields.h"
#include "works/obra_movements.h"

namespace {

const QString kPendingMovements = QStringLiteral("Movimientos");
const QString kPendingDurations = QStringLiteral("Duraciones");

}  // namespace

ObraEntryScreen::ObraEntryScreen(Context& ctx, QWidget* parent)
    : EntryScreen(ctx, registers::kObra, parent),
      movements_(new ObraMovements(ctx, this, ctx.hub->MemoAnaObraAmpRed)) {
    obra::layoutFields(*this);
    QList<QWidget*> order;
    for (const char* c :
         {"TxtNombre", "TxtNumero", "TxtTonalidad", "TxtOpus", "TxtNumeroOpus", "TxtCatalogo",
          "TxtNumeroCatalogo", "TxtFecha1", "TxtFecha2", "TxtSubtitulo"})
        order << box(QLatin1String(c));
    order << movements_->TxtMovimiento << movements_->TxtHoras << movements_->TxtMinutos
          << movements_->TxtSegundos << movements_->BtnAMList << movements_->MSFlexGrid1
          << notesBox() << box(QStringLiteral("TxtAutor")) << BtnGuardar << BtnImportar
          << BtnDeshacer;
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    // The typed movements are part of the pending entry.
    connect(movements_, &ObraMovements::movementsChanged, this, [this] {
        setPending(kPendingMovements, movements_->movimientos());
        setPending(kPendingDurations, movements_->duraciones());
    });
}

void ObraEntryScreen::boxChanged(FieldBox* b) {
    EntryScreen::boxChanged(b);
    if (obra::composesTitle(b)) recomposeName();
}

void ObraEntryScreen::boxFocused(FieldBox* b) {
    obra::focused(b);
}

QString ObraEntryScreen::composedName() const {
    return obra::titleOf(*this, hub());
}

bool ObraEntryScreen::valueOf(const FieldDef& f, QString* value) const {
    return movements_->valueOf(f, value) || EntryScreen::valueOf(f, value);
}

void ObraEntryScreen::restorePending() {
    EntryScreen::restorePending();
    const QString texts = pending(kPendingMovements);
    if (!texts.isEmpty()) movements_->load(texts, pending(kPendingDurations));
}

void ObraEntryScreen::clearFields() {
    EntryScreen::clearFields();
    movements_->Limpiar();
}
