#include "entry/record_screen.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

#include "entry/field_box.h"
#include "shell/windowing/accessible.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/field_rules.h"

namespace {

// Units shown after a box.
QString unitOf(const QString& control) {
    return control == QLatin1String("TxtFrecuencia") ? QStringLiteral("MHz") : QString();
}

float widthOf(const BoxDef& b) {
    if (b.numeric) return b.maxLength <= 2 ? 480 : 720;
    return qBound(1200.0f, float(b.maxLength) * 105,
                  RecordScreen::kBoxRight - RecordScreen::kBoxLeft);
}

// A box is placed under the notes when its field follows the notes in the table.
bool afterNotes(const RegisterDef& d, const BoxDef& b) {
    bool notesSeen = false;
    for (const FieldDef& f : d.fields) {
        if (f.kind == FieldKind::Notes) notesSeen = true;
        if (f.column == b.column) return notesSeen;
    }
    return false;
}

QImage background() {
    QImage img(454, 526, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, img.width(), img.height());
    g.setColorAt(0, QColor(0xD8, 0xDC, 0xE4));
    g.setColorAt(1, QColor(0xB8, 0xC0, 0xCC));
    p.fillRect(img.rect(), g);
    return img;
}

}  // namespace

RecordScreen::RecordScreen(Context& ctx, int number, int global, QWidget* parent)
    : Screen(ctx, number, parent), def_(registers::at(global)), picture_(ctx, this) {
    ownTabOrder_ = true;
    build();
}

void RecordScreen::build() {
    ImagenFondo = new PictureBox(this, QStringLiteral("ImagenFondo"));
    ImagenFondo->setStretch(true);
    ImagenFondo->setImage(background());
    twips::place(ImagenFondo, kCaptionLeft - 120, 120, kBoxRight - kCaptionLeft + 240, 7890);
    ImagenFondo->lower();
    // A decoration: it takes no input and a screen reader leaves it out.
    ImagenFondo->setAttribute(Qt::WA_TransparentForMouseEvents);

    QList<QWidget*> order;
    QList<FieldBox*> below;
    float top = kRowTop, nextLeft = kBoxLeft;
    const BoxDef* previous = nullptr;
    for (const BoxDef& b : def_.boxes) {
        auto* w = new FieldBox(b, this);
        boxes_ << w;
        accessible::name(w, def_.spokenCaption(b));
        look::setBoxColor(w, b.identifier ? look::kBlanco : look::kGris);
        if (b.identifier) w->setToolTip(hub().EtiIdentificador);
        if (b.numeric) w->setToolTip(hub().EtiNumerico);
        connect(w, &QLineEdit::textChanged, this, [this, w] { boxChanged(w); });
        connect(w, &FieldBox::GotFocus, this, [this, w] { boxFocused(w); });
        if (afterNotes(def_, b)) {
            below << w;
            continue;
        }
        order << w;
        const bool sameRow =
            previous && previous->numeric && b.numeric && previous->caption == b.caption;
        if (!sameRow) {
            if (previous) top += kRowStep;
            auto* c = look::caption(this, b.caption, kCaptionLeft, top, kCaptionWidth, kBoxHeight,
                                    QStringLiteral("LabCampo") + b.control.mid(3));
            look::setForeColor(c, look::kAzul);
            nextLeft = kBoxLeft;
        }
        twips::place(w, nextLeft, top, widthOf(b), kBoxHeight);
        nextLeft += widthOf(b) + 120;
        const QString unit = unitOf(b.control);
        if (!unit.isEmpty()) {
            look::caption(this, unit, nextLeft, top, 600, kBoxHeight, QStringLiteral("LabUnidad"));
            nextLeft += 720;
        }
        previous = &b;
    }

    const float notesTop = (previous ? top + kRowStep : kRowTop) + 90;
    notesCaption_ = look::caption(this, QStringLiteral("Notas"), kCaptionLeft, notesTop,
                                  kCaptionWidth, kBoxHeight, QStringLiteral("LabCampoNotas"));
    look::setForeColor(notesCaption_, look::kAzul);
    notes_ = new NotesBox(registers::kNotesMax, this);
    accessible::caption(notesCaption_, notes_);
    look::setBoxColor(notes_, look::kGris);
    twips::place(notes_, kBoxLeft, notesTop, kBoxRight - kBoxLeft, kNotesBottom - notesTop);
    connect(notes_, &NotesBox::Change, this, [this] { notesChanged(); });
    connect(notes_, &NotesBox::GotFocus, this, [this] { notesFocused(); });
    order << notes_;

    float bottomLeft = kBoxLeft;
    for (FieldBox* w : below) {
        auto* c = look::caption(this, w->def().caption, kCaptionLeft, kBottomRowTop, kCaptionWidth,
                                kBoxHeight, QStringLiteral("LabCampo") + w->def().control.mid(3));
        look::setForeColor(c, look::kAzul);
        twips::place(w, bottomLeft, kBottomRowTop, qMin(widthOf(w->def()), 3600.0f), kBoxHeight);
        bottomLeft += qMin(widthOf(w->def()), 3600.0f) + 120;
        order << w;
    }
    // The picture and its button come after the fields: the first stop is the first box.
    order << picture_.Imagen << picture_.BtnImagenEliminar;
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    first_ = order.first();
}

