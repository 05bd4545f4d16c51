#include "store/jet_dialect.h"

#include <sqlite3.h>

#include <QChar>
#include <QVector>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <memory>
#include <optional>

namespace jet {
namespace {

// Primary weight of a code point: its base letter, lower case, with ñ sorting right after n.
// Secondary weight: 0 for the bare letter, otherwise the lower-case code point (accent order).
struct Weight {
    uint primary;
    uint secondary;
};

uint baseLetter(char32_t c) {
    QString s = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D);
    return s.isEmpty() ? uint(c) : s.at(0).toCaseFolded().unicode();
}

Weight weightOf(char32_t c) {
    if (c < 0x80) {
        char32_t l = (c >= 'A' && c <= 'Z') ? c + 32 : c;
        return {uint(l) * 2, 0};
    }
    if (c == 0xF1 || c == 0xD1) return {uint('n') * 2 + 1, 0};  // ñ Ñ
    static QVector<Weight> table = [] {
        QVector<Weight> t(0x250);
        for (uint i = 0x80; i < 0x250; ++i) {
            uint base = baseLetter(i);
            // The accent weight is that of the lower-case letter: "JOSÉ" and "José" differ in
            // case only, which is ignored; "José" and "Jose" differ in an accent.
            const uint lower = QChar(char16_t(i)).toCaseFolded().unicode();
            t[i] = {base * 2, base == lower ? 0u : lower};
        }
        t[0xF1] = t[0xD1] = {uint('n') * 2 + 1, 0};
        return t;
    }();
    if (c < 0x250) return table[c];
    if (c > 0xFFFF) return {uint(c) * 2, 0};
    return {uint(QChar(char16_t(c)).toCaseFolded().unicode()) * 2, 0};
}

// Decodes one UTF-8 code point; malformed bytes stand for themselves.
char32_t nextCodePoint(const unsigned char*& p, const unsigned char* end) {
    unsigned char b = *p++;
    if (b < 0x80) return b;
    int extra = (b >= 0xF0) ? 3 : (b >= 0xE0) ? 2 : (b >= 0xC0) ? 1 : 0;
    if (extra == 0 || end - p < extra) return b;
    char32_t c = b & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if ((p[i] & 0xC0) != 0x80) return b;
        c = (c << 6) | (p[i] & 0x3F);
    }
    p += extra;
    return c;
}

void appendSortKey(const unsigned char* p, int n, QByteArray& out, bool primaryOnly);

// The collation is the order of the sort keys, so the two can never disagree (digit runs
// included).
int compareUtf8(const unsigned char* a, int na, const unsigned char* b, int nb) {
    thread_local QByteArray ka, kb;
    ka.clear();
    kb.clear();
    appendSortKey(a, na, ka, false);
    appendSortKey(b, nb, kb, false);
    const int c = std::memcmp(ka.constData(), kb.constData(), size_t(qMin(ka.size(), kb.size())));
    if (c != 0) return c < 0 ? -1 : 1;
    return ka.size() < kb.size() ? -1 : ka.size() > kb.size() ? 1 : 0;
}

int collate(void*, int na, const void* a, int nb, const void* b) {
    return compareUtf8(static_cast<const unsigned char*>(a), na,
                       static_cast<const unsigned char*>(b), nb);
}

// Folds a text for LIKE: no case, no accents (ñ keeps its tilde).
QVector<uint> fold(const QString& s) {
    QVector<uint> out;
    out.reserve(s.size());
    for (char32_t c : s.toUcs4()) {
        if (c == 0xF1 || c == 0xD1) {
            out.push_back(0xF1);
            continue;
        }
        Weight w = weightOf(c);
        out.push_back(w.primary / 2);
    }
    return out;
}

bool isDigit(uint c) {
    return c >= '0' && c <= '9';
}

