#pragma once
// The work's own fields on its entry and show screens: the text boxes drawn in the work's
// compact rows so the movements fit between them and the notes, the title line built from name,
// number and key, and the boxes whose focus rule differs.
#include <QString>

class FieldBox;
class FormBasesDatos;
class RecordScreen;

namespace obra {

// Places the work's captions, boxes and notes (the movements area lies between them).
void layoutFields(RecordScreen& screen);

// RistraNombre: name, then " Nº " and the number, then " en " and the key, each part only when it
// holds more than blanks.
QString RistraNombre(const FormBasesDatos& hub, const QString& nombre, const QString& numero,
                     const QString& tonalidad);
// The title of the screen's boxes.
QString titleOf(const RecordScreen& screen, const FormBasesDatos& hub);
// Whether a change of this box rebuilds the title.
bool composesTitle(const FieldBox* box);
// The focus rule of an editable box: the catalogue number puts the caret at the start without
// selecting; every other box selects its whole text.
void focused(FieldBox* box);

}  // namespace obra
