#pragma once
// Text boxes hold only what the catalogue can store and give back unchanged: a NUL character
// would cut an SQL text short, and half of a surrogate pair is no character at all (it would come
// back as "?"). Such characters, which only a paste can bring, are dropped as they arrive, so the
// box always shows exactly what a save or a selection uses.
#include <QString>

class QLineEdit;

namespace storable {

// The text without NUL characters and unpaired surrogates.
QString clean(const QString& text);

// Keeps a line box clean. Connect before any handler of the box's changes, so that they see the
// clean text.
void guard(QLineEdit* box);

}  // namespace storable
