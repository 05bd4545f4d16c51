#include "bench/catalogue.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "bench/measure.h"
#include "bench/sample_text.h"
#include "store/jet_dialect.h"
#include "store/registers.h"
#include "store/schema.h"

namespace bench {
namespace {

// More than a listing page holds, so a page shows as many different pictures as rows.
constexpr int kPictures = 24;

// Bumped whenever the generated content changes, so kept catalogues are made again.
constexpr int kGeneratorVersion = 4;

void check(sqlite3* db, int rc, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

void exec(sqlite3* db, const QString& sql) {
    check(db, sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr),
          sql.toUtf8().constData());
}

qint64 scalar(sqlite3* db, const QString& sql) {
    sqlite3_stmt* st = nullptr;
    qint64 v = -1;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        v = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return v;
}

// An INSERT into the columns of a table that exist, bound by column name; columns the table
// lacks are skipped, so the generator follows the schema as it grows.
class Inserter {
  public:
    Inserter(sqlite3* db, const QString& table, const QStringList& wanted) : db_(db) {
        QHash<QString, bool> have;  // column -> is an integer column
        sqlite3_stmt* st = nullptr;
        QString q = QStringLiteral("SELECT name, type FROM pragma_table_info('%1')").arg(table);
        sqlite3_prepare_v2(db, q.toUtf8().constData(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            have.insert(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))),
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)))
                    .contains(QLatin1String("INT"), Qt::CaseInsensitive));
        sqlite3_finalize(st);
        QStringList cols, marks;
        for (const QString& c : wanted)
            for (const QString& column : {c, schema::keyColumn(c)})
                if (have.contains(column)) {
                    index_.insert(column, int(cols.size()) + 1);
                    numeric_ << have.value(column);
                    cols << column;
                    marks << QStringLiteral("?");
                }
        bound_.fill(false, cols.size());
        QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        check(db, sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st_, nullptr),
              "prepare insert");
    }
    ~Inserter() { sqlite3_finalize(st_); }
    void set(const QString& column, const QString& value) {
        int i = index_.value(column);
        if (!i) return;
        QByteArray b = value.toUtf8();
        sqlite3_bind_text(st_, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        bound_[i - 1] = true;
        // A text of one line has its sort key beside it, as the program writes it.
        if (int k = index_.value(schema::keyColumn(column))) {
            const QByteArray key = jet::sortKey(value);
            sqlite3_bind_blob(st_, k, key.constData(), int(key.size()), SQLITE_TRANSIENT);
            bound_[k - 1] = true;
        }
    }
    void set(const QString& column, qint64 value) {
        if (int i = index_.value(column)) {
            sqlite3_bind_int64(st_, i, value);
            bound_[i - 1] = true;
        }
    }
    // Columns left unset get the schema's empty value (the columns are NOT NULL).
    void insert() {
        for (int i = 0; i < bound_.size(); ++i)
            if (!bound_[i]) {
                if (numeric_[i])
                    sqlite3_bind_int64(st_, i + 1, 0);
                else
                    sqlite3_bind_text(st_, i + 1, "", 0, SQLITE_STATIC);
            }
        check(db_, sqlite3_step(st_), "insert");
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
        bound_.fill(false);
    }

  private:
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
    QHash<QString, int> index_;
    QVector<bool> numeric_, bound_;
};

QString stamp(qint64 composers, int version = schema::kVersion) {
    QByteArray schemaHash =
        QCryptographicHash::hash(schema::createScript(version).toUtf8(), QCryptographicHash::Sha1)
            .toHex();
    return QStringLiteral("generator=%1\nschema=%2\ncomposers=%3\n")
        .arg(kGeneratorVersion)
        .arg(QString::fromLatin1(schemaHash))
        .arg(composers);
}

