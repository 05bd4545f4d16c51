#include "store/record_links.h"

#include <sqlite3.h>

#include "shell/windowing/context.h"
#include "store/data_hub.h"
#include "store/engine.h"
#include "store/registers.h"

namespace links {
namespace {

QString recordingTable() {
    return registers::at(registers::kGrabacion).table;
}

// Runs a prepared statement to its end; throws the connection's error.
void finish(Connection& conn, sqlite3_stmt* st) {
    int rc = sqlite3_step(st);
    while (rc == SQLITE_ROW) rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) conn.fail(rc);
}

qint64 single(Connection& conn, sqlite3_stmt* st) {
    int rc = sqlite3_step(st);
    qint64 v = rc == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
    sqlite3_reset(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) conn.fail(rc);
    return v;
}

bool exists(Connection& conn, int global, qint64 key) {
    sqlite3_stmt* st = conn.prepare(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE Id = ?1")
                                        .arg(registers::at(global).table));
    sqlite3_bind_int64(st, 1, key);
    return single(conn, st) > 0;
}

void refuse(const QString& why) {
    throw DbError(dberr::kInvalidArgument, why);
}

}  // namespace

const QVector<SetTable>& setTables() {
    static const QVector<SetTable> t = {
        {registers::kOrquesta, QStringLiteral("GrabacionOrquesta"), 10},
        {registers::kDirector, QStringLiteral("GrabacionDirector"), 10},
        {registers::kInterprete, QStringLiteral("GrabacionInterprete"), 100}};
    return t;
}

const SetTable* setTableOf(int global) {
    for (const SetTable& t : setTables())
        if (t.global == global) return &t;
    return nullptr;
}

QString singleColumnOf(int global) {
    switch (global) {
        case registers::kCompositor:
            return QStringLiteral("CompositorId");
        case registers::kObra:
            return QStringLiteral("ObraId");
        case registers::kSoporte:
            return QStringLiteral("SoporteId");
        default:
            return {};
    }
}

QString usingCountSql(int global, const QString& key) {
    if (const SetTable* t = setTableOf(global))
        return QStringLiteral("SELECT COUNT(DISTINCT GrabacionId) FROM %1 WHERE RegistroId = %2")
            .arg(t->table, key);
    QString column = singleColumnOf(global);
    if (column.isEmpty()) return QStringLiteral("0");
    return QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = %3")
        .arg(recordingTable(), column, key);
}

int recordingsUsing(Context& ctx, int global, qint64 key) {
    if (key == 0 || (!setTableOf(global) && singleColumnOf(global).isEmpty())) return 0;
    std::shared_ptr<Connection> conn = ctx.hub->Data[registers::kGrabacion].connection();
    sqlite3_stmt* st = conn->prepare(usingCountSql(global, QStringLiteral("?1")));
    sqlite3_bind_int64(st, 1, key);
    return int(single(*conn, st));
}

QString existsSql(int global, const QString& condition) {
    const QString table = registers::at(global).table;
    const QString g = recordingTable();
    if (const SetTable* t = setTableOf(global))
        return QStringLiteral(
                   "EXISTS (SELECT 1 FROM %1 INNER JOIN %2 ON %2.Id = %1.RegistroId WHERE "
                   "%1.GrabacionId = %3.Id AND (%4))")
            .arg(t->table, table, g, condition);
    return QStringLiteral("EXISTS (SELECT 1 FROM %1 WHERE %1.Id = %2.%3 AND (%4))")
        .arg(table, g, singleColumnOf(global), condition);
}

qint64 Recording::single(int global) const {
    switch (global) {
        case registers::kCompositor:
            return compositor;
        case registers::kObra:
            return obra;
        case registers::kSoporte:
            return soporte;
        default:
            return 0;
    }
}

void Recording::setSingle(int global, qint64 key) {
    if (global == registers::kCompositor) compositor = key;
    if (global == registers::kObra) obra = key;
    if (global == registers::kSoporte) soporte = key;
}

QVector<qint64>& Recording::set(int global) {
    if (global == registers::kOrquesta) return orquestas;
    if (global == registers::kDirector) return directores;
    return interpretes;
}

const QVector<qint64>& Recording::set(int global) const {
    return const_cast<Recording*>(this)->set(global);
}

