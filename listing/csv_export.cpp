#include "listing/csv_export.h"

#include <QSaveFile>

namespace listing {
namespace {

// Written out in chunks of about this size: few system calls, little memory.
constexpr qsizetype kChunk = 1 << 16;

QString reason(const QSaveFile& file) {
    return file.errorString().isEmpty() ? QStringLiteral("?") : file.errorString();
}

}  // namespace

QString csvField(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (QChar c : text)
        if (special.contains(c)) {
            quote = true;
            break;
        }
    if (!quote) return text;
    QString out = text;
    out.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString csvLine(const QStringList& fields) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i) line += QLatin1Char(',');
        line += csvField(fields[i]);
    }
    return line + QLatin1String("\r\n");
}

QString writeCsv(const QString& path, const CsvRows& rows) {
    // QSaveFile writes a temporary file beside `path` and renames it on commit; destroyed
    // without a commit (a failure, an exception from `fields`) it removes the temporary file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return reason(file);
    QByteArray buffer("\xEF\xBB\xBF");
    buffer += csvLine(rows.header).toUtf8();
    for (qint64 k = 0; k < rows.count; ++k) {
        buffer += csvLine(rows.fields(k)).toUtf8();
        if (buffer.size() >= kChunk) {
            if (file.write(buffer) != buffer.size()) return reason(file);
            buffer.resize(0);
        }
        if (rows.progress && (k + 1) % kProgressStep == 0) rows.progress(k + 1);
    }
    if (file.write(buffer) != buffer.size() || !file.commit()) return reason(file);
    if (rows.progress) rows.progress(rows.count);
    return QString();
}

}  // namespace listing
