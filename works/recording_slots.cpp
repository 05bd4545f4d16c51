#include "works/recording_slots.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "browse/click_label.h"
#include "listing/field_text.h"
#include "shell/windowing/accessible.h"
#include "shell/windowing/context.h"
#include "shell/windowing/look.h"
#include "shell/windowing/picture_box.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/field_rules.h"
#include "store/record_store.h"
#include "store/registers.h"
#include "works/fit_picture.h"
#include "works/recording_fields.h"
#include "works/set_pictures.h"

namespace {

using namespace registers;

// A column's width, that of a grid column at zoom 1 (100 pixels), growing with the zoom.
constexpr float kColumn = 1500;
// The performers' second column, as wide as its title "Instrumento - Voz" needs.
constexpr float kSecondColumn = 1440;

// A cell whose whole text stays readable in its tooltip when the column cuts it.
QTableWidgetItem* wholeText(const QString& text) {
    auto* it = new QTableWidgetItem(text);
    it->setToolTip(text);
    return it;
}

constexpr float kRow = 300, kLabelHeight = 255;
constexpr float kRight = 10200;
// Second column of the slots beside the composer's square.
constexpr float kX = 3450;

// A movement duration "h:m:s" as hh:mm:ss.
QString durationOf(const QString& hms) {
    const QStringList p = hms.split(QLatin1Char(':'));
    if (p.size() != 3) return hms;
    return listing::durationText(p[0].toLongLong() * 3600 + p[1].toLongLong() * 60 +
                                 p[2].toLongLong());
}

QStringList items(const QString& stored) {
    QStringList l = stored.split(QLatin1Char('#'));
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
}

QString joined(const QHash<QString, QString>& f, const char* a, const char* b) {
    return f.value(QLatin1String(a)) + QLatin1Char(' ') + f.value(QLatin1String(b));
}

}  // namespace

RecordingSlots::RecordingSlots(Context& ctx, QWidget* screen)
    : QObject(screen), ctx_(ctx), screen_(screen) {
    build();
    for (int g = 0; g < 6; ++g) {
        Slot& s = slot[size_t(g)];
        connect(s.Lab, &ClickLabel::Click, this, [this, g] { emit bringClicked(g); });
        connect(s.BtnEli, &QPushButton::clicked, this, [this, g] { emit removeClicked(g); });
        connect(s.Imagen, &PictureBox::DblClick, this, [this, g] { emit pictureDoubleClicked(g); });
        if (links::setTableOf(g))
            connect(s.table, &QTableWidget::cellDoubleClicked, this,
                    [this, g] { showSetPictures(g); });
    }
}

// ---- Building ----------------------------------------------------------------------------------

void RecordingSlots::build() {
    buildCompositor();
    buildObra();
    buildSet(kOrquesta, kX, 2300);
    buildSet(kDirector, kX + 2400, 1900);
    buildSet(kInterprete, kX + 4400, kRight - (kX + 4400));
    buildSoporte();
}

