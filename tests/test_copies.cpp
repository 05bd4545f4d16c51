// Safety copies at exit: when they are made, what they hold (the pictures included, each stored
// once), which ones the rotation keeps, bringing one back from the report screen and from the
// refusal of a damaged catalogue at start-up, a copies folder that cannot be written, and copies
// and recoveries killed at random moments.
#include <sqlite3.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>

#include "info/copies_dialog.h"
#include "info/pictures_dialog.h"
#include "shell/windowing/dialogs.h"
#include "store/engine.h"
#include "store/picture_paths.h"
#include "store/record_store.h"
#include "store/safety_copies.h"
#include "store/schema.h"
#include "tests/test_listing_support.h"

namespace {

QString copiesOf(TempApp& app) {
    return copias::folderBeside(app.folder());
}

QStringList copyNames(TempApp& app) {
    QStringList names;
    for (const copias::Copy& c : copias::list(copiesOf(app))) names << c.name;
    return names;
}

// A value of a catalogue file other than the program's.
QVariant scalarOf(const QString& file, const QString& sql) {
    sqlite3* db = nullptr;
    QVariant out;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            out = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

QByteArray hashOf(const QString& path) {
    return QCryptographicHash::hash(bytesOf(path), QCryptographicHash::Sha256);
}

qint64 composer(TempApp& app, const QString& apellidos, const QString& imagen = {}) {
    return app.insert("Compositor", {{"Apellidos", apellidos}, {"Imagen", imagen}});
}

// Saves a composer through the record-store operation the entry screen calls.
void saveComposer(FormMdi& mdi, const QString& apellidos) {
    Campos c;
    c[0] = {"Nombre", ""};
    c[1] = {"Apellidos", apellidos};
    c[2] = {"Fecha1", "0"};
    c[3] = {"Fecha2", "0"};
    c[4] = {"Notas", ""};
    c[5] = {"Imagen", ""};
    mdi.hub().Data[0].RecordSource = FormBasesDatos::wholeTable(0);
    mdi.hub().Data[0].Refresh();
    mdi.store().GuardarCampos(0, 6, true, c);
    QVERIFY(!mdi.store().ErrorDatos);
}

// Clicks a tool button of the report screen; `answer` gets its window as the user sees it.
template <class Window>
void openTool(FormMdi& mdi, const char* button, const std::function<void(Window&)>& answer) {
    Screen* report = lt::show(mdi, 57);
    QVERIFY(report);
    bool shown = false;
    dialogs::setDialogHook([&](QDialog& d) {
        auto* c = qobject_cast<Window*>(&d);
        if (!c) return int(QDialog::Rejected);
        shown = true;
        answer(*c);
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(lt::w<QPushButton>(report, button), Qt::LeftButton);
    dialogs::setDialogHook(nullptr);
    QVERIFY(shown);
}

void openCopias(FormMdi& mdi, const std::function<void(CopiesDialog&)>& answer) {
    openTool<CopiesDialog>(mdi, "BtnCopias", answer);
}

QStringList column(QTableWidget* t, int c) {
    QStringList out;
    for (int r = 0; r < t->rowCount(); ++r) out << t->item(r, c)->text();
    return out;
}

}  // namespace

class CopiesTest : public QObject {
    Q_OBJECT
  private slots:
    void copyAtExitOnlyAfterAChange();
    void copyHoldsThePicturesOnce();
    void rotationKeepsRecentMonthlyAndSize_data();
    void rotationKeepsRecentMonthlyAndSize();
    void copiesFolderThatCannotBeWritten();
    void recoverFromTheReportScreen();
    void recoverOfferedWhenStartUpRefuses();
    void relativePicturePaths_data();
    void relativePicturePaths();
    void picturesSurviveAMove();
    void missingPicturesFoundInAFolder();
    void secondFolderGetsEveryCopy();
    void settingsStepUpgradesACatalogueWithRecords();
    void killedCopyIsNeverPartial();
    void killedRecoveryLeavesOneWholeCatalogue();
};

void CopiesTest::copyAtExitOnlyAfterAChange() {
    TempApp app;
    // An empty catalogue, nothing changed: nothing written, not even the folder.
    app.start();
    app.close(false);
    QVERIFY(!QFileInfo::exists(copiesOf(app)));

    // A collection that has never been copied gets its first copy at the next exit.
    composer(app, "Bach");
    app.start();
    app.close(false);
    QCOMPARE(copyNames(app).size(), 1);
    const copias::Copy first = copias::list(copiesOf(app)).first();
    QCOMPARE(scalarOf(first.path, "PRAGMA integrity_check").toString(), QString("ok"));
    QCOMPARE(scalarOf(first.path, "SELECT Apellidos FROM Compositor").toString(), QString("Bach"));
    QCOMPARE(first.records.value(0), 1);
    QVERIFY(QRegularExpression("^DataOrmelia-\\d{8}-\\d{6}(-\\d+)?\\.mdb$")
                .match(first.name)
                .hasMatch());

    // A run that changes nothing writes nothing: no copy, the catalogue byte for byte.
    const QByteArray before = bytesOf(app.catalogue());
    app.start();
    app.close(false);
    QCOMPARE(copyNames(app).size(), 1);
    QCOMPARE(bytesOf(app.catalogue()), before);

    // A save makes a copy after the compaction question, whichever the answer.
    for (bool compact : {false, true}) {
        FormMdi& mdi = app.enter();
        saveComposer(mdi, compact ? "Haendel" : "Vivaldi");
        app.close(compact);
        const copias::Copy newest = copias::list(copiesOf(app)).first();
        QCOMPARE(copyNames(app).size(), compact ? 3 : 2);
        QCOMPARE(newest.records.value(0), compact ? 3 : 2);
        QCOMPARE(scalarOf(newest.path, "SELECT count(*) FROM Compositor").toString(),
                 QString::number(compact ? 3 : 2));
        QVERIFY(app.messages.texts().filter("COPIA").isEmpty());
    }
}

void CopiesTest::copyHoldsThePicturesOnce() {
    TempApp app;
    QTemporaryDir elsewhere;
    QDir(app.folder()).mkpath("fotos");
    const QString inside = makePicture(app.folder() + "/fotos", "bach.png", 40, 30);
    const QString outside = makePicture(elsewhere.path(), "mozart.png", 20, 50);
    composer(app, "Bach", "fotos/bach.png");
    composer(app, "Bach hijo", "fotos/bach.png");
    composer(app, "Mozart", outside);
    composer(app, "Perdido", "fotos/no-existe.png");
    app.start();
    app.close(false);
    const QString store = copiesOf(app) + "/Imagenes";
    auto stored = [&] {
        QStringList files = QDir(store).entryList(QDir::Files);
        files.removeAll("indice.txt");
        return files;
    };
    copias::Copy c = copias::list(copiesOf(app)).first();
    QCOMPARE(stored().size(), 2);    // one file for the picture two records share
    QCOMPARE(c.pictures.size(), 2);  // the missing picture has nothing to keep
    QCOMPARE(bytesOf(store + "/" + c.pictures.value("fotos/bach.png")), bytesOf(inside));
    QCOMPARE(bytesOf(store + "/" + c.pictures.value(outside)), bytesOf(outside));

    // An unchanged picture (same size and date) is not read again: its content, rewritten
    // behind the store's back with the date put back, is not seen.
    const QFileInfo info(inside);
    const QDateTime date = info.lastModified();
    QByteArray changed = bytesOf(inside);
    changed[changed.size() - 1] = char(changed[changed.size() - 1] ^ 0x55);
    auto rewrite = [&](const QDateTime& when) {
        QFile f(inside);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(changed);
        f.close();
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
    };
    rewrite(date);
    FormMdi& mdi = app.enter();
    saveComposer(mdi, "Otro");
    app.close(false);
    c = copias::list(copiesOf(app)).first();
    QCOMPARE(stored().size(), 2);
    QVERIFY(bytesOf(store + "/" + c.pictures.value("fotos/bach.png")) != changed);

    // A picture changed on disk (its date moves) is stored again, beside the old one that the
    // older copy still lists.
    rewrite(date.addSecs(60));
    app.enter();
    saveComposer(*app.mdi(), "Otro más");
    app.close(false);
    c = copias::list(copiesOf(app)).first();
    QCOMPARE(stored().size(), 3);
    QCOMPARE(bytesOf(store + "/" + c.pictures.value("fotos/bach.png")), changed);
}

void CopiesTest::rotationKeepsRecentMonthlyAndSize_data() {
    QTest::addColumn<QStringList>("days");  // one copy per date, oldest first, "yyyy-MM-dd"
    QTest::addColumn<QString>("today");
    QTest::addColumn<int>("catalogueTimes");  // the size limit, in copies
    QTest::addColumn<QStringList>("kept");
    QStringList daily;
    for (int d = 1; d <= 14; ++d) daily << QStringLiteral("2026-12-%1").arg(d, 2, 10, QChar('0'));
    QStringList keptDaily = daily.mid(4);
    keptDaily.prepend("2026-12-01");  // the oldest of the month
    QTest::newRow("ten newest and the month's oldest") << daily << "2026-12-14" << 100 << keptDaily;
    QStringList monthly;
    for (int m = 1; m <= 15; ++m)
        monthly << QDate(2025, 10, 1).addMonths(m - 1).toString("yyyy-MM-dd");
    // From 2025-10 to 2026-12: the 10 newest, and the months of the last twelve beyond them.
    QTest::newRow("months of the last year") << monthly << "2026-12-20" << 100 << monthly.mid(3);
    QTest::newRow("never beyond ten times the catalogue")
        << monthly << "2026-12-20" << 5 << monthly.mid(10);
    QTest::newRow("the three newest always stay")
        << monthly << "2026-12-20" << 1 << monthly.mid(12);
}

void CopiesTest::rotationKeepsRecentMonthlyAndSize() {
    QFETCH(QStringList, days);
    QFETCH(QString, today);
    QFETCH(int, catalogueTimes);
    QFETCH(QStringList, kept);
    TempApp app;
    QTemporaryDir pictures;
    // Each copy has a picture of its own, so the pictures the rotation drops show too. Each is
    // written alone in a folder of its own (where no rotation removes anything) and then moved
    // into the copies folder with its list and picture.
    QDir().mkpath(copiesOf(app) + "/Imagenes");
    for (const QString& d : days) {
        const QString pic = makePicture(pictures.path(), d + ".png", 10 + int(days.indexOf(d)), 10);
        app.exec(QStringLiteral("DELETE FROM Compositor"));
        composer(app, d, pic);
        QTemporaryDir alone;
        const copias::Outcome o = copias::write(app.folder(), alone.path(),
                                                QDateTime(QDate::fromString(d, "yyyy-MM-dd"), {}));
        QCOMPARE(o.number, 0);
        for (const QString& f : QDir(alone.path()).entryList(QDir::Files))
            QVERIFY(QFile::rename(alone.path() + "/" + f, copiesOf(app) + "/" + f));
        for (const QString& f : QDir(alone.path() + "/Imagenes").entryList({"*.png"}, QDir::Files))
            QVERIFY(
                QFile::rename(alone.path() + "/Imagenes/" + f, copiesOf(app) + "/Imagenes/" + f));
    }
    QCOMPARE(copyNames(app).size(), days.size());
    const qint64 size = QFileInfo(copias::list(copiesOf(app)).first().path).size();
    copias::rotate(copiesOf(app), size * catalogueTimes / 10,
                   QDateTime(QDate::fromString(today, "yyyy-MM-dd"), QTime(12, 0)));
    QStringList left;
    QSet<QString> listed;
    for (const copias::Copy& c : copias::list(copiesOf(app))) {
        left.prepend(c.when.date().toString("yyyy-MM-dd"));
        for (const QString& f : c.pictures) listed.insert(f);
    }
    QCOMPARE(left, kept);
    QStringList files = QDir(copiesOf(app) + "/Imagenes").entryList(QDir::Files);
    files.removeAll("indice.txt");
    QCOMPARE(QSet<QString>(files.begin(), files.end()), listed);
    QCOMPARE(listed.size(), kept.size());
    // Nothing but the kept copies and their lists.
    QCOMPARE(QDir(copiesOf(app)).entryList(QDir::Files).size(), 2 * kept.size());
}

void CopiesTest::copiesFolderThatCannotBeWritten() {
    TempApp app;
    composer(app, "Bach");
    // "Copias" taken by a file: the folder cannot be made.
    {
        QFile blocker(copiesOf(app));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    const QByteArray before = bytesOf(app.catalogue());
    app.start();
    app.close(false);
    QCOMPARE(app.messages.texts().filter("No se ha podido hacer la COPIA").size(), 1);
    QCOMPARE(bytesOf(app.catalogue()), before);
    QFile::remove(copiesOf(app));

    // The disk fills while the copy is written, at each of its steps: one box, no copy under its
    // final name, no temporary file left, the catalogue as it was.
    for (const char* at : {"snapshot", "pictures", "list", "rename"}) {
        app.messages.clear();
        makePicture(app.folder(), QStringLiteral("p%1.png").arg(at), 12, 12);
        app.exec(QStringLiteral("UPDATE Compositor SET Imagen = 'p%1.png'").arg(at));
        const QByteArray now = bytesOf(app.catalogue());
        const QStringList copiesBefore = copyNames(app);
        copias::setStepHook([at](const char* s) {
            if (qstrcmp(s, at) == 0) throw DbError(dberr::kDiskFull, "disco lleno");
        });
        app.start();
        app.close(false);
        copias::setStepHook(nullptr);
        QCOMPARE(app.messages.texts().filter("No se ha podido hacer la COPIA").size(), 1);
        QVERIFY(app.messages.texts().filter("COPIA").first().contains("3026"));
        QCOMPARE(bytesOf(app.catalogue()), now);
        QCOMPARE(copyNames(app), copiesBefore);
        const QStringList temps = QDir(copiesOf(app)).entryList({"*.tmp"}, QDir::Files) +
                                  QDir(copiesOf(app) + "/Imagenes").entryList({"*.tmp"});
        QVERIFY2(temps.isEmpty(), qPrintable(temps.join(", ")));
    }
}

void CopiesTest::recoverFromTheReportScreen() {
    TempApp app;
    QDir(app.folder()).mkpath("fotos");
    const QString pic = makePicture(app.folder() + "/fotos", "bach.png", 40, 30);
    const QByteArray picBytes = bytesOf(pic);
    composer(app, "Bach", "fotos/bach.png");
    app.start();
    app.close(false);  // the first copy: Bach alone
    FormMdi& mdi = app.enter();
    saveComposer(mdi, "Vivaldi");
    saveComposer(mdi, "Haendel");
    QFile::remove(pic);  // and the picture is lost

    // FormCopias lists the copies newest first with their records; "No" changes nothing.
    app.messages.answer(QMessageBox::No);
    const QByteArray before = bytesOf(app.catalogue());
    openCopias(mdi, [&](CopiesDialog& d) {
        QCOMPARE(d.ListaCopias->rowCount(), 1);
        QCOMPARE(d.ListaCopias->item(0, 2)->text(), QString("1"));
        QCOMPARE(d.ListaRegistros->rowCount(), 14);
        QCOMPARE(d.ListaRegistros->item(0, 0)->text(), QString("Compositor"));
        QCOMPARE(d.ListaRegistros->item(0, 1)->text(), QString("1"));
        QVERIFY(d.BtnRecuperar->isEnabled());
        d.BtnRecuperar->click();
    });
    QCOMPARE(bytesOf(app.catalogue()), before);
    QCOMPARE(copyNames(app).size(), 1);

    // "Sí": the catalogue as it is is kept as a copy, the old one comes back with its picture,
    // and the hub's counters start afresh.
    app.messages.clear();
    app.messages.answer(QMessageBox::Yes);
    openCopias(mdi, [&](CopiesDialog& d) {
        d.ListaCopias->selectRow(0);
        d.BtnRecuperar->click();
        QCOMPARE(d.ListaCopias->rowCount(), 2);  // the catalogue before the recovery, on top
        QCOMPARE(d.ListaCopias->item(0, 2)->text(), QString("3"));
    });
    QVERIFY(app.messages.texts().filter("Se ha RECUPERADO").size() == 1);
    QVERIFY(app.messages.texts().filter("Se ha RECUPERADO").first().contains("1 imágenes"));
    QCOMPARE(bytesOf(pic), picBytes);
    QCOMPARE(app.scalar("SELECT group_concat(Apellidos) FROM Compositor").toString(),
             QString("Bach"));
    QCOMPARE(mdi.hub().ContCompositor(), 1);
    QCOMPARE(mdi.hub().ContNewCompositor(), 0);
    QCOMPARE(mdi.hub().Data[0].recordset().Field("Apellidos"), QString("Bach"));
    Screen* report = lt::show(mdi, 57);
    QCOMPARE(lt::w<QLabel>(report, "LabComNumRegTotal")->text(), QString("1"));

    // The recovery itself can be undone: the copy made before it holds the three composers.
    const copias::Copy undo = copias::list(copiesOf(app)).first();
    QCOMPARE(scalarOf(undo.path, "SELECT count(*) FROM Compositor").toString(), QString("3"));
    // And the run that recovered leaves a copy at exit although nothing else changed.
    app.close(false);
    QCOMPARE(copyNames(app).size(), 3);
    QCOMPARE(copias::list(copiesOf(app)).first().records.value(0), 1);
}

void CopiesTest::recoverOfferedWhenStartUpRefuses() {
    TempApp app;
    composer(app, "Bach");
    app.start();
    app.close(false);
    const QString newest = copias::list(copiesOf(app)).first().path;
    // The catalogue damaged: its header torn past the SQLite mark.
    QByteArray torn = bytesOf(app.catalogue());
    for (int i = 16; i < 100; ++i) torn[i] = char(0xA5);
    auto damage = [&] {
        QFile f(app.catalogue());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(torn);
    };
    damage();

    // "No" leaves everything as it is, and the program ends.
    app.messages.clear();
    app.messages.answer(QMessageBox::No);
    auto mdi = std::make_unique<FormMdi>(app.folder());
    QVERIFY(!mdi->Load());
    mdi.reset();
    QCOMPARE(app.messages.shown.size(), size_t(1));
    const ShownMessage& offer = app.messages.shown.front();
    QVERIFY(offer.text.contains("no es un catálogo"));
    QVERIFY(offer.text.contains(QDir::toNativeSeparators(newest)));
    QVERIFY(offer.text.contains("¿RECUPERAR"));
    QCOMPARE(offer.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(bytesOf(app.catalogue()), torn);
    QCOMPARE(copyNames(app).size(), 1);

    // "Sí" recovers it and the program opens on it; the damaged file is kept among the copies.
    app.messages.clear();
    app.messages.answer(QMessageBox::Yes);
    FormMdi& started = app.start();
    QVERIFY(started.isVisible());
    QCOMPARE(started.hub().ContCompositor(), 1);
    QCOMPARE(app.scalar("PRAGMA integrity_check").toString(), QString("ok"));
    QCOMPARE(copyNames(app).size(), 2);
    QCOMPARE(bytesOf(copias::list(copiesOf(app)).first().path), torn);
    app.close(false);
}

void CopiesTest::relativePicturePaths_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("stored");
    QTest::newRow("in the folder") << "/col/ormelia/bach.jpg"
                                   << "bach.jpg";
    QTest::newRow("below it") << "/col/ormelia/fotos/2026/bach.jpg"
                              << "fotos/2026/bach.jpg";
    QTest::newRow("dots cleaned") << "/col/ormelia/fotos/../bach.jpg"
                                  << "bach.jpg";
    QTest::newRow("beside it") << "/col/ormelia-fotos/bach.jpg"
                               << "/col/ormelia-fotos/bach.jpg";
    QTest::newRow("above it") << "/col/bach.jpg"
                              << "/col/bach.jpg";
    QTest::newRow("none") << ""
                          << "";
}

void CopiesTest::relativePicturePaths() {
    QFETCH(QString, chosen);
    QFETCH(QString, stored);
    QCOMPARE(picturepaths::toStored("/col/ormelia", chosen), stored);
    QCOMPARE(picturepaths::resolve("/col/ormelia", stored), QDir::cleanPath(chosen));
}

void CopiesTest::picturesSurviveAMove() {
    // A picture chosen inside the catalogue's folder is stored relative to it.
    auto app = std::make_unique<TempApp>();
    QDir(app->folder()).mkpath("fotos");
    const QString pic = makePicture(app->folder() + "/fotos", "bach.png", 60, 30);
    FormMdi& mdi = app->enter();
    Screen* entry = lt::show(mdi, 1);
    QVERIFY(entry);
    app->files.choose(pic);
    auto* box = lt::w<PictureBox>(entry, "Imagen");
    QTest::mouseDClick(box, Qt::LeftButton);
    QCOMPARE(mdi.hub().reg[0].MemoAna.value("Imagen"), QString("fotos/bach.png"));
    app->close(false);

    // The whole folder moved: the picture is found where the catalogue now is.
    QTemporaryDir carried;
    for (const QString& f : {QString("DataOrmelia.mdb"), QString("fotos/bach.png")}) {
        QDir(carried.path()).mkpath(QFileInfo(carried.path() + "/" + f).absolutePath());
        QVERIFY(QFile::copy(app->folder() + "/" + f, carried.path() + "/" + f));
    }
    app.reset();
    TempApp moved(false);
    for (const QString& f : {QString("DataOrmelia.mdb"), QString("fotos/bach.png")}) {
        QDir(moved.folder()).mkpath(QFileInfo(moved.folder() + "/" + f).absolutePath());
        QVERIFY(QFile::copy(carried.path() + "/" + f, moved.folder() + "/" + f));
    }
    composer(moved, "Bach", "fotos/bach.png");
    FormMdi& there = moved.enter();
    RecordStore& store = there.store();
    PictureBox probe(nullptr);
    CommonDialog dialog;
    dialog.FileName = "fotos/bach.png";
    store.CargarImagen(probe, dialog, 3000, 3000);
    QCOMPARE(dialog.FileName, QString("fotos/bach.png"));
    QCOMPARE(int(twips::height(&probe)), 1500);  // the 2:1 picture, fitted
    moved.close(false);
}

void CopiesTest::missingPicturesFoundInAFolder() {
    TempApp app;
    QDir(app.folder()).mkpath("fotos");
    makePicture(app.folder() + "/fotos", "a.png", 10, 10);
    for (const char* f : {"buscar/b.png", "buscar/1/c.png", "buscar/2/c.png", "buscar/3/e.png"}) {
        QDir(app.folder()).mkpath(QFileInfo(app.folder() + "/" + f).absolutePath());
        makePicture(app.folder(), f, 12, 12);
    }
    app.insert("Compositor", {{"Nombre", "Johann"}, {"Apellidos", "A"}, {"Imagen", "fotos/a.png"}});
    app.insert("Compositor",
               {{"Nombre", "Juan"}, {"Apellidos", "B"}, {"Imagen", "fotos/viejo/b.png"}});
    app.insert("Compositor", {{"Apellidos", "C"}, {"Imagen", "/otro/disco/c.png"}, {"Notas", "n"}});
    app.insert("Compositor", {{"Apellidos", "D"}, {"Imagen", "d.png"}});
    app.insert("Compositor", {{"Apellidos", "Sin imagen"}});
    app.insert("Director",
               {{"Nombre", "Herbert"}, {"Apellidos", "E"}, {"Imagen", "C:\\fotos\\e.png"}});
    const auto before = app.rows("SELECT * FROM Compositor ORDER BY Id") +
                        app.rows("SELECT * FROM Director ORDER BY Id");
    FormMdi& mdi = app.enter();
    app.files.choose(app.folder() + "/buscar");
    openTool<PicturesDialog>(mdi, "BtnImagenes", [&](PicturesDialog& d) {
        QCOMPARE(d.ListaRegistros->rowCount(), 14);
        QCOMPARE(d.ListaRegistros->item(0, 1)->text(), QString("4"));
        QCOMPARE(d.ListaRegistros->item(0, 2)->text(), QString("3"));
        QCOMPARE(d.ListaRegistros->item(registers::kDirector, 1)->text(), QString("1"));
        QCOMPARE(d.ListaRegistros->item(registers::kDirector, 2)->text(), QString("1"));
        QCOMPARE(column(d.ListaFaltan, 1), QStringList({"Juan B", "C", "D", "Herbert E"}));
        QCOMPARE(column(d.ListaFaltan, 2), QStringList({"fotos/viejo/b.png", "/otro/disco/c.png",
                                                        "d.png", "C:\\fotos\\e.png"}));
        QCOMPARE(d.LabFaltan->text(), QString::fromUtf8("Imágenes que no se encuentran: 4"));
        // One file of the name: found; two, or none: left and listed.
        d.BtnBuscar->click();
        QCOMPARE(app.messages.texts().last(),
                 QString::fromUtf8("Se han encontrado 2 imágenes; 2 siguen sin encontrarse."));
        QCOMPARE(column(d.ListaFaltan, 1), QStringList({"C", "D"}));
        QCOMPARE(d.ListaRegistros->item(0, 2)->text(), QString("2"));
        QVERIFY(d.BtnDeshacer->isEnabled());
        QCOMPARE(app.scalar("SELECT Imagen FROM Compositor WHERE Apellidos = 'B'").toString(),
                 QString("buscar/b.png"));
        QCOMPARE(app.scalar("SELECT Imagen FROM Director").toString(), QString("buscar/3/e.png"));
        // Nothing else in any record changed.
        auto after = app.rows("SELECT * FROM Compositor ORDER BY Id") +
                     app.rows("SELECT * FROM Director ORDER BY Id");
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < after.size(); ++i) {
            QVariantMap a = after[i], b = before[i];
            a.remove("Imagen");
            b.remove("Imagen");
            QCOMPARE(a, b);
        }
        // "Deshacer" takes the whole search back.
        d.BtnDeshacer->click();
        QCOMPARE(app.rows("SELECT * FROM Compositor ORDER BY Id") +
                     app.rows("SELECT * FROM Director ORDER BY Id"),
                 before);
        QCOMPARE(column(d.ListaFaltan, 1), QStringList({"Juan B", "C", "D", "Herbert E"}));
        QVERIFY(!d.BtnDeshacer->isEnabled());
    });
    QCOMPARE(app.files.titles.size(), 1);
    app.close(false);
}

void CopiesTest::secondFolderGetsEveryCopy() {
    TempApp app;
    QTemporaryDir stick;
    const QString second = stick.path() + "/copias de Ormelia";
    QVERIFY(QDir().mkpath(second));
    const QString pic = makePicture(app.folder(), "bach.png", 20, 20);
    composer(app, "Bach", "bach.png");
    FormMdi& mdi = app.enter();
    app.files.choose(second);
    openCopias(mdi, [&](CopiesDialog& d) {
        QVERIFY(d.LabSegunda->text().contains("ninguna"));
        QVERIFY(!d.BtnQuitarSegunda->isEnabled());
        d.BtnSegunda->click();
        QCOMPARE(d.LabSegunda->text(), "Segunda carpeta: " + QDir::toNativeSeparators(second));
        QVERIFY(d.BtnQuitarSegunda->isEnabled());
    });
    // Kept in the catalogue itself.
    QCOMPARE(app.scalar("SELECT Valor FROM Ajustes WHERE Clave = 'SegundaCarpeta'").toString(),
             second);
    app.close(false);
    const QVector<copias::Copy> beside = copias::list(copiesOf(app));
    const QVector<copias::Copy> there = copias::list(second);
    QCOMPARE(beside.size(), 1);
    QCOMPARE(there.size(), 1);
    QCOMPARE(there.first().name, beside.first().name);
    QCOMPARE(scalarOf(there.first().path, "SELECT Apellidos FROM Compositor").toString(),
             QString("Bach"));
    QCOMPARE(bytesOf(second + "/Imagenes/" + there.first().pictures.value("bach.png")),
             bytesOf(pic));
    QVERIFY(app.messages.texts().filter("segunda carpeta").isEmpty());

    // The stick taken away: the copy beside the catalogue is made, and one box says the other
    // was not.
    QVERIFY(QDir(stick.path()).removeRecursively());
    app.messages.clear();
    saveComposer(app.enter(), "Vivaldi");
    app.close(false);
    QCOMPARE(copyNames(app).size(), 2);
    QCOMPARE(app.messages.texts().filter("segunda carpeta").size(), 1);
    QVERIFY(app.messages.texts().filter("No se ha podido hacer la COPIA").isEmpty());
    QVERIFY(!QFileInfo::exists(second));

    // "Quitar" forgets it.
    openCopias(app.enter(), [&](CopiesDialog& d) {
        d.BtnQuitarSegunda->click();
        QVERIFY(d.LabSegunda->text().contains("ninguna"));
    });
    QCOMPARE(app.scalar("SELECT count(*) FROM Ajustes").toInt(), 0);
    app.close(false);
}

void CopiesTest::settingsStepUpgradesACatalogueWithRecords() {
    TempApp app(false);
    makeCatalogue(app.catalogue(), schema::kSettingsStep);
    lt::composers(app, 50);
    app.insert("Director", {{"Nombre", "Herbert"}, {"Apellidos", "von Karajan"}});
    const QString kFields =
        "SELECT Id, Nombre, Apellidos, Fecha1, Fecha2, Notas, Imagen FROM Compositor ORDER BY Id";
    const auto before = app.rows(kFields);
    FormMdi& mdi = app.start();
    QCOMPARE(mdi.hub().ContCompositor(), 50);
    QCOMPARE(app.scalar("PRAGMA user_version").toInt(), schema::kVersion);
    QCOMPARE(app.scalar("SELECT count(*) FROM Ajustes").toInt(), 0);
    QCOMPARE(app.rows(kFields), before);
    QCOMPARE(app.scalar("SELECT Apellidos FROM Director").toString(), QString("von Karajan"));
    app.close(false);
    // A catalogue of this version without the settings table is incomplete, and says so.
    app.exec("DROP TABLE Ajustes");
    app.messages.clear();
    app.messages.answer(QMessageBox::No);
    auto refused = std::make_unique<FormMdi>(app.folder());
    QVERIFY(!refused->Load());
    QVERIFY(app.messages.texts().first().contains("falta la tabla Ajustes"));
}

namespace {

constexpr int kKillRecords = 3000;

// The child of the kill tests: copies (or recovers) over and over until it is killed.
int runChild(const QString& folder, const QString& what) {
    for (int i = 0;; ++i) {
        if (what == "copy") {
            if (copias::write(folder, copias::folderBeside(folder)).number != 0) return 3;
        } else {
            const QVector<copias::Copy> list = copias::list(copias::folderBeside(folder));
            if (list.size() < 2) return 4;
            // Back and forth between the two oldest copies, which the rotation always keeps.
            const copias::Copy& target = list[list.size() - 1 - (i % 2)];
            if (copias::recover(folder, copias::folderBeside(folder), target.name).number != 0)
                return 5;
        }
        if (::write(1, "x\n", 2) < 0) return 6;
    }
}

void fillForKills(TempApp& app, int records) {
    app.exec(QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c "
                            "WHERE x < %1) INSERT INTO Compositor (Nombre, Apellidos, Notas) "
                            "SELECT 'N' || x, 'A' || x, printf('%.500c', 'n') FROM c")
                 .arg(records));
}

int runKilled(TempApp& app, const char* what, QRandomGenerator& rng) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORMELIA_COPIES_CHILD", app.folder());
    env.insert("ORMELIA_COPIES_WHAT", what);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {});
    if (!child.waitForStarted()) return -1;
    const bool finished = child.waitForFinished(20 + int(rng.bounded(300)));
    if (finished) return child.exitCode() + 100;
    child.kill();
    child.waitForFinished(5000);
    return 0;
}

}  // namespace

