// Pictures of the program's main screens for the README: makes a sample catalogue with drawn
// portraits in a temporary folder, starts the real main window on it (headless), goes through the
// screens with the navigation tabs as a user would, and saves each view as PNG. The listing is also
// printed to a PDF file (printout.pdf) for the calling script to render.
#include <sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

#include "entry/entry_screen.h"
#include "info/duplicates_window.h"
#include "info/search_window.h"
#include "listing/listing_screen.h"
#include "selection/apply.h"
#include "selection/filter_model.h"
#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/tab_strip.h"
#include "store/data_hub.h"
#include "store/engine.h"
#include "store/registers.h"
#include "store/safety_copies.h"
#include "store/schema.h"

namespace {

struct Composer {
    const char *nombre, *apellidos;
    int nace, muere;
    const char* notas;
};

// Well-known dates of composers, with short notes written for this sample.
const Composer kComposers[] = {
    {"Claudio", "Monteverdi", 1567, 1643,
     "Maestro de capilla en San Marcos de Venecia. Sus óperas abren el Barroco."},
    {"Jean-Baptiste", "Lully", 1632, 1687, "Compositor de la corte de Luis XIV."},
    {"Arcangelo", "Corelli", 1653, 1713, "Violinista; sus concerti grossi fijaron el género."},
    {"Henry", "Purcell", 1659, 1695, "Organista de la Abadía de Westminster."},
    {"Antonio", "Vivaldi", 1678, 1741, "El cura pelirrojo de Venecia; más de 500 conciertos."},
    {"Georg Philipp", "Telemann", 1681, 1767, "Uno de los compositores más prolíficos."},
    {"Jean-Philippe", "Rameau", 1683, 1764, "Teórico de la armonía y autor de óperas."},
    {"Johann Sebastian", "Bach", 1685, 1750,
     "Cantor de Santo Tomás en Leipzig. Pasiones, cantatas, El clave bien temperado."},
    {"Domenico", "Scarlatti", 1685, 1757, "Sus 555 sonatas para clave se escribieron en Madrid."},
    {"Georg Friedrich", "Händel", 1685, 1759, "El Mesías, Música acuática."},
    {"Christoph Willibald", "Gluck", 1714, 1787, "Reformador de la ópera."},
    {"Joseph", "Haydn", 1732, 1809, "Padre de la sinfonía y del cuarteto de cuerda."},
    {"Luigi", "Boccherini", 1743, 1805, "Violonchelista; vivió en Madrid al servicio del infante."},
    {"Wolfgang Amadeus", "Mozart", 1756, 1791, "Niño prodigio de Salzburgo."},
    {"Ludwig van", "Beethoven", 1770, 1827, "Nueve sinfonías, 32 sonatas para piano."},
    {"Juan Crisóstomo", "Arriaga", 1806, 1826, "El Mozart español."},
    {"Franz", "Schubert", 1797, 1828, "Más de 600 canciones."},
    {"Felix", "Mendelssohn", 1809, 1847, "Recuperó la Pasión según San Mateo."},
    {"Frédéric", "Chopin", 1810, 1849, "El poeta del piano."},
    {"Robert", "Schumann", 1810, 1856, "Compositor y crítico musical."},
    {"Franz", "Liszt", 1811, 1886, "Pianista virtuoso, creador del poema sinfónico."},
    {"Giuseppe", "Verdi", 1813, 1901, "Aida, La traviata, Otello."},
    {"Johannes", "Brahms", 1833, 1897, "Cuatro sinfonías y un Réquiem alemán."},
    {"Antonín", "Dvořák", 1841, 1904, "Sinfonía del Nuevo Mundo."},
    {"Isaac", "Albéniz", 1860, 1909, "Iberia, doce impresiones para piano."},
};
constexpr int kComposerCount = int(sizeof kComposers / sizeof kComposers[0]);

// A portrait drawn for the sample: a bust on a coloured ground, with the composer's initials.
QString drawPortrait(const QString& folder, int i, const Composer& c) {
    const bool wide = i % 4 == 3;
    QImage img(wide ? 220 : 180, wide ? 160 : 220, QImage::Format_RGB32);
    const QColor ground = QColor::fromHsv((i * 47) % 360, 70, 210);
    QLinearGradient g(0, 0, 0, img.height());
    g.setColorAt(0, ground.lighter(125));
    g.setColorAt(1, ground.darker(130));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(img.rect(), g);
    const qreal cx = img.width() / 2.0, h = img.height();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 50, 70));
    QPainterPath body;
    body.moveTo(cx - h * 0.42, h);
    body.cubicTo(cx - h * 0.40, h * 0.70, cx - h * 0.18, h * 0.64, cx, h * 0.64);
    body.cubicTo(cx + h * 0.18, h * 0.64, cx + h * 0.40, h * 0.70, cx + h * 0.42, h);
    p.drawPath(body);
    p.setBrush(QColor(236, 214, 190));
    p.drawEllipse(QPointF(cx, h * 0.40), h * 0.17, h * 0.21);
    p.setBrush(QColor(230, 230, 235));  // a white wig or hair, as the period asks
    if (c.nace < 1760) {
        p.drawEllipse(QPointF(cx - h * 0.16, h * 0.42), h * 0.07, h * 0.13);
        p.drawEllipse(QPointF(cx + h * 0.16, h * 0.42), h * 0.07, h * 0.13);
    }
    p.setPen(QColor(255, 255, 255, 230));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(int(h * 0.11));
    p.setFont(f);
    const QString initials =
        QString::fromUtf8(c.nombre).left(1) + QString::fromUtf8(c.apellidos).left(1);
    p.drawText(QRectF(0, h * 0.84, img.width(), h * 0.16), Qt::AlignCenter, initials);
    p.end();
    const QString path =
        QStringLiteral("%1/imagenes/%2.png").arg(folder).arg(i + 1, 2, 10, QLatin1Char('0'));
    img.save(path);
    return path;
}

