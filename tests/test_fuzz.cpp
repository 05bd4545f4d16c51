// Generated bad input, deterministic: values full of quotes, pattern characters, signs, exponents,
// huge numbers, control and non-Latin characters, and very long texts, fed through the field rules,
// the selection model, the engine and the real entry screens. Nothing may crash or hang, no value
// may change the shape of a statement, and every refusal must be the one the program promises.
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <cmath>
#include <random>

#include "entry/entry_screen.h"
#include "entry/field_box.h"
#include "selection/apply.h"
#include "selection/filter_model.h"
#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/context.h"
#include "shell/windowing/storable_text.h"
#include "store/data_hub.h"
#include "store/engine.h"
#include "store/field_rules.h"
#include "tests/fixture.h"

namespace {

// Pieces values are made of: what breaks quoting, patterns and numbers, and what breaks text.
const QStringList& pieces() {
    static const QStringList p = {"'",
                                  "''",
                                  "*",
                                  "?",
                                  "#",
                                  "%",
                                  "_",
                                  "\"",
                                  "[",
                                  "]",
                                  "[!a-c]",
                                  "[a-",
                                  "!",
                                  "-",
                                  "+",
                                  "e",
                                  "E",
                                  "e+",
                                  "1e308",
                                  "1e999",
                                  "-1e-999",
                                  "99999999999999999999999",
                                  "0x1F",
                                  ",",
                                  ".",
                                  "1,5",
                                  " ",
                                  "  ",
                                  "\t",
                                  "\n",
                                  "\r",
                                  ";",
                                  "--",
                                  "/*",
                                  "*/",
                                  ") OR (1=1",
                                  " OR 1=1 --",
                                  "' OR 'a'='a",
                                  "SELECT",
                                  "DROP TABLE Compositor",
                                  "1756",
                                  "0",
                                  "00",
                                  "-0",
                                  "Bach",
                                  QString::fromUtf8("ñ"),
                                  QString::fromUtf8("Ñandú"),
                                  QString::fromUtf8("Dvořák"),
                                  QString::fromUtf8("ópera"),
                                  QString::fromUtf8("Шостакович"),
                                  QString::fromUtf8("武满彻"),
                                  QString::fromUtf8("😀"),
                                  QString::fromUtf8("ﬁ"),
                                  QString(QChar(0)),
                                  QString(QChar(0x7F)),
                                  QString(QChar(0xFEFF)),
                                  QString(QChar(0x202E)),
                                  QString(QChar(0xD800)),  // lone surrogate
                                  QStringLiteral("\\"),
                                  QStringLiteral("%s%n"),
                                  QStringLiteral("NULL")};
    return p;
}

class Generator {
  public:
    explicit Generator(unsigned seed) : rng_(seed) {}
    int below(int n) { return int(rng_() % unsigned(n)); }
    QString value() {
        QString s;
        const int roll = below(1000);
        if (roll < 3) {  // a very long text, past every limit
            const QString& p = pieces()[below(int(pieces().size()))];
            while (s.size() < 26000 + below(4000)) s += p.isEmpty() ? QStringLiteral("x") : p;
            return s;
        }
        const int n = roll < 100 ? 0 : 1 + below(roll < 600 ? 3 : 12);
        for (int i = 0; i < n; ++i) {
            if (below(3) == 0)
                s += QChar(below(2) ? 'a' + below(26) : '0' + below(10));
            else
                s += pieces()[below(int(pieces().size()))];
        }
        return s;
    }

  private:
    std::mt19937 rng_;
};

// One filter added to a fresh model; false when the model refused the value.
bool oneFilter(selection::FilterModel& m, int field, int criterion, const QString& value) {
    const auto& crit = registers::criteria();
    m.chooseField(field);
    m.chooseCriterion(criterion);
    m.changeValue(value);
    return m.addFilter(value, field, m.reg().selFields[field].caption, crit[criterion].caption);
}

// Reads the SQL string literal at the start of `s`: its content with doubled apostrophes undone,
// and its length in `used`; empty optional when `s` does not start with a whole literal.
std::optional<QString> literalAt(const QString& s, int* used) {
    if (!s.startsWith(QLatin1Char('\''))) return std::nullopt;
    QString out;
    for (int i = 1; i < s.size(); ++i) {
        if (s[i] != QLatin1Char('\'')) {
            out += s[i];
        } else if (i + 1 < s.size() && s[i + 1] == QLatin1Char('\'')) {
            out += s[i++];
        } else {
            *used = i + 1;
            return out;
        }
    }
    return std::nullopt;
}

// A bare number as a numeric condition may hold: digits, sign, point and exponent only.
bool bareNumber(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?([eE][-+]?[0-9]+)?$"));
    return re.match(s).hasMatch();
}

// Types a text key by key, as a keyboard with every character would.
void type(QWidget* w, const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
        int n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, n);
        i += n - 1;
        QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, ch, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, ch, Qt::NoModifier);
    }
}

