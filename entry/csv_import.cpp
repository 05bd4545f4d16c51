#include "entry/csv_import.h"

#include <sqlite3.h>

#include <QSet>
#include <QStringDecoder>

#include "shell/windowing/storable_text.h"
#include "store/data_hub.h"
#include "store/duplicates.h"
#include "store/engine.h"
#include "store/field_rules.h"
#include "store/jet_dialect.h"
#include "store/record_label.h"
#include "store/schema.h"

namespace csvimport {
namespace {

// Windows-1252 at 0x80-0x9F; its other bytes are Latin-1. The five bytes it leaves undefined
// stay the control characters of the same number, as Windows reads them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromCp1252(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* o = out.data();
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *o++ = u >= 0x80 && u < 0xA0 ? QChar(kCp1252High[u - 0x80]) : QChar(u);
    }
    return out;
}

QString fromUtf16(const QByteArray& bytes, QStringDecoder::Encoding e) {
    QStringDecoder d(e);
    return d(bytes);
}

// The insert reports its progress every this many rows.
constexpr qint64 kProgressStep = 500;

// Lines of a cell, whatever its line ends.
QStringList lines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

bool hasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// A duration as the listing shows it ("h:mm:ss", hours of any digits) or a number of seconds;
// -1 when it is neither.
qint64 durationSeconds(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() == 1)
        return rules::isWholeNumber(text) ? qint64(rules::numericValue(text)) : -1;
    if (parts.size() != 3) return -1;
    qint64 v[3];
    for (int i = 0; i < 3; ++i) {
        const QString p = parts[i].trimmed();
        if (p.isEmpty() || p.size() > 9) return -1;
        for (QChar c : p)
            if (!c.isDigit() || c.unicode() > '9') return -1;
        v[i] = p.toLongLong();
    }
    if (v[1] > 59 || v[2] > 59) return -1;
    return v[0] * 3600 + v[1] * 60 + v[2];
}

// A movement's duration as the work's grid keeps it: hours, minutes and seconds of at most two
// digits each, separated by ":", an empty part being 0. Returns the seconds and puts the stored
// form in `stored`; -1 when the text is not one.
qint64 gridDuration(const QString& text, QString* stored) {
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 3) return -1;
    QStringList kept;
    qint64 seconds = 0;
    for (const QString& part : parts) {
        const QString p = part.trimmed();
        if (p.size() > 2) return -1;
        for (QChar c : p)
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
        kept << (p.isEmpty() ? QStringLiteral("0") : p);
        seconds = seconds * 60 + (p.isEmpty() ? 0 : p.toInt());
    }
    *stored = kept.join(QLatin1Char(':'));
    return seconds;
}

