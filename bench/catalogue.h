#pragma once
// Generated catalogues for the benchmark. Each size is generated once with raw SQLite (one
// transaction, prepared statements, indexes built after the rows) and kept outside the project
// under the data folder; a run works on a fresh copy so the kept catalogue never changes.
#include <QString>
#include <QStringList>

#include "store/schema.h"

namespace bench {

// How many records of each register a catalogue of `composers` composers gets: one work, with
// its movements, and one recording linking composer, work, carrier, orchestras, a conductor and
// performers per ten composers.
struct CatalogueSize {
    qint64 composers = 0, works = 0, carriers = 0, recordings = 0, ensembles = 0, conductors = 0,
           performers = 0;
    static CatalogueSize forComposers(qint64 n);
};

// Two dozen small JPEG portraits (longest side 200 pixels) under root/pictures; made when missing.
QStringList ensurePictures(const QString& root);

// The kept catalogue of `composers` composers (root/<n>/pristine.mdb), generated when missing,
// when its count differs or when it was made by another generator or schema.
// `version` below the program's: the same records in that older schema, for the counterpart
// times of SQLite alone on the previous layout.
QString ensureCatalogue(const QString& root, qint64 composers, const QStringList& pictures,
                        int version = schema::kVersion);

// An application folder (root/<n>/app) holding a fresh copy of the kept catalogue as
// DataOrmelia.mdb.
QString workingFolder(const QString& root, qint64 composers);

}  // namespace bench