FormBasesDatos& RecordScreen::hub() const {
    return *ctx_.hub;
}

RecordStore& RecordScreen::store() const {
    return *ctx_.store;
}

RegisterState& RecordScreen::state() const {
    return ctx_.hub->reg[def_.global];
}

FieldBox* RecordScreen::box(const QString& control) const {
    for (FieldBox* b : boxes_)
        if (b->objectName() == control) return b;
    return nullptr;
}

void RecordScreen::boxChanged(FieldBox* b) {
    if (b->def().numeric && !rules::isWholeNumber(b->text())) b->setText(QString());
    if (b->def().identifier)
        look::setBoxColor(b, rules::isFilled(b->text()) ? look::kGris : look::kBlanco);
    if (composesName(b)) recomposeName();
}

bool RecordScreen::composesName(const FieldBox* b) const {
    return def_.nameParts.contains(b->objectName());
}

QString RecordScreen::composedName() const {
    QStringList parts;
    for (const QString& control : def_.nameParts)
        if (FieldBox* b = box(control)) parts << b->text();
    return parts.join(QLatin1Char(' '));
}

void RecordScreen::recomposeName() {
    picture_.setName(composedName());
}

bool RecordScreen::identifierPresent() {
    QList<FieldBox*> blank;
    for (FieldBox* b : boxes_)
        if (b->def().identifier && !rules::isFilled(b->text())) blank << b;
    if (blank.isEmpty()) return true;
    dialogs::warning(ctx_.window, hub().MensaIntroducirIDentificador);
    for (FieldBox* b : blank) b->setText(QString());
    return false;
}

bool RecordScreen::yearsReady() {
    for (FieldBox* b : boxes_) {
        if (!b->def().numeric) continue;
        if (b->text().isEmpty())
            b->setText(QStringLiteral("0"));
        else if (!rules::isWholeNumber(b->text()))
            return false;
    }
    return true;
}

int RecordScreen::collectFields(Campos& campos) const {
    int n = 0;
    for (const FieldDef& f : def_.fields) {
        QString v;
        if (n < int(campos.size()) && valueOf(f, &v)) campos[n++] = {f.column, v};
    }
    return n;
}

bool RecordScreen::valueOf(const FieldDef& f, QString* value) const {
    switch (f.kind) {
        case FieldKind::Notes:
            *value = notes_->text();
            return true;
        case FieldKind::Picture:
            *value = picture_.fileName();
            return true;
        case FieldKind::Text:
        case FieldKind::Year:
        case FieldKind::Century:
            for (FieldBox* b : boxes_)
                if (b->def().column == f.column) {
                    *value = b->def().numeric ? rules::yearText(b->text()) : b->text();
                    return true;
                }
            return false;
        default:
            return false;
    }
}

void RecordScreen::clearBoxes() {
    for (FieldBox* b : boxes_) b->setText(QString());
    notes_->setText(QString());
}

void RecordScreen::setFieldsLocked(bool locked) {
    // Tab passes over locked boxes, so that the keys reach the screen's buttons; a click still
    // gives them the focus.
    const Qt::FocusPolicy policy = locked ? Qt::ClickFocus : Qt::StrongFocus;
    for (FieldBox* b : boxes_) {
        b->setReadOnly(locked);
        b->setFocusPolicy(policy);
    }
    notes_->setReadOnly(locked);
    notes_->setFocusPolicy(policy);
}

void RecordScreen::reportFailure(int number, const QString& detail) {
    RecordStore& s = store();
    s.ErrorNumero = number;
    s.ErrorDetalle = detail;
    s.reportError();
}
