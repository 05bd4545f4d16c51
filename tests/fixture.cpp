#include "tests/fixture.h"

#include <sqlite3.h>

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/busy.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/screen.h"
#include "store/engine.h"
#include "store/jet_dialect.h"
#include "store/schema.h"

MessageRecorder::MessageRecorder() {
    dialogs::setMessageHook([this](QMessageBox& box) {
        shown.push_back({box.property("ormeliaText").toString(), box.icon(), box.standardButtons(),
                         box.defaultButton() ? box.standardButton(box.defaultButton())
                                             : QMessageBox::NoButton});
        if (!answers_.empty()) {
            auto a = answers_.front();
            answers_.pop_front();
            return a;
        }
        auto b = box.standardButtons();
        if (b & QMessageBox::Ok) return QMessageBox::Ok;
        if (b & QMessageBox::Yes) return QMessageBox::Yes;
        return QMessageBox::NoButton;
    });
}

MessageRecorder::~MessageRecorder() {
    dialogs::setMessageHook(nullptr);
}

QStringList MessageRecorder::texts() const {
    QStringList out;
    for (const auto& m : shown) out << m.text;
    return out;
}

FileChooser::FileChooser() {
    dialogs::setFileHook([this](QFileDialog& dlg) {
        titles << dlg.windowTitle();
        filters << dlg.nameFilters().join(QStringLiteral(";;"));
        folders << dlg.directory().absolutePath();
        if (answers_.empty()) return QString();
        QString a = answers_.front();
        answers_.pop_front();
        return a;
    });
}

FileChooser::~FileChooser() {
    dialogs::setFileHook(nullptr);
}

DialogAnswerer::DialogAnswerer() {
    dialogs::setDialogHook([this](QDialog& dlg) {
        ShownDialog d;
        d.name = dlg.objectName();
        for (QLabel* l : dlg.findChildren<QLabel*>())
            if (!l->objectName().isEmpty() && !l->isHidden()) d.texts[l->objectName()] = l->text();
        for (QPlainTextEdit* e : dlg.findChildren<QPlainTextEdit*>())
            if (!e->isHidden()) d.texts[e->objectName()] = e->toPlainText();
        for (QPushButton* b : dlg.findChildren<QPushButton*>()) {
            d.texts[b->objectName()] = b->text();
            d.enabled[b->objectName()] = b->isEnabled();
        }
        shown.push_back(d);
        QString button = QStringLiteral("BtnCancelar");
        if (!answers_.empty()) {
            if (!answers_.front().isEmpty()) button = answers_.front();
            answers_.pop_front();
        }
        dlg.setResult(QDialog::Rejected);
        // "ChkA+BtnB" ticks A and then presses B. click() does nothing on a disabled button, as
        // a mouse click would.
        for (const QString& name : button.split(QLatin1Char('+')))
            if (auto* b = dlg.findChild<QAbstractButton*>(name)) b->click();
        return dlg.result();
    });
}

DialogAnswerer::~DialogAnswerer() {
    dialogs::setDialogHook(nullptr);
}

TempApp::TempApp(bool withCatalogue) {
    if (withCatalogue) {
        QString problem = schema::createEmpty(catalogue());
        if (!problem.isEmpty()) qFatal("%s", qPrintable(problem));
    }
}

TempApp::~TempApp() {
    mdi_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {

struct Raw {
    sqlite3* db = nullptr;
    explicit Raw(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            qFatal("cannot open %s", qPrintable(path));
        jet::install(db);
        sqlite3_busy_timeout(db, 2000);
    }
    ~Raw() { sqlite3_close(db); }
};

void bind(sqlite3_stmt* st, int i, const QVariant& v) {
    if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
        sqlite3_bind_int64(st, i, v.toLongLong());
    else {
        QByteArray b = v.toString().toUtf8();
        sqlite3_bind_text(st, i, b.constData(), b.size(), SQLITE_TRANSIENT);
    }
}

QVariant column(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
        case SQLITE_INTEGER:
            return qlonglong(sqlite3_column_int64(st, i));
        case SQLITE_FLOAT:
            return sqlite3_column_double(st, i);
        case SQLITE_NULL:
            return {};
        default:
            return columnText(st, i);
    }
}

}  // namespace

