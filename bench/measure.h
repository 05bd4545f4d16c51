#pragma once
// Timing and the result table of the benchmark: medians of repeated runs, each next to the time
// SQLite alone takes for the same work when there is such a counterpart.
#include <QString>
#include <QVector>
#include <chrono>
#include <functional>

namespace bench {

using Clock = std::chrono::steady_clock;

// Milliseconds taken by one call of `f`.
double timeMs(const std::function<void()>& f);
double median(QVector<double> v);

// Median of `runs` calls of `op`; `prepare` runs untimed before each call.
double medianMs(int runs, const std::function<void()>& op,
                const std::function<void()>& prepare = {});

// One line of the table. `rawMs` < 0: no SQLite-alone counterpart. `goalMs` <= 0: no time goal;
// `goalRatio` <= 0: no ratio goal.
struct Row {
    QString operation;
    qint64 records = 0;
    double ms = 0;
    double rawMs = -1;
    double goalMs = 0;
    double goalRatio = 0;
    QString note;
    int runs = 0;

    double ratio() const { return rawMs > 0 ? ms / rawMs : 0; }
    // "yes", "NO" or "" (no goal).
    QString met() const;
};

class Results {
  public:
    void add(const Row& r);
    const QVector<Row>& rows() const { return rows_; }
    // The whole table as Markdown, then the growth from the smallest to the largest catalogue.
    QString markdown() const;
    QString growth() const;

  private:
    QVector<Row> rows_;
};

// Prints a line at once (progress goes to standard error, the table to standard output).
void progress(const QString& line);

}  // namespace bench
