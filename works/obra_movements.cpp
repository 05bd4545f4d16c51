#include "works/obra_movements.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <cmath>

#include "browse/click_label.h"
#include "listing/field_text.h"
#include "shell/windowing/accessible.h"
#include "shell/windowing/context.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "shell/windowing/twips.h"
#include "store/data_hub.h"
#include "store/field_rules.h"
#include "store/registers.h"

namespace {

const QChar kEnd = QLatin1Char('#');
const QString kNormal = QStringLiteral("<>"), kWide = QStringLiteral("><");

// A time cell: the absolute value of the number typed, without leading zeros.
QString cellNumber(const QString& typed) {
    return QString::number(std::fabs(rules::numericValue(typed)), 'g', 12);
}

// A cell as the total reads it: absolute value, rounded to a whole number. A hand-made catalogue
// may hold any number there; a billion keeps the sum of 150 rows far from overflowing.
qint64 wholeOf(const QString& cell) {
    return qMin<qint64>(rules::roundHalfEven(std::fabs(rules::numericValue(cell))), 1000000000);
}

double typedValue(const QLineEdit* box) {
    return std::fabs(rules::numericValue(box->text()));
}

// The stored list "a#b#" as its items; a missing final "#" still ends the last item.
QStringList items(const QString& stored) {
    if (stored.isEmpty()) return {};
    QStringList out = stored.split(kEnd);
    if (out.last().isEmpty()) out.removeLast();
    return out;
}

QLineEdit* editor(QWidget* parent, const char* name, int max, float left, float width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(max);
    e->setAlignment(Qt::AlignCenter);
    look::setBoxColor(e, look::kGris);
    twips::place(e, left, ObraMovements::kEditorTop, width, 315);
    return e;
}

QLabel* blueCaption(QWidget* parent, const QString& text, float left, float top, float width,
                    const char* name) {
    QLabel* c = look::caption(parent, text, left, top, width, 255, QLatin1String(name));
    look::setForeColor(c, look::kAzul);
    return c;
}

QLabel* valueLabel(QWidget* parent, const char* name, const QString& tip, float left, float width) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setToolTip(tip);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    look::setBackColor(l, look::kGris);
    twips::place(l, left, ObraMovements::kTotalTop, width, 285);
    return l;
}

}  // namespace

ObraMovements::ObraMovements(Context& ctx, QWidget* screen, bool& widened)
    : QObject(screen), ctx_(ctx), widenedFlag_(widened) {
    build(screen);
    connect(BtnAMList, &QPushButton::clicked, this, &ObraMovements::AMList);
    connect(MSFlexGrid1, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { choose(row); });
    connect(LabExpandir, &ClickLabel::Click, this, &ObraMovements::expandir);
    connect(TxtMovimiento, &QLineEdit::textChanged, this, &ObraMovements::stripHash);
    TxtMovimiento->installEventFilter(this);
    for (QLineEdit* e : {TxtHoras, TxtMinutos, TxtSegundos}) {
        connect(e, &QLineEdit::textChanged, this, [e] {
            if (!rules::isNumber(e->text())) e->setText(QString());
        });
        // Enter after the time adds (or changes) the movement, as its button does.
        connect(e, &QLineEdit::returnPressed, this, [this] {
            if (BtnAMList->isEnabled()) BtnAMList->click();
        });
    }
    // The layout kept in the hub comes back with the screen.
    if (widenedFlag_) applyLayout(true);
}