bool exec(sqlite3* db, const QString& sql, const QStringList& values = {}) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        return false;
    }
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray v = values[i].toUtf8();
        sqlite3_bind_text(st, i + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    const bool ok = sqlite3_step(st) == SQLITE_DONE;
    if (!ok) std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
    sqlite3_finalize(st);
    return ok;
}

// The sample catalogue: the composers with portraits, and a few records of other registers so
// that the report has more than one row.
bool makeCatalogue(const QString& folder) {
    QDir(folder).mkpath(QStringLiteral("imagenes"));
    const QString path = folder + QStringLiteral("/DataOrmelia.mdb");
    const QString problem = schema::createEmpty(path);
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return false;
    }
    // The engine's own connection: the catalogue's indexes use its collation.
    Connection connection(path);
    sqlite3* db = connection.db();
    bool ok = exec(db, QStringLiteral("BEGIN"));
    for (int i = 0; i < kComposerCount && ok; ++i) {
        const Composer& c = kComposers[i];
        ok = exec(db,
                  QStringLiteral("INSERT INTO Compositor (Nombre, Apellidos, Fecha1, Fecha2, "
                                 "Notas, Imagen) VALUES (?, ?, %1, %2, ?, ?)")
                      .arg(c.nace)
                      .arg(c.muere),
                  {QString::fromUtf8(c.nombre), QString::fromUtf8(c.apellidos),
                   QString::fromUtf8(c.notas), drawPortrait(folder, i, c)});
    }
    // Identifier texts of a few records in other registers.
    const struct {
        int reg;
        QStringList names;
    } others[] = {
        {registers::kObra,
         {"Las cuatro estaciones", "Misa en si menor", "Sinfonía n.º 9", "Iberia"}},
        {registers::kDirector, {"Ataúlfo Argenta", "Jesús López Cobos"}},
        {registers::kInterprete, {"Pablo Casals", "Alicia de Larrocha", "Andrés Segovia"}},
        {registers::kInstrumento, {"Clave", "Vihuela"}},
    };
    for (const auto& o : others) {
        const QStringList ids = registers::at(o.reg).identifierColumns();
        if (ids.isEmpty()) continue;
        for (const QString& n : o.names)
            ok = ok && exec(db,
                            QStringLiteral("INSERT INTO %1 (%2) VALUES (?)")
                                .arg(registers::at(o.reg).table, ids.first()),
                            {n});
    }
    return ok && exec(db, QStringLiteral("COMMIT"));
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void clickTab(FormMdi& mdi, const char* strip, int tab) {
    QTabBar* bar = mdi.solapas().tabStrip(QLatin1String(strip));
    if (!bar) {
        std::fprintf(stderr, "no tab strip %s\n", strip);
        return;
    }
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    settle();
}