void CopiesTest::killedCopyIsNeverPartial() {
    TempApp app;
    fillForKills(app, kKillRecords);
    QTemporaryDir pics;
    for (int i = 0; i < 30; ++i)
        app.exec(QStringLiteral("UPDATE Compositor SET Imagen = '%1' WHERE Id = %2")
                     .arg(makePicture(pics.path(), QStringLiteral("p%1.png").arg(i), 50 + i, 40))
                     .arg(i + 1));
    const QByteArray catalogue = hashOf(app.catalogue());
    QRandomGenerator rng(20261211);
    int kills = 0;
    for (int run = 0; run < 25; ++run) {
        const int r = runKilled(app, "copy", rng);
        QVERIFY2(r == 0, qPrintable(QString("the child ended by itself: %1").arg(r)));
        ++kills;
        QCOMPARE(hashOf(app.catalogue()), catalogue);
        for (const copias::Copy& c : copias::list(copiesOf(app))) {
            QCOMPARE(scalarOf(c.path, "PRAGMA integrity_check").toString(), QString("ok"));
            QCOMPARE(scalarOf(c.path, "SELECT count(*) FROM Compositor").toString(),
                     QString::number(kKillRecords));
            QCOMPARE(c.records.value(0), kKillRecords);
            // Every picture it lists is whole in the store.
            QCOMPARE(c.pictures.size(), 30);
            for (auto it = c.pictures.constBegin(); it != c.pictures.constEnd(); ++it)
                QCOMPARE(bytesOf(copiesOf(app) + "/Imagenes/" + it.value()), bytesOf(it.key()));
        }
    }
    QVERIFY(!copyNames(app).isEmpty());
    qInfo("%d kills, %lld copies whole", kills, qint64(copyNames(app).size()));
}

