#include "store/data_hub.h"

#include <QImageReader>

#include "shell/windowing/context.h"

FormBasesDatos::FormBasesDatos(Context& ctx) : ctx_(ctx) {}

void FormBasesDatos::LoadMessages() {
    // 1. Message table and label texts.
    MensaIntroducirIDentificador = QStringLiteral("Debe introducir un IDENTIFICADOR.");
    MensaProducidoError = QStringLiteral("Se ha producido el ERROR: ");
    MensaGrabadoBien = QStringLiteral("Se ha GUARDADO correctamente el Registro.");
    MensaSeleccionActual = QString::fromUtf8("La 'Selección Actual' de:");
    MensaNoMuestra =
        QStringLiteral("NO MUESTRA TODOS los registros y debe cerrarse para continuar.");
    MensaNoElegidoReg = QStringLiteral("No ha elegido un registro.");
    MensaMax20Filtros = QString::fromUtf8("Máximo 20 Filtros.");
    MensaMax150Movimientos = QString::fromUtf8("Máximo 150 Movimientos.");
    MensaError3360 = QStringLiteral("Complejidad Excesiva.");
    MensaMaxConjuntoOrquestas =
        QString::fromUtf8("Máximo 10 Orquestas-Grupos-Coros en el Conjunto.");
    MensaMaxConjuntoDirectores = QString::fromUtf8("Máximo 10 Directores en el Conjunto.");
    MensaMaxConjuntoInterpretes = QString::fromUtf8("Máximo 100 Intérpretes en el Conjunto.");
    MensaRegistroEnUso = QString::fromUtf8(
        "No se puede eliminar el Registro: lo usa %1 Grabación(es). Elimine antes esas "
        "Grabaciones.");
    MensaCompactacionFallida =
        QString::fromUtf8("No se pudo COMPACTAR la Base de Datos; el archivo queda como estaba.");
    MensaCompactando = QString::fromUtf8("Compactando la Base de Datos...");
    MensaCompactacionCancelada =
        QString::fromUtf8("No se ha COMPACTADO la Base de Datos; el archivo queda como estaba.");
    // %1: the engine's words naming the damage.
    MensaCompactacionDanada = QString::fromUtf8(
        "La Base de Datos está dañada (%1); no se ha COMPACTADO y el archivo queda como estaba.");
    MensaImpresionFallida = QString::fromUtf8(
        "No se ha podido IMPRIMIR: la impresora o el archivo no admiten la salida.");
    MensaSeleccionando = QString::fromUtf8("Seleccionando los Registros...");
    // The one-time upgrade of a catalogue of an older version at start-up.
    MensaActualizando =
        QString::fromUtf8("Actualizando la Base de Datos a esta versión de Ormelia...");
    // %1: the catalogue's path.
    MensaActualizacionCancelada = QString::fromUtf8(
        "Actualización cancelada: la Base de Datos %1 queda como estaba. Ormelia necesita "
        "actualizarla para abrirla.");
    MensaImprimiendo = QString::fromUtf8("Imprimiendo los Registros...");
    MensaExportarNada = QString::fromUtf8(
        "No hay nada que EXPORTAR: la Selección no tiene Registros o no ha elegido ningún Campo.");
    // %1: the file's path.
    MensaExportacionFallida = QString::fromUtf8(
        "No se ha podido EXPORTAR: no se puede escribir el archivo\r%1\rNo se ha escrito nada.");
    // %1: records, %2: the file's path.
    MensaExportado = QString::fromUtf8("Se han EXPORTADO %1 Registros al archivo:\r%2");
    // %1: the file's path (in the next four).
    MensaImportarIlegible =
        QString::fromUtf8("No se ha podido leer el archivo\r%1\rNo se ha IMPORTADO nada.");
    MensaImportarVacio = QString::fromUtf8("El archivo\r%1\restá vacío: no hay nada que IMPORTAR.");
    MensaImportarNoTexto = QString::fromUtf8(
        "El archivo\r%1\rno es un archivo de texto CSV. No se ha IMPORTADO nada.");
    // %2: the register, %3: the captions it takes.
    MensaImportarSinColumnas = QString::fromUtf8(
        "Ninguna columna del archivo\r%1\rcorresponde a un Campo de %2. La primera línea debe "
        "tener los nombres de los Campos: %3.\rNo se ha IMPORTADO nada.");
    // %1: the engine's error number.
    MensaImportarFallida = QString::fromUtf8(
        "No se ha podido IMPORTAR: se ha producido el ERROR %1. No se ha añadido ningún "
        "Registro.");
    // %1: records added.
    MensaImportado = QString::fromUtf8("Se han IMPORTADO %1 Registros.");
    MensaImportarCancelado =
        QString::fromUtf8("Se ha cancelado la IMPORTACIÓN: no se ha añadido ningún Registro.");
    MensaImportando = QString::fromUtf8("Importando los Registros...");
    // %1: records the undo deletes.
    MensaDeshacerImportacion =
        QString::fromUtf8("¿Eliminar los %1 Registros de la última IMPORTACIÓN?");
    // %1: the copies folder, %2: the error number, %3: the engine's or system's words.
    MensaCopiaFallida = QString::fromUtf8(
        "No se ha podido hacer la COPIA de seguridad en\r%1\r(ERROR %2: %3).\rLa Base de Datos "
        "queda como estaba.");
    // %1: date, %2: time, %3: the copy's file.
    MensaRecuperarAlArrancar = QString::fromUtf8(
        "La COPIA de seguridad más reciente es del %1 a las %2:\r%3\r¿RECUPERAR esa copia? La "
        "Base de Datos actual se guarda antes entre las copias.");
    // %1: date, %2: time.
    MensaRecuperarPregunta = QString::fromUtf8(
        "¿RECUPERAR la COPIA de seguridad del %1 a las %2?\rLa Base de Datos actual se guarda "
        "antes como una copia más, así que se puede volver a ella.");
    // %1: date, %2: time, %3: pictures put back.
    MensaRecuperada = QString::fromUtf8(
        "Se ha RECUPERADO la COPIA de seguridad del %1 a las %2.\rSe han repuesto %3 imágenes "
        "que faltaban.");
    // %1: the error number, %2: the engine's or system's words.
    MensaRecuperacionFallida = QString::fromUtf8(
        "No se ha podido RECUPERAR la COPIA de seguridad (ERROR %1: %2).\rLa Base de Datos queda "
        "como estaba.");
    // %1: the second folder.
    MensaSegundaNoDisponible = QString::fromUtf8(
        "No se ha hecho la COPIA en la segunda carpeta\r%1\rporque no está disponible. La copia "
        "junto a la Base de Datos sí se ha hecho.");
    EtiSegundaCarpeta = QStringLiteral("Segunda carpeta: %1");
    EtiSegundaNinguna = QString::fromUtf8(
        "Segunda carpeta: ninguna (las copias se hacen sólo junto a la Base de Datos)");
    EtiSegundaElegir = QStringLiteral("Segunda carpeta...");
    EtiSegundaAyuda = QString::fromUtf8(
        "Otra carpeta (otro disco, una memoria USB, una carpeta sincronizada) donde se hace "
        "también cada copia");
    EtiSegundaQuitar = QStringLiteral("Quitar");
    EtiSegundaQuitarAyuda =
        QString::fromUtf8("Dejar de hacer las copias también en la segunda carpeta");
    EtiSegundaTitulo = QStringLiteral("Segunda carpeta de las Copias");
    EtiCopias = QStringLiteral("Copias...");
    EtiCopiasAyuda = QString::fromUtf8("Copias de seguridad de la Base de Datos y de sus imágenes");
    EtiCopiasTitulo = QStringLiteral("Copias de Seguridad");
    EtiCopiasCarpeta = QString::fromUtf8("Copias en la carpeta: %1");
    EtiCopiasNinguna = QString::fromUtf8(
        "Todavía no hay ninguna copia: se hace una al salir del programa tras cualquier cambio.");
    EtiCopiasFecha = QStringLiteral("Fecha");
    EtiCopiasHora = QStringLiteral("Hora");
    EtiCopiasRegistros = QStringLiteral("Registros");
    EtiCopiasRegistro = QStringLiteral("Base de Datos");
    EtiRecuperar = QStringLiteral("Recuperar");
    EtiRecuperarAyuda = QString::fromUtf8(
        "Poner la copia elegida en lugar de la Base de Datos actual, con sus imágenes");
    // %1: pictures found, %2: pictures still missing.
    MensaImagenesBuscadas =
        QString::fromUtf8("Se han encontrado %1 imágenes; %2 siguen sin encontrarse.");
    EtiImagenes = QString::fromUtf8("Imágenes...");
    EtiImagenesAyuda = QString::fromUtf8(
        "Las Imágenes de los Registros: cuántas hay, cuáles no se encuentran y dónde buscarlas");
    EtiImagenesTitulo = QString::fromUtf8("Imágenes de la Base de Datos");
    EtiImagenesCon = QString::fromUtf8("Con Imagen");
    EtiImagenesFaltan = QString::fromUtf8("No se encuentran");
    EtiImagenesRegistro = QStringLiteral("Registro");
    EtiImagenesRuta = QStringLiteral("Imagen guardada");
    // %1: how many.
    EtiImagenesListaFaltan = QString::fromUtf8("Imágenes que no se encuentran: %1");
    EtiImagenesBuscar = QStringLiteral("Buscar en una carpeta...");
    EtiImagenesBuscarAyuda = QString::fromUtf8(
        "Buscar en una carpeta y sus subcarpetas un archivo del mismo nombre para cada Imagen que "
        "no se encuentra");
    EtiImagenesBuscarTitulo = QString::fromUtf8("Carpeta donde buscar las Imágenes");
    EtiDeshacer = QStringLiteral("Deshacer");
    EtiImagenesDeshacerAyuda =
        QString::fromUtf8("Devolver a las Imágenes de la última búsqueda su ruta anterior");
    EtiAmpliar = QStringLiteral("Ampliar");
    EtiReducir = QStringLiteral("Reducir");
    EtiCancelar = QStringLiteral("Cancelar");
    EtiIdentificador = QStringLiteral("Identificador");
    EtiNumero = QString::fromUtf8("Nº");
    EtiEn = QStringLiteral("en");
    EtiInsertarImagen = QStringLiteral("Insertar Imagen");
    EtiFormatoImagen = pictureFilter();
    EtiAnadir = QString::fromUtf8("Añadir");
    EtiModificar = QStringLiteral("Modificar");
    EtiNumerico = QString::fromUtf8("Numérico");
    EtiNotasCortadas = QString::fromUtf8(
        "Las Notas guardadas tienen %1 caracteres; se muestran los primeros %2. Se conservan "
        "enteras mientras no se modifiquen.");
    EtiImagenesConjunto = QString::fromUtf8("Imágenes del Conjunto: %1");
    EtiCerrar = QStringLiteral("Cerrar");
    EtiExportar = QStringLiteral("Exportar");
    EtiExportarAyuda = QStringLiteral("Exportar los Registros a un archivo CSV");
    EtiExportarTitulo = QStringLiteral("Exportar los Registros");
    EtiFormatoCsv = QStringLiteral("CSV (*.csv)|*.csv");
    EtiImportar = QStringLiteral("Importar");
    EtiImportarAyuda = QStringLiteral("Importar Registros de un archivo CSV");
    EtiImportarTitulo = QStringLiteral("Importar los Registros");
    EtiFormatoCsvAbrir =
        QString::fromUtf8("CSV (*.csv, *.txt)|*.csv;*.txt|Todos los archivos (*.*)|*.*");
    EtiAceptar = QStringLiteral("Aceptar");
    EtiImportarArchivo = QStringLiteral("Archivo: %1");
    // %1: rows accepted, %2: rows read.
    EtiImportarAnadir = QString::fromUtf8("Se añadirán %1 Registros de las %2 filas del archivo.");
    EtiImportarRechazadas = QString::fromUtf8("Filas rechazadas (%1), que no se añadirán:");
    EtiImportarNingunaRechazada = QString::fromUtf8("No se rechaza ninguna fila.");
    EtiImportarIgnoradas = QString::fromUtf8("Columnas que no se importan: %1");
    EtiImportarLinea = QString::fromUtf8("Línea %1: %2");
    EtiImagen = QStringLiteral("Imagen");
    EtiSinImagen = QStringLiteral("Sin imagen");
    EtiPaginas = QString::fromUtf8("Página a página");
    EtiMovimiento = QStringLiteral("Movimiento");
    EtiHoras = QStringLiteral("Horas");
    EtiMinutos = QStringLiteral("Minutos");
    EtiSegundos = QStringLiteral("Segundos");
    // %1: cells of the row, %2: cells of the header.
    MotivoCampos = QString::fromUtf8("La fila tiene %1 campos y la primera línea %2.");
    MotivoComillas = QString::fromUtf8("Unas comillas no se cierran hasta el final del archivo.");
    // %1: the field's caption, %2: characters it holds, %3: characters it takes.
    MotivoLargo = QString::fromUtf8("«%1» tiene %2 caracteres y admite %3.");
    MotivoSaltoLinea = QString::fromUtf8("«%1» no admite saltos de línea.");
    // %2: the value refused (also in the next two).
    MotivoNumero = QString::fromUtf8("«%1» debe ser un número entero: «%2».");
    MotivoTipo = QString::fromUtf8("«%1» debe ser Orquesta, Grupo o Coro (o 1, 2, 3): «%2».");
    MotivoDuracion = QString::fromUtf8("«%1» debe ser una duración h:mm:ss: «%2».");
    MotivoAlmohadilla = QString::fromUtf8("«%1» no admite el carácter «#».");
    // %1: the durations' caption, %2: the movements' caption, %3: how many movements.
    MotivoDuraciones =
        QString::fromUtf8("«%1» debe tener una línea por cada movimiento de «%2» (%3).");
    // %1: the total's caption, %2: its value, %3: the durations' caption, %4: their sum.
    MotivoTiempoTotal = QString::fromUtf8("«%1» (%2) no es la suma de «%3» (%4).");
    // The search of the whole catalogue and the duplicate checks. %1: the label of the record
    // already stored.
    MensaRegistroIgual =
        QString::fromUtf8("Ya existe un Registro igual: %1.\r\r¿Desea GUARDARLO de todos modos?");
    MensaBuscando = QString::fromUtf8("Buscando en el Catálogo...");
    MensaBuscandoDuplicados = QString::fromUtf8("Buscando los Registros repetidos...");
    EtiBuscar = QStringLiteral("Buscar...");
    EtiBuscarAyuda = QString::fromUtf8("Buscar palabras en todos los Registros (Ctrl+F)");
    EtiBuscarTitulo = QString::fromUtf8("Buscar en el Catálogo");
    EtiBuscarPalabras = QString::fromUtf8("Palabras:");
    // %1: records found.
    EtiBuscarResultados = QString::fromUtf8("%1 Registros encontrados");
    EtiBuscarMas = QString::fromUtf8("... y %1 Registros más, que no se muestran.");
    EtiBuscarNinguno = QString::fromUtf8("Ningún Registro tiene todas esas palabras.");
    EtiBuscarColumnas = QString::fromUtf8("Registro|Nombre|Campo");
    EtiDuplicados = QStringLiteral("Duplicados...");
    EtiDuplicadosAyuda = QString::fromUtf8("Los Registros con el mismo nombre");
    EtiDuplicadosTitulo = QString::fromUtf8("Registros Duplicados");
    EtiDuplicadosNinguno = QString::fromUtf8("No hay Registros repetidos.");
    EtiDuplicadosColumnas = QString::fromUtf8("Registro|Nombre|Registros");
    EtiImportarRepetidas = QString::fromUtf8("Añadir también las repetidas");
    // %1: rows that repeat a record.
    EtiImportarListaRepetidas = QString::fromUtf8("Filas repetidas (%1), que no se añadirán:");
    MotivoEnCatalogo = QString::fromUtf8("ya está en el catálogo");
    MotivoRepetidaArchivo = QString::fromUtf8("repetida en el archivo");
}