// A pattern read once into tokens. Every token but "*" stands for exactly one character, which
// is what lets the matcher keep a single back-track point.
struct Pattern {
    struct Token {
        enum Kind : quint8 { Literal, Any, Digit, Star, Class } kind;
        uint c = 0;            // the literal
        int from = 0, to = 0;  // a class's body in `text`, after "[" or "[!", before "]"
        bool negate = false;
    };
    QVector<uint> text;
    QVector<Token> tokens;

    explicit Pattern(QVector<uint> folded) : text(std::move(folded)) {
        const QVector<uint>& p = text;
        for (int i = 0; i < p.size(); ++i) {
            const uint c = p[i];
            if (c == '*') {
                if (tokens.isEmpty() || tokens.back().kind != Token::Star)
                    tokens.push_back({Token::Star});
                continue;
            }
            if (c == '?' || c == '#') {
                tokens.push_back({c == '?' ? Token::Any : Token::Digit});
                continue;
            }
            // A class closes at the first "]" after its first character, so "[]x]" holds "]"
            // and "x"; without one, "[" is itself.
            const int close = c == '[' ? int(p.indexOf(uint(']'), i + 2)) : -1;
            if (close > 0) {
                Token t{Token::Class};
                t.negate = p[i + 1] == '!';
                t.from = i + 1 + (t.negate ? 1 : 0);
                t.to = close;
                tokens.push_back(t);
                i = close;
                continue;
            }
            tokens.push_back({Token::Literal, c});
        }
    }

    bool accepts(const Token& k, uint c) const {
        switch (k.kind) {
            case Token::Any:
                return true;
            case Token::Digit:
                return isDigit(c);
            case Token::Class: {
                bool hit = false;
                for (int j = k.from; j < k.to && !hit; ++j) {
                    if (j + 2 < k.to && text[j + 1] == '-') {
                        hit = c >= text[j] && c <= text[j + 2];
                        j += 2;
                    } else {
                        hit = c == text[j];
                    }
                }
                return hit != k.negate;
            }
            default:
                return c == k.c;
        }
    }

    // The classic wildcard walk: on a mismatch, go back to just after the last "*" and let it
    // take one more character. Since every other token is one character wide, the last "*" is
    // the only choice worth revisiting, so the work is at most the text's length times the
    // pattern's, whatever the pattern ("[a]*[a]*b" included). `steps` counts the comparisons.
    bool matches(const QVector<uint>& t, qint64* steps = nullptr) const {
        int ti = 0, ki = 0, star = -1, resume = 0;
        qint64 n = 0;
        while (ti < t.size()) {
            ++n;
            if (ki < tokens.size() && tokens[ki].kind == Token::Star) {
                star = ki++;
                resume = ti;
            } else if (ki < tokens.size() && accepts(tokens[ki], t[ti])) {
                ++ki, ++ti;
            } else if (star >= 0) {
                ki = star + 1;
                ti = ++resume;
            } else {
                break;
            }
        }
        while (ki < tokens.size() && tokens[ki].kind == Token::Star) ++ki;
        if (steps) *steps = n;
        return ti == t.size() && ki == tokens.size();
    }
};