QString readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void fillSmallRegisters(sqlite3* db, const CatalogueSize& size, SampleText& t) {
    {
        Inserter ins(db, QStringLiteral("Soporte"),
                     {"Id", "Discografica", "NumeroCatalogo", "Coleccion", "Formato", "Grabacion",
                      "Recopilacion", "Edicion", "Notas", "Emplazamiento"});
        for (qint64 i = 1; i <= size.carriers; ++i) {
            ins.set(QStringLiteral("Id"), i);
            ins.set(QStringLiteral("Discografica"), t.label());
            ins.set(QStringLiteral("NumeroCatalogo"), QString::number(400000 + i * 7));
            ins.set(QStringLiteral("Coleccion"), QString::fromUtf8("Colección ") + t.label());
            ins.set(QStringLiteral("Formato"),
                    t.uniform(0, 3) ? QStringLiteral("CD") : QString::fromUtf8("LP"));
            ins.set(QStringLiteral("Grabacion"),
                    t.uniform(0, 2) ? QStringLiteral("Digital") : QString::fromUtf8("Analógica"));
            ins.set(QStringLiteral("Recopilacion"), QString::number(t.uniform(1950, 2020)));
            ins.set(QStringLiteral("Edicion"), QString::number(t.uniform(1955, 2023)));
            ins.set(QStringLiteral("Notas"), t.notes(t.uniform(50, 400), t.label(), 1960));
            ins.set(
                QStringLiteral("Emplazamiento"),
                QStringLiteral("Estante %1, fila %2").arg(t.uniform(1, 40)).arg(t.uniform(1, 8)));
            ins.insert();
        }
    }
    struct Person {
        const char* table;
        qint64 count;
    };
    for (Person p : {Person{"Director", size.conductors}, Person{"Interprete", size.performers}}) {
        Inserter ins(db, QLatin1String(p.table),
                     {"Nombre", "Apellidos", "Instrumento", "Fecha1", "Fecha2", "Notas"});
        for (qint64 i = 0; i < p.count; ++i) {
            auto [born, died] = t.years();
            QString ape = t.surnames();
            ins.set(QStringLiteral("Nombre"), t.firstNames());
            ins.set(QStringLiteral("Apellidos"), ape);
            ins.set(QStringLiteral("Instrumento"),
                    t.uniform(0, 1) ? QStringLiteral("Piano") : QStringLiteral("Violín"));
            ins.set(QStringLiteral("Fecha1"), born);
            ins.set(QStringLiteral("Fecha2"), died);
            ins.set(QStringLiteral("Notas"), t.notes(t.uniform(100, 600), ape, born));
            ins.insert();
        }
    }
    Inserter orq(db, QStringLiteral("Orquesta"),
                 {"Nombre", "OrqGrpCor", "Genero", "Fecha", "Notas"});
    for (qint64 i = 0; i < size.ensembles; ++i) {
        int kind = t.uniform(1, 3);
        static const char* kinds[] = {"", "Orquesta", "Grupo", "Coro"};
        orq.set(QStringLiteral("Nombre"),
                QStringLiteral("%1 %2 %3").arg(QLatin1String(kinds[kind]), t.surnames()).arg(i));
        orq.set(QStringLiteral("OrqGrpCor"), kind);
        orq.set(QStringLiteral("Genero"), QString::fromUtf8("Clásica"));
        orq.set(QStringLiteral("Fecha"), t.uniform(1700, 2000));
        orq.set(QStringLiteral("Notas"), t.notes(t.uniform(100, 500), QStringLiteral("-"), 1900));
        orq.insert();
    }
}

// A recording's orchestras (1-2), conductor (1) and performers (0-4), in order.
void linkSets(qint64 recording, const CatalogueSize& size, SampleText& t, Inserter& ensembles,
              Inserter& conductors, Inserter& performers) {
    auto add = [&](Inserter& ins, int count, qint64 records) {
        for (int k = 1; k <= count; ++k) {
            ins.set(QStringLiteral("GrabacionId"), recording);
            ins.set(QStringLiteral("Orden"), k);
            ins.set(QStringLiteral("RegistroId"), qint64(t.uniform(1, int(records))));
            ins.insert();
        }
    };
    add(ensembles, t.uniform(1, 2), size.ensembles);
    add(conductors, 1, size.conductors);
    add(performers, t.uniform(0, 4), size.performers);
}

