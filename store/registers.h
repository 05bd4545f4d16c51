#pragma once
// The register table: the fourteen record kinds as data. Schema, entry, show, selection and listing
// screens and the report are all built from it.
#include <QString>
#include <QStringList>
#include <QVector>

enum class FieldKind {
    Text,       // single line, maxLength characters
    Year,       // at most 4 digits, stored as a number, 0 shown empty
    Century,    // at most 2 digits, stored as a number
    Notes,      // at most 25,000 characters
    Picture,    // full path of a picture file
    Number,     // a number the screens compute (work duration in seconds, movement count)
    Kind,       // the orchestra kind: 1 orchestra, 2 group, 3 choir
    Movements,  // the work's movement texts, each followed by "#"
    Durations,  // the work's movement durations "h:m:s", each followed by "#"
    Link        // key of a linked record (recordings)
};

struct FieldDef {
    QString column;
    FieldKind kind;
    int maxLength;  // 0: no limit of the screens
    bool identifier;
    bool isNumeric() const {
        return kind == FieldKind::Year || kind == FieldKind::Century || kind == FieldKind::Number ||
               kind == FieldKind::Kind || kind == FieldKind::Link;
    }
};

// A text box of the entry and show screens, in tab order.
struct BoxDef {
    QString control;  // "TxtApellidos"
    QString caption;  // label beside it ("Apellidos")
    int maxLength;
    QString column;  // the field it edits
    bool identifier;
    bool numeric;  // year or century: a non-number empties the box
};

// An item of a selection field list, sort list or listing field list.
struct VocabItem {
    QString caption;
    QString column;
    bool numeric = false;
    int kind = 0;             // Orquesta: 1, 2, 3 restrict to that kind of ensemble
    int sourceRegister = -1;  // recordings: the linked register (0-5) or 6 for the recording
};

// Set with designated initialisers; the lists left out start empty and are filled after.
struct RegisterDef {
    int group;             // 1 or 2
    int index;             // 0-6 within the group, the tab order
    int global;            // 0-13
    QString name;          // form-name part: "Compositor", "Interprete"
    QString table;         // table name
    QString tabCaption;    // "Compositor "
    QString caption;       // "Orquesta - Grupo": selection register label and report row
    QString reportPrefix;  // "Com", "Obra", ...
    int fieldCount;
    QVector<FieldDef> fields{};  // table columns after Id, in order
    QVector<BoxDef> boxes{};     // entry-screen text boxes in tab order
    QStringList nameParts{};     // controls whose texts, joined by one blank, make the name label
    QString pictureColumn;
    // selection
    int valueBoxLength;
    QString fieldPrompt;  // "              CAMPO"
    QVector<VocabItem> selFields{};
    QVector<VocabItem> sortFields{};
    QStringList infoList{};  // List2
    // listing
    QVector<VocabItem> listEntries{};  // the last one is the picture entry

    QString formName(const char* op) const {  // op: "Ana", "Sel", "Mos", "Lis"
        return QStringLiteral("FormReg%1%2%3").arg(group).arg(QLatin1String(op), name);
    }
    QString loadName(const char* op) const { return formName(op).mid(4).prepend("Carga"); }
    const FieldDef* field(const QString& column) const;
    QStringList identifierColumns() const;
    // What a screen reader says for a text box: its caption, or, where boxes share one ("Fechas",
    // "Nº"), its field's caption in the selection list ("Fecha 2", "Nº de Opus").
    QString spokenCaption(const BoxDef& box) const;
    // The columns of the name label (nameParts' boxes), or the identifiers when it has none.
    QStringList nameColumns() const;
};

namespace registers {

inline constexpr int kCount = 14;
inline constexpr int kCompositor = 0, kObra = 1, kOrquesta = 2, kDirector = 3, kInterprete = 4,
                     kSoporte = 5, kGrabacion = 6, kInstrumento = 7, kAgrupacion = 8, kEvento = 9,
                     kEscenario = 10, kPublicacion = 11, kEmisora = 12, kInternet = 13;
inline constexpr int kNotesMax = 25000;
// A work's movements: how many, and the characters of each one's text.
inline constexpr int kMaxMovements = 150, kMovementMax = 75;
inline constexpr int kTotalFields = 143;

const QVector<RegisterDef>& all();
const RegisterDef& at(int global);
// Register of a group (1, 2) and index (0-6).
const RegisterDef& of(int group, int index);
const RegisterDef* byTable(const QString& table);
const FieldDef* findField(const QString& table, const QString& column);

// Screen numbers of a register's four screens (op 0 Añadir, 1 Seleccionar, 2 Mostrar, 3 Listar).
int screenNumber(int global, int op);

// The criterion list of every selection screen.
struct Criterion {
    QString caption;
    QString op;  // operator text
    bool like;
};
const QVector<Criterion>& criteria();
inline const QString kCriterionPrompt = QStringLiteral("            CRITERIO");
struct SortDirection {
    QString caption;
    QString text;  // " ASC", " DESC", "Nada"
};
const QVector<SortDirection>& sortDirections();
// The directions a register's selection offers: all three, or "Histórico" alone for the
// recording, whose records keep their order of entry. "Histórico" is always the last.
const QVector<SortDirection>& sortDirectionsOf(int global);

}  // namespace registers