// One character of strictly valid UTF-8 as foldUtf8 reads it, from a byte of 0x80 or more:
// its length, or 0 when the bytes are not valid there (the general matcher decides then).
int strictSequence(const unsigned char* p, const unsigned char* end, char32_t* out) {
    const unsigned char b = *p;
    const int extra = (b >= 0xC2 && b <= 0xDF)   ? 1
                      : (b >= 0xE0 && b <= 0xEF) ? 2
                      : (b >= 0xF0 && b <= 0xF4) ? 3
                                                 : 0;
    if (extra == 0 || end - p <= extra) return 0;
    char32_t c = b & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    static constexpr char32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (c < least[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
    *out = c;
    return extra + 1;
}

uint foldedCodePoint(char32_t c) {
    return c == 0xF1 || c == 0xD1 ? 0xF1 : weightOf(c).primary / 2;
}

// The patterns a selection writes ("*text*", and "text*", "*text", "text" when typed so) matched
// on the engine's UTF-8 bytes: only where a character can begin the text is it folded and
// compared, so a long note costs little more than one look at each byte.
struct LiteralScan {
    QVector<uint> literal;
    bool anchoredStart = false, anchoredEnd = false;
    bool candidate[256] = {};  // bytes that can begin a character folding to the first literal
    QVector<uchar> asciiCandidates;  // the ASCII ones among them

    static std::unique_ptr<LiteralScan> of(const QVector<uint>& folded) {
        int from = 0, to = int(folded.size());
        auto scan = std::make_unique<LiteralScan>();
        scan->anchoredStart = !(to > 0 && folded[0] == '*');
        if (!scan->anchoredStart) ++from;
        scan->anchoredEnd = !(to > from && folded[to - 1] == '*');
        if (!scan->anchoredEnd) --to;
        for (int i = from; i < to; ++i) {
            const uint c = folded[i];
            if (c == '*' || c == '?' || c == '#' || c == '[') return nullptr;
            scan->literal.push_back(c);
        }
        if (scan->literal.isEmpty()) return nullptr;
        const uint first = scan->literal[0];
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) continue;
            if (foldedCodePoint(c) != first) continue;
            const int lead = c < 0x80    ? int(c)
                             : c < 0x800 ? 0xC0 | int(c >> 6)
                                         : 0xE0 | int(c >> 12);
            scan->candidate[lead] = true;
        }
        if (first >= 0x10000)
            for (int b = 0xF0; b <= 0xF4; ++b) scan->candidate[b] = true;
        for (int b = 0; b < 0x80; ++b)
            if (scan->candidate[b]) scan->asciiCandidates.push_back(uchar(b));
        return scan;
    }

    enum Found { No, Yes, Invalid };

    // Whether the literal is found at byte `at`; `next` gets the byte after it.
    Found matchesAt(const unsigned char* at, const unsigned char* end,
                    const unsigned char** next) const {
        const unsigned char* p = at;
        for (uint want : literal) {
            if (p >= end) return No;
            uint got;
            if (*p < 0x80) {
                got = (*p >= 'A' && *p <= 'Z') ? *p + 32u : *p;
                ++p;
            } else {
                char32_t c = 0;
                const int n = strictSequence(p, end, &c);
                if (n == 0) return Invalid;
                got = foldedCodePoint(c);
                p += n;
            }
            if (got != want) return No;
        }
        *next = p;
        return Yes;
    }

    // The next byte from `p` on that needs a look: one of 0x80 or more (to check the UTF-8, and
    // maybe a candidate) or an ASCII candidate. Sixteen bytes at a time where the machine can.
    const unsigned char* nextLook(const unsigned char* p, const unsigned char* end) const {
#ifdef __SSE2__
        if (asciiCandidates.size() <= 2) {
            const __m128i a = _mm_set1_epi8(char(asciiCandidates.value(0, 0x80)));
            const __m128i b = _mm_set1_epi8(char(asciiCandidates.value(1, 0x80)));
            while (end - p >= 16) {
                const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                const int mask = _mm_movemask_epi8(chunk) |
                                 _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, a)) |
                                 _mm_movemask_epi8(_mm_cmpeq_epi8(chunk, b));
                if (mask != 0) return p + __builtin_ctz(unsigned(mask));
                p += 16;
            }
        }