qint64 TempApp::insert(const QString& table, const QVariantMap& values) {
    Raw raw(catalogue());
    QStringList cols, marks;
    for (auto it = values.begin(); it != values.end(); ++it) {
        cols << it.key();
        marks << QStringLiteral("?");
    }
    QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(raw.db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        qFatal("%s: %s", qPrintable(sql), sqlite3_errmsg(raw.db));
    int i = 1;
    for (const QVariant& v : values) bind(st, i++, v);
    if (sqlite3_step(st) != SQLITE_DONE) qFatal("%s: %s", qPrintable(sql), sqlite3_errmsg(raw.db));
    sqlite3_finalize(st);
    const qint64 key = sqlite3_last_insert_rowid(raw.db);
    // A record as the program saves it: with its sort keys (a catalogue of an older version
    // has none).
    sqlite3_stmt* version = nullptr;
    sqlite3_prepare_v2(raw.db, "PRAGMA user_version", -1, &version, nullptr);
    const bool keyed =
        sqlite3_step(version) == SQLITE_ROW && sqlite3_column_int(version, 0) == schema::kVersion;
    sqlite3_finalize(version);
    if (const RegisterDef* d = registers::byTable(table); d && keyed)
        if (schema::freshenKeys(raw.db, *d) != SQLITE_OK)
            qFatal("sort keys of %s: %s", qPrintable(table), sqlite3_errmsg(raw.db));
    return key;
}

void TempApp::exec(const QString& sql) {
    Raw raw(catalogue());
    char* err = nullptr;
    if (sqlite3_exec(raw.db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK)
        qFatal("%s: %s", qPrintable(sql), err);
}

QList<QVariantMap> TempApp::rows(const QString& sql) {
    Raw raw(catalogue());
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(raw.db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        qFatal("%s: %s", qPrintable(sql), sqlite3_errmsg(raw.db));
    QList<QVariantMap> out;
    while (sqlite3_step(st) == SQLITE_ROW) {
        QVariantMap row;
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            row.insert(QString::fromUtf8(sqlite3_column_name(st, i)), column(st, i));
        out << row;
    }
    sqlite3_finalize(st);
    return out;
}

QVariant TempApp::scalar(const QString& sql) {
    auto r = rows(sql);
    return r.isEmpty() || r.first().isEmpty() ? QVariant() : r.first().first();
}

FormMdi& TempApp::start() {
    mdi_ = std::make_unique<FormMdi>(folder());
    if (!mdi_->Load()) qWarning("start-up refused the catalogue");
    return *mdi_;
}

FormMdi& TempApp::enter() {
    FormMdi& m = start();
    auto* splash = m.solapas().loadedScreen(0);
    if (!splash) qFatal("no splash");
    QWidget* lab = splash->findChild<QWidget*>(QStringLiteral("LabContinuar"));
    if (lab) {
        QTest::mouseClick(lab, Qt::LeftButton);
    } else {
        m.solapas().OcultarFormulario();
        m.solapas().MostrarFormulario(15);
        if (auto* s = m.solapas().loadedScreen(15)) s->Carga();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return m;
}

void TempApp::close(bool compact) {
    if (!mdi_) return;
    messages.answer(compact ? QMessageBox::Yes : QMessageBox::No);
    mdi_->close();
    mdi_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString makePicture(const QString& folder, const QString& name, int w, int h, const char* format) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(40, 90, 160));
    QString path = folder + QLatin1Char('/') + name;
    img.save(path, format);
    return path;
}

void makeCatalogue(const QString& path, int version) {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
             SQLITE_OK);
    jet::install(db);
    const QString script = "BEGIN;\n" + schema::createScript(version) + "COMMIT;";
    char* err = nullptr;
    const int rc = sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &err);
    const QString problem = QString::fromUtf8(err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(problem));
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ProgressAnswerer::ProgressAnswerer(std::function<bool(QProgressDialog&)> answer) {
    busy::setDelay(0);
    busy::setHook(std::move(answer));
}

ProgressAnswerer::~ProgressAnswerer() {
    busy::setHook(nullptr);
    busy::setDelay(500);
}
