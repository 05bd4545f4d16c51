#pragma once
// The search of the whole catalogue: every record of every register holding each of the typed
// words in one of its texts (one-line texts and notes), folded as LIKE folds them (case and
// accents aside, ñ kept), the words taken literally. A recording holds a word when its notes or
// a one-line text of a record it links do.
#include <QString>
#include <QStringList>
#include <vector>

class Connection;
class FormBasesDatos;

namespace search {

// One record found: its register, key, label text and the caption of the field where the first
// word is.
struct Hit {
    int global = 0;
    qint64 key = 0;
    QString label;
    QString field;
};

struct Result {
    std::vector<Hit> shown;  // in the registers' order, then by key
    qint64 total = 0;        // every record found, shown or not
};

// The words of a typed text: what stands between blanks.
QStringList words(const QString& typed);

// The LIKE pattern finding `word` anywhere in a text, its "*", "?", "#" and "[" made plain.
QString containsPattern(const QString& word);

// The statement finding a register's records holding `words` words (parameters ?1..?n, each the
// containsPattern of a word): their keys in order.
QString statement(int global, int words);

// Runs the search; at most `limit` hits get their label and field. No words, no records. Throws
// DbError (kCancelled when the connection's progress check said no).
Result run(Connection& conn, const FormBasesDatos& hub, const QStringList& words, int limit = 500);

}  // namespace search
