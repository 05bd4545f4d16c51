#include "store/registers.h"

#include <algorithm>

namespace registers {
namespace {

using K = FieldKind;

const QString kPrompt14 = QStringLiteral("              CAMPO");
const QString kPrompt13 = QStringLiteral("             CAMPO");

FieldDef text(const char* c, int max, bool id = false) {
    return {.column = QLatin1String(c), .kind = K::Text, .maxLength = max, .identifier = id};
}
FieldDef year(const char* c) {
    return {.column = QLatin1String(c), .kind = K::Year, .maxLength = 4, .identifier = false};
}
FieldDef notes() {
    return {.column = QStringLiteral("Notas"),
            .kind = K::Notes,
            .maxLength = kNotesMax,
            .identifier = false};
}
FieldDef picture() {
    return {.column = QStringLiteral("Imagen"),
            .kind = K::Picture,
            .maxLength = 0,
            .identifier = false};
}

BoxDef box(const char* control, const char* caption, int max, const char* column, bool id = false,
           bool numeric = false) {
    return {.control = QLatin1String(control),
            .caption = QString::fromUtf8(caption),
            .maxLength = max,
            .column = QLatin1String(column),
            .identifier = id,
            .numeric = numeric};
}
BoxDef yearBox(const char* control, const char* caption, const char* column, int max = 4) {
    return box(control, caption, max, column, false, true);
}

VocabItem item(const char* caption, const char* column, bool numeric = false, int kind = 0,
               int source = -1) {
    return {.caption = QString::fromUtf8(caption),
            .column = QLatin1String(column),
            .numeric = numeric,
            .kind = kind,
            .sourceRegister = source};
}

// Sort list: the selection fields without the notes.
QVector<VocabItem> sortOf(const QVector<VocabItem>& sel) {
    QVector<VocabItem> out;
    for (const VocabItem& v : sel)
        if (v.column != QLatin1String("Notas")) out << v;
    return out;
}

QStringList infoOf(const QVector<VocabItem>& sel) {
    QStringList out;
    for (const VocabItem& v : sel) out << v.caption;
    out << QStringLiteral("Imagen");
    return out;
}

QVector<RegisterDef> build() {
    QVector<RegisterDef> r;

    {  // Compositor
        RegisterDef d{
            .group = 1,
            .index = 0,
            .global = kCompositor,
            .name = "Compositor",
            .table = "Compositor",
            .tabCaption = "Compositor ",
            .caption = "Compositor",
            .reportPrefix = "Com",
            .fieldCount = 6,
            .pictureColumn = "Imagen",
            .valueBoxLength = 50,
            .fieldPrompt = kPrompt14,
        };
        d.fields = {text("Nombre", 50),
                    text("Apellidos", 50, true),
                    year("Fecha1"),
                    year("Fecha2"),
                    notes(),
                    picture()};
        d.boxes = {box("TxtNombre", "Nombre", 50, "Nombre"),
                   box("TxtApellidos", "Apellidos", 50, "Apellidos", true),
                   yearBox("TxtFecha1", "Fechas", "Fecha1"),
                   yearBox("TxtFecha2", "Fechas", "Fecha2")};
        d.nameParts = {"TxtNombre", "TxtApellidos"};
        d.selFields = {item("Nombre", "Nombre"), item("Apellidos", "Apellidos"),
                       item("Fecha 1", "Fecha1", true), item("Fecha 2", "Fecha2", true),
                       item("Notas", "Notas")};
        d.sortFields = sortOf(d.selFields);
        d.infoList = infoOf(d.selFields);
        d.listEntries = {item("Nombre", "Nombre"),        item("Apellidos", "Apellidos"),
                         item("Fecha 1", "Fecha1", true), item("Fecha 2", "Fecha2", true),
                         item("Notas", "Notas"),          item("Imagen", "Imagen")};
        r << d;
    }
    {  // Obra
        RegisterDef d{
            .group = 1,
            .index = 1,
            .global = kObra,
            .name = "Obra",
            .table = "Obra",
            .tabCaption = "Obra ",
            .caption = "Obra",
            .reportPrefix = "Obra",
            .fieldCount = 16,
            .pictureColumn = "Imagen",
            .valueBoxLength = 75,
            .fieldPrompt = kPrompt14,
        };
        d.fields = {
            text("Nombre", 75, true),
            text("Numero", 15),
            text("Tonalidad", 35),
            text("Opus", 15),
            text("NumeroOpus", 15),
            text("Catalogo", 15),
            text("NumeroCatalogo", 15),
            year("Fecha1"),
            year("Fecha2"),
            text("Subtitulo", 75),
            {.column = "Movimientos", .kind = K::Movements, .maxLength = 0, .identifier = false},
            {.column = "Duraciones", .kind = K::Durations, .maxLength = 0, .identifier = false},
            {.column = "TiempoTotal", .kind = K::Number, .maxLength = 0, .identifier = false},
            {.column = "NumeroMovimientos", .kind = K::Number, .maxLength = 0, .identifier = false},
            notes(),
            text("Autor", 50, true),
            picture()};
        d.boxes = {box("TxtNombre", "Obra", 75, "Nombre", true),
                   box("TxtNumero", "Nº", 15, "Numero"),
                   box("TxtTonalidad", "Tonalidad", 35, "Tonalidad"),
                   box("TxtOpus", "Opus", 15, "Opus"),
                   box("TxtNumeroOpus", "Nº", 15, "NumeroOpus"),
                   box("TxtCatalogo", "Catálogo", 15, "Catalogo"),
                   box("TxtNumeroCatalogo", "Nº", 15, "NumeroCatalogo"),
                   yearBox("TxtFecha1", "Fechas", "Fecha1"),
                   yearBox("TxtFecha2", "Fechas", "Fecha2"),
                   box("TxtSubtitulo", "Subtítulo", 75, "Subtitulo"),
                   box("TxtAutor", "Autor", 50, "Autor", true)};
        d.nameParts = {"TxtNombre"};
        d.selFields = {item("Obra", "Nombre"),
                       item("Nº", "Numero"),
                       item("Tonalidad", "Tonalidad"),
                       item("Opus", "Opus"),
                       item("Nº de Opus", "NumeroOpus"),
                       item("Catálogo", "Catalogo"),
                       item("Nº de Catálogo", "NumeroCatalogo"),
                       item("Fecha 1", "Fecha1", true),
                       item("Fecha 2", "Fecha2", true),
                       item("Subtítulo", "Subtitulo"),
                       item("Movimientos", "Movimientos"),
                       item("Tiempo Total", "TiempoTotal", true),
                       item("Nº de  Movimientos", "NumeroMovimientos", true),
                       item("Notas", "Notas"),
                       item("Autor", "Autor")};
        d.sortFields = sortOf(d.selFields);
        d.sortFields[4].caption = QString::fromUtf8("Nº  de Opus");
        d.sortFields[6].caption = QString::fromUtf8("Nº  de Catálogo");
        d.infoList = infoOf(d.selFields);
        d.infoList[4] = QString::fromUtf8("Nº de  Opus");
        d.listEntries = {item("Obra", "Nombre"),
                         item("Nº", "Numero"),
                         item("Tonalidad", "Tonalidad"),
                         item("Opus", "Opus"),
                         item("Nº de  Opus", "NumeroOpus"),
                         item("Catálogo", "Catalogo"),
                         item("Nº de Catálogo", "NumeroCatalogo"),
                         item("Fecha 1", "Fecha1", true),
                         item("Fecha 2", "Fecha2", true),
                         item("Subtítulo", "Subtitulo"),
                         item("Movimientos", "Movimientos"),
                         item("Tiempo Total", "TiempoTotal", true),
                         item("Nº de Movimientos", "NumeroMovimientos", true),
                         item("Notas", "Notas"),
                         item("Autor", "Autor"),
                         item("Imagen", "Imagen")};
        r << d;
    }
    {  // Orquesta
        RegisterDef d{
            .group = 1,
            .index = 2,
            .global = kOrquesta,
            .name = "Orquesta",
            .table = "Orquesta",
            .tabCaption = "Orquesta - Grupo ",
            .caption = "Orquesta - Grupo",
            .reportPrefix = "Orq",
            .fieldCount = 5,
            .pictureColumn = "Imagen",
            .valueBoxLength = 75,
            .fieldPrompt = kPrompt14,
        };
        d.fields = {text("Nombre", 75, true),
                    {.column = "OrqGrpCor", .kind = K::Kind, .maxLength = 0, .identifier = false},
                    text("Genero", 50),
                    year("Fecha"),
                    notes(),
                    picture()};
        d.boxes = {box("TxtNombreOrquesta", "Orquesta", 75, "Nombre", true),
                   box("TxtNombreGrupo", "Grupo", 75, "Nombre", true),
                   box("TxtNombreCoro", "Coro", 75, "Nombre", true),
                   box("TxtGenero", "Género", 50, "Genero"),
                   yearBox("TxtFecha", "  Fecha", "Fecha")};
        d.selFields = {item("Orquesta", "Nombre", false, 1), item("Grupo", "Nombre", false, 2),
                       item("Coro", "Nombre", false, 3),     item("Género", "Genero"),
                       item("Fecha", "Fecha", true),         item("Notas", "Notas")};
        d.sortFields = sortOf(d.selFields);
        d.infoList = infoOf(d.selFields);
        // "Tipo" shows the kind by its box's caption, so a listing and its CSV file keep it.
        d.listEntries = {item("Nombre", "Nombre"), item("Tipo", "OrqGrpCor"),
                         item("Género", "Genero"), item("Fecha", "Fecha", true),
                         item("Notas", "Notas"),   item("Imagen", "Imagen")};
        r << d;
    }
    {  // Director
        RegisterDef d{
            .group = 1,
            .index = 3,
            .global = kDirector,
            .name = "Director",
            .table = "Director",
            .tabCaption = "Director ",
            .caption = "Director",
            .reportPrefix = "Dir",
            .fieldCount = 6,
            .pictureColumn = "Imagen",
            .valueBoxLength = 50,
            .fieldPrompt = kPrompt14,
        };
        d.fields = {text("Nombre", 50),
                    text("Apellidos", 50, true),
                    year("Fecha1"),
                    year("Fecha2"),
                    notes(),
                    picture()};
        d.boxes = {box("TxtNombre", "Nombre", 50, "Nombre"),
                   box("TxtApellidos", "Apellidos", 50, "Apellidos", true),
                   yearBox("TxtFecha1", "Fechas", "Fecha1"),
                   yearBox("TxtFecha2", "Fechas", "Fecha2")};
        d.nameParts = {"TxtNombre", "TxtApellidos"};
        d.selFields = {item("Nombre", "Nombre"), item("Apellidos", "Apellidos"),
                       item("Fecha 1", "Fecha1", true), item("Fecha 2", "Fecha2", true),
                       item("Notas", "Notas")};
        d.sortFields = sortOf(d.selFields);
        d.infoList = infoOf(d.selFields);
        d.listEntries = {item("Nombre", "Nombre"),        item("Apellidos", "Apellidos"),
                         item("Fecha 1", "Fecha1", true), item("Fecha 2", "Fecha2", true),
                         item("Notas", "Notas"),          item("Imagen", "Imagen")};
        r << d;
    }
    {  // Interprete
        RegisterDef d{
            .group = 1,
            .index = 4,
            .global = kInterprete,
            .name = "Interprete",
            .table = "Interprete",
            .tabCaption = "Intérprete ",
            .caption = "Intérprete",
            .reportPrefix = "Int",
            .fieldCount = 7,
            .pictureColumn = "Imagen",
            .valueBoxLength = 50,
            .fieldPrompt = kPrompt14,
        };
        d.fields = {text("Nombre", 50),
                    text("Apellidos", 50, true),
                    text("Instrumento", 50),
                    year("Fecha1"),
                    year("Fecha2"),
                    notes(),
                    picture()};
        d.boxes = {box("TxtNombre", "Nombre", 50, "Nombre"),
                   box("TxtApellidos", "Apellidos", 50, "Apellidos", true),
                   box("TxtInstrumento", "Instrumento - Voz", 50, "Instrumento"),
                   yearBox("TxtFecha1", "Fechas", "Fecha1"),
                   yearBox("TxtFecha2", "Fechas", "Fecha2")};
        d.nameParts = {"TxtNombre", "TxtApellidos"};
        d.selFields = {item("Nombre", "Nombre"),
                       item("Apellidos", "Apellidos"),
                       item("Instrumento - Voz", "Instrumento"),
                       item("Fecha 1", "Fecha1", true),
                       item("Fecha 2", "Fecha2", true),
                       item("Notas", "Notas")};
        d.sortFields = sortOf(d.selFields);
        d.infoList = infoOf(d.selFields);
        d.listEntries = {item("Nombre", "Nombre"),
                         item("Apellidos", "Apellidos"),
                         item("Instrumento - Voz", "Instrumento"),
                         item("Fecha 1", "Fecha1", true),
                         item("Fecha 2", "Fecha2", true),
                         item("Notas", "Notas"),
                         item("Imagen", "Imagen")};
        r << d;
    }
    {  // Soporte
        RegisterDef d{
            .group = 1,
            .index = 5,
            .global = kSoporte,
            .name = "Soporte",
            .table = "Soporte",
            .tabCaption = "Soporte ",
            .caption = "Soporte",
            .reportPrefix = "Sop",
            .fieldCount = 11,
            .pictureColumn = "Imagen",
            .valueBoxLength = 70,
            .fieldPrompt = kPrompt14,
        };
        d.fields = {text("Discografica", 70, true),
                    text("NumeroCatalogo", 70, true),
                    text("Coleccion", 70),
                    text("NumeroReferencia", 70),
                    text("Formato", 30),
                    text("Grabacion", 30),
                    text("Recopilacion", 20),
                    text("Edicion", 20),
                    notes(),
                    text("Emplazamiento", 50),
                    picture()};
        d.boxes = {box("TxtDiscografica", "Discográfica", 70, "Discografica", true),
                   box("TxtNumeroCatalogo", "Nº de Catálogo", 70, "NumeroCatalogo", true),
                   box("TxtColeccion", "Colección", 70, "Coleccion"),
                   box("TxtNumeroColeccion", "Nº - Referencia", 70, "NumeroReferencia"),
                   box("TxtFormato", "Formato", 30, "Formato"),
                   box("TxtGrabacion", "Grabación", 30, "Grabacion"),
                   box("TxtRecopilacion", "P", 20, "Recopilacion"),
                   box("TxtEdicion", "C", 20, "Edicion"),
                   box("TxtEmplazamiento", "Emplazamiento", 50, "Emplazamiento")};
        d.nameParts = {"TxtDiscografica", "TxtNumeroCatalogo"};
        d.selFields = {item("Discográfica", "Discografica"),
                       item("Nº de Catálogo", "NumeroCatalogo"),
                       item("Colección", "Coleccion"),
                       item("Nº - Referencia", "NumeroReferencia"),
                       item("Formato", "Formato"),
                       item("Grabación", "Grabacion"),
                       item("( P )", "Recopilacion"),
                       item("( C )", "Edicion"),
                       item("Notas", "Notas"),
                       item("Emplazamiento", "Emplazamiento")};
        d.sortFields = sortOf(d.selFields);
        d.infoList = infoOf(d.selFields);
        d.listEntries = d.selFields;
        d.listEntries << item("Imagen", "Imagen");
        r << d;
    }
    {  // Grabacion: its fields are those of the records it links
        RegisterDef d{
            .group = 1,
            .index = 6,
            .global = kGrabacion,
            .name = "Grabacion",
            .table = "Grabacion",
            .tabCaption = "Grabación ",
            .caption = "Grabación",
            .reportPrefix = "Gra",
            .fieldCount = 39,
            .pictureColumn = "",
            .valueBoxLength = 75,
            .fieldPrompt = kPrompt14,
        };
        d.fields = {
            {.column = "CompositorId", .kind = K::Link, .maxLength = 0, .identifier = false},
            {.column = "ObraId", .kind = K::Link, .maxLength = 0, .identifier = false},
            {.column = "SoporteId", .kind = K::Link, .maxLength = 0, .identifier = true},
            notes()};
        const int C = 0, O = 1, Q = 2, D = 3, I = 4, S = 5, G = 6;
        d.selFields = {item("COM Nombre", "Nombre", false, 0, C),
                       item("COM Apellidos", "Apellidos", false, 0, C),
                       item("COM Fecha 1", "Fecha1", true, 0, C),
                       item("COM Fecha 2", "Fecha2", true, 0, C),
                       item("OBR Obra", "Nombre", false, 0, O),
                       item("OBR  Nº", "Numero", false, 0, O),
                       item("OBR Tonalidad", "Tonalidad", false, 0, O),
                       item("OBR Opus", "Opus", false, 0, O),
                       item("OBR Nº de Opus", "NumeroOpus", false, 0, O),
                       item("OBR Catálogo", "Catalogo", false, 0, O),
                       item("OBR Nº de Catálogo", "NumeroCatalogo", false, 0, O),
                       item("OBR Fecha 1", "Fecha1", true, 0, O),
                       item("OBR Fecha 2", "Fecha2", true, 0, O),
                       item("OBR Subtítulo", "Subtitulo", false, 0, O),
                       item("OBR Movimientos", "Movimientos", false, 0, O),
                       item("OBR Tiempo Total", "TiempoTotal", true, 0, O),
                       item("OBR Nº de Mov", "NumeroMovimientos", true, 0, O),
                       item("ORQ Orq-Gru-Cor", "Nombre", false, 0, Q),
                       item("DIR Nombre", "Nombre", false, 0, D),
                       item("DIR Apellidos", "Apellidos", false, 0, D),
                       item("INT Nombre", "Nombre", false, 0, I),
                       item("INT Apellidos", "Apellidos", false, 0, I),
                       item("INT Instrumento - Voz", "Instrumento", false, 0, I),
                       item("SOP Discográfica", "Discografica", false, 0, S),
                       item("SOP Nº de Catálogo", "NumeroCatalogo", false, 0, S),
                       item("SOP Colección", "Coleccion", false, 0, S),
                       item("SOP Nº-Referencia", "NumeroReferencia", false, 0, S),
                       item("SOP Formato", "Formato", false, 0, S),
                       item("SOP Grabación", "Grabacion", false, 0, S),
                       item("SOP ( P )", "Recopilacion", false, 0, S),
                       item("SOP ( C )", "Edicion", false, 0, S),
                       item("SOP Emplazamiento", "Emplazamiento", false, 0, S),
                       item("GRA Notas", "Notas", false, 0, G)};
        // Its only order is that of entry; the column stands for it and is never sorted on.
        d.sortFields = {item("Campo", "Id")};
        QStringList info;
        for (const VocabItem& v : d.selFields) info << v.caption;
        info.removeAt(18);  // DIR Nombre, DIR Apellidos
        info[18] = QStringLiteral("DIR Nom+Ape");
        info.removeAt(19);  // INT Nombre, Apellidos, Instrumento
        info.removeAt(19);
        info[19] = QStringLiteral("INT Nom+Ape+Ins");
        info.insert(info.indexOf(QStringLiteral("SOP Emplazamiento")) + 1,
                    QStringLiteral("SOP Imagen"));
        d.infoList = info;
        d.listEntries = d.selFields;
        d.listEntries[22].caption = QStringLiteral("INT Instrumen-Voz");
        d.listEntries << item("SOP Imagen", "Imagen", false, 0, S);
        r << d;
    }
    {  // Instrumento
        RegisterDef d{
            .group = 2,
            .index = 0,
            .global = kInstrumento,
            .name = "Instrumento",
            .table = "Instrumento",
            .tabCaption = "Instrumento ",
            .caption = "Instrumento",
            .reportPrefix = "Ins",
            .fieldCount = 7,
            .pictureColumn = "Imagen",
            .valueBoxLength = 50,
            .fieldPrompt = kPrompt14,
        };
        d.fields = {text("Instrumento", 50, true),
                    text("Constructor", 50),
                    text("Modelo", 50),
                    {.column = "Siglo", .kind = K::Century, .maxLength = 2, .identifier = false},
                    year("Fecha"),
                    notes(),
                    picture()};
        d.boxes = {box("TxtInstrumento", "Instrumento", 50, "Instrumento", true),
                   box("TxtConstructor", "Constructor", 50, "Constructor"),
                   box("TxtModelo", "Modelo - Tipo", 50, "Modelo"),
                   yearBox("TxtSiglo", "Siglo", "Siglo", 2), yearBox("TxtFecha", "Fecha", "Fecha")};
        d.nameParts = {"TxtInstrumento", "TxtConstructor"};
        d.selFields = {item("Instrumento", "Instrumento"), item("Constructor", "Constructor"),
                       item("Modelo - Tipo", "Modelo"),    item("Siglo", "Siglo", true),
                       item("Fecha", "Fecha", true),       item("Notas", "Notas")};
        d.sortFields = sortOf(d.selFields);
        d.infoList = infoOf(d.selFields);
        d.listEntries = d.selFields;
        d.listEntries << item("Imagen", "Imagen");
        r << d;
    }
    // Agrupacion, Evento, Escenario share one shape.
    auto place = [&](int idx, int global, const char* name, const char* caption,
                     const char* prefix) {
        RegisterDef d{
            .group = 2,
            .index = idx,
            .global = global,
            .name = name,
            .table = name,
            .tabCaption = QString::fromUtf8(caption) + " ",
            .caption = QString::fromUtf8(caption),
            .reportPrefix = prefix,
            .fieldCount = 7,
            .pictureColumn = "Imagen",
            .valueBoxLength = 75,
            .fieldPrompt = kPrompt14,
        };
        QByteArray first = QByteArray(name == QLatin1String("Agrupacion") ? "Entidad" : name);
        d.fields = {text(first.constData(), 75, true),
                    text("Ciudad", 75),
                    text("Pais", 50),
                    year("Fecha"),
                    text("Actividad", 75),
                    notes(),
                    picture()};
        QByteArray control = "Txt" + first;
        d.boxes = {box(control.constData(), first.constData(), 75, first.constData(), true),
                   box("TxtCiudad", "Ciudad", 75, "Ciudad"), box("TxtPais", "País", 50, "Pais"),
                   yearBox("TxtFecha", "Fecha", "Fecha"),
                   box("TxtActividad", "Actividad", 75, "Actividad")};
        d.nameParts = {QString::fromLatin1(control)};
        d.selFields = {item(first.constData(), first.constData()),
                       item("Ciudad", "Ciudad"),
                       item("País", "Pais"),
                       item("Fecha", "Fecha", true),
                       item("Actividad", "Actividad"),
                       item("Notas", "Notas")};
        d.sortFields = sortOf(d.selFields);
        d.infoList = infoOf(d.selFields);
        d.listEntries = d.selFields;
        d.listEntries << item("Imagen", "Imagen");
        return d;
    };
    r << place(1, kAgrupacion, "Agrupacion", "Agrupación", "Agr");
    r << place(2, kEvento, "Evento", "Evento", "Eve");
    r << place(3, kEscenario, "Escenario", "Escenario", "Esc");
    {  // Publicacion
        RegisterDef d{
            .group = 2,
            .index = 4,
            .global = kPublicacion,
            .name = "Publicacion",
            .table = "Publicacion",
            .tabCaption = "Publicación - Vídeo ",
            .caption = "Publicación - Vídeo",
            .reportPrefix = "Pub",
            .fieldCount = 10,
            .pictureColumn = "Imagen",
            .valueBoxLength = 75,
            .fieldPrompt = kPrompt14,
        };
        d.fields = {text("Titulo", 75, true),
                    text("Autor", 75),
                    text("Formato", 30),
                    text("Tema", 35),
                    text("ISBN", 75),
                    text("Editorial", 50),
                    year("Fecha"),
                    notes(),
                    text("Emplazamiento", 50),
                    picture()};
        d.boxes = {box("TxtTitulo", "Título", 75, "Titulo", true),
                   box("TxtAutor", "Autor", 75, "Autor"),
                   box("TxtFormato", "Formato", 30, "Formato"),
                   box("TxtTema", "Tema", 35, "Tema"),
                   box("TxtISBN", "Id. - ISBN", 75, "ISBN"),
                   box("TxtEditorial", "Editorial", 50, "Editorial"),
                   yearBox("TxtFecha", "Fecha", "Fecha"),
                   box("TxtEmplazamiento", "Emplazamiento", 50, "Emplazamiento")};
        d.nameParts = {"TxtTitulo"};
        d.selFields = {item("Título", "Titulo"),
                       item("Autor", "Autor"),
                       item("Formato", "Formato"),
                       item("Tema", "Tema"),
                       item("Id. - ISBN", "ISBN"),
                       item("Editorial", "Editorial"),
                       item("Fecha", "Fecha", true),
                       item("Notas", "Notas"),
                       item("Emplazamiento", "Emplazamiento")};
        d.sortFields = sortOf(d.selFields);
        d.infoList = infoOf(d.selFields);
        d.listEntries = d.selFields;
        d.listEntries << item("Imagen", "Imagen");
        r << d;
    }
    {  // Emisora
        RegisterDef d{
            .group = 2,
            .index = 5,
            .global = kEmisora,
            .name = "Emisora",
            .table = "Emisora",
            .tabCaption = "Emisora ",
            .caption = "Emisora",
            .reportPrefix = "Emi",
            .fieldCount = 8,
            .pictureColumn = "Imagen",
            .valueBoxLength = 75,
            .fieldPrompt = kPrompt14,
        };
        d.fields = {
            text("Emisora", 75, true), text("Medio", 25), text("Pais", 50), text("Zona", 75),
            text("Frecuencia", 30),    year("Fecha"),     notes(),          picture()};
        d.boxes = {box("TxtEmisora", "Emisora", 75, "Emisora", true),
                   box("TxtMedio", "Medio", 25, "Medio"),
                   box("TxtPais", "País", 50, "Pais"),
                   box("TxtZona", "Zona", 75, "Zona"),
                   box("TxtFrecuencia", "Frecuencia", 30, "Frecuencia"),
                   yearBox("TxtFecha", "Fecha", "Fecha")};
        d.nameParts = {"TxtEmisora"};
        d.selFields = {item("Emisora", "Emisora"),
                       item("Medio", "Medio"),
                       item("País", "Pais"),
                       item("Zona", "Zona"),
                       item("Frecuencia", "Frecuencia"),
                       item("Fecha", "Fecha", true),
                       item("Notas", "Notas")};
        d.sortFields = sortOf(d.selFields);
        d.infoList = infoOf(d.selFields);
        d.infoList[6] = QStringLiteral("Notas ");
        d.listEntries = d.selFields;
        d.listEntries << item("Imagen", "Imagen");
        r << d;
    }
    {  // Internet
        RegisterDef d{
            .group = 2,
            .index = 6,
            .global = kInternet,
            .name = "Internet",
            .table = "Internet",
            .tabCaption = "http://www. ",
            .caption = "http://www.",
            .reportPrefix = "Inte",
            .fieldCount = 7,
            .pictureColumn = "Imagen",
            .valueBoxLength = 75,
            .fieldPrompt = kPrompt13,
        };
        d.fields = {text("Titulo", 75, true),
                    text("Url", 75),
                    text("EMail", 75),
                    text("Tema", 75),
                    year("Fecha"),
                    notes(),
                    picture()};
        d.boxes = {box("TxtTitulo", "Título", 75, "Titulo", true), box("TxtUrl", "URL", 75, "Url"),
                   box("TxtEMail", "E-Mail", 75, "EMail"), box("TxtTema", "Tema", 75, "Tema"),
                   yearBox("TxtFecha", "Fecha", "Fecha")};
        d.nameParts = {"TxtTitulo"};
        d.selFields = {item("Título", "Titulo"),     item("URL", "Url"),
                       item("E-Mail", "EMail"),      item("Tema", "Tema"),
                       item("Fecha", "Fecha", true), item("Notas", "Notas")};
        d.sortFields = sortOf(d.selFields);
        d.infoList = infoOf(d.selFields);
        d.listEntries = d.selFields;
        d.listEntries << item("Imagen", "Imagen");
        r << d;
    }
    return r;
}

}  // namespace

const QVector<RegisterDef>& all() {
    static const QVector<RegisterDef> table = build();
    return table;
}

const RegisterDef& at(int global) {
    return all().at(global);
}

const RegisterDef& of(int group, int index) {
    return all().at((group - 1) * 7 + index);
}

const RegisterDef* byTable(const QString& table) {
    for (const RegisterDef& d : all())
        if (d.table.compare(table, Qt::CaseInsensitive) == 0) return &d;
    return nullptr;
}

const FieldDef* findField(const QString& table, const QString& column) {
    const RegisterDef* d = byTable(table);
    return d ? d->field(column) : nullptr;
}

int screenNumber(int global, int op) {
    const RegisterDef& d = at(global);
    return (d.group == 1 ? 1 : 29) + 7 * op + d.index;
}

const QVector<Criterion>& criteria() {
    static const QVector<Criterion> c = {{"Es Igual a", " = ", false},
                                         {"Contiene", " LIKE ", true},
                                         {"No contiene", " NOT LIKE ", true},
                                         {"Es Menor que", " < ", false},
                                         {"Es Mayor que", " > ", false}};
    return c;
}

const QVector<SortDirection>& sortDirections() {
    static const QVector<SortDirection> s = {
        {"Ascendente", " ASC"}, {"Descendente", " DESC"}, {QString::fromUtf8("Histórico"), "Nada"}};
    return s;
}

const QVector<SortDirection>& sortDirectionsOf(int global) {
    static const QVector<SortDirection> historico = {sortDirections().last()};
    return global == kGrabacion ? historico : sortDirections();
}

}  // namespace registers

const FieldDef* RegisterDef::field(const QString& column) const {
    for (const FieldDef& f : fields)
        if (f.column.compare(column, Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

QStringList RegisterDef::nameColumns() const {
    QStringList out;
    for (const QString& control : nameParts)
        for (const BoxDef& b : boxes)
            if (b.control == control) out << b.column;
    if (out.isEmpty()) out = identifierColumns();
    return out;
}

QStringList RegisterDef::identifierColumns() const {
    QStringList out;
    for (const FieldDef& f : fields)
        if (f.identifier) out << f.column;
    return out;
}

QString RegisterDef::spokenCaption(const BoxDef& box) const {
    const auto sharing = std::count_if(boxes.begin(), boxes.end(),
                                       [&](const BoxDef& b) { return b.caption == box.caption; });
    if (sharing > 1)
        for (const VocabItem& v : selFields)
            if (v.column == box.column) return v.caption.simplified();
    return box.caption;
}