void RecordingSlots::makeSlot(int g, const QString& caption, const QString& tip,
                              const QString& removeTip, float labLeft, float labTop, float labWidth,
                              float picLeft, float picTop, float side, float btnLeft, float btnTop,
                              float btnWidth) {
    Slot& s = slot[size_t(g)];
    const QString name = at(g).name;
    s.Lab = new ClickLabel(caption, screen_);
    s.Lab->setObjectName(QStringLiteral("Lab") + name);
    s.Lab->setToolTip(tip);
    s.Lab->setCursor(Qt::PointingHandCursor);
    look::setForeColor(s.Lab, look::kAzul);
    twips::place(s.Lab, labLeft, labTop, labWidth, kLabelHeight);
    s.left = picLeft;
    s.top = picTop;
    s.side = side;
    s.ImagenTonta = new PictureBox(screen_, QStringLiteral("ImagenTonta") + name);
    s.ImagenTonta->setStretch(true);
    s.ImagenTonta->setImage(PictureBox::placeholder());
    twips::place(s.ImagenTonta, picLeft, picTop, side, side);
    s.ImagenTonta->hide();
    s.Imagen = new PictureBox(screen_, QStringLiteral("Imagen") + name);
    s.Imagen->setToolTip(QString::fromUtf8("Ir a ") + at(g).caption +
                         QStringLiteral(" (Doble Click)"));
    s.Imagen->setFocusPolicy(Qt::TabFocus);  // Space or Enter go to the record
    showPicture(g, QString());
    s.BtnEli = new QPushButton(QStringLiteral("Eliminar"), screen_);
    s.BtnEli->setObjectName(QStringLiteral("BtnEliIma") + name);
    s.BtnEli->setToolTip(removeTip);
    s.BtnEli->setFocusPolicy(Qt::TabFocus);
    twips::place(s.BtnEli, btnLeft, btnTop, btnWidth, 210);
    s.BtnEli->hide();
}

QLabel* RecordingSlots::value(int g, const QString& part, const QString& column, float left,
                              float top, float width) {
    auto* l = new QLabel(screen_);
    l->setObjectName(QStringLiteral("Lab") + at(g).name + part);
    l->setFrameShape(QFrame::Box);
    look::setBackColor(l, look::kGris);
    twips::place(l, left, top, width, kLabelHeight);
    slot[size_t(g)].labels.push_back({l, column});
    return l;
}

QLabel* RecordingSlots::fixed(const QString& text, float left, float top, float width) {
    QLabel* l = look::caption(screen_, text, left, top, width, kLabelHeight);
    look::setForeColor(l, look::kAzul);
    return l;
}

QTableWidget* RecordingSlots::table(int g, const QString& name, const QStringList& headers,
                                    float left, float top, float width, float height) {
    auto* t = new QTableWidget(0, int(headers.size()), screen_);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < headers.size(); ++c) twips::setColumnWidth(t, c, kColumn);
    if (headers.size() == 2) {
        // The names take what the second column, sized for its title, leaves.
        t->horizontalHeader()->setStretchLastSection(false);
        t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        twips::setColumnWidth(t, 1, kSecondColumn);
    }
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus);
    twips::place(t, left, top, width, height);
    slot[size_t(g)].table = t;
    return t;
}

void RecordingSlots::buildCompositor() {
    makeSlot(kCompositor, QStringLiteral("Compositor"), QStringLiteral("Traer Compositor"),
             QStringLiteral("Eliminar Compositor"), 495, 90, 1935, 495, 390, 1935, 855, 2025, 1215);
    value(kCompositor, QStringLiteral("Nombre"), QStringLiteral("Nombre"), 240, 2430, 2700);
    value(kCompositor, QStringLiteral("Apellidos"), QStringLiteral("Apellidos"), 240, 2760, 2700);
    fixed(QStringLiteral("Fechas"), 240, 3090, 900);
    const QString tip = QString::fromUtf8("Numérico");
    value(kCompositor, QStringLiteral("Fecha1"), QStringLiteral("Fecha1"), 1200, 3090, 870)
        ->setToolTip(tip);
    value(kCompositor, QStringLiteral("Fecha2"), QStringLiteral("Fecha2"), 2130, 3090, 810)
        ->setToolTip(tip);
}