// Registers whose selection is a condition on their own table.
QVector<int> tableRegisters() {
    QVector<int> out;
    for (int g = 0; g < registers::kCount; ++g)
        if (g != registers::kGrabacion) out << g;
    return out;
}

}  // namespace

class FuzzTest : public QObject {
    Q_OBJECT
  private slots:
    void fieldRules();
    void storableText_data();
    void storableText();
    void recordSourceIsOneStatement_data();
    void recordSourceIsOneStatement();
    void selectionStatements();
    void entryScreens();
};

// The number rules never give NaN, infinity or undefined conversions, and a year box's value is
// always written as a number.
void FuzzTest::fieldRules() {
    Generator gen(20261210);
    for (int i = 0; i < 100000; ++i) {
        const QString v = gen.value();
        const bool number = rules::isNumber(v);
        const double x = rules::numericValue(v);
        QVERIFY2(std::isfinite(x), qPrintable(v.left(60)));
        if (!number && !v.trimmed().isEmpty()) {
            // Text that is not a number: what it starts with, or 0.
            QVERIFY(std::isfinite(rules::numericValue(v)));
        }
        const QString year = rules::yearText(v);
        QVERIFY2(rules::isNumber(year), qPrintable(v.left(60) + " -> " + year));
        QCOMPARE(rules::numericValue(year) == 0, x == 0 || v.trimmed().isEmpty());
        const qint64 r = rules::roundHalfEven(x);
        QVERIFY(std::fabs(double(r)) <= 9e18);
        QVERIFY(rules::shownYear(year).isEmpty() == (rules::numericValue(year) == 0));
    }
    QCOMPARE(rules::roundHalfEven(std::nan("")), qint64(0));
}

void FuzzTest::storableText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    const QChar hi(0xD834), lo(0xDD1E);  // U+1D11E, the G clef
    QTest::newRow("plain") << QString::fromUtf8("Dvořák 'x' *?#")
                           << QString::fromUtf8("Dvořák 'x' *?#");
    QTest::newRow("pair kept") << QString("a") + hi + lo << QString("a") + hi + lo;
    QTest::newRow("nul") << QString("a") + QChar(0) + "b"
                         << "ab";
    QTest::newRow("high alone") << QString("a") + hi + "b"
                                << "ab";
    QTest::newRow("low alone") << QString("a") + lo << "a";
    QTest::newRow("reversed pair") << QString(lo) + hi << "";
}

// Characters the catalogue cannot give back unchanged are dropped by the boxes as they arrive.
void FuzzTest::storableText() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QCOMPARE(storable::clean(typed), kept);
    QLineEdit box;
    storable::guard(&box);
    QString seen;
    QObject::connect(&box, &QLineEdit::textChanged, [&](const QString&) { seen = box.text(); });
    box.insert(typed);
    QCOMPARE(box.text(), kept);
    QCOMPARE(seen, kept);
}

void FuzzTest::recordSourceIsOneStatement_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("error");  // 0: runs
    QTest::newRow("plain") << "SELECT * FROM Compositor WHERE Apellidos = 'Bach'" << 0;
    QTest::newRow("semicolon") << "SELECT * FROM Compositor ;  " << 0;
    QTest::newRow("second statement")
        << "SELECT * FROM Compositor; DELETE FROM Compositor" << dberr::kTextAfterEnd;
    QTest::newRow("cut by nul") << QString("SELECT * FROM Compositor WHERE Apellidos = 'Ba") +
                                       QChar(0) + "ch'"
                                << dberr::kSyntax;
    QTest::newRow("nul before a second statement")
        << QString("SELECT * FROM Compositor") + QChar(0) + "; DELETE FROM Compositor"
        << dberr::kTextAfterEnd;
}