// Registros I, then an operation of its second strip, then the register.
void openRegister(FormMdi& mdi, int op, int index) {
    clickTab(mdi, "TabNivel1", 0);
    clickTab(mdi, "TabRegistros1", op);
    static const char* const strips[] = {"TabReg1Anadir", "TabReg1Seleccionar", "TabReg1Mostrar",
                                         "TabReg1Listar"};
    clickTab(mdi, strips[op], index);
}

template <class T>
T* child(FormMdi& mdi, const char* name) {
    T* w = mdi.findChild<T*>(QLatin1String(name));
    if (!w) std::fprintf(stderr, "no control %s\n", name);
    return w;
}

int failures = 0;

// Waits for the window system to draw what was just shown.
void settleShown() {
    settle();
    QTest::qWait(150);
    settle();
}

// A window as the desktop shows it, frame and title included (the main window unless told).
void save(QWidget& window, const QString& out, const QString& name) {
    settleShown();
    const QString path = QStringLiteral("%1/%2.png").arg(out, name);
    QScreen* screen = window.screen();
    const QRect frame = window.frameGeometry();
    const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (shot.isNull() || !shot.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++failures;
    } else {
        std::printf("%s\n", qPrintable(path));
    }
}

// A selection under construction on the composer selection screen: born after 1633 and dead
// before 1768, the example of the selection help page.
void composerSelection(FormBasesDatos& hub) {
    selection::FilterModel m(registers::at(0));
    QStringList fields, criteria;
    for (const auto& f : m.reg().selFields) fields << f.caption;
    for (const auto& c : registers::criteria()) criteria << c.caption;
    const struct {
        const char *connective, *field, *criterion, *value;
    } filters[] = {{nullptr, "Fecha 1", "Es Mayor que", "1633"},
                   {"Y", "Fecha 2", "Es Menor que", "1768"}};
    for (const auto& f : filters) {
        if (f.connective) m.chooseConnective(QLatin1String(f.connective));
        const int field = int(fields.indexOf(QLatin1String(f.field)));
        m.chooseField(field);
        m.chooseCriterion(int(criteria.indexOf(QLatin1String(f.criterion))));
        m.changeValue(QLatin1String(f.value));
        if (!m.addFilter(QLatin1String(f.value), field, QLatin1String(f.field),
                         QLatin1String(f.criterion)))
            ++failures;
    }
    selection::storeUnderConstruction(hub.reg[0], m);
}

void printListing(FormMdi& mdi, const QString& out);

// "Importar" on the entry screen shown, up to its preview: a file with a column the composer has
// not and two rows the rules refuse. The preview is saved over the window, then cancelled.
void importPreview(FormMdi& mdi, const QString& folder, const QString& out, const QString& name) {
    const QString path = folder + QStringLiteral("/compositores.csv");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        ++failures;
        return;
    }
    f.write(QString::fromUtf8("Nombre;Apellidos;Fecha 1;Fecha 2;Notas;País\r\n"
                              "Isaac;Albéniz;1860;1909;\"Iberia; «El Albaicín»\";España\r\n"
                              "Enrique;Granados;1867;1916;Goyescas;España\r\n"
                              "Joaquín;;1901;1999;Concierto de Aranjuez;España\r\n"
                              "Federico;Mompou;189e;1987;;España\r\n"
                              "Xavier;Montsalvatge;1912;2002;;España\r\n")
                .toUtf8());
    f.close();
    auto* entry = dynamic_cast<EntryScreen*>(mdi.solapas().currentScreen());
    if (!entry) {
        ++failures;
        return;
    }
    dialogs::setDialogHook([&](QDialog& d) {
        d.show();
        save(mdi, out, name);
        d.hide();
        return int(QDialog::Rejected);
    });
    entry->importFrom(path);
    dialogs::setDialogHook(nullptr);
}

