#pragma once
// What the entry and show screens of a register share: the register's text boxes in tab order
// with their captions, the notes box, the picture with its name label, and the field rules that
// both apply (numbers in year boxes, the identifier's colour, the composed name). Built from the
// register table; a register with a screen of its own shape extends it.
#include <QVector>

#include "entry/record_picture.h"
#include "shell/windowing/screen.h"
#include "store/record_store.h"
#include "store/registers.h"

class FieldBox;
class NotesBox;
class PictureBox;
class QLabel;
class FormBasesDatos;
struct RegisterState;

class RecordScreen : public Screen {
    Q_OBJECT
  public:
    // Field area, in twips.
    static constexpr float kCaptionLeft = 3390, kCaptionWidth = 1350;
    static constexpr float kBoxLeft = 4800, kBoxRight = 9960;
    static constexpr float kRowTop = 360, kRowStep = 450, kBoxHeight = 315;
    static constexpr float kNotesBottom = 7650, kBottomRowTop = 7710;

    RecordScreen(Context& ctx, int number, int global, QWidget* parent);

    const RegisterDef& def() const { return def_; }
    int global() const { return def_.global; }
    // A text box by control name (nullptr when the register has none of that name).
    FieldBox* box(const QString& control) const;
    const QVector<FieldBox*>& boxes() const { return boxes_; }
    NotesBox* notesBox() const { return notes_; }
    RecordPicture& picture() { return picture_; }
    // The first field in tab order.
    QWidget* firstControl() const override { return first_; }

  protected:
    FormBasesDatos& hub() const;
    RecordStore& store() const;
    RegisterState& state() const;

    // Field rules, run on every change of a box and when it takes the focus.
    virtual void boxChanged(FieldBox* b);
    virtual void boxFocused(FieldBox* b) = 0;
    virtual void notesChanged() {}
    virtual void notesFocused() {}
    // The name label's text from the boxes that compose it.
    virtual QString composedName() const;
    void recomposeName();
    bool composesName(const FieldBox* b) const;

    // Identifier rule of a save: false (after the warning, with the blank identifier boxes
    // emptied) when an identifier is missing.
    virtual bool identifierPresent();
    // Year rule of a save: false when a year box holds a non-number; empty ones become "0".
    bool yearsReady();
    // The field list of a save, in table order; returns the number of slots used.
    int collectFields(Campos& campos) const;
    // The value written for a field; false when the screen writes nothing to it.
    virtual bool valueOf(const FieldDef& f, QString* value) const;

    // Empties every box and the notes.
    void clearBoxes();
    // Locks or unlocks the boxes and the notes (locked boxes still take the focus from a click;
    // Tab passes over them).
    virtual void setFieldsLocked(bool locked);
    // Shows a failure as "Se ha producido el ERROR: " and its number.
    void reportFailure(int number, const QString& detail = {});

    QLabel* notesCaption_ = nullptr;
    PictureBox* ImagenFondo = nullptr;

  private:
    void build();

    const RegisterDef& def_;
    QVector<FieldBox*> boxes_;
    NotesBox* notes_ = nullptr;
    QWidget* first_ = nullptr;
    RecordPicture picture_;
};