// A record source runs whole or not at all: nothing after it runs, nothing cuts it short.
void FuzzTest::recordSourceIsOneStatement() {
    QFETCH(QString, source);
    QFETCH(int, error);
    TempApp app;
    app.insert("Compositor", {{"Apellidos", "Bach"}});
    LoadedHub h(app);
    int got = 0;
    try {
        selection::applyStatement(h.hub, registers::kCompositor, source);
    } catch (const DbError& e) {
        got = e.number;
    }
    QCOMPARE(got, error);
    QCOMPARE(app.scalar("SELECT COUNT(*) FROM Compositor").toInt(), 1);
}

// Every value becomes one literal of the statement, never part of its text: the statement with a
// value equals the statement with a plain placeholder, with only the literal in between changed.
// Some of the statements then run on the engine, which must take every one of them.
void FuzzTest::selectionStatements() {
    TempApp app;
    Generator gen(1756);
    // A few records in every table, some holding generated values.
    for (int g : tableRegisters()) {
        const RegisterDef& reg = registers::at(g);
        for (int k = 0; k < 4; ++k) {
            QVariantMap row;
            for (const FieldDef& f : reg.fields) {
                if (f.isNumeric())
                    row[f.column] = f.kind == FieldKind::Kind ? 1 + k % 3 : 1700 + k;
                else if (f.kind != FieldKind::Picture)
                    row[f.column] = gen.value().left(f.maxLength ? f.maxLength : 500);
            }
            app.insert(reg.table, row);
        }
    }
    LoadedHub h(app);
    const QVector<int> regs = tableRegisters();
    const int criteria = int(registers::criteria().size());
    int ran = 0, checked = 0;
    for (int i = 0; i < 100000; ++i) {
        const int g = regs[gen.below(int(regs.size()))];
        const RegisterDef& reg = registers::at(g);
        const int field = gen.below(int(reg.selFields.size()));
        const int criterion = gen.below(criteria);
        // The value box keeps only storable text.
        const QString value = storable::clean(gen.value());
        const VocabItem& item = reg.selFields[field];

        selection::FilterModel m(reg), p(reg);
        const bool added = oneFilter(m, field, criterion, value);
        const bool plain = !rules::isFilled(value) || value == selection::kValorInicial;
        QCOMPARE(added, !plain);
        if (!added) {
            QVERIFY(m.lines.isEmpty());
            QCOMPARE(m.numFiltros, 0);
            continue;
        }
        // Numeric columns hold the value as a number (or -1), quoted inside a pattern.
        const bool pattern = registers::criteria()[criterion].like;
        const QString placeholder = item.numeric ? QStringLiteral("7777") : QStringLiteral("QQQQ");
        QVERIFY(oneFilter(p, field, criterion, placeholder));
        m.chooseSortField(0);
        p.chooseSortField(0);
        const QString s = m.statement(), s0 = p.statement();
        const QString inner = pattern ? "*" + placeholder + "*" : placeholder;
        const QString lit0 = item.numeric && !pattern ? inner : "'" + inner + "'";
        const int at = int(s0.indexOf(lit0));
        QVERIFY2(at > 0, qPrintable(s0 + " / " + lit0));
        const QString before = s0.left(at), after = s0.mid(at + lit0.size());
        QVERIFY2(s.startsWith(before) && s.endsWith(after), qPrintable(s.left(200)));
        const QString middle = s.mid(before.size(), s.size() - before.size() - after.size());
        QString content = middle;
        if (pattern || !item.numeric) {
            int used = 0;
            const auto text = literalAt(middle, &used);
            QVERIFY2(text && used == middle.size(), qPrintable(middle.left(200)));
            content = *text;
            if (pattern) {
                QVERIFY(content.size() >= 2 && content.startsWith('*') && content.endsWith('*'));
                content = content.mid(1, content.size() - 2);
            }
        }
        if (item.numeric) {
            QVERIFY2(bareNumber(content), qPrintable(content));
            if (!rules::isNumber(value)) QCOMPARE(content, QStringLiteral("-1"));
        } else {
            QCOMPARE(content, value);
        }
        ++checked;

        if (i % 7 == 0) {
            // The engine takes the statement as it stands and finds at most the whole table.
            try {
                const qint32 n = selection::applyStatement(h.hub, g, s);
                QVERIFY(n >= 0 && n <= 4);
                ++ran;
            } catch (const DbError& e) {
                QFAIL(qPrintable(QStringLiteral("%1 refused (%2): %3")
                                     .arg(s.left(200))
                                     .arg(e.number)
                                     .arg(e.detail)));
            }
        }
    }
    QVERIFY(checked > 80000);
    QVERIFY(ran > 10000);
    qInfo("%d statements checked, %d run on the engine", checked, ran);
}