#endif
        while (p < end && *p < 0x80 && !candidate[*p]) ++p;
        return p;
    }

    // nullopt when the text is not plain UTF-8 and the general matcher must decide.
    std::optional<bool> matches(const unsigned char* p, int n) const {
        const unsigned char* end = p + n;
        if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) return std::nullopt;
        const unsigned char* next = nullptr;
        if (anchoredStart) {
            const Found f = matchesAt(p, end, &next);
            if (f == Invalid) return std::nullopt;
            if (f == Yes && (!anchoredEnd || next == end)) return true;
            // No match here; the rest must still be plain for the answer to stand.
            for (const unsigned char* q = p; q < end;) {
                char32_t c;
                const int len = *q < 0x80 ? 1 : strictSequence(q, end, &c);
                if (len == 0) return std::nullopt;
                q += len;
            }
            return false;
        }
        for (const unsigned char* at = nextLook(p, end); at < end; at = nextLook(at, end)) {
            int len = 1;
            if (*at >= 0x80) {
                char32_t c;
                len = strictSequence(at, end, &c);
                if (len == 0) return std::nullopt;
            }
            if (candidate[*at]) {
                const Found f = matchesAt(at, end, &next);
                if (f == Invalid) return std::nullopt;
                if (f == Yes && (!anchoredEnd || next == end)) return true;
            }
            at += len;
        }
        return false;
    }
};

// fold() straight from the engine's UTF-8, without a QString per row; false (out untouched
// or partly filled) for text that QString would read differently: malformed or overlong
// sequences, surrogates, code points past U+10FFFF, or a byte-order mark at the start.
bool foldUtf8(const unsigned char* p, int n, QVector<uint>& out) {
    out.clear();
    const unsigned char* end = p + n;
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) return false;
    while (p < end) {
        char32_t c = *p;
        const int length = c < 0x80 ? 1 : strictSequence(p, end, &c);
        if (length == 0) return false;
        p += length;
        out.push_back(foldedCodePoint(c));
    }
    return true;
}

QVector<uint> foldValue(sqlite3_value* v) {
    QVector<uint> out;
    const auto* bytes = sqlite3_value_text(v);
    const int n = sqlite3_value_bytes(v);
    if (!foldUtf8(bytes, n, out))
        out = fold(QString::fromUtf8(reinterpret_cast<const char*>(bytes), n));
    return out;
}

// A pattern as kept with a statement: read once, with its fast scan when it has one.
struct CompiledPattern {
    Pattern pattern;
    std::unique_ptr<LiteralScan> scan;
    explicit CompiledPattern(QVector<uint> folded)
        : pattern(folded), scan(LiteralScan::of(folded)) {}
    bool matches(sqlite3_value* value) const {
        const auto* bytes = sqlite3_value_text(value);
        const int n = sqlite3_value_bytes(value);
        if (scan)
            if (const std::optional<bool> hit = scan->matches(bytes, n)) return *hit;
        thread_local QVector<uint> text;
        if (!foldUtf8(bytes, n, text))
            text = fold(QString::fromUtf8(reinterpret_cast<const char*>(bytes), n));
        return pattern.matches(text);
    }
};

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL ||
        sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    // like(pattern, text) is how SQLite calls the LIKE operator. The pattern is the same for
    // every row of a selection: read once and kept with the statement.
    auto* pattern = static_cast<CompiledPattern*>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern) {
        pattern = new CompiledPattern(foldValue(argv[0]));
        sqlite3_set_auxdata(ctx, 0, pattern,
                            [](void* p) { delete static_cast<CompiledPattern*>(p); });
        pattern = static_cast<CompiledPattern*>(sqlite3_get_auxdata(ctx, 0));
        if (!pattern) {  // not kept (out of memory): read it for this row only
            sqlite3_result_int(ctx, CompiledPattern(foldValue(argv[0])).matches(argv[1]));
            return;
        }
    }
    sqlite3_result_int(ctx, pattern->matches(argv[1]) ? 1 : 0);
}

// One primary weight of a sort key: a byte for the common ones, an escape and three bytes for
// the rest (all larger, so byte order stays weight order).
void putPrimary(uint p, QByteArray& out) {
    if (p < 0xFA) {
        out += char(p + 1);  // 0 is kept for the mark between primary and secondary weights
        return;
    }
    out += char(0xFB);
    out += char(p >> 16);
    out += char(p >> 8);
    out += char(p);
}

