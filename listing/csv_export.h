#pragma once
// The selection as a CSV file: UTF-8 with a byte-order mark (so spreadsheets read accents right),
// comma-separated, fields quoted as RFC 4180 asks, CRLF line ends, a header row of captions.
// The file is written beside its name and takes the name only when whole, so a failure leaves
// nothing half-written.
#include <QString>
#include <QStringList>
#include <functional>

namespace listing {

// One field as CSV: quoted, with its quotes doubled, when it holds a comma, a quote, CR or LF.
QString csvField(const QString& text);
// One record as a CSV line, CRLF included.
QString csvLine(const QStringList& fields);

struct CsvRows {
    QStringList header;
    qint64 count = 0;
    // The fields of record k (0-based); may throw, and the file is then not written.
    std::function<QStringList(qint64 k)> fields;
    // Called every `kProgressStep` records and at the end with the records written so far.
    std::function<void(qint64 done)> progress;
};

inline constexpr qint64 kProgressStep = 1000;

// Writes the rows to `path`; returns "" when done, else the reason it could not be written.
QString writeCsv(const QString& path, const CsvRows& rows);

}  // namespace listing