QString hoursText(qint64 seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// Checks one data row; returns "" and fills `values` (one per target) when it may be added.
class RowReader {
  public:
    RowReader(const QVector<Target>& targets, const QVector<int>& cellOf, const FormBasesDatos& hub)
        : targets_(targets), cellOf_(cellOf), hub_(hub) {}

    QString read(const QStringList& cells, QStringList& values) const {
        values.clear();
        // The identifier first, as a save checks it before anything else.
        for (int t = 0; t < targets_.size(); ++t)
            if (targets_[t].field->identifier && !rules::isFilled(cell(cells, t)))
                return hub_.MensaIntroducirIDentificador;
        RowState state;
        for (int t = 0; t < targets_.size(); ++t) {
            QString v;
            const QString why = value(t, cell(cells, t), &state, &v);
            if (!why.isEmpty()) return why;
            values << v;
        }
        return QString();
    }

  private:
    // What the work's later fields follow: the movements and the durations the row gives, -1
    // when it gives none.
    struct RowState {
        int movements = -1;
        qint64 durations = -1;
    };

    QString captionOf(FieldKind kind) const {
        for (const Target& t : targets_)
            if (t.field->kind == kind) return t.caption;
        return QString();
    }

    QString cell(const QStringList& cells, int t) const {
        const int c = cellOf_[t];
        return c < 0 ? QString() : cells.value(c);
    }

    QString tooLong(const Target& t, const QString& v, int max) const {
        return hub_.MotivoLargo.arg(t.caption).arg(v.size()).arg(max);
    }

    QString value(int index, const QString& raw, RowState* state, QString* out) const {
        const Target& t = targets_[index];
        const FieldDef& f = *t.field;
        const QString trimmed = raw.trimmed();
        switch (f.kind) {
            case FieldKind::Text: {
                const QString v = storable::clean(raw);
                if (hasLineBreak(v)) return hub_.MotivoSaltoLinea.arg(t.caption);
                if (f.maxLength > 0 && v.size() > f.maxLength) return tooLong(t, v, f.maxLength);
                *out = v;
                return QString();
            }
            case FieldKind::Notes:
            case FieldKind::Picture: {
                const QString v = storable::clean(raw);
                if (f.maxLength > 0 && v.size() > f.maxLength) return tooLong(t, v, f.maxLength);
                *out = v;
                return QString();
            }
            case FieldKind::Year:
            case FieldKind::Century:
                // As the box reads it: an empty box is 0, a longer text cannot be typed.
                if (trimmed.size() > f.maxLength) return tooLong(t, trimmed, f.maxLength);
                if (!trimmed.isEmpty() && !rules::isWholeNumber(trimmed))
                    return hub_.MotivoNumero.arg(t.caption, raw);
                *out = rules::yearText(trimmed);
                return QString();
            case FieldKind::Kind: {
                // No kind given is an orchestra, as a stored kind out of range is shown.
                const int k = trimmed.isEmpty() ? 1 : rules::kindOf(trimmed);
                if (k == 0) return hub_.MotivoTipo.arg(t.caption, raw);
                *out = QString::number(k);
                return QString();
            }
            case FieldKind::Movements: {
                if (cellOf_[index] < 0) return QString();
                QStringList kept;
                for (const QString& line : lines(storable::clean(raw))) {
                    if (!rules::isFilled(line)) continue;  // the grid takes no blank movement
                    if (line.contains(QLatin1Char('#')))
                        return hub_.MotivoAlmohadilla.arg(t.caption);
                    if (line.size() > registers::kMovementMax)
                        return tooLong(t, line, registers::kMovementMax);
                    kept << line;
                }
                if (kept.size() > registers::kMaxMovements) return hub_.MensaMax150Movimientos;
                state->movements = int(kept.size());
                for (const QString& m : kept) *out += m + QLatin1Char('#');
                return QString();
            }
            case FieldKind::Durations: {
                // One duration per movement, in order; none given, the grid shows the movements
                // without them.
                if (cellOf_[index] < 0 || !rules::isFilled(raw)) return QString();
                QStringList kept;
                qint64 total = 0;
                for (const QString& line : lines(raw)) {
                    if (!rules::isFilled(line)) continue;
                    QString stored;
                    const qint64 s = gridDuration(line, &stored);
                    if (s < 0) return hub_.MotivoDuracion.arg(t.caption, line.trimmed());
                    kept << stored;
                    total += s;
                }
                const int movements = qMax(state->movements, 0);
                if (kept.size() != movements)
                    return hub_.MotivoDuraciones.arg(t.caption, captionOf(FieldKind::Movements))
                        .arg(movements);
                state->durations = total;
                for (const QString& d : kept) *out += d + QLatin1Char('#');
                return QString();
            }
            case FieldKind::Number:
                if (f.column == QLatin1String("TiempoTotal")) {
                    // The screens keep the total as the sum of the durations, so one given with
                    // them must be that sum.
                    const qint64 given = trimmed.isEmpty() ? 0 : durationSeconds(trimmed);
                    if (given < 0) return hub_.MotivoDuracion.arg(t.caption, raw);
                    if (state->durations >= 0 && !trimmed.isEmpty() && given != state->durations)
                        return hub_.MotivoTiempoTotal.arg(t.caption, trimmed,
                                                          captionOf(FieldKind::Durations),
                                                          hoursText(state->durations));
                    *out = QString::number(state->durations >= 0 ? state->durations : given);
                    return QString();
                }
                // The movement count follows the movements when the file gives them.
                if (state->movements >= 0) {
                    *out = QString::number(state->movements);
                    return QString();
                }
                if (!trimmed.isEmpty() && !rules::isWholeNumber(trimmed))
                    return hub_.MotivoNumero.arg(t.caption, raw);
                *out = rules::yearText(trimmed);
                return QString();
            default:
                return QString();
        }
    }

    const QVector<Target>& targets_;
    const QVector<int>& cellOf_;
    const FormBasesDatos& hub_;
};

}  // namespace

