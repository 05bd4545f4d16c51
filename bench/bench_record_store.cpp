// Saving a new record into the full table, modifying one and deleting one, through the
// record-store operations exactly as the composer screens call them, next to the same single
// INSERT, UPDATE or DELETE done by SQLite alone.
#include <algorithm>

#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "bench/sample_text.h"
#include "shell/form_mdi.h"
#include "store/data_hub.h"
#include "store/record_store.h"

namespace bench {
namespace {

Campos composer(SampleText& t, const QString& picture) {
    Campos c;
    auto [born, died] = t.years();
    QString ape = t.surnames();
    c[0] = {QStringLiteral("Nombre"), t.firstNames()};
    c[1] = {QStringLiteral("Apellidos"), ape};
    c[2] = {QStringLiteral("Fecha1"), QString::number(born)};
    c[3] = {QStringLiteral("Fecha2"), QString::number(died)};
    c[4] = {QStringLiteral("Notas"), t.notes(t.uniform(200, 2000), ape, born)};
    c[5] = {QStringLiteral("Imagen"), picture};
    return c;
}

QStringList values(const Campos& c) {
    QStringList v;
    for (int i = 0; i < 6; ++i) v << c[i].second;
    return v;
}

void check(RecordStore& store, const char* what) {
    if (store.ErrorDatos)
        throw std::runtime_error(std::string(what) +
                                 " failed: " + store.ErrorDetalle.toStdString());
}

}  // namespace

void benchRecordStore(RunContext& run) {
    auto m = startProgram(run.folder);
    FormBasesDatos& hub = m->hub();
    RecordStore& store = m->store();
    DataControl& data = hub.Data[0];
    RawDb raw(run.catalogue());
    SampleText t(99);
    const QString picture = hub.BDReg1ComIma();
    const int runs = run.runs(21);
    // A composer no recording uses (a used one cannot be deleted).
    auto unusedKey = [&](const std::vector<qint64>& keys) {
        for (;;) {
            qint64 key = keys[size_t(run.randomPosition(long(keys.size())))];
            if (raw.scalar(QStringLiteral("SELECT count(*) FROM Grabacion WHERE CompositorId = %1")
                               .arg(key)) == 0)
                return key;
        }
    };
    // SQLite alone writes through a connection of its own, which the program's connection sees as
    // another program's commit; so its writes come first, and the program's after, as in a run
    // where only the program writes.
    auto afterRaw = [&] {
        data.RecordSource = FormBasesDatos::wholeTable(0);
        data.Refresh();
    };

    // Save: the entry screen points Data(0) at the whole table, moves last, and GuardarCampos
    // appends and re-opens the record source.
    QVector<double> save, saveRaw;
    for (int i = 0; i < runs; ++i) {
        QStringList v = values(composer(t, picture));
        saveRaw << timeMs([&] {
            raw.write(QStringLiteral("INSERT INTO Compositor (Nombre, Apellidos, Fecha1, Fecha2, "
                                     "Notas, Imagen) VALUES (?, ?, ?, ?, ?, ?)"),
                      v);
        });
    }
    afterRaw();
    for (int i = 0; i < runs; ++i) {
        Campos c = composer(t, picture);
        save << timeMs([&] {
            data.RecordSource = FormBasesDatos::wholeTable(0);
            data.Refresh();
            if (data.recordset().RecordCount()) data.recordset().MoveLast();
            store.GuardarCampos(0, 6, true, c);
        });
        check(store, "GuardarCampos (new)");
    }
    Row s;
    s.operation = QStringLiteral("save a new record (store)");
    s.ms = median(save);
    s.rawMs = median(saveRaw);
    s.goalMs = 20;
    s.runs = runs;
    s.note = QStringLiteral("Refresh whole table + GuardarCampos(Nuevo); SQLite: one INSERT");
    run.add(s);

    // Modify: the show screen edits the current record of the selection in place.
    QVector<double> mod, modRaw;
    for (int i = 0; i < runs; ++i) {
        QStringList args = values(composer(t, picture));
        args << QString::number(
            data.recordset().keys()[size_t(run.randomPosition(data.recordset().RecordCount()))]);
        modRaw << timeMs([&] {
            raw.write(QStringLiteral("UPDATE Compositor SET Nombre = ?, Apellidos = ?, Fecha1 = "
                                     "?, Fecha2 = ?, Notas = ?, Imagen = ? WHERE Id = ?"),
                      args);
        });
    }
    afterRaw();
    const long count = data.recordset().RecordCount();
    for (int i = 0; i < runs; ++i) {
        Campos c = composer(t, picture);
        data.recordset().setAbsolutePosition(run.randomPosition(count));
        mod << timeMs([&] { store.GuardarCampos(0, 6, false, c); });
        check(store, "GuardarCampos (edit)");
    }
    Row md;
    md.operation = QStringLiteral("modify a record (store)");
    md.ms = median(mod);
    md.rawMs = median(modRaw);
    md.goalMs = 20;
    md.runs = runs;
    md.note = QStringLiteral("GuardarCampos(Nuevo false) + Refresh; SQLite: one UPDATE");
    run.add(md);

    // Delete: EliminarRegistro deletes the current record and moves to the next.
    QVector<double> del, delRaw;
    for (int i = 0; i < runs; ++i) {
        const qint64 key = unusedKey(data.recordset().keys());
        delRaw << timeMs([&] {
            raw.write(QStringLiteral("DELETE FROM Compositor WHERE Id = ?"),
                      {QString::number(key)});
        });
    }
    afterRaw();
    for (int i = 0; i < runs; ++i) {
        Recordset& rs = data.recordset();
        const qint64 key = unusedKey(rs.keys());
        rs.setAbsolutePosition(
            long(std::lower_bound(rs.keys().begin(), rs.keys().end(), key) - rs.keys().begin()));
        del << timeMs([&] { store.EliminarRegistro(0); });
        check(store, "EliminarRegistro");
    }
    Row d;
    d.operation = QStringLiteral("delete a record (store)");
    d.ms = median(del);
    d.rawMs = median(delRaw);
    d.goalMs = 20;
    d.runs = runs;
    d.note = QStringLiteral("EliminarRegistro; SQLite: one DELETE");
    run.add(d);
}

}  // namespace bench
