// "Importar" of 100,000 composers from a CSV file, through the real entry screen (reading,
// checking, the duplicate check, the preview answered "Aceptar", the insert and the whole table
// re-read), and the preview alone on rows all stored already; next to SQLite alone inserting the
// same rows in one transaction with one prepared statement.
#include <sqlite3.h>

#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>

#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "bench/sample_text.h"
#include "bench/screens.h"
#include "entry/entry_screen.h"
#include "listing/csv_export.h"
#include "shell/form_mdi.h"
#include "shell/windowing/dialogs.h"
#include "store/data_hub.h"

namespace bench {
namespace {

constexpr qint64 kRows = 100000;

// The file the composer listing would export with every field ticked, with notes of 200 to 600
// characters and a picture path; its rows, for SQLite alone.
QString writeFile(const QString& folder, const QString& picture, std::vector<QStringList>* rows) {
    SampleText t(2024);
    rows->clear();
    rows->reserve(kRows);
    for (qint64 k = 0; k < kRows; ++k) {
        auto [born, died] = t.years();
        const QString ape = t.surnames();
        rows->push_back({t.firstNames(), ape, QString::number(born),
                         died ? QString::number(died) : QString(),
                         t.notes(t.uniform(200, 600), ape, born), picture});
    }
    listing::CsvRows csv;
    csv.header = {QStringLiteral("Nombre"),  QStringLiteral("Apellidos"), QStringLiteral("Fecha 1"),
                  QStringLiteral("Fecha 2"), QStringLiteral("Notas"),     QStringLiteral("Imagen")};
    csv.count = kRows;
    csv.fields = [&](qint64 k) { return (*rows)[size_t(k)]; };
    const QString path = folder + QStringLiteral("/importar.csv");
    const QString problem = listing::writeCsv(path, csv);
    if (!problem.isEmpty()) throw std::runtime_error("cannot write " + path.toStdString());
    return path;
}

void rawInsert(RawDb& raw, const std::vector<QStringList>& rows) {
    raw.exec(QStringLiteral("BEGIN IMMEDIATE"));
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(raw.db(),
                       "INSERT INTO Compositor (Nombre, Apellidos, Fecha1, Fecha2, Notas, Imagen) "
                       "VALUES (?, ?, ?, ?, ?, ?)",
                       -1, &st, nullptr);
    for (const QStringList& r : rows) {
        for (int i = 0; i < 6; ++i) {
            if (i == 2 || i == 3) {
                sqlite3_bind_int64(st, i + 1, r[i].toLongLong());
            } else {
                const QByteArray b = r[i].toUtf8();
                sqlite3_bind_text(st, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            }
        }
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    raw.exec(QStringLiteral("COMMIT"));
}

}  // namespace

void benchImport(RunContext& run) {
    const int runs = run.runs(3);
    std::vector<QStringList> rows;
    QString path;
    QVector<double> times, rawTimes;
    {
        RawDb raw(run.catalogue());
        const QString picture = run.pictureFolder + QStringLiteral("/retrato.jpg");
        path = writeFile(run.folder, picture, &rows);
        for (int i = 0; i < runs; ++i) rawTimes << timeMs([&] { rawInsert(raw, rows); });
    }
    rows.clear();
    auto m = startProgram(run.folder);
    settle();
    auto* screen = dynamic_cast<EntryScreen*>(openScreen(*m, 1));
    if (!screen || !screen->BtnImportar) {
        Row r;
        r.operation = QStringLiteral("import 100,000 rows");
        r.note = QStringLiteral("screen not built yet");
        run.add(r);
        return;
    }
    // The preview is answered as a user who reads it: first "Cancelar", on a file whose every row
    // SQLite alone stored already (each row's look-up finds its record), then "Aceptar" with
    // "Añadir también las repetidas" ticked, so every run adds all its rows as before the check.
    qint64 repeated = -1;
    bool accept = false;
    dialogs::setDialogHook([&](QDialog& d) {
        if (auto* t = d.findChild<QPlainTextEdit*>(QStringLiteral("TxtRepetidas")))
            repeated = t->toPlainText().isEmpty() ? 0 : t->document()->blockCount();
        if (accept)
            if (auto* c = d.findChild<QCheckBox*>(QStringLiteral("ChkRepetidas")))
                c->setChecked(true);
        const char* button = accept ? "BtnAceptar" : "BtnCancelar";
        if (auto* b = d.findChild<QPushButton*>(QLatin1String(button))) b->click();
        return d.result();
    });
    QVector<double> previews;
    for (int i = 0; i < runs; ++i) previews << timeMs([&] { screen->importFrom(path); });
    Row p;
    p.operation = QStringLiteral("import preview of 100,000 rows, all stored");
    p.ms = median(previews);
    p.goalMs = 10000;
    p.runs = runs;
    p.note = QStringLiteral(
                 "importFrom up to the preview, answered Cancelar: read, check, duplicate check "
                 "(%1 rows found repeated)")
                 .arg(repeated);
    run.add(p);
    accept = true;
    bool ok = true;
    for (int i = 0; i < runs; ++i) times << timeMs([&] { ok = screen->importFrom(path) && ok; });
    dialogs::setDialogHook(nullptr);
    QFile::remove(path);
    if (!ok) throw std::runtime_error("the import added nothing");
    Row r;
    r.operation = QStringLiteral("import 100,000 rows");
    r.ms = median(times);
    r.rawMs = median(rawTimes);
    r.goalMs = 10000;
    r.runs = runs;
    r.note = QStringLiteral(
        "importFrom: read, check, duplicate check, preview (repeated rows added too), one "
        "transaction, whole table re-read; SQLite: the rows' INSERTs in one transaction");
    run.add(r);
}

}  // namespace bench