QString decode(const QByteArray& bytes, bool* isText) {
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    } else if (bytes.startsWith("\xFF\xFE")) {
        text = fromUtf16(bytes.mid(2), QStringDecoder::Utf16LE);
    } else if (bytes.startsWith("\xFE\xFF")) {
        text = fromUtf16(bytes.mid(2), QStringDecoder::Utf16BE);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = utf8(bytes);
        if (utf8.hasError()) text = fromCp1252(bytes);
    }
    // A text file may hold the odd control character, never NUL and not many of the others.
    qsizetype controls = 0;
    bool nul = false;
    for (QChar c : std::as_const(text)) {
        const char16_t u = c.unicode();
        if (u == 0) nul = true;
        if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0xFFFD) ++controls;
    }
    *isText = !nul && controls * 100 <= text.size();
    return text;
}

QChar separatorOf(const QString& text) {
    const QChar candidates[] = {QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};
    qsizetype count[3] = {0, 0, 0};
    bool quoted = false;
    for (QChar c : text) {
        if (c == QLatin1Char('"')) quoted = !quoted;  // a doubled quote toggles twice
        if (quoted) continue;
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) break;
        for (int i = 0; i < 3; ++i)
            if (c == candidates[i]) ++count[i];
    }
    int best = 0;
    for (int i = 1; i < 3; ++i)
        if (count[i] > count[best]) best = i;
    return candidates[best];
}

std::vector<Record> parse(const QString& text, QChar separator) {
    enum State { CellStart, Unquoted, Quoted, QuoteInQuoted };
    std::vector<Record> out;
    const QChar* p = text.constData();
    const qsizetype n = text.size();
    qint64 line = 1;
    Record rec;
    rec.line = line;
    QString cell;
    bool any = false;  // the record has a character or a separator
    State state = CellStart;
    auto endRecord = [&] {
        if (any) {
            rec.cells << cell;
            out.push_back(std::move(rec));
        }
        rec = Record();
        cell.clear();
        any = false;
        state = CellStart;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = p[i];
        if (state == Quoted) {
            if (c == QLatin1Char('"')) {
                state = QuoteInQuoted;
                continue;
            }
            cell += c;
            if (c == QLatin1Char('\r')) {
                ++line;
                if (i + 1 < n && p[i + 1] == QLatin1Char('\n')) cell += p[++i];
            } else if (c == QLatin1Char('\n')) {
                ++line;
            }
            continue;
        }
        if (state == QuoteInQuoted) {
            if (c == QLatin1Char('"')) {
                cell += c;
                state = Quoted;
                continue;
            }
            state = Unquoted;  // the quote closed the cell; what follows is read as unquoted
        }
        if (c == separator) {
            rec.cells << cell;
            cell.clear();
            any = true;
            state = CellStart;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && p[i + 1] == QLatin1Char('\n')) ++i;
            endRecord();
            rec.line = ++line;
        } else if (c == QLatin1Char('"') && state == CellStart) {
            state = Quoted;
            any = true;
        } else {
            cell += c;
            any = true;
            state = Unquoted;
        }
    }
    if (state == Quoted) rec.closed = false;
    endRecord();
    return out;
}

