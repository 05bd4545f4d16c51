#pragma once
// One benchmark run over one catalogue size: where the catalogue is, how many composers it has,
// where the rows go, and the parts of the run (each in its own file).
#include <QString>
#include <memory>
#include <random>

#include "bench/measure.h"

class FormMdi;

namespace bench {

struct RunContext {
    QString folder;          // application folder holding DataOrmelia.mdb
    QString pictureFolder;   // the portraits the catalogue's records name
    QString previousLayout;  // the same records in the schema before sort keys (read only)
    qint64 composers = 0;
    Results* results = nullptr;
    bool quick = false;  // fewer repetitions, for a first look
    std::mt19937 rng{12345};

    QString catalogue() const { return folder + QStringLiteral("/DataOrmelia.mdb"); }
    int runs(int full) const { return quick ? std::max(1, full / 4) : full; }
    long randomPosition(long count) {
        return long(std::uniform_int_distribution<long>(0, count - 1)(rng));
    }
    void add(Row r) {
        r.records = composers;
        results->add(r);
    }
};

// The main window started on the run's folder, up to the splash.
std::unique_ptr<FormMdi> startProgram(const QString& folder);
// Runs the events Qt has queued (layout, painting, deferred deletes).
void settle();

void benchStartup(RunContext& run);
void benchRecordStore(RunContext& run);
void benchSelection(RunContext& run);
void benchScreens(RunContext& run);
void benchListing(RunContext& run);
void benchCompaction(RunContext& run);
void benchImport(RunContext& run);
void benchCopies(RunContext& run);
void benchSearch(RunContext& run);
// A user's wander through the program's screens (used for the memory figure): the show screen,
// the listing (and its pages at zoom 1 and 20) and the report.
void browseScreens(FormMdi& m, RunContext& run);
void browseListing(FormMdi& m, RunContext& run);

// Peak resident memory of a program that opens the catalogue in `folder` and browses it
// (run in a child process of its own); -1 when it could not be measured.
qint64 peakMemoryKb(const QString& program, const QString& folder);
// The child's side: opens, browses, prints "VmHWM <kB>". Returns the exit code.
int browseAndReportMemory(const QString& folder);

}  // namespace bench