void ObraMovements::build(QWidget* screen) {
    LabMovimientos = blueCaption(screen, QStringLiteral("Movimientos"), kEditLeft, kCaptionTop,
                                 1500, "LabMovimientos");
    LabDuracion = blueCaption(screen, QString::fromUtf8("Duración ( h-m-s )"), 7860, kCaptionTop,
                              kSegundosLeft + kTimeWidth - 7860, "LabDuracion");
    LabDuracion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabExpandir = new ClickLabel(kNormal, screen);
    LabExpandir->setObjectName(QStringLiteral("LabExpandir"));
    LabExpandir->setToolTip(QStringLiteral("Ampliar-Reducir"));
    LabExpandir->setAlignment(Qt::AlignCenter);
    LabExpandir->setCursor(Qt::PointingHandCursor);
    look::setForeColor(LabExpandir, look::kAzul);
    twips::place(LabExpandir, kWideEditLeft, kCaptionTop, 420, 255);

    TxtMovimiento = editor(screen, "TxtMovimiento", registers::kMovementMax, kEditLeft, kEditWidth);
    TxtMovimiento->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    TxtHoras = editor(screen, "TxtHoras", 2, kHorasLeft, kTimeWidth);
    TxtMinutos = editor(screen, "TxtMinutos", 2, kMinutosLeft, kTimeWidth);
    TxtSegundos = editor(screen, "TxtSegundos", 2, kSegundosLeft, kTimeWidth);
    accessible::name(TxtMovimiento, ctx_.hub->EtiMovimiento);
    accessible::name(TxtHoras, ctx_.hub->EtiHoras);
    accessible::name(TxtMinutos, ctx_.hub->EtiMinutos);
    accessible::name(TxtSegundos, ctx_.hub->EtiSegundos);

    BtnAMList = new QPushButton(ctx_.hub->EtiAnadir, screen);
    BtnAMList->setObjectName(QStringLiteral("BtnAMList"));
    BtnAMList->setToolTip(QString::fromUtf8(
        "Añadir Movimiento. Modificar-Eliminar (Señalar con Doble Click) Movimiento"));
    twips::place(BtnAMList, kEditLeft, kButtonTop, kButtonWidth, 300);

    MSFlexGrid1 = new QTableWidget(0, 0, screen);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    accessible::caption(LabMovimientos, MSFlexGrid1);
    MSFlexGrid1->horizontalHeader()->hide();
    MSFlexGrid1->verticalHeader()->hide();
    twips::setDefaultRowHeight(MSFlexGrid1, kRowHeight);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    twips::place(MSFlexGrid1, kGridLeft, kGridTop, kGridWidth, kGridHeight);

    blueCaption(screen, QStringLiteral("Total"), kEditLeft, kTotalTop, 600, "LabTotal");
    TxtTotal = valueLabel(screen, "TxtTotal", QString::fromUtf8("Duración Total (Numérico)"),
                          kEditLeft + 660, 1200);
    blueCaption(screen, QStringLiteral("h-m-s"), kEditLeft + 1920, kTotalTop, 720, "LabHms");
    blueCaption(screen, QStringLiteral("M"), kHorasLeft - 360, kTotalTop, 300, "LabM");
    TxtNumeroMovimientos = valueLabel(screen, "TxtNumeroMovimientos",
                                      QString::fromUtf8("Nº de Movimientos (Numérico)"), kHorasLeft,
                                      kSegundosLeft + kTimeWidth - kHorasLeft);
}

bool ObraMovements::eventFilter(QObject* watched, QEvent* event) {
    // A "#" typed into the movement never reaches it.
    if (watched == TxtMovimiento && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->text() == QString(kEnd))
        return true;
    return QObject::eventFilter(watched, event);
}

void ObraMovements::stripHash() {
    const QString t = TxtMovimiento->text();
    if (!t.contains(kEnd)) return;
    const int cursor = TxtMovimiento->cursorPosition();
    const int before = int(t.left(cursor).count(kEnd));
    QString clean = t;
    clean.remove(kEnd);
    TxtMovimiento->setText(clean);
    TxtMovimiento->setCursorPosition(cursor - before);
}

bool ObraMovements::modifying() const {
    return BtnAMList->text() == ctx_.hub->EtiModificar;
}