void RecordingSlots::buildObra() {
    const int g = kObra;
    makeSlot(g, QStringLiteral("Obra"), QStringLiteral("Traer Obra"),
             QStringLiteral("Eliminar Obra"), kX, 90, 1200, kX, 390, 1200, kX, 1620, 1200);
    const float x = kX + 1320, w = kRight - x;
    value(g, QStringLiteral("Nombre"), QStringLiteral("Nombre"), x, 90, w);
    fixed(QString::fromUtf8("Nº"), x, 90 + kRow, 300);
    value(g, QStringLiteral("Numero"), QStringLiteral("Numero"), x + 300, 90 + kRow, 900);
    fixed(QStringLiteral("En"), x + 1260, 90 + kRow, 300);
    value(g, QStringLiteral("Tonalidad"), QStringLiteral("Tonalidad"), x + 1560, 90 + kRow, 1500);
    fixed(QStringLiteral("Opus"), x + 3120, 90 + kRow, 480);
    value(g, QStringLiteral("Opus"), QStringLiteral("Opus"), x + 3600, 90 + kRow, 600);
    value(g, QStringLiteral("NumeroOpus"), QStringLiteral("NumeroOpus"), x + 4260, 90 + kRow,
          w - 4260);
    fixed(QString::fromUtf8("Catálogo"), x, 90 + 2 * kRow, 780);
    value(g, QStringLiteral("Catalogo"), QStringLiteral("Catalogo"), x + 780, 90 + 2 * kRow, 900);
    value(g, QStringLiteral("NumeroCatalogo"), QStringLiteral("NumeroCatalogo"), x + 1740,
          90 + 2 * kRow, 1320);
    fixed(QStringLiteral("Fechas"), x + 3120, 90 + 2 * kRow, 600);
    value(g, QStringLiteral("Fecha1"), QStringLiteral("Fecha1"), x + 3720, 90 + 2 * kRow, 600);
    value(g, QStringLiteral("Fecha2"), QStringLiteral("Fecha2"), x + 4380, 90 + 2 * kRow, w - 4380);
    fixed(QString::fromUtf8("Subtítulo"), x, 90 + 3 * kRow, 780);
    value(g, QStringLiteral("Subtitulo"), QStringLiteral("Subtitulo"), x + 780, 90 + 3 * kRow,
          w - 780);
    QLabel* movimientos = fixed(QStringLiteral("Movimientos"), x, 90 + 4 * kRow, 1200);
    value(g, QStringLiteral("NumeroMovimientos"), QStringLiteral("NumeroMovimientos"), x + 1200,
          90 + 4 * kRow, 600)
        ->setToolTip(QString::fromUtf8("Nº de Movimientos"));
    value(g, QStringLiteral("Total"), QStringLiteral("TiempoTotal"), x + 1860, 90 + 4 * kRow, 1200)
        ->setToolTip(QStringLiteral("Tiempo Total"));
    accessible::caption(movimientos, table(g, QStringLiteral("FlexMovimientos"),
                                           {QString::fromUtf8("Nº"), QStringLiteral("Movimientos"),
                                            QStringLiteral("Tiempo")},
                                           x, 90 + 5 * kRow, w, 3180 - (90 + 5 * kRow)));
}

void RecordingSlots::buildSet(int g, float left, float width) {
    static const char* const captions[] = {"Orquesta  -  Grupo", "Director", "Intérpretes"};
    static const char* const removes[] = {"Eliminar Orquesta-Grupo", "Eliminar Director",
                                          "Eliminar Intérpretes"};
    static const char* const tips[] = {"Traer Orquesta-Grupo", "Traer Director",
                                       "Traer Intérpretes"};
    static const char* const tables[] = {"FlexOrquesta", "FlexDirectores", "FlexInterpretes"};
    const int i = g - kOrquesta;
    const float top = 3300, side = 600, x = left + side + 60;
    // The performers' count and its letter stand beside their remove button.
    const float room = left + width - x - (g == kInterprete ? 780 : 0);
    makeSlot(g, QString::fromUtf8(captions[i]), QString::fromUtf8(tips[i]),
             QString::fromUtf8(removes[i]), x, top, left + width - x, left, top, side, x, top + 330,
             qMin(1215.0f, room));
    QStringList headers{QStringLiteral("Nombre")};
    if (g == kInterprete) headers << QStringLiteral("Instrumento - Voz");
    accessible::caption(slot[size_t(g)].Lab,
                        table(g, QLatin1String(tables[i]), headers, left, top + side + 60, width,
                              5280 - (top + side + 60)));
    if (g == kInterprete) {
        LabInterpreteNumeroInterprete = look::counter(
            screen_, QStringLiteral("LabInterpreteNumeroInterprete"), QStringLiteral("I"),
            QString::fromUtf8("Nº de Intérpretes"), left + width - 720, top + 330, 480, 255);
        LabInterpreteNumeroInterprete->setText(QStringLiteral("0"));
    }
}

