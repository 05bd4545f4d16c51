#include "store/field_rules.h"

#include <cmath>

#include "store/registers.h"

namespace rules {
namespace {

// Whole numbers below this are exact in a double and in the engine's 64-bit integers.
constexpr double kWholeLimit = 1e15;

bool isBlankChar(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

}  // namespace

bool isNumber(const QString& text) {
    int i = 0, n = text.size();
    while (i < n && isBlankChar(text.at(i))) ++i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) ++i;
    int digits = 0;
    bool separator = false;
    while (i < n) {
        QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++digits;
        } else if ((c == QLatin1Char('.') || c == QLatin1Char(',')) && !separator) {
            separator = true;
        } else {
            break;
        }
        ++i;
    }
    if (digits == 0) return false;
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) ++i;
        int expDigits = 0;
        while (i < n && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'))
            ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    while (i < n && isBlankChar(text.at(i))) ++i;
    return i == n;
}

double numericValue(const QString& text) {
    QString s;
    for (QChar c : text)
        if (!isBlankChar(c)) s += c;
    int i = 0, n = s.size();
    QString num;
    if (i < n && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) num += s.at(i++);
    bool digits = false, separator = false;
    while (i < n) {
        QChar c = s.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            num += c;
            digits = true;
        } else if ((c == QLatin1Char('.') || c == QLatin1Char(',')) && !separator) {
            num += QLatin1Char('.');
            separator = true;
        } else {
            break;
        }
        ++i;
    }
    if (!digits) return 0;
    if (i < n && (s.at(i) == QLatin1Char('e') || s.at(i) == QLatin1Char('E'))) {
        QString e = QStringLiteral("e");
        int j = i + 1;
        if (j < n && (s.at(j) == QLatin1Char('+') || s.at(j) == QLatin1Char('-'))) e += s.at(j++);
        int k = j;
        while (k < n && s.at(k).isDigit() && s.at(k).unicode() < 128) e += s.at(k++);
        if (k > j) num += e;
    }
    bool ok = false;
    double v = num.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return ok ? (v < 0 ? -1e308 : 1e308) : 0;
    return v;
}

bool isWholeNumber(const QString& text) {
    if (!isNumber(text)) return false;
    const double v = numericValue(text);
    return v == std::floor(v) && std::fabs(v) < kWholeLimit;
}

QString yearText(const QString& text) {
    if (text.trimmed().isEmpty()) return QStringLiteral("0");
    double v = numericValue(text);
    if (v == std::floor(v) && std::fabs(v) < kWholeLimit) return QString::number(qint64(v));
    return QString::number(v, 'g', 17);
}

QString shownYear(const QString& stored) {
    return numericValue(stored) == 0 ? QString() : stored;
}

namespace {

// The orchestra's name boxes, in kind order.
const BoxDef& kindBox(int kind) {
    return registers::at(registers::kOrquesta).boxes.at(kind - 1);
}

}  // namespace

QString kindText(const QString& stored) {
    bool ok = false;
    const int k = stored.trimmed().toInt(&ok);
    return ok && k >= 1 && k <= 3 ? kindBox(k).caption : stored;
}

int kindOf(const QString& text) {
    const QString key = captionKey(text);
    for (int k = 1; k <= 3; ++k)
        if (key == QString::number(k) || key == captionKey(kindBox(k).caption)) return k;
    return 0;
}

QString captionKey(const QString& caption) {
    const QString decomposed = caption.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c.isSpace() || c.category() == QChar::Mark_NonSpacing) continue;
        out += c.toCaseFolded();
    }
    return out;
}

bool isFilled(const QString& text) {
    return !text.trimmed().isEmpty();
}

qint64 roundHalfEven(double v) {
    if (std::isnan(v)) return 0;   // converting NaN to an integer is undefined
    double r = std::nearbyint(v);  // default rounding mode: to nearest, ties to even
    if (r > 9e18) return qint64(9e18);
    if (r < -9e18) return qint64(-9e18);
    return qint64(r);
}

}  // namespace rules
