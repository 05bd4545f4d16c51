#include "entry/orquesta_entry.h"

#include "entry/field_box.h"

OrquestaEntryScreen::OrquestaEntryScreen(Context& ctx, QWidget* parent)
    : EntryScreen(ctx, registers::kOrquesta, parent), names_(ctx, *this) {}

void OrquestaEntryScreen::boxChanged(FieldBox* b) {
    if (!names_.isNameBox(b)) {
        EntryScreen::boxChanged(b);
        return;
    }
    names_.changed(b);
    setPending(b->objectName(), b->text());
}

void OrquestaEntryScreen::boxFocused(FieldBox* b) {
    if (names_.isNameBox(b))
        names_.focused(b);
    else
        EntryScreen::boxFocused(b);
}

bool OrquestaEntryScreen::identifierPresent() {
    return names_.present();
}

bool OrquestaEntryScreen::valueOf(const FieldDef& f, QString* value) const {
    if (f.column == QLatin1String("Nombre")) {
        *value = names_.name();
        return true;
    }
    if (f.kind == FieldKind::Kind) {
        *value = QString::number(names_.kind());
        return true;
    }
    return EntryScreen::valueOf(f, value);
}
