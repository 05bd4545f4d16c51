#include "entry/orquesta_names.h"

#include "entry/field_box.h"
#include "entry/record_screen.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "store/data_hub.h"
#include "store/field_rules.h"

OrquestaNames::OrquestaNames(Context& ctx, RecordScreen& screen)
    : ctx_(ctx), picture_(screen.picture()) {
    boxes_[0] = screen.box(QStringLiteral("TxtNombreOrquesta"));
    boxes_[1] = screen.box(QStringLiteral("TxtNombreGrupo"));
    boxes_[2] = screen.box(QStringLiteral("TxtNombreCoro"));
}

bool OrquestaNames::isNameBox(const FieldBox* b) const {
    return b == boxes_[0] || b == boxes_[1] || b == boxes_[2];
}

void OrquestaNames::partners(const FieldBox* x, FieldBox** first, FieldBox** second) const {
    if (x == boxes_[0]) {
        *first = boxes_[1];
        *second = boxes_[2];
    } else if (x == boxes_[1]) {
        *first = boxes_[0];
        *second = boxes_[2];
    } else {
        *first = boxes_[1];
        *second = boxes_[0];
    }
}

bool OrquestaNames::redirect(FieldBox* x) {
    FieldBox *first, *second;
    partners(x, &first, &second);
    for (FieldBox* other : {first, second}) {
        if (rules::isFilled(other->text())) {
            x->setText(QString());
            other->setFocus();
            return true;
        }
    }
    return false;
}

void OrquestaNames::changed(FieldBox* x) {
    if (redirect(x)) return;
    keepTabOnName();
    Colorear(rules::isFilled(x->text()));
    x->setToolTip(ctx_.hub->EtiIdentificador);
    picture_.setName(x->text());
}

void OrquestaNames::focused(FieldBox* x) {
    if (redirect(x)) return;
    x->deselect();
    picture_.setName(x->text());
}

void OrquestaNames::keepTabOnName() {
    // Tab from the name would land in an empty box, whose rule sends the focus back to the name:
    // the keys would never leave it. The empty boxes still take a click, and its rule.
    const int k = kind();
    for (int i = 0; i < 3; ++i)
        boxes_[i]->setFocusPolicy(k == 0 || k == i + 1 ? Qt::StrongFocus : Qt::ClickFocus);
}

void OrquestaNames::Colorear(bool Gris) {
    for (FieldBox* b : boxes_) {
        b->setToolTip(Gris ? QString() : ctx_.hub->EtiIdentificador);
        look::setBoxColor(b, Gris ? look::kGris : look::kBlanco);
    }
}

int OrquestaNames::kind() const {
    for (int i = 0; i < 3; ++i)
        if (rules::isFilled(boxes_[i]->text())) return i + 1;
    return 0;
}

QString OrquestaNames::name() const {
    const int k = kind();
    return k ? boxes_[k - 1]->text() : QString();
}

void OrquestaNames::show(const QString& name, int kind) {
    const int k = kind >= 1 && kind <= 3 ? kind : 1;
    for (int i = 0; i < 3; ++i)
        if (i != k - 1) boxes_[i]->setText(QString());
    boxes_[k - 1]->setText(name);
    keepTabOnName();
}

bool OrquestaNames::present() {
    if (kind() != 0) return true;
    dialogs::warning(ctx_.window, ctx_.hub->MensaIntroducirIDentificador);
    for (FieldBox* b : boxes_) b->setText(QString());
    return false;
}