void CopiesTest::killedRecoveryLeavesOneWholeCatalogue() {
    TempApp app;
    fillForKills(app, kKillRecords);
    QCOMPARE(copias::write(app.folder(), copiesOf(app), QDateTime(QDate(2026, 1, 1), {})).number,
             0);
    app.exec("DELETE FROM Compositor WHERE Id % 2 = 0");
    QCOMPARE(copias::write(app.folder(), copiesOf(app), QDateTime(QDate(2026, 2, 1), {})).number,
             0);
    const QSet<QString> counts = {QString::number(kKillRecords), QString::number(kKillRecords / 2)};
    QRandomGenerator rng(11122026);
    for (int run = 0; run < 25; ++run) {
        const int r = runKilled(app, "recover", rng);
        QVERIFY2(r == 0, qPrintable(QString("the child ended by itself: %1").arg(r)));
        QCOMPARE(app.scalar("PRAGMA integrity_check").toString(), QString("ok"));
        QVERIFY(counts.contains(app.scalar("SELECT count(*) FROM Compositor").toString()));
        QCOMPARE(schema::checkAndUpgrade(app.catalogue()), QString());
    }
    // And the next start opens it.
    FormMdi& mdi = app.start();
    QVERIFY(mdi.isVisible());
    app.close(false);
}

int main(int argc, char** argv) {
    const QByteArray folder = qgetenv("ORMELIA_COPIES_CHILD");
    if (!folder.isEmpty()) {
        QCoreApplication app(argc, argv);
        return runChild(QString::fromLocal8Bit(folder),
                        qEnvironmentVariable("ORMELIA_COPIES_WHAT"));
    }
    QApplication app(argc, argv);
    CopiesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_copies.moc"
