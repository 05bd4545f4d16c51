#include "works/obra_fields.h"

#include <QLabel>

#include "entry/field_box.h"
#include "entry/record_screen.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/record_label.h"
#include "works/obra_movements.h"

namespace obra {
namespace {

struct Slot {
    const char* control;
    float top, captionLeft, captionWidth, boxLeft, boxWidth;
};

constexpr float kC = RecordScreen::kCaptionLeft, kW = RecordScreen::kCaptionWidth;
constexpr float kL = RecordScreen::kBoxLeft,
                kFull = RecordScreen::kBoxRight - RecordScreen::kBoxLeft;
constexpr float kRight = 7140, kRightWidth = RecordScreen::kBoxRight - kRight;

// A caption left at 0 width belongs to the box before it on the same row.
const Slot kSlots[] = {
    {"TxtNombre", 360, kC, kW, kL, kFull},
    {"TxtNumero", 810, kC, kW, kL, 1200},
    {"TxtTonalidad", 810, 6120, 960, kRight, kRightWidth},
    {"TxtOpus", 1260, kC, kW, kL, 1800},
    {"TxtNumeroOpus", 1260, 6720, 360, kRight, kRightWidth},
    {"TxtCatalogo", 1710, kC, kW, kL, 1800},
    {"TxtNumeroCatalogo", 1710, 6720, 360, kRight, kRightWidth},
    {"TxtFecha1", 2160, kC, kW, kL, 720},
    {"TxtFecha2", 2160, 0, 0, kL + 840, 720},
    {"TxtSubtitulo", 2610, kC, kW, kL, kFull},
};

}  // namespace

void layoutFields(RecordScreen& screen) {
    for (const Slot& s : kSlots) {
        const QString control = QLatin1String(s.control);
        if (FieldBox* b = screen.box(control))
            twips::place(b, s.boxLeft, s.top, s.boxWidth, RecordScreen::kBoxHeight);
        if (s.captionWidth <= 0) continue;
        if (auto* c = screen.findChild<QLabel*>(QStringLiteral("LabCampo") + control.mid(3))) {
            twips::place(c, s.captionLeft, s.top, s.captionWidth, RecordScreen::kBoxHeight);
            if (s.captionLeft != kC) c->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    const float notesTop = ObraMovements::kBottom + 45;
    if (auto* c = screen.findChild<QLabel*>(QStringLiteral("LabCampoNotas")))
        twips::place(c, kC, notesTop, kW, RecordScreen::kBoxHeight);
    twips::place(screen.notesBox(), kL, notesTop, kFull, RecordScreen::kNotesBottom - notesTop);
}

QString RistraNombre(const FormBasesDatos& hub, const QString& nombre, const QString& numero,
                     const QString& tonalidad) {
    return labels::workTitle(hub, nombre, numero, tonalidad);
}

QString titleOf(const RecordScreen& screen, const FormBasesDatos& hub) {
    auto text = [&](const char* control) {
        FieldBox* b = screen.box(QLatin1String(control));
        return b ? b->text() : QString();
    };
    return RistraNombre(hub, text("TxtNombre"), text("TxtNumero"), text("TxtTonalidad"));
}

bool composesTitle(const FieldBox* box) {
    const QString n = box->objectName();
    return n == QLatin1String("TxtNombre") || n == QLatin1String("TxtNumero") ||
           n == QLatin1String("TxtTonalidad");
}

void focused(FieldBox* box) {
    if (box->objectName() == QLatin1String("TxtNumeroCatalogo")) {
        box->deselect();
        box->setCursorPosition(0);
    } else {
        box->selectAll();
    }
}

}  // namespace obra