void FormBasesDatos::Load() {
    LoadMessages();

    // 2-7. Data controls on the catalogue, counters from the tables, memos at their start.
    const QString file = ctx_.PathBaseDatos + QStringLiteral("/DataOrmelia.mdb");
    for (int i = 0; i < registers::kCount; ++i) {
        RegisterState& s = reg[i];
        s = RegisterState();
        s.CamposListados = QVector<bool>(registers::at(i).listEntries.size(), false);
        DataControl& d = Data[i];
        d.DatabaseName = file;
        d.RecordSource = registers::at(i).table;
        d.Refresh();
        Recordset& rs = d.recordset();
        if (rs.RecordCount() != 0) {
            rs.MoveLast();
            s.Cont = qint32(rs.RecordCount());
            rs.MoveFirst();
        } else {
            s.Cont = 0;
        }
        s.ContSel = s.Cont;
    }
    MemoCompRedAmp = MemoObraRedAmp = MemoDirRedAmp = MemoOrqRedAmp = MemoIntRedAmp =
        MemoSopRedAmp = MemoGraRedAmp = MemoAnaObraAmpRed = MemoMosObraAmpRed = false;
    hub2 = FormBasesDatos2();
    MemoAnaGraCompositorPosicion = -1;
    MemoAnaGraLink.fill(0);
    ConjuntoOrquesta.clear();
    ConjuntoDirector.clear();
    ConjuntoInterprete.clear();
}

