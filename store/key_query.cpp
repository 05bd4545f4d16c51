#include "store/key_query.h"

#include <QVector>

#include "store/jet_dialect.h"
#include "store/registers.h"
#include "store/schema.h"

namespace keyquery {
namespace {

struct Token {
    enum Kind { Blank, Text, Name, Word, Symbol } kind;
    QString text;
};

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

QVector<Token> tokenize(const QString& s) {
    QVector<Token> out;
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        const QChar c = s.at(i);
        int j = i + 1;
        Token::Kind kind = Token::Symbol;
        if (c.isSpace()) {
            while (j < n && s.at(j).isSpace()) ++j;
            kind = Token::Blank;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A doubled quote inside stays inside; an unclosed one runs to the end.
            kind = c == QLatin1Char('\'') ? Token::Text : Token::Name;
            while (j < n) {
                if (s.at(j) == c) {
                    if (j + 1 < n && s.at(j + 1) == c) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
        } else if (isWordChar(c)) {
            while (j < n && isWordChar(s.at(j))) ++j;
            kind = Token::Word;
        } else {
            static const QStringList pairs{QStringLiteral("<="), QStringLiteral(">="),
                                           QStringLiteral("<>"), QStringLiteral("!="),
                                           QStringLiteral("=="), QStringLiteral("||")};
            if (pairs.contains(s.mid(i, 2))) j = i + 2;
        }
        out.append({kind, s.mid(i, j - i)});
        i = j;
    }
    return out;
}

bool isComparison(const Token& t) {
    static const QStringList ops{QStringLiteral("="),  QStringLiteral("=="), QStringLiteral("<>"),
                                 QStringLiteral("!="), QStringLiteral("<"),  QStringLiteral(">"),
                                 QStringLiteral("<="), QStringLiteral(">=")};
    return t.kind == Token::Symbol && ops.contains(t.text);
}

bool isRange(const Token& t) {
    static const QStringList ops{QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<="),
                                 QStringLiteral(">=")};
    return t.kind == Token::Symbol && ops.contains(t.text);
}

// A number field of some register ("Id" is not one: it keeps its own index).
bool numberAnywhere(const QString& column) {
    for (const RegisterDef& d : registers::all())
        if (const FieldDef* f = d.field(column); f && f->isNumeric()) return true;
    return false;
}

bool isWord(const Token* t, const char* word) {
    return t && t->kind == Token::Word &&
           t->text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

QString literalValue(const QString& quoted) {
    QString v = quoted.mid(1);
    if (v.endsWith(QLatin1Char('\''))) v.chop(1);
    v.replace(QStringLiteral("''"), QStringLiteral("'"));
    return v;
}

QString hexLiteral(const QByteArray& bytes) {
    return QStringLiteral("x'") + QString::fromLatin1(bytes.toHex()) + QLatin1Char('\'');
}

}  // namespace

Translation translate(const QString& tail) {
    const QVector<Token> tokens = tokenize(tail);
    // The next token that is not blank, from position i on; -1 when none.
    auto next = [&](int i) {
        while (i < tokens.size() && tokens[i].kind == Token::Blank) ++i;
        return i < tokens.size() ? i : -1;
    };
    Translation out;
    auto useKeysOf = [&](const QString& column) {
        for (const RegisterDef& d : registers::all())
            if (d.field(column) && !out.keyedTables.contains(d.table)) out.keyedTables << d.table;
    };
    const Token* previous = nullptr;  // the last token that is not blank
    bool ordering = false;            // inside the ORDER BY of the source
    int depth = 0;
    for (int i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Blank) {
            out.sql += t.text;
            continue;
        }
        if (t.kind == Token::Symbol && t.text == QLatin1String("(")) ++depth;
        if (t.kind == Token::Symbol && t.text == QLatin1String(")")) --depth;
        if (isWord(&t, "ORDER") && depth == 0) ordering = true;
        const int after = next(i + 1);
        const Token* following = after >= 0 ? &tokens[after] : nullptr;
        const bool column =
            t.kind == Token::Word && schema::collatedAnywhere(t.text) &&
            !isWord(previous, "FROM") && !isWord(previous, "JOIN") &&
            !isWord(previous, "COLLATE") && !isWord(previous, "AS") &&
            !(following && following->kind == Token::Symbol &&
              (following->text == QLatin1String(".") || following->text == QLatin1String("(")));
        const Token* before = previous;
        previous = &t;
        const bool bare =
            !(before && before->kind == Token::Symbol && before->text == QLatin1String("."));
        // A range on a number reads the short fields' index whole rather than the number's
        // index and then the rows one by one: a range seldom leaves few records, and the engine
        // cannot tell (the "+" keeps it off that index).
        if (!column && !ordering && bare && t.kind == Token::Word && numberAnywhere(t.text) &&
            following && isRange(*following) && !isWord(before, "FROM") &&
            !isWord(before, "JOIN")) {
            out.sql += QLatin1Char('+') + t.text;
            continue;
        }
        if (!column) {
            out.sql += t.text;
            continue;
        }
        const bool keyed = schema::keyedEverywhere(t.text);
        // A comparison with a typed text: the keys of both, as bytes.
        if (keyed && following && isComparison(*following)) {
            const int value = next(after + 1);
            // A NUL would end the engine's reading of the statement: left in the text, where
            // the engine refuses it, rather than hidden in a key.
            if (value >= 0 && tokens[value].kind == Token::Text &&
                !tokens[value].text.contains(QChar(0))) {
                out.sql += (bare && isRange(*following) ? QStringLiteral("+") : QString()) +
                           schema::keyColumn(t.text) + QLatin1Char(' ') + following->text +
                           QLatin1Char(' ') +
                           hexLiteral(jet::sortKey(literalValue(tokens[value].text)));
                useKeysOf(t.text);
                previous = &tokens[value];
                i = value;
                continue;
            }
        }
        if (keyed && ordering) {
            out.sql += schema::keyColumn(t.text);
            useKeysOf(t.text);
            continue;
        }
        out.sql += t.text + QStringLiteral(" COLLATE ") + QLatin1String(jet::kCollation);
    }
    return out;
}

}  // namespace keyquery
