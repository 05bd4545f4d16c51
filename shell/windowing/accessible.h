#pragma once
// What a screen reader says for each control. Buttons, labels and tab strips speak their own
// text; a box, list, grid, scroll bar or picture speaks the name it is given here: the text of
// the caption label that stands for it, or, for a control without one, its tooltip.
class QLabel;
class QString;
class QWidget;

namespace accessible {

// Makes `label` the caption of `control`: the control is named after the label's text (blanks
// folded, so "Anterior   -   Siguiente" is said "Anterior - Siguiente").
void caption(QLabel* label, QWidget* control);
// Names `control` with `text`, blanks folded.
void name(QWidget* control, const QString& text);
// Gives every control under `root` that a screen reader would say nothing for a name: its
// tooltip's text. Run once on every screen and dialog after it is built.
void nameControls(QWidget* root);

}  // namespace accessible
