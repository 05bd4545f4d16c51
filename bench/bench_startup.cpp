// Start-up to the splash: the main window built on the catalogue's folder and its load step
// (catalogue check, data hub with its record counts, splash shown), and the hub's load alone.
#include <QCoreApplication>

#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "shell/form_mdi.h"
#include "store/data_hub.h"
#include "store/registers.h"

namespace bench {

std::unique_ptr<FormMdi> startProgram(const QString& folder) {
    auto m = std::make_unique<FormMdi>(folder);
    if (!m->Load()) throw std::runtime_error("the program refused the catalogue");
    return m;
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

namespace {

// What SQLite alone does for the hub's load: open the file and read the keys of every table.
void rawLoad(const QString& file) {
    RawDb raw(file);
    for (const RegisterDef& d : registers::all())
        raw.stepAll(QStringLiteral("SELECT Id FROM %1").arg(d.table));
}

}  // namespace

void benchStartup(RunContext& run) {
    const int runs = run.runs(7);
    QVector<double> app, raw;
    for (int i = 0; i < runs; ++i) {
        raw << timeMs([&] { rawLoad(run.catalogue()); });
        std::unique_ptr<FormMdi> m;
        app << timeMs([&] {
            m = startProgram(run.folder);
            settle();
        });
        m.reset();
        settle();
    }
    Row r;
    r.operation = QStringLiteral("start-up to the splash");
    r.ms = median(app);
    r.rawMs = median(raw);
    r.goalMs = 1000;
    r.runs = runs;
    r.note = QStringLiteral("FormMdi + Load(); SQLite: open, keys of the 14 tables");
    run.add(r);

    auto m = startProgram(run.folder);
    settle();
    QVector<double> hub, hubRaw;
    for (int i = 0; i < runs; ++i) {
        hubRaw << timeMs([&] { rawLoad(run.catalogue()); });
        hub << timeMs([&] { m->hub().Load(); });
    }
    Row h;
    h.operation = QStringLiteral("data hub load again (catalogue unchanged)");
    h.ms = median(hub);
    h.rawMs = median(hubRaw);
    h.runs = runs;
    h.note = QStringLiteral(
        "FormBasesDatos::Load() on the open catalogue: keys kept; SQLite: keys read again");
    run.add(h);
}

}  // namespace bench