QVector<Target> targets(const RegisterDef& def) {
    QVector<Target> out;
    for (const FieldDef& f : def.fields) {
        if (f.kind == FieldKind::Link) continue;
        QString caption = f.column;
        for (const VocabItem& e : def.listEntries)
            if (e.column == f.column) {
                caption = e.caption;
                break;
            }
        out.push_back({&f, caption});
    }
    return out;
}

Plan prepare(const QByteArray& bytes, const RegisterDef& def, const FormBasesDatos& hub,
             const QString& path) {
    Plan plan;
    bool isText = false;
    const QString text = decode(bytes, &isText);
    if (!rules::isFilled(text)) {
        plan.problem = hub.MensaImportarVacio.arg(path);
        return plan;
    }
    if (!isText) {
        plan.problem = hub.MensaImportarNoTexto.arg(path);
        return plan;
    }
    std::vector<Record> records = parse(text, separatorOf(text));
    const QVector<Target> all = targets(def);
    // A column is taken by the caption the listing writes or by the field's own name.
    QVector<int> cellOf(all.size(), -1);
    const QStringList header = records.empty() ? QStringList() : records.front().cells;
    for (int c = 0; c < header.size(); ++c) {
        const QString key = rules::captionKey(header[c]);
        int taker = -1;
        for (int t = 0; t < all.size() && taker < 0 && !key.isEmpty(); ++t) {
            if (cellOf[t] >= 0) continue;
            if (key == rules::captionKey(all[t].caption) ||
                key == rules::captionKey(all[t].field->column))
                taker = t;
        }
        if (taker >= 0) {
            cellOf[taker] = c;
            plan.matched << header[c];
        } else if (rules::isFilled(header[c])) {
            plan.ignored << header[c];
        }
    }
    if (plan.matched.isEmpty()) {
        QStringList captions;
        for (const Target& t : all)
            if (t.field->kind != FieldKind::Durations) captions << t.caption;
        plan.problem = hub.MensaImportarSinColumnas.arg(path, def.caption,
                                                        captions.join(QStringLiteral(", ")));
        plan.ignored.clear();
        return plan;
    }
    for (const Target& t : all) plan.fields << t.field;
    const RowReader reader(all, cellOf, hub);
    QStringList values;
    for (size_t r = 1; r < records.size(); ++r) {
        const Record& rec = records[r];
        ++plan.read;
        QString why;
        if (!rec.closed)
            why = hub.MotivoComillas;
        else if (rec.cells.size() != header.size())
            why = hub.MotivoCampos.arg(rec.cells.size()).arg(header.size());
        else
            why = reader.read(rec.cells, values);
        if (why.isEmpty()) {
            plan.rows.push_back(values);
            plan.rowLines.push_back(rec.line);
        } else
            plan.refused.push_back({rec.line, why});
    }
    return plan;
}

constexpr size_t kRowsLookedUpOneByOne = 1000;

