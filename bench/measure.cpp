#include "bench/measure.h"

#include <QMap>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bench {

double timeMs(const std::function<void()>& f) {
    auto t0 = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double median(QVector<double> v) {
    if (v.isEmpty()) return 0;
    std::sort(v.begin(), v.end());
    int n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double medianMs(int runs, const std::function<void()>& op, const std::function<void()>& prepare) {
    QVector<double> t;
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare();
        t << timeMs(op);
    }
    return median(t);
}

QString Row::met() const {
    bool hasGoal = goalMs > 0 || goalRatio > 0;
    if (!hasGoal) return {};
    bool ok = true;
    if (goalMs > 0 && ms > goalMs) ok = false;
    if (goalRatio > 0 && rawMs > 0 && ratio() > goalRatio) ok = false;
    return ok ? QStringLiteral("yes") : QStringLiteral("NO");
}

void Results::add(const Row& r) {
    rows_ << r;
    QString raw = r.rawMs >= 0 ? QStringLiteral(", SQLite alone %1 ms (x%2)")
                                     .arg(r.rawMs, 0, 'f', 3)
                                     .arg(r.ratio(), 0, 'f', 2)
                               : QString();
    progress(QStringLiteral("  %1 [%2]: %3 ms%4 %5")
                 .arg(r.operation)
                 .arg(r.records)
                 .arg(r.ms, 0, 'f', 3)
                 .arg(raw, r.met()));
}

namespace {

QString number(double ms) {
    if (ms >= 100) return QString::number(ms, 'f', 0);
    if (ms >= 10) return QString::number(ms, 'f', 1);
    if (ms >= 1) return QString::number(ms, 'f', 2);
    return QString::number(ms, 'f', 3);
}

QString records(qint64 n) {
    QString s = QString::number(n);
    for (int i = s.size() - 3; i > 0; i -= 3) s.insert(i, QLatin1Char(','));
    return s;
}

QString goalText(const Row& r) {
    QStringList g;
    if (r.goalMs > 0) g << QStringLiteral("≤ %1 ms").arg(number(r.goalMs));
    if (r.goalRatio > 0) g << QStringLiteral("ratio ≤ %1").arg(r.goalRatio);
    return g.join(QStringLiteral(", "));
}

}  // namespace

QString Results::markdown() const {
    QString out;
    QTextStream s(&out);
    s << "| Operation | Records | Median ms | SQLite alone ms | Ratio | Goal | Met | Notes |\n";
    s << "|---|---:|---:|---:|---:|---|---|---|\n";
    for (const Row& r : rows_) {
        s << "| " << r.operation << " | " << records(r.records) << " | " << number(r.ms) << " | "
          << (r.rawMs >= 0 ? number(r.rawMs) : QStringLiteral("—")) << " | "
          << (r.rawMs > 0 ? QString::number(r.ratio(), 'f', 2) : QStringLiteral("—")) << " | "
          << goalText(r) << " | " << r.met() << " | " << r.note << " |\n";
    }
    return out;
}

QString Results::growth() const {
    // Per operation, the smallest and largest catalogue it was measured on.
    QMap<QString, QPair<const Row*, const Row*>> span;
    QStringList order;
    for (const Row& r : rows_) {
        if (r.ms <= 0) continue;
        auto it = span.find(r.operation);
        if (it == span.end()) {
            span.insert(r.operation, {&r, &r});
            order << r.operation;
            continue;
        }
        if (r.records < it->first->records) it->first = &r;
        if (r.records > it->second->records) it->second = &r;
    }
    QString out;
    QTextStream s(&out);
    s << "| Operation | From | To | Records x | Time x | Growth exponent |\n";
    s << "|---|---:|---:|---:|---:|---:|\n";
    for (const QString& op : order) {
        auto [a, b] = span.value(op);
        if (a->records == b->records) continue;
        double rx = double(b->records) / double(a->records);
        double tx = b->ms / a->ms;
        double e = std::log(tx) / std::log(rx);
        s << "| " << op << " | " << records(a->records) << " | " << records(b->records) << " | "
          << QString::number(rx, 'f', 0) << " | " << QString::number(tx, 'f', 2) << " | "
          << QString::number(e, 'f', 2) << " |\n";
    }
    return out;
}

void progress(const QString& line) {
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

}  // namespace bench