void ObraMovements::AMList() {
    if (locked_) return;
    if (rows() >= kMaxRows && !modifying()) {
        dialogs::warning(ctx_.window, ctx_.hub->MensaMax150Movimientos);
        return;
    }
    for (QLineEdit* e : {TxtHoras, TxtMinutos, TxtSegundos})
        if (!e->text().isEmpty() && !rules::isNumber(e->text())) {
            e->setText(QString());
            e->setFocus();
            return;
        }
    if (!modifying() && !rules::isFilled(TxtMovimiento->text())) {
        TxtMovimiento->setFocus();
        return;
    }
    for (QLineEdit* e : {TxtMinutos, TxtSegundos})
        if (typedValue(e) > 59) {
            e->setText(QString());
            e->setFocus();
            return;
        }
    for (QLineEdit* e : {TxtHoras, TxtMinutos, TxtSegundos})
        if (e->text().isEmpty()) e->setText(QStringLiteral("00"));
    MSFlexGrid1->setColumnCount(4);

    const int chosen = MovimientoElegido;
    if (!modifying()) {
        MSFlexGrid1->setRowCount(MSFlexGrid1->rowCount() + 1);
        setRow(MSFlexGrid1->rowCount() - 1);
    } else if (chosen < 0 || chosen >= MSFlexGrid1->rowCount()) {
        // Nothing left to change (the grid was reloaded meanwhile).
    } else if (!rules::isFilled(TxtMovimiento->text())) {
        if (MSFlexGrid1->rowCount() == 1)
            emptyGrid();
        else
            MSFlexGrid1->removeRow(chosen);
    } else {
        setRow(chosen);
    }
    clearEditors();
    BtnAMList->setText(ctx_.hub->EtiAnadir);
    TxtMovimiento->setFocus();
    if (MSFlexGrid1->columnCount() > 0) setColumnWidths();
    showCount();
    suma();
    emit movementsChanged();
}

void ObraMovements::setRow(int row) {
    setRow(row, TxtMovimiento->text(), TxtHoras->text(), TxtMinutos->text(), TxtSegundos->text());
}

void ObraMovements::setRow(int row, const QString& text, const QString& h, const QString& m,
                           const QString& s) {
    auto put = [&](int column, const QString& value, Qt::Alignment a) {
        auto* item = new QTableWidgetItem(value);
        item->setTextAlignment(a | Qt::AlignVCenter);
        MSFlexGrid1->setItem(row, column, item);
    };
    put(0, text, Qt::AlignLeft);
    put(1, cellNumber(h), Qt::AlignHCenter);
    put(2, cellNumber(m), Qt::AlignHCenter);
    put(3, cellNumber(s), Qt::AlignHCenter);
}

void ObraMovements::choose(int row) {
    if (locked_ || row < 0 || row >= MSFlexGrid1->rowCount()) return;
    MovimientoElegido = qint16(row);
    auto cell = [&](int column) {
        QTableWidgetItem* i = MSFlexGrid1->item(row, column);
        return i ? i->text() : QString();
    };
    TxtMovimiento->setText(cell(0));
    TxtHoras->setText(cellNumber(cell(1)));
    TxtMinutos->setText(cellNumber(cell(2)));
    TxtSegundos->setText(cellNumber(cell(3)));
    BtnAMList->setText(ctx_.hub->EtiModificar);
}

qint64 ObraMovements::totalSeconds() const {
    // The running totals carry seconds into minutes and minutes into hours, which keeps the sum
    // in seconds unchanged: the total is the sum of the rows' durations.
    qint64 total = 0;
    const int columns = MSFlexGrid1->columnCount();
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r) {
        auto cell = [&](int c) {
            QTableWidgetItem* i = c < columns ? MSFlexGrid1->item(r, c) : nullptr;
            return i ? wholeOf(i->text()) : 0;
        };
        total += cell(1) * 3600 + cell(2) * 60 + cell(3);
    }
    return total;
}

void ObraMovements::suma() {
    TxtTotal->setText(listing::durationText(totalSeconds()));
}

void ObraMovements::showCount() {
    TxtNumeroMovimientos->setText(QString::number(rows()));
}

int ObraMovements::rows() const {
    return MSFlexGrid1->rowCount();
}

void ObraMovements::expandir() {
    widenedFlag_ = !widenedFlag_;
    applyLayout(LabExpandir->text() == kNormal);
}

void ObraMovements::applyLayout(bool wide) {
    LabExpandir->setText(wide ? kWide : kNormal);
    twips::place(MSFlexGrid1, wide ? kWideGridLeft : kGridLeft, kGridTop,
                 wide ? kWideGridWidth : kGridWidth, kGridHeight);
    twips::place(TxtMovimiento, wide ? kWideEditLeft : kEditLeft, kEditorTop,
                 wide ? kWideEditWidth : kEditWidth, 315);
    twips::place(BtnAMList, wide ? kWideEditLeft : kEditLeft, kButtonTop,
                 wide ? kWideButtonWidth : kButtonWidth, 300);
    if (MSFlexGrid1->rowCount() > 0) {
        columnTwips_[0] = wide ? kWideColumn0 : kColumn0;
        twips::setColumnWidth(MSFlexGrid1, 0, columnTwips_[0]);
    }
}

