#pragma once
// Reading what a recording links: the fields of linked records by key, and the text a recording
// gives for a field of a linked register (several records of a set joined in set order).
#include <QHash>
#include <QString>
#include <QVector>

#include "store/record_links.h"

struct Context;
struct VocabItem;

namespace recfields {

// One linked record: its key and its fields by column, as stored.
struct Row {
    qint64 key = 0;
    QHash<QString, QString> field;
};

// The records of register `global` with these keys, in the order of the keys; keys of records
// that no longer exist are left out. Throws DbError when the catalogue cannot be read.
QVector<Row> read(Context& ctx, int global, const QVector<qint64>& keys);

// A recording with the records it links, read once.
struct Linked {
    links::Recording rec;
    QVector<Row> rows[6];  // by register index 0-5 of "Registros I"
};
// Throws DbError.
Linked readRecording(Context& ctx, qint64 key);

// The text of a listing or selection field of the recording: its notes, or the shown value of
// the column in the linked records (set members joined by " / ").
QString text(const Linked& l, const VocabItem& item);

}  // namespace recfields
