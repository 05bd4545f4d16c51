#include "browse/orquesta_browse.h"

#include "entry/field_box.h"
#include "store/data_hub.h"
#include "store/field_rules.h"

OrquestaBrowseScreen::OrquestaBrowseScreen(Context& ctx, QWidget* parent)
    : BrowseScreen(ctx, registers::kOrquesta, parent), names_(ctx, *this) {}

void OrquestaBrowseScreen::boxChanged(FieldBox* b) {
    if (names_.isNameBox(b))
        names_.changed(b);
    else
        BrowseScreen::boxChanged(b);
}

void OrquestaBrowseScreen::boxFocused(FieldBox* b) {
    if (!names_.isNameBox(b) || NavegacionActiva)
        BrowseScreen::boxFocused(b);
    else
        names_.focused(b);
}

bool OrquestaBrowseScreen::valueOf(const FieldDef& f, QString* value) const {
    if (f.column == QLatin1String("Nombre")) {
        *value = names_.name();
        return true;
    }
    if (f.kind == FieldKind::Kind) {
        *value = QString::number(names_.kind());
        return true;
    }
    return BrowseScreen::valueOf(f, value);
}

void OrquestaBrowseScreen::showField(const FieldDef& f, const QString& stored) {
    if (f.column == QLatin1String("Nombre") || f.kind == FieldKind::Kind) return;
    BrowseScreen::showField(f, stored);
}

void OrquestaBrowseScreen::showRecord() {
    BrowseScreen::showRecord();
    const int g = global();
    const QString name = hub().field(g, QStringLiteral("Nombre"));
    names_.show(name, int(rules::numericValue(hub().field(g, QStringLiteral("OrqGrpCor")))));
    // A name longer than its box shows whole in the tooltip.
    for (FieldBox* b : boxes())
        if (names_.isNameBox(b) && !b->text().isEmpty())
            b->setToolTip(name.size() > b->maxLength() ? name : b->text());
}

void OrquestaBrowseScreen::setFieldsLocked(bool locked) {
    BrowseScreen::setFieldsLocked(locked);
    if (!locked) names_.keepTabOnName();
}