void markRepeats(Connection& conn, const RegisterDef& def, const FormBasesDatos& hub, Plan& plan,
                 const std::function<bool(qint64 done)>& keepGoing) {
    plan.repeated.clear();
    plan.repeats.assign(plan.rows.size(), false);
    const QStringList labelled = labels::columnsOf(def.global);
    if (labelled.isEmpty()) return;
    QSet<QString> earlier;
    QHash<QString, QString> values;
    // Few rows are looked up one by one through the index; many against every stored label read
    // once, since one index range a row would cost minutes for a large file.
    const bool manyRows = plan.rows.size() > kRowsLookedUpOneByOne;
    const QSet<QString> stored =
        manyRows ? duplicates::storedLabels(conn, hub, def.global) : QSet<QString>();
    for (size_t r = 0; r < plan.rows.size(); ++r) {
        if (r % 500 == 0 && keepGoing && !keepGoing(qint64(r)))
            throw DbError(dberr::kCancelled, QStringLiteral("cancelado"));
        values.clear();
        for (int i = 0; i < plan.fields.size(); ++i)
            if (labelled.contains(plan.fields[i]->column))
                values.insert(plan.fields[i]->column, plan.rows[r].value(i));
        const QString same = duplicates::comparableLabel(hub, def.global, values);
        QString why;
        if (manyRows ? stored.contains(same)
                     : duplicates::findEqual(conn, hub, def.global, values).key != 0)
            why = hub.MotivoEnCatalogo;
        else if (earlier.contains(same))
            why = hub.MotivoRepetidaArchivo;
        earlier.insert(same);
        if (why.isEmpty()) continue;
        plan.repeats[r] = true;
        plan.repeated.push_back({plan.rowLines.value(qsizetype(r)), why});
    }
}

void leaveOutRepeats(Plan& plan) {
    std::vector<QStringList> kept;
    QVector<qint64> lines;
    for (size_t r = 0; r < plan.rows.size(); ++r)
        if (r >= plan.repeats.size() || !plan.repeats[r]) {
            kept.push_back(std::move(plan.rows[r]));
            lines << plan.rowLines.value(qsizetype(r));
        }
    plan.rows = std::move(kept);
    plan.rowLines = lines;
    plan.repeats.assign(plan.rows.size(), false);
}

std::vector<qint64> insert(Connection& conn, const RegisterDef& def, const Plan& plan,
                           const std::function<bool(qint64 done)>& keepGoing) {
    QStringList names, marks;
    for (int i = 0; i < plan.fields.size(); ++i) {
        names << QLatin1Char('"') + plan.fields[i]->column + QLatin1Char('"');
        marks << QStringLiteral("?%1").arg(i + 1);
    }
    // The sort keys are written with the rows: computed afterwards, every row would be written
    // twice.
    const QStringList keyed = schema::keyedColumns(def);
    for (int i = 0; i < plan.fields.size(); ++i)
        if (keyed.contains(plan.fields[i]->column)) {
            names << QLatin1Char('"') + schema::keyColumn(plan.fields[i]->column) +
                         QLatin1Char('"');
            marks << QStringLiteral("%1(?%2)").arg(QLatin1String(jet::kSortKeyFunction)).arg(i + 1);
        }
    const QString sql =
        QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
            .arg(def.table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    std::vector<qint64> keys;
    keys.reserve(plan.rows.size());
    conn.transaction([&] {
        sqlite3_stmt* st = conn.prepare(sql);
        for (size_t k = 0; k < plan.rows.size(); ++k) {
            if (k % kProgressStep == 0 && keepGoing && !keepGoing(qint64(k)))
                throw DbError(dberr::kCancelled, QStringLiteral("importación cancelada"));
            const QStringList& row = plan.rows[k];
            for (int i = 0; i < plan.fields.size(); ++i) {
                if (plan.fields[i]->isNumeric()) {
                    sqlite3_bind_int64(st, i + 1, qint64(rules::numericValue(row[i])));
                } else {
                    const QByteArray b = row[i].toUtf8();
                    sqlite3_bind_text(st, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
                }
            }
            const int rc = sqlite3_step(st);
            sqlite3_reset(st);
            if (rc != SQLITE_DONE) conn.fail(rc, sql);
            keys.push_back(sqlite3_last_insert_rowid(conn.db()));
        }
        // Keys of the one-line texts the file left out (empty texts) in the same transaction.
        const int rc = schema::freshenKeys(conn.db(), def);
        if (rc != SQLITE_OK) conn.fail(rc, sql);
    });
    if (keepGoing) keepGoing(qint64(keys.size()));
    return keys;
}

}  // namespace csvimport