// The real entry screens under generated typing: year boxes only ever hold numbers, the notes never
// pass their limit, and a save either is refused for a missing identifier (nothing written) or
// writes exactly what the boxes show.
void FuzzTest::entryScreens() {
    TempApp app;
    FormMdi& mdi = app.enter();
    Generator gen(1685);
    int saved = 0, refused = 0;
    for (int round = 0; round < 240; ++round) {
        const int g = tableRegisters()[gen.below(int(tableRegisters().size()))];
        const RegisterDef& reg = registers::at(g);
        mdi.solapas().OcultarFormulario();
        mdi.solapas().MostrarFormulario(registers::screenNumber(g, 0));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* s =
            dynamic_cast<EntryScreen*>(mdi.solapas().loadedScreen(registers::screenNumber(g, 0)));
        if (!s) continue;  // a register with an entry screen of another kind
        for (FieldBox* b : s->boxes()) {
            const QString v = gen.value().left(40);
            b->clear();
            type(b, v);
            QVERIFY(b->text().size() <= b->def().maxLength);
            if (b->def().numeric)
                QVERIFY2(b->text().isEmpty() || rules::isNumber(b->text()), qPrintable(b->text()));
        }
        s->notesBox()->clear();
        // Every tenth round pastes notes past their limit.
        s->notesBox()->insertPlainText(round % 10 ? gen.value()
                                                  : QString(26000, 'n') + gen.value());
        QVERIFY(s->notesBox()->text().size() <= registers::kNotesMax);
        if (round % 10 == 0) QCOMPARE(s->notesBox()->text().size(), registers::kNotesMax);

        bool identified = true;
        for (FieldBox* b : s->boxes())
            if (b->def().identifier && !rules::isFilled(b->text())) identified = false;
        QMap<QString, QString> expected;
        for (FieldBox* b : s->boxes())
            expected[b->def().column] = b->def().numeric ? rules::yearText(b->text()) : b->text();
        const QString notes = s->notesBox()->text();
        const qint64 before = app.scalar("SELECT COUNT(*) FROM " + reg.table).toLongLong();
        app.messages.clear();
        QTest::mouseClick(s->BtnGuardar, Qt::LeftButton);
        QCOMPARE(int(app.messages.shown.size()), 1);
        const qint64 after = app.scalar("SELECT COUNT(*) FROM " + reg.table).toLongLong();
        if (!identified && g != registers::kOrquesta) {
            QCOMPARE(app.messages.shown[0].text, mdi.hub().MensaIntroducirIDentificador);
            QCOMPARE(after, before);
            ++refused;
            continue;
        }
        if (app.messages.shown[0].text != mdi.hub().MensaGrabadoBien) {
            QCOMPARE(after, before);  // the orchestra's own name rule refused it
            ++refused;
            continue;
        }
        QCOMPARE(after, before + 1);
        const QVariantMap row =
            app.rows("SELECT * FROM " + reg.table + " ORDER BY Id DESC LIMIT 1").first();
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            const FieldDef* f = reg.field(it.key());
            if (f->isNumeric())
                QCOMPARE(rules::numericValue(row[it.key()].toString()),
                         rules::numericValue(it.value()));
            else if (g != registers::kOrquesta)
                QCOMPARE(row[it.key()].toString(), it.value());
        }
        QCOMPARE(row["Notas"].toString(), notes);
        ++saved;
    }
    QVERIFY(saved > 50);
    QVERIFY(refused > 10);
    qInfo("%d records saved and read back, %d saves refused", saved, refused);
}

QTEST_MAIN(FuzzTest)
#include "test_fuzz.moc"
