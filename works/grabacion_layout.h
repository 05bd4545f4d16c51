#pragma once
// What the recording's entry and show screens share of the common record screen: they have no
// picture or text boxes of their own, only the slots and the notes, which are moved beside them.
class QLabel;
class QWidget;
class RecordScreen;

namespace grabacion {

// Puts the record picture out of sight for good and the notes and their caption in the
// recording's place.
void arrange(RecordScreen& screen, QLabel* notesCaption, QWidget* background);

}  // namespace grabacion
