#include "works/recording_fields.h"

#include <QStringList>

#include "listing/field_text.h"
#include "shell/windowing/context.h"
#include "store/data_hub.h"
#include "store/registers.h"

namespace recfields {

QVector<Row> read(Context& ctx, int global, const QVector<qint64>& keys) {
    QVector<Row> out;
    if (keys.isEmpty()) return out;
    const RegisterDef& d = registers::at(global);
    QStringList ids;
    for (qint64 k : keys) ids << QString::number(k);
    DataControl reader;
    reader.DatabaseName = ctx.hub->Data[global].DatabaseName;
    reader.RecordSource = QStringLiteral("SELECT * FROM %1 WHERE Id IN (%2)")
                              .arg(d.table, ids.join(QLatin1Char(',')));
    reader.Refresh();
    QHash<qint64, Row> found;
    Recordset& rs = reader.recordset();
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext()) {
        Row r;
        r.key = rs.currentKey();
        for (const FieldDef& f : d.fields) r.field.insert(f.column, rs.Field(f.column));
        found.insert(r.key, r);
    }
    for (qint64 k : keys)
        if (found.contains(k)) out << found.value(k);
    return out;
}

Linked readRecording(Context& ctx, qint64 key) {
    Linked l;
    std::shared_ptr<Connection> conn = ctx.hub->Data[registers::kGrabacion].connection();
    l.rec = links::read(*conn, key);
    for (int g = 0; g < 6; ++g) {
        QVector<qint64> keys;
        if (links::setTableOf(g))
            keys = l.rec.set(g);
        else if (l.rec.single(g) != 0)
            keys << l.rec.single(g);
        l.rows[g] = read(ctx, g, keys);
    }
    return l;
}

QString text(const Linked& l, const VocabItem& item) {
    const int g = item.sourceRegister;
    if (g == registers::kGrabacion) return l.rec.notas;
    if (g < 0 || g >= 6) return {};
    const FieldDef* f = registers::at(g).field(item.column);
    QStringList parts;
    for (const Row& r : l.rows[g]) parts << listing::shownValue(f, r.field.value(item.column));
    return parts.join(QStringLiteral(" / "));
}

}  // namespace recfields