Recording read(Connection& conn, qint64 key) {
    Recording rec;
    sqlite3_stmt* st = conn.prepare(
        QStringLiteral("SELECT CompositorId, ObraId, SoporteId, Notas FROM %1 WHERE Id = ?1")
            .arg(recordingTable()));
    sqlite3_bind_int64(st, 1, key);
    int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
        rec.compositor = sqlite3_column_int64(st, 0);
        rec.obra = sqlite3_column_int64(st, 1);
        rec.soporte = sqlite3_column_int64(st, 2);
        rec.notas = columnText(st, 3);
    }
    sqlite3_reset(st);
    if (rc == SQLITE_DONE)
        throw DbError(dberr::kNoCurrentRecord, QStringLiteral("no existe la grabación"));
    if (rc != SQLITE_ROW) conn.fail(rc);
    for (const SetTable& t : setTables()) {
        sqlite3_stmt* q = conn.prepare(
            QStringLiteral("SELECT RegistroId FROM %1 WHERE GrabacionId = ?1 ORDER BY Orden, Id")
                .arg(t.table));
        sqlite3_bind_int64(q, 1, key);
        QVector<qint64>& members = rec.set(t.global);
        while ((rc = sqlite3_step(q)) == SQLITE_ROW) members << sqlite3_column_int64(q, 0);
        sqlite3_reset(q);
        if (rc != SQLITE_DONE) conn.fail(rc);
    }
    return rec;
}

qint64 write(Connection& conn, qint64 key, const Recording& rec, bool keepNotes) {
    keepNotes = keepNotes && key != 0;
    if (!keepNotes && rec.notas.size() > registers::kNotesMax)
        throw DbError(dberr::kFieldTooSmall, QStringLiteral("texto demasiado largo para Notas"));
    const QString g = recordingTable();
    conn.transaction([&] {
        for (int r : {registers::kCompositor, registers::kObra, registers::kSoporte})
            if (rec.single(r) != 0 && !exists(conn, r, rec.single(r)))
                refuse(QStringLiteral("no existe el registro enlazado de ") +
                       registers::at(r).table);
        for (const SetTable& t : setTables()) {
            const QVector<qint64>& members = rec.set(t.global);
            if (members.size() > t.max)
                refuse(QStringLiteral("demasiados registros en el conjunto de ") +
                       registers::at(t.global).table);
            for (qint64 m : members)
                if (!exists(conn, t.global, m))
                    refuse(QStringLiteral("no existe el registro enlazado de ") +
                           registers::at(t.global).table);
        }
        QByteArray notas = rec.notas.toUtf8();
        sqlite3_stmt* st = conn.prepare(
            key == 0 ? QStringLiteral("INSERT INTO %1 (CompositorId, ObraId, SoporteId, Notas) "
                                      "VALUES (?1, ?2, ?3, ?4)")
                           .arg(g)
                     : QStringLiteral("UPDATE %1 SET CompositorId = ?1, ObraId = ?2, "
                                      "SoporteId = ?3, Notas = %2 WHERE Id = ?5")
                           .arg(g, keepNotes ? QStringLiteral("Notas") : QStringLiteral("?4")));
        sqlite3_bind_int64(st, 1, rec.compositor);
        sqlite3_bind_int64(st, 2, rec.obra);
        sqlite3_bind_int64(st, 3, rec.soporte);
        sqlite3_bind_text(st, 4, notas.constData(), notas.size(), SQLITE_TRANSIENT);
        if (key != 0) sqlite3_bind_int64(st, 5, key);
        finish(conn, st);
        if (key == 0) {
            key = sqlite3_last_insert_rowid(conn.db());
        } else if (sqlite3_changes(conn.db()) == 0) {
            throw DbError(dberr::kNoCurrentRecord, QStringLiteral("no existe la grabación"));
        }
        for (const SetTable& t : setTables()) {
            sqlite3_stmt* del =
                conn.prepare(QStringLiteral("DELETE FROM %1 WHERE GrabacionId = ?1").arg(t.table));
            sqlite3_bind_int64(del, 1, key);
            finish(conn, del);
            const QVector<qint64>& members = rec.set(t.global);
            for (int i = 0; i < members.size(); ++i) {
                sqlite3_stmt* ins = conn.prepare(
                    QStringLiteral("INSERT INTO %1 (GrabacionId, Orden, RegistroId) VALUES (?1, "
                                   "?2, ?3)")
                        .arg(t.table));
                sqlite3_bind_int64(ins, 1, key);
                sqlite3_bind_int(ins, 2, i + 1);
                sqlite3_bind_int64(ins, 3, members[i]);
                finish(conn, ins);
            }
        }
    });
    return key;
}

}  // namespace links