void generate(const QString& path, const CatalogueSize& size, const QStringList& pictures,
              int version) {
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open generated catalogue");
    jet::install(db);
    try {
        exec(db, QStringLiteral("BEGIN;\n") + schema::createScript(version) +
                     QStringLiteral("COMMIT;"));
        exec(db, QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; "
                                "PRAGMA cache_size=-262144"));
        // Indexes are built once after the rows: far faster than keeping them up to date.
        QStringList indexes;
        {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db,
                               "SELECT name, sql FROM sqlite_master WHERE type='index' AND sql "
                               "IS NOT NULL",
                               -1, &st, nullptr);
            QStringList names;
            while (sqlite3_step(st) == SQLITE_ROW) {
                names << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
                indexes << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
            }
            sqlite3_finalize(st);
            for (const QString& n : names) exec(db, QStringLiteral("DROP INDEX %1").arg(n));
        }
        SampleText t(20240601);
        exec(db, QStringLiteral("BEGIN"));
        fillSmallRegisters(db, size, t);
        Inserter com(db, QStringLiteral("Compositor"),
                     {"Id", "Nombre", "Apellidos", "Fecha1", "Fecha2", "Notas", "Imagen"});
        Inserter obra(
            db, QStringLiteral("Obra"),
            {"Id", "Nombre", "Numero", "Tonalidad", "Opus", "NumeroOpus", "Catalogo",
             "NumeroCatalogo", "Fecha1", "Fecha2", "Subtitulo", "Movimientos", "Duraciones",
             "TiempoTotal", "NumeroMovimientos", "Notas", "Autor", "Imagen"});
        Inserter gra(db, QStringLiteral("Grabacion"),
                     {"CompositorId", "ObraId", "SoporteId", "Notas"});
        const QStringList linkColumns = {"GrabacionId", "Orden", "RegistroId"};
        Inserter ensembleLinks(db, QStringLiteral("GrabacionOrquesta"), linkColumns);
        Inserter conductorLinks(db, QStringLiteral("GrabacionDirector"), linkColumns);
        Inserter performerLinks(db, QStringLiteral("GrabacionInterprete"), linkColumns);
        const qint64 every = size.works ? size.composers / size.works : 0;
        for (qint64 id = 1; id <= size.composers; ++id) {
            QString nombre = t.firstNames(), apellidos = t.surnames();
            auto [born, died] = t.years();
            com.set(QStringLiteral("Id"), id);
            com.set(QStringLiteral("Nombre"), nombre);
            com.set(QStringLiteral("Apellidos"), apellidos);
            com.set(QStringLiteral("Fecha1"), born);
            com.set(QStringLiteral("Fecha2"), died);
            com.set(QStringLiteral("Notas"), t.notes(t.uniform(200, 2000), apellidos, born));
            // Every composer has a portrait, and any 20 neighbours have different ones, so a
            // listing page decodes 20 pictures when none is kept yet.
            com.set(QStringLiteral("Imagen"), pictures.at(int((id - 1) % pictures.size())));
            com.insert();
            if (every && id % every == 0 && id / every <= size.works) {
                qint64 w = id / every;
                QString durations;
                int total = 0;
                int n = t.uniform(1, 8);
                QString movs = t.movements(n, &durations, &total);
                obra.set(QStringLiteral("Id"), w);
                obra.set(QStringLiteral("Nombre"), t.workTitle());
                obra.set(QStringLiteral("Numero"), QString::number(t.uniform(1, 12)));
                obra.set(QStringLiteral("Tonalidad"), t.key());
                obra.set(QStringLiteral("Opus"), QString::number(t.uniform(1, 140)));
                obra.set(QStringLiteral("Catalogo"), QStringLiteral("BWV"));
                obra.set(QStringLiteral("NumeroCatalogo"), QString::number(t.uniform(1, 1100)));
                obra.set(QStringLiteral("Fecha1"), born + t.uniform(18, 24));
                obra.set(QStringLiteral("Movimientos"), movs);
                obra.set(QStringLiteral("Duraciones"), durations);
                obra.set(QStringLiteral("TiempoTotal"), total);
                obra.set(QStringLiteral("NumeroMovimientos"), n);
                obra.set(QStringLiteral("Notas"), t.notes(t.uniform(0, 600) + 1, apellidos, born));
                obra.set(QStringLiteral("Autor"), (nombre + QLatin1Char(' ') + apellidos).left(50));
                obra.insert();
                gra.set(QStringLiteral("CompositorId"), id);
                gra.set(QStringLiteral("ObraId"), w);
                gra.set(QStringLiteral("SoporteId"), t.uniform(1, int(size.carriers)));
                gra.set(QStringLiteral("Notas"), t.notes(t.uniform(50, 300), apellidos, born));
                gra.insert();
                const qint64 g = sqlite3_last_insert_rowid(db);
                linkSets(g, size, t, ensembleLinks, conductorLinks, performerLinks);
            }
            if (id % 100000 == 0) progress(QStringLiteral("    %1 composers written").arg(id));
        }
        // A one-line text left out above is empty and gets its key too, as the program's saves
        // write it, so the catalogue opens with no row to key.
        if (version == schema::kVersion)
            for (const RegisterDef& d : registers::all())
                if (schema::freshenKeys(db, d) != SQLITE_OK)
                    throw std::runtime_error("cannot key the generated rows");
        exec(db, QStringLiteral("COMMIT"));
        progress(QStringLiteral("    building indexes"));
        for (const QString& sql : indexes) exec(db, sql);
        exec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
    } catch (...) {
        sqlite3_close(db);
        QFile::remove(path);
        throw;
    }
    sqlite3_close(db);
}

}  // namespace