void RecordingSlots::buildSoporte() {
    const int g = kSoporte;
    const float top = 5400, side = 690, x = kX + side + 90;
    makeSlot(g, QStringLiteral("Soporte"), QStringLiteral("Traer Soporte. Identificador"),
             QStringLiteral("Eliminar Soporte"), x, top, 1500, kX, top, side, x, top + 330, 1215);
    look::setBackColor(slot[g].Lab, look::kBlanco);
    const float y = top + side + 60, c2 = kX + 2000, w = 1900;
    value(g, QStringLiteral("Discografica"), QStringLiteral("Discografica"), kX, y, w)
        ->setToolTip(QString::fromUtf8("Discográfica"));
    value(g, QStringLiteral("NumeroCatalogo"), QStringLiteral("NumeroCatalogo"), c2, y, w)
        ->setToolTip(QString::fromUtf8("Nº de Catálogo"));
    value(g, QStringLiteral("Coleccion"), QStringLiteral("Coleccion"), kX, y + kRow, w)
        ->setToolTip(QString::fromUtf8("Colección"));
    value(g, QStringLiteral("NumeroColeccion"), QStringLiteral("NumeroReferencia"), c2, y + kRow, w)
        ->setToolTip(QString::fromUtf8("Nº - Referencia"));
    value(g, QStringLiteral("Formato"), QStringLiteral("Formato"), kX, y + 2 * kRow, w)
        ->setToolTip(QStringLiteral("Formato"));
    value(g, QStringLiteral("Grabacion"), QStringLiteral("Grabacion"), c2, y + 2 * kRow, w)
        ->setToolTip(QString::fromUtf8("Grabación"));
    fixed(QStringLiteral("P"), kX, y + 3 * kRow, 240);
    value(g, QStringLiteral("Recopilacion"), QStringLiteral("Recopilacion"), kX + 240, y + 3 * kRow,
          w - 240);
    fixed(QStringLiteral("C"), c2, y + 3 * kRow, 240);
    value(g, QStringLiteral("Edicion"), QStringLiteral("Edicion"), c2 + 240, y + 3 * kRow, w - 240);
    value(g, QStringLiteral("Emplazamiento"), QStringLiteral("Emplazamiento"), kX, y + 4 * kRow,
          c2 + w - kX)
        ->setToolTip(QStringLiteral("Emplazamiento"));
}

// ---- Showing -----------------------------------------------------------------------------------

bool RecordingSlots::linked(int g) const {
    if (links::setTableOf(g)) return !rec.set(g).isEmpty();
    return rec.single(g) != 0;
}

void RecordingSlots::setEditable(bool editable) {
    editable_ = editable;
    for (int g = 0; g < 6; ++g) slot[size_t(g)].BtnEli->setVisible(editable && linked(g));
}

void RecordingSlots::showPicture(int g, const QString& path) {
    Slot& s = slot[size_t(g)];
    grabacion::fitPicture(ctx_, *s.Imagen, s.DialogoImagen, path, s.left, s.top, s.side);
    if (s.BtnEli) s.BtnEli->raise();
}

void RecordingSlots::showSetPictures(int g) {
    const Slot& s = slot[size_t(g)];
    if (s.members.isEmpty()) return;
    (new SetPictures(ctx_, g, s.members, screen_))->show();
}

void RecordingSlots::show(const links::Recording& r) {
    rec = r;
    for (int g = 0; g < 6; ++g) fill(g);
}