// The report's catalogue-wide tools: the search with a few words typed, and the duplicates with
// two composers written twice for the picture (taken away after it).
void catalogueTools(FormMdi& mdi, FormBasesDatos& hub, const QString& out, const QString& suffix) {
    if (auto* b = child<QPushButton>(mdi, "BtnBuscar")) b->click();
    if (auto* search = mdi.findChild<SearchWindow*>(QStringLiteral("FormBuscar"))) {
        search->TxtBuscar->setText(QStringLiteral("bach"));
        search->Buscar();
        save(*search, out, QStringLiteral("buscar") + suffix);
        search->close();
    } else {
        ++failures;
    }
    std::shared_ptr<Connection> c = hub.Data[0].connection();
    c->exec(QStringLiteral(
        "INSERT INTO Compositor (Nombre, Apellidos, Nombre_clave, Apellidos_clave) SELECT "
        "Nombre, upper(Apellidos), NULL, NULL FROM Compositor WHERE Id IN (SELECT Id FROM "
        "Compositor ORDER BY Id LIMIT 2)"));
    const qint64 added = sqlite3_last_insert_rowid(c->db());
    if (auto* b = child<QPushButton>(mdi, "BtnDuplicados")) b->click();
    if (auto* list = mdi.findChild<DuplicatesWindow*>(QStringLiteral("FormDuplicados"))) {
        save(*list, out, QStringLiteral("duplicados") + suffix);
        list->close();
    } else {
        ++failures;
    }
    c->exec(QStringLiteral("DELETE FROM Compositor WHERE Id >= %1").arg(added - 1));
}

// The report screen's tool windows: FormCopias over copies of the last months, FormImagenes with
// two portraits moved away. Each is saved over the window, then closed.
void reportTools(FormMdi& mdi, const QString& folder, const QString& out, const QString& suffix) {
    const QString copies = copias::folderBeside(folder);
    if (copias::list(copies).isEmpty())
        for (int days : {90, 40, 12, 3, 1})
            if (copias::write(folder, copies,
                              QDateTime::currentDateTime().addDays(-days).addSecs(days * 97))
                    .number != 0)
                ++failures;
    const QString portraits = folder + QStringLiteral("/imagenes/");
    const QStringList moved =
        QDir(portraits).entryList({QStringLiteral("*.png")}, QDir::Files).mid(3, 2);
    for (const QString& f : moved) QFile::rename(portraits + f, portraits + f + ".movida");
    const struct {
        const char *button, *name;
    } tools[] = {{"BtnCopias", "copias"}, {"BtnImagenes", "imagenes"}};
    for (const auto& t : tools) {
        dialogs::setDialogHook([&](QDialog& d) {
            d.show();
            settleShown();
            save(mdi, out, QLatin1String(t.name) + suffix);
            d.hide();
            return int(QDialog::Rejected);
        });
        if (auto* b = child<QPushButton>(mdi, t.button))
            QTest::mouseClick(b, Qt::LeftButton);
        else
            ++failures;
        dialogs::setDialogHook(nullptr);
    }
    for (const QString& f : moved) QFile::rename(portraits + f + ".movida", portraits + f);
}