CatalogueSize CatalogueSize::forComposers(qint64 n) {
    CatalogueSize s;
    s.composers = n;
    s.works = n / 10;
    s.recordings = s.works;
    s.carriers = std::max<qint64>(1, n / 50);
    s.ensembles = std::max<qint64>(1, n / 100);
    s.conductors = s.ensembles;
    s.performers = s.ensembles;
    return s;
}

QStringList ensurePictures(const QString& root) {
    const QString dir = root + QStringLiteral("/pictures");
    QDir().mkpath(dir);
    const QSize shapes[] = {{200, 200}, {200, 150}, {150, 200}, {200, 133}, {160, 200}, {200, 180}};
    QStringList out;
    std::mt19937 rng(7);
    int k = 0;
    for (int i = 0; i < kPictures; ++i) {
        const QSize s = shapes[i % 6];
        QString path = QStringLiteral("%1/retrato_%2.jpg").arg(dir).arg(++k);
        out << path;
        if (QFile::exists(path)) continue;
        QImage img(s, QImage::Format_RGB32);
        QPainter p(&img);
        QRadialGradient g(s.width() / 2.0, s.height() / 3.0, s.width());
        g.setColorAt(0, QColor(230, 210, 170));
        g.setColorAt(1, QColor(60 + 7 * k, 40 + 3 * (k % 5), 30));
        p.fillRect(img.rect(), g);
        p.setBrush(QColor(200, 170, 140));
        p.drawEllipse(
            QRectF(s.width() * 0.3, s.height() * 0.15, s.width() * 0.4, s.height() * 0.5));
        p.end();
        // A little grain, so the file is a photograph's size rather than a flat drawing's.
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x) {
                QRgb c = img.pixel(x, y);
                int d = int(rng() % 25) - 12;
                img.setPixel(x, y,
                             qRgb(qBound(0, qRed(c) + d, 255), qBound(0, qGreen(c) + d, 255),
                                  qBound(0, qBlue(c) + d, 255)));
            }
        if (!img.save(path, "JPG", 85))
            throw std::runtime_error("cannot write " + path.toStdString());
    }
    return out;
}

QString ensureCatalogue(const QString& root, qint64 composers, const QStringList& pictures,
                        int version) {
    const QString dir = QStringLiteral("%1/%2").arg(root).arg(composers);
    QDir().mkpath(dir);
    const QString name = version == schema::kVersion ? QStringLiteral("pristine")
                                                     : QStringLiteral("schema%1").arg(version);
    const QString path = dir + QStringLiteral("/%1.mdb").arg(name);
    const QString stampPath = dir + QStringLiteral("/%1.stamp").arg(name);
    if (QFile::exists(path) && readFile(stampPath) == stamp(composers, version)) {
        sqlite3* db = nullptr;
        qint64 n = -1;
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
            SQLITE_OK)
            n = scalar(db, QStringLiteral("SELECT count(*) FROM Compositor"));
        sqlite3_close(db);
        if (n == composers) return path;
    }
    QFile::remove(stampPath);
    progress(QStringLiteral("Generating a catalogue of %1 composers (schema %2) in %3")
                 .arg(composers)
                 .arg(version)
                 .arg(dir));
    double ms =
        timeMs([&] { generate(path, CatalogueSize::forComposers(composers), pictures, version); });
    progress(QStringLiteral("  generated in %1 s").arg(ms / 1000, 0, 'f', 1));
    QFile f(stampPath);
    if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write stamp");
    f.write(stamp(composers, version).toUtf8());
    return path;
}

QString workingFolder(const QString& root, qint64 composers) {
    const QString dir = QStringLiteral("%1/%2/app").arg(root).arg(composers);
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    const QString source = QStringLiteral("%1/%2/pristine.mdb").arg(root).arg(composers);
    std::filesystem::copy_file(source.toStdString(),
                               (dir + QStringLiteral("/DataOrmelia.mdb")).toStdString(),
                               std::filesystem::copy_options::overwrite_existing);
    return dir;
}

}  // namespace bench