void RecordingSlots::fill(int g) {
    Slot& s = slot[size_t(g)];
    const bool isSet = links::setTableOf(g) != nullptr;
    QVector<qint64> keys;
    if (isSet)
        keys = rec.set(g);
    else if (rec.single(g) != 0)
        keys << rec.single(g);
    const QVector<recfields::Row> rows = recfields::read(ctx_, g, keys);
    // A record deleted since it was linked leaves the slot.
    if (isSet) {
        QVector<qint64>& members = rec.set(g);
        members.clear();
        for (const recfields::Row& r : rows) members << r.key;
    } else if (rows.isEmpty()) {
        rec.setSingle(g, 0);
    }
    const QHash<QString, QString> first =
        rows.isEmpty() ? QHash<QString, QString>{} : rows.first().field;
    const RegisterDef& d = at(g);
    for (const auto& [label, column] : s.labels) {
        const QString stored = first.value(column);
        QString shown = listing::shownValue(d.field(column), stored);
        if (rows.isEmpty()) shown.clear();
        label->setText(shown);
    }
    if (g == kObra) {
        const QStringList moves = items(first.value(QStringLiteral("Movimientos")));
        const QStringList times = items(first.value(QStringLiteral("Duraciones")));
        s.table->setRowCount(int(moves.size()));
        for (int i = 0; i < moves.size(); ++i) {
            s.table->setItem(i, 0, new QTableWidgetItem(QString::number(i + 1)));
            s.table->setItem(i, 1, new QTableWidgetItem(moves[i]));
            s.table->setItem(i, 2, new QTableWidgetItem(durationOf(times.value(i))));
        }
    } else if (isSet) {
        s.table->setRowCount(int(rows.size()));
        s.members.clear();
        for (int i = 0; i < rows.size(); ++i) {
            const auto& f = rows[i].field;
            QString name = g == kOrquesta ? f.value(QStringLiteral("Nombre"))
                                          : joined(f, "Nombre", "Apellidos");
            s.members.append({name, f.value(d.pictureColumn)});
            s.table->setItem(i, 0, wholeText(name));
            if (g == kInterprete)
                s.table->setItem(i, 1, wholeText(f.value(QStringLiteral("Instrumento"))));
        }
        if (g == kInterprete) LabInterpreteNumeroInterprete->setText(QString::number(rows.size()));
    }
    showPicture(g, first.value(d.pictureColumn));
    s.BtnEli->setVisible(editable_ && linked(g));
}

void RecordingSlots::remove(int g) {
    if (links::setTableOf(g))
        rec.set(g).clear();
    else
        rec.setSingle(g, 0);
    fill(g);
}

void RecordingSlots::clear() {
    rec = links::Recording();
    for (int g = 0; g < 6; ++g) fill(g);
}

int RecordingSlots::bring(int g) {
    FormBasesDatos& hub = *ctx_.hub;
    const RegisterState& st = hub.reg[g];
    const QVector<qint64>* gathered = nullptr;
    if (g == kOrquesta) gathered = &hub.ConjuntoOrquesta;
    if (g == kDirector) gathered = &hub.ConjuntoDirector;
    if (g == kInterprete) gathered = &hub.ConjuntoInterprete;
    if (gathered && !gathered->isEmpty()) {
        rec.set(g) = gathered->mid(0, links::setTableOf(g)->max);
        fill(g);
        return 1;
    }
    if (st.ContSel == 0) return 0;
    Recordset& rs = hub.Data[g].recordset();
    const qint32 p = st.Posicion;
    int taken = -1;
    qint64 key = 0;
    if (p >= 1 && p <= rs.RecordCount()) {
        rs.setAbsolutePosition(p - 1);
        key = rs.currentKey();
        taken = p;
    }
    if (gathered)
        rec.set(g) = key ? QVector<qint64>{key} : QVector<qint64>{};
    else
        rec.setSingle(g, key);
    fill(g);
    return taken;
}
