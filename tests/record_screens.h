#pragma once
// Helpers of the entry and show screen tests: reaching a register's screen through the navigation
// tabs as a user does, typing into its boxes, and sample records built from the register table.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/look.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/tab_strip.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/registers.h"
#include "tests/fixture.h"

namespace rs {

// The registers whose entry and show screens are built from the register table.
inline QList<int> tableRegisters() {
    QList<int> out;
    for (int g = 0; g < registers::kCount; ++g)
        if (g != registers::kObra && g != registers::kGrabacion) out << g;
    return out;
}

inline void clickTab(FormMdi& mdi, const QString& strip, int tab) {
    TabStrip* s = mdi.solapas().tabStrip(strip);
    QVERIFY2(s, qPrintable(strip));
    QTest::mouseClick(s, Qt::LeftButton, {}, s->tabRect(tab).center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Opens a register's screen (op 0 Añadir, 2 Mostrar) by clicking the three strips.
inline Screen* open(FormMdi& mdi, int global, int op) {
    static const char* const ops[] = {"Anadir", "Seleccionar", "Mostrar", "Listar"};
    const RegisterDef& d = registers::at(global);
    clickTab(mdi, QStringLiteral("TabNivel1"), d.group - 1);
    clickTab(mdi, QStringLiteral("TabRegistros%1").arg(d.group), op);
    clickTab(mdi, QStringLiteral("TabReg%1%2").arg(d.group).arg(QLatin1String(ops[op])), d.index);
    Screen* s = mdi.solapas().currentScreen();
    if (!s || s->number() != registers::screenNumber(global, op)) {
        qWarning("screen %d not reached", registers::screenNumber(global, op));
        return nullptr;
    }
    return s;
}

// Leaves for the report screen, which discards the screen shown.
inline void leave(FormMdi& mdi) {
    clickTab(mdi, QStringLiteral("TabNivel1"), 2);
}

template <class T = QWidget>
T* w(QWidget* s, const QString& name) {
    T* x = s ? s->findChild<T*>(name) : nullptr;
    if (!x) qWarning("no widget %s", qPrintable(name));
    return x;
}

inline QLineEdit* box(QWidget* s, const QString& name) {
    return w<QLineEdit>(s, name);
}

inline void click(QWidget* s, const QString& name) {
    QTest::mouseClick(w<QWidget>(s, name), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Key presses for every character of `text`, accented letters included.
inline void keys(QWidget* target, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128 && c.isPrint())
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Types into a box as a user does: all of it selected first, then the keys.
inline void type(QWidget* s, const QString& name, const QString& text) {
    QLineEdit* b = box(s, name);
    b->selectAll();
    if (text.isEmpty())
        QTest::keyClick(b, Qt::Key_Delete);
    else
        keys(b, text);
}

// Replaces the notes by pasting `text`.
inline void pasteNotes(QWidget* s, const QString& text) {
    auto* n = w<QTextEdit>(s, QStringLiteral("TxtNotas"));
    n->selectAll();
    QApplication::clipboard()->setText(text);
    QTest::keySequence(n, QKeySequence::Paste);
}

inline QString notes(QWidget* s) {
    return w<QTextEdit>(s, QStringLiteral("TxtNotas"))->toPlainText();
}

inline QString label(QWidget* s, const QString& name) {
    return w<QLabel>(s, name)->text();
}

// Chooses a picture by double-clicking the picture box.
inline void choosePicture(TempApp& app, QWidget* s, const QString& path) {
    app.files.choose(path);
    QTest::mouseDClick(w<QWidget>(s, QStringLiteral("Imagen")), Qt::LeftButton);
}

// The picture box shows the placeholder in its full square.
inline bool showsPlaceholder(QWidget* s) {
    auto* img = w<PictureBox>(s, QStringLiteral("Imagen"));
    return img->image() == PictureBox::placeholder() && twips::left(img) == 240 &&
           twips::top(img) == 240 && twips::width(img) == 3000 && twips::height(img) == 3000 &&
           look::foreColor(w<QWidget>(s, QStringLiteral("LabNombre"))) == look::kGris;
}

// A text of exactly `n` characters with accents, ñ, an apostrophe and blanks in it.
inline QString sample(const QString& seed, int n) {
    const QString base = seed + QString::fromUtf8(" Dvořák O'Brien ñandú «Ópera» ");
    QString out;
    while (out.size() < n) out += base;
    return out.left(n);
}

// Values for every text box of a register: texts at their full length, years and centuries as
// numbers. For the orchestra only the box of `kind` (1-3) gets the name.
inline QHash<QString, QString> sampleRecord(int global, const QString& seed, int kind = 1) {
    QHash<QString, QString> v;
    const RegisterDef& d = registers::at(global);
    int year = 1685;
    for (const BoxDef& b : d.boxes) {
        if (b.numeric)
            v[b.control] = b.maxLength == 2 ? QStringLiteral("17") : QString::number(year++);
        else
            v[b.control] = sample(seed + b.control.mid(3), b.maxLength);
    }
    if (global == registers::kOrquesta) {
        static const char* const names[] = {"TxtNombreOrquesta", "TxtNombreGrupo", "TxtNombreCoro"};
        for (int k = 0; k < 3; ++k)
            if (k != kind - 1) v.remove(QLatin1String(names[k]));
    }
    return v;
}

// Types a record's values into the boxes of its screen, in tab order.
inline void typeRecord(QWidget* s, int global, const QHash<QString, QString>& v) {
    for (const BoxDef& b : registers::at(global).boxes)
        if (v.contains(b.control)) type(s, b.control, v[b.control]);
}

// The columns a box's value is stored in.
inline QString columnOf(int global, const QString& control) {
    for (const BoxDef& b : registers::at(global).boxes)
        if (b.control == control) return b.column;
    return {};
}

// Puts a record straight into a register's table: every text column "<seed> <column>", years
// from 1700, the given notes and picture. Returns its key.
inline qint64 insertRecord(TempApp& app, int global, const QString& seed,
                           const QString& picture = {}, int kind = 1) {
    const RegisterDef& d = registers::at(global);
    QVariantMap m;
    int year = 1700;
    for (const FieldDef& f : d.fields) {
        switch (f.kind) {
            case FieldKind::Text:
                m[f.column] = seed + QLatin1Char(' ') + f.column;
                break;
            case FieldKind::Year:
                m[f.column] = year++;
                break;
            case FieldKind::Century:
                m[f.column] = 18;
                break;
            case FieldKind::Kind:
                m[f.column] = kind;
                break;
            case FieldKind::Notes:
                m[f.column] = QStringLiteral("Notas de ") + seed;
                break;
            case FieldKind::Picture:
                m[f.column] = picture;
                break;
            default:
                break;
        }
    }
    return app.insert(d.table, m);
}

inline int count(TempApp& app, int global) {
    return app.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + registers::at(global).table)
        .toInt();
}

// A file that declares a picture far larger than the program accepts (a BMP header only).
inline QString enormousPicture(const QString& folder) {
    QByteArray h(54, '\0');
    auto put32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i) h[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    h[0] = 'B';
    h[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, 30000);  // width
    put32(22, 30000);  // height
    h[26] = 1;
    h[28] = 24;
    const QString path = folder + QStringLiteral("/enorme.bmp");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(h);
    return path;
}

// A PNG file whose header declares 20000 × 20000 pixels, with no picture data after it.
inline QString enormousPng(const QString& folder) {
    auto crc = [](const QByteArray& data) {
        quint32 c = 0xFFFFFFFFu;
        for (char ch : data) {
            c ^= quint8(ch);
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
        }
        return c ^ 0xFFFFFFFFu;
    };
    auto be32 = [](quint32 v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i) b[i] = char((v >> (8 * (3 - i))) & 0xFF);
        return b;
    };
    QByteArray ihdr = QByteArray("IHDR") + be32(20000) + be32(20000);
    ihdr += QByteArray("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png += be32(13) + ihdr + be32(crc(ihdr));
    const QString path = folder + QStringLiteral("/enorme.png");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(png);
    return path;
}

inline QString notAPicture(const QString& folder) {
    const QString path = folder + QStringLiteral("/texto.jpg");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("esto no es una imagen\n");
    return path;
}

}  // namespace rs
