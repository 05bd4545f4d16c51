// The screen operations at full size, through the real screens: opening the show screen, moving
// to a random record with its scroll bar, typing a record number, and opening the report. Each
// counts the events Qt runs afterwards (layout and painting), as the user waits for them.
#include <QLineEdit>
#include <QScrollBar>

#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "bench/screens.h"
#include "shell/form_mdi.h"
#include "shell/windowing/screen.h"
#include "store/data_hub.h"

namespace bench {
namespace {

constexpr int kShow = 15, kReport = 57;

void skipped(RunContext& run, const QString& operation, const QString& why) {
    Row r;
    r.operation = operation;
    r.note = why;
    run.add(r);
}

}  // namespace

void browseScreens(FormMdi& m, RunContext& run) {
    Screen* s = openScreen(m, kShow);
    auto* scroll = control<QScrollBar>(s, "HScroll");
    if (!scroll) return;
    for (int i = 0; i < 300; ++i) {
        scroll->setValue(1 + int(run.randomPosition(scroll->maximum())));
        settle();
    }
    browseListing(m, run);
    openScreen(m, kReport);
    openScreen(m, kShow);
}

void benchScreens(RunContext& run) {
    auto m = startProgram(run.folder);
    settle();
    RawDb raw(run.catalogue());
    Screen* s = openScreen(*m, kShow);
    auto* scroll = control<QScrollBar>(s, "HScroll");
    auto* orden = control<QLineEdit>(s, "TxtOrden");
    if (!scroll || !orden) {
        skipped(run, QStringLiteral("open the show screen"),
                QStringLiteral("screen not built yet"));
        return;
    }
    const long count = m->hub().Data[0].recordset().RecordCount();
    const int runs = run.runs(41);
    auto rawRow = [&] { raw.readRow(QStringLiteral("Compositor"), 1 + run.randomPosition(count)); };

    QVector<double> open, alone, report;
    for (int i = 0; i < runs; ++i) {
        report << timeMs([&] { openScreen(*m, kReport); });
        m->hub().PosicionCompositor() = qint32(1 + run.randomPosition(count));
        open << timeMs([&] { openScreen(*m, kShow); });
        alone << timeMs(rawRow);
    }
    Row r;
    r.operation = QStringLiteral("open the show screen");
    r.ms = median(open);
    r.rawMs = median(alone);
    r.goalMs = 5;
    r.runs = runs;
    r.note = QStringLiteral("from the report, at a random record; SQLite: read that row");
    run.add(r);
    Row rp;
    rp.operation = QStringLiteral("open the report");
    rp.ms = median(report);
    rp.runs = runs;
    rp.note = QStringLiteral("from the show screen; counters of the 14 registers kept by the hub");
    run.add(rp);

    s = openScreen(*m, kShow);
    scroll = control<QScrollBar>(s, "HScroll");
    orden = control<QLineEdit>(s, "TxtOrden");
    QVector<double> move, moveRaw, type, typeRaw;
    for (int i = 0; i < runs; ++i) {
        int n = 1 + int(run.randomPosition(scroll->maximum()));
        move << timeMs([&] {
            scroll->setValue(n);
            settle();
        });
        moveRaw << timeMs(rawRow);
        int k = 1 + int(run.randomPosition(scroll->maximum()));
        type << timeMs([&] {
            orden->setText(QString::number(k));
            settle();
        });
        typeRaw << timeMs(rawRow);
    }
    Row mv;
    mv.operation = QStringLiteral("move to a random record");
    mv.ms = median(move);
    mv.rawMs = median(moveRaw);
    mv.goalMs = 5;
    mv.runs = runs;
    mv.note = QStringLiteral("HScroll; SQLite: read one row");
    run.add(mv);
    Row ty;
    ty.operation = QStringLiteral("type a record number");
    ty.ms = median(type);
    ty.rawMs = median(typeRaw);
    ty.goalMs = 5;
    ty.runs = runs;
    ty.note = QStringLiteral("TxtOrden; SQLite: read one row");
    run.add(ty);
}

}  // namespace bench
