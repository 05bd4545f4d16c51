#pragma once
// What a show screen would write for each field of the record as it was shown, so that a
// modification writes only the fields the user changed and leaves the others exactly as stored.
// A box too short for a stored value (a catalogue written by another tool, or an import) shows it
// cut, and the cut text must not replace it.
#include <QHash>
#include <QString>

class KeptFields {
  public:
    void clear() { untouched_.clear(); }
    // `untouched` is what the screen would write for `column` as shown.
    void note(const QString& column, const QString& untouched) {
        untouched_.insert(column, untouched);
    }
    // Whether the screen would now write `current` for a field it showed that way.
    bool untouched(const QString& column, const QString& current) const {
        const auto it = untouched_.constFind(column);
        return it != untouched_.constEnd() && *it == current;
    }

  private:
    QHash<QString, QString> untouched_;
};