bool isAsciiDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// A run of digits as one unit of the key, ordered by its value: the weight of "0" (no other
// character has it), the count of its significant digits, then those digits. Leading zeros are
// left to the accent weights, so "7" and "007" tell apart only after everything else.
void putNumber(const unsigned char* from, const unsigned char* to, QByteArray& out) {
    while (from < to && *from == '0') ++from;
    putPrimary(weightOf('0').primary, out);
    const qint64 digits = to - from;
    if (digits < 0xFE) {
        out += char(digits + 1);
    } else {  // a run of more than 253 digits, only in a text of another tool
        out += char(0xFF);
        for (int shift = 24; shift >= 0; shift -= 8) out += char(digits >> shift);
    }
    out.append(reinterpret_cast<const char*>(from), int(digits));
}

void appendSortKey(const unsigned char* p, int n, QByteArray& out, bool primaryOnly = false) {
    const unsigned char* end = p + n;
    // One tie-break weight per unit of the key (a character or a run of digits): an accent
    // weight below U+0250, or a run's count of leading zeros.
    thread_local QVector<uint> secondary;
    thread_local QVector<bool> isRun;
    secondary.clear();
    isRun.clear();
    int lastTie = 0;  // tie-break weights after the last non-zero one are zero: left out
    while (p < end) {
        uint tie = 0;
        if (isAsciiDigit(*p)) {
            const unsigned char* start = p;
            while (p < end && isAsciiDigit(*p)) ++p;
            putNumber(start, p, out);
            const unsigned char* zeros = start;
            while (zeros < p - 1 && *zeros == '0') ++zeros;
            tie = uint(zeros - start);
            isRun.push_back(true);
        } else {
            const Weight w = weightOf(nextCodePoint(p, end));
            putPrimary(w.primary, out);
            tie = w.secondary;
            isRun.push_back(false);
        }
        secondary.push_back(tie);
        if (tie != 0) lastTie = int(secondary.size());
    }
    if (lastTie == 0 || primaryOnly) return;
    out += char(0);
    for (int i = 0; i < lastTie; ++i) {
        const uint s = secondary[i];
        if (s == 0) {
            out += char(1);
        } else if (!isRun[i]) {  // a code point below U+0250
            out += char(2);
            out += char(s >> 8);
            out += char(s);
        } else {  // leading zeros; equal primaries put runs against runs only
            out += char(3);
            for (int shift = 24; shift >= 0; shift -= 8) out += char(s >> shift);
        }
    }
}

void sortKeyFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    // A missing text (only a damaged row has one) sorts first, as the empty text; never a
    // missing key, which would stand for a key still to compute.
    thread_local QByteArray key;
    key.clear();
    appendSortKey(sqlite3_value_text(argv[0]), sqlite3_value_bytes(argv[0]), key);
    sqlite3_result_blob(ctx, key.isEmpty() ? "" : key.constData(), int(key.size()),
                        SQLITE_TRANSIENT);
}

}  // namespace

QByteArray sortKey(const QString& text, bool primaryOnly) {
    const QByteArray utf8 = text.toUtf8();
    QByteArray key;
    appendSortKey(reinterpret_cast<const unsigned char*>(utf8.constData()), int(utf8.size()), key,
                  primaryOnly);
    return key;
}

QString folded(const QString& text) {
    const QVector<uint> f = fold(text);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(f.constData()), f.size());
}

void install(sqlite3* db) {
    sqlite3_create_collation(db, kCollation, SQLITE_UTF8, nullptr, collate);
    sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            likeFunction, nullptr, nullptr);
    sqlite3_create_function(db, kSortKeyFunction, 1,
                            SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                            sortKeyFunction, nullptr, nullptr);
}

int compare(const QString& a, const QString& b) {
    QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return compareUtf8(reinterpret_cast<const unsigned char*>(ua.constData()), ua.size(),
                       reinterpret_cast<const unsigned char*>(ub.constData()), ub.size());
}

bool like(const QString& text, const QString& pattern, qint64* steps) {
    return Pattern(fold(pattern)).matches(fold(text), steps);
}

QString quote(const QString& value) {
    QString v = value;
    v.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

QString quoteName(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

}  // namespace jet
