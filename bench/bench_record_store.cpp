// Saving a new record into the full table, modifying one and deleting one, through the
// record-store operations exactly as the composer screens call them, next to the same single
// INSERT, UPDATE or DELETE done by SQLite alone.
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

    // Save: the entry screen points Data(0) at the whole table, moves last, and GuardarCampos
    // appends and re-opens the record source.
    QVector<double> save, saveRaw;
    for (int i = 0; i < runs; ++i) {
        Campos c = composer(t, picture);
        saveRaw << timeMs([&] {
            raw.write(QStringLiteral("INSERT INTO Compositor (Nombre, Apellidos, Fecha1, Fecha2, "
                                     "Notas, Imagen) VALUES (?, ?, ?, ?, ?, ?)"),
                      values(c));
        });
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
    const long count = data.recordset().RecordCount();
    for (int i = 0; i < runs; ++i) {
        Campos c = composer(t, picture);
        long pos = run.randomPosition(count);
        data.recordset().setAbsolutePosition(pos);
        qint64 key = data.recordset().currentKey();
        QStringList args = values(c);
        args << QString::number(key + (key > 1 ? -1 : 1));
        modRaw << timeMs([&] {
            raw.write(QStringLiteral("UPDATE Compositor SET Nombre = ?, Apellidos = ?, Fecha1 = "
                                     "?, Fecha2 = ?, Notas = ?, Imagen = ? WHERE Id = ?"),
                      args);
        });
        data.recordset().setAbsolutePosition(pos);
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
        long n = data.recordset().RecordCount();
        data.recordset().setAbsolutePosition(run.randomPosition(n - 1));
        qint64 key = data.recordset().currentKey();
        // SQLite alone deletes a neighbour, so both delete a record that exists.
        data.recordset().MoveNext();
        qint64 other = data.recordset().currentKey();
        data.recordset().setAbsolutePosition(data.recordset().AbsolutePosition() - 1);
        Q_ASSERT(data.recordset().currentKey() == key);
        del << timeMs([&] { store.EliminarRegistro(0); });
        check(store, "EliminarRegistro");
        delRaw << timeMs([&] {
            raw.write(QStringLiteral("DELETE FROM Compositor WHERE Id = ?"),
                      {QString::number(other)});
        });
        data.Refresh();
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