void ObraMovements::setColumnWidths() {
    columnTwips_[0] = twips::width(MSFlexGrid1) == kGridWidth ? kColumn0 : kWideColumn0;
    for (int c = 1; c < 4; ++c) columnTwips_[c] = kTimeWidth;
    for (int c = 0; c < 4 && c < MSFlexGrid1->columnCount(); ++c)
        twips::setColumnWidth(MSFlexGrid1, c, columnTwips_[c]);
}

float ObraMovements::columnWidth(int column) const {
    return column >= 0 && column < columnTwips_.size() ? columnTwips_[column] : 0;
}

void ObraMovements::clearEditors() {
    for (QLineEdit* e : {TxtMovimiento, TxtHoras, TxtMinutos, TxtSegundos}) e->setText(QString());
}

void ObraMovements::emptyGrid() {
    MSFlexGrid1->setRowCount(0);
    MSFlexGrid1->setColumnCount(0);
}

void ObraMovements::Limpiar() {
    clearEditors();
    emptyGrid();
    BtnAMList->setText(ctx_.hub->EtiAnadir);
    TxtNumeroMovimientos->setText(QString());
    TxtTotal->setText(QString());
    emit movementsChanged();
}

QString ObraMovements::movimientos() const {
    QString out;
    for (int r = 0; r < rows(); ++r) {
        QTableWidgetItem* i = MSFlexGrid1->item(r, 0);
        out += (i ? i->text() : QString()) + kEnd;
    }
    return out;
}

QString ObraMovements::duraciones() const {
    QString out;
    for (int r = 0; r < rows(); ++r) {
        QStringList parts;
        for (int c = 1; c < 4; ++c) {
            QTableWidgetItem* i = MSFlexGrid1->item(r, c);
            parts << (i ? i->text() : QStringLiteral("0"));
        }
        out += parts.join(QLatin1Char(':')) + kEnd;
    }
    return out;
}

bool ObraMovements::valueOf(const FieldDef& f, QString* value) const {
    switch (f.kind) {
        case FieldKind::Movements:
            *value = movimientos();
            return true;
        case FieldKind::Durations:
            *value = duraciones();
            return true;
        case FieldKind::Number:
            if (f.column == QLatin1String("TiempoTotal")) {
                *value = QString::number(totalSeconds());
                return true;
            }
            if (f.column == QLatin1String("NumeroMovimientos")) {
                *value = QString::number(rows());
                return true;
            }
            return false;
        default:
            return false;
    }
}

void ObraMovements::load(const QString& movimientos, const QString& duraciones) {
    clearEditors();
    BtnAMList->setText(ctx_.hub->EtiAnadir);
    const QStringList texts = items(movimientos);
    const QStringList times = items(duraciones);
    if (texts.isEmpty()) {
        emptyGrid();
    } else {
        MSFlexGrid1->setRowCount(0);
        MSFlexGrid1->setColumnCount(4);
        MSFlexGrid1->setRowCount(int(texts.size()));
        for (int r = 0; r < texts.size(); ++r) {
            const QStringList hms =
                r < times.size() ? times[r].split(QLatin1Char(':')) : QStringList();
            setRow(r, texts[r], hms.value(0), hms.value(1), hms.value(2));
        }
        setColumnWidths();
    }
    showCount();
    suma();
    emit movementsChanged();
}

void ObraMovements::setLocked(bool locked) {
    locked_ = locked;
    for (QWidget* w : std::initializer_list<QWidget*>{TxtMovimiento, TxtHoras, TxtMinutos,
                                                      TxtSegundos, BtnAMList})
        w->setEnabled(!locked);
    if (locked) {
        clearEditors();
        BtnAMList->setText(ctx_.hub->EtiAnadir);
    }
}