bool& FormBasesDatos::RedAmp(int global) {
    switch (global) {
        case registers::kCompositor:
            return MemoCompRedAmp;
        case registers::kObra:
            return MemoObraRedAmp;
        case registers::kOrquesta:
            return MemoOrqRedAmp;
        case registers::kDirector:
            return MemoDirRedAmp;
        case registers::kInterprete:
            return MemoIntRedAmp;
        case registers::kSoporte:
            return MemoSopRedAmp;
        case registers::kGrabacion:
            return MemoGraRedAmp;
        case registers::kInstrumento:
            return hub2.MemoInsRedAmp;
        case registers::kAgrupacion:
            return hub2.MemoAgrRedAmp;
        case registers::kEvento:
            return hub2.MemoEveRedAmp;
        case registers::kEscenario:
            return hub2.MemoEscRedAmp;
        case registers::kPublicacion:
            return hub2.MemoPubRedAmp;
        case registers::kEmisora:
            return hub2.MemoEmiRedAmp;
        default:
            return hub2.MemoIntRedAmp;
    }
}

QString FormBasesDatos::field(int global, const QString& column) const {
    return Data[global].recordset().Field(column);
}

QString FormBasesDatos::pictureFilter() {
    // Every kind of picture the reader takes: JPEG's names first, then GIF, BMP and PNG, then the
    // others in order. A JPEG file is read by its contents, whatever its name ends with.
    QStringList formats;
    for (const QByteArray& f : QImageReader::supportedImageFormats())
        formats << QString::fromLatin1(f).toLower();
    QStringList patterns;
    auto take = [&](const QString& f) {
        if (!patterns.contains(QStringLiteral("*.") + f)) patterns << QStringLiteral("*.") + f;
    };
    for (const char* f : {"jpg", "jpeg", "gif", "bmp", "png"}) {
        if (!formats.contains(QLatin1String(f))) continue;
        take(QLatin1String(f));
        if (QLatin1String(f) == QLatin1String("jpeg"))
            for (const char* alias : {"jpe", "jfif"}) take(QLatin1String(alias));
    }
    formats.sort();
    for (const QString& f : std::as_const(formats)) take(f);
    return QString::fromUtf8("Imágenes (%1)|%2|Todos los archivos (*.*)|*.*")
        .arg(patterns.join(QStringLiteral(", ")), patterns.join(QLatin1Char(';')));
}

void FormBasesDatos::resetSelection(int global) {
    RegisterState& s = reg[global];
    s.ContSel = s.Cont;
    s.ContFil = 0;
    s.MemoSelCampoOrden = -1;
    s.MemoSelCriterioOrden = -1;
    s.MemoSelLista.clear();
    s.MemoSelNT = 2;
    s.MemoSelOpcionSQL.clear();
    s.MemoSelValorFiltro.clear();
    s.SelRecordSource.clear();
    s.SelValorFiltro.clear();
    s.SelLista.clear();
}

QString FormBasesDatos::wholeTable(int global) {
    return QStringLiteral("SELECT * FROM ") + registers::at(global).table + QLatin1Char(' ');
}

void FormBasesDatos::close() {
    for (DataControl& d : Data) d.close();
}