// Goes through one screen of each kind, and the recording entry screen, saving each view.
void tour(FormMdi& mdi, FormBasesDatos& hub, const QString& folder, const QString& out,
          const QString& suffix) {
    // Show and edit.
    openRegister(mdi, 2, 0);
    save(mdi, out, QStringLiteral("mostrar") + suffix);

    // A half-typed entry with its picture, restored by the entry screen.
    const Composer falla = {"Manuel de", "Falla", 1876, 1946, ""};
    hub.reg[0].MemoAna = {{QStringLiteral("TxtNombre"), QStringLiteral("Manuel de")},
                          {QStringLiteral("TxtApellidos"), QStringLiteral("Falla")},
                          {QStringLiteral("TxtFecha1"), QStringLiteral("1876")},
                          {QStringLiteral("TxtFecha2"), QStringLiteral("1946")},
                          {QStringLiteral("Imagen"), drawPortrait(folder, kComposerCount, falla)}};
    openRegister(mdi, 0, 0);
    save(mdi, out, QStringLiteral("anadir") + suffix);
    importPreview(mdi, folder, out, QStringLiteral("importar") + suffix);

    composerSelection(hub);
    openRegister(mdi, 1, 0);
    save(mdi, out, QStringLiteral("seleccionar") + suffix);

    // Listing with pictures at zoom 3.
    openRegister(mdi, 3, 0);
    if (auto* list = child<QListWidget>(mdi, "List"))
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(
                list->item(i)->text() == QLatin1String("Notas") ? Qt::Unchecked : Qt::Checked);
    if (auto* b = child<QPushButton>(mdi, "BtnListar")) QTest::mouseClick(b, Qt::LeftButton);
    if (auto* zoom = child<QScrollBar>(mdi, "HScroll")) zoom->setValue(3);
    save(mdi, out, QStringLiteral("listar") + suffix);

    // The same selection printed with its notes, the first page for the README.
    if (suffix.isEmpty()) printListing(mdi, out);

    // The recording entry screen with its slots.
    openRegister(mdi, 0, registers::kGrabacion);
    save(mdi, out, QStringLiteral("grabacion") + suffix);

    clickTab(mdi, "TabNivel1", 2);
    save(mdi, out, QStringLiteral("informe") + suffix);
    catalogueTools(mdi, hub, out, suffix);
    reportTools(mdi, folder, out, suffix);

    clickTab(mdi, "TabNivel1", 3);
    clickTab(mdi, "TabAyuda", 4);
    save(mdi, out, QStringLiteral("ayuda") + suffix);

    clickTab(mdi, "TabNivel1", 4);
    save(mdi, out, QStringLiteral("acerca") + suffix);
}

// Prints the listing shown, every field ticked, to printout.pdf.
void printListing(FormMdi& mdi, const QString& out) {
    if (auto* list = child<QListWidget>(mdi, "List"))
        for (int i = 0; i < list->count(); ++i) list->item(i)->setCheckState(Qt::Checked);
    if (auto* b = child<QPushButton>(mdi, "BtnListar")) QTest::mouseClick(b, Qt::LeftButton);
    const QString pdf = out + QStringLiteral("/printout.pdf");
    dialogs::setPrintHook([&](QDialog&, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    if (auto* b = child<QPushButton>(mdi, "BtnImprimir")) QTest::mouseClick(b, Qt::LeftButton);
    dialogs::setPrintHook(nullptr);
    if (!QFile::exists(pdf)) {
        std::fprintf(stderr, "no printout\n");
        ++failures;
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool every = argc == 3 && QByteArray(argv[2]) == "--todas";
    if (argc != 2 && !every) {
        std::fprintf(stderr, "uso: ormelia_screenshots CARPETA_DE_SALIDA [--todas]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir dir;
    if (!dir.isValid() || !makeCatalogue(dir.path())) return 1;

    // No message box may wait for a user: every one takes its default answer ("No" at exit).
    dialogs::setMessageHook([](QMessageBox& box) {
        std::fprintf(stderr, "mensaje: %s\n", qPrintable(box.text()));
        return box.standardButtons() & QMessageBox::No ? QMessageBox::No : QMessageBox::Ok;
    });

    auto mdi = std::make_unique<FormMdi>(dir.path());
    if (!mdi->Load()) return 1;
    // The window at its opening size: zoom 1.
    mdi->show();
    settleShown();
    save(*mdi, out, QStringLiteral("splash"));
    FormBasesDatos& hub = mdi->hub();
    hub.reg[0].Posicion = 8;  // Bach, shown when "Entrar" opens the browse screen
    if (QWidget* entrar = child<QWidget>(*mdi, "LabContinuar"))
        QTest::mouseClick(entrar, Qt::LeftButton);
    settle();

    tour(*mdi, hub, dir.path(), out, QString());
    // The same screens in a maximized window, at the zoom that fills it.
    mdi->showMaximized();
    settleShown();
    tour(*mdi, hub, dir.path(), out, QStringLiteral("-max"));
    if (every) {
        mdi->showNormal();
        settleShown();
        for (int n = 1; n <= 68; ++n) {
            mdi->solapas().OcultarFormulario();
            settle();
            mdi->solapas().MostrarFormulario(n);
            if (Screen* s = mdi->solapas().currentScreen()) s->Carga();
            save(*mdi, out, QStringLiteral("screen-%1").arg(n, 2, 10, QLatin1Char('0')));
        }
    }

    mdi->close();
    mdi.reset();
    return failures == 0 ? 0 : 1;
}
