#pragma once
// The work's movements: the editors of one movement (text, hours, minutes, seconds), the button
// that appends or changes it, the grid of movements in order of entry with its running total and
// count, and the widening of the area. Shared by the work's entry and show screens; the movements
// are stored as texts and as "h:m:s" durations, each followed by "#".
#include <QObject>
#include <QString>
#include <QVector>

#include "store/registers.h"

class ClickLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;
struct Context;
struct FieldDef;

class ObraMovements : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMaxRows = registers::kMaxMovements;
    // Geometry in twips: normal and widened layouts, the time editors that never move.
    static constexpr float kCaptionTop = 3060, kEditorTop = 3330, kButtonTop = 3705;
    static constexpr float kGridTop = 4065, kGridHeight = 1575, kTotalTop = 5700;
    static constexpr float kBottom = 6045;  // first free line under the area
    static constexpr float kGridLeft = 4740, kGridWidth = 5130, kColumn0 = 3585;
    static constexpr float kWideGridLeft = 3555, kWideGridWidth = 6315, kWideColumn0 = 4770;
    static constexpr float kEditLeft = 4755, kEditWidth = 3660, kButtonWidth = 4830;
    static constexpr float kWideEditLeft = 3570, kWideEditWidth = 4845, kWideButtonWidth = 6015;
    static constexpr float kHorasLeft = 8415, kMinutosLeft = 8805, kSegundosLeft = 9195;
    static constexpr float kTimeWidth = 385, kRowHeight = 255;

    // `widened` is the hub flag of the screen's layout (entry or show screen).
    ObraMovements(Context& ctx, QWidget* screen, bool& widened);

    QLabel* LabMovimientos;
    QLabel* LabDuracion;
    QLineEdit* TxtMovimiento;
    QLineEdit* TxtHoras;
    QLineEdit* TxtMinutos;
    QLineEdit* TxtSegundos;
    QPushButton* BtnAMList;
    QTableWidget* MSFlexGrid1;
    QLabel* TxtTotal;
    QLabel* TxtNumeroMovimientos;
    ClickLabel* LabExpandir;
    // The row chosen by the last double click; meaningful in "Modificar" mode only.
    qint16 MovimientoElegido = 0;

    // A click on the button: appends, changes or deletes a movement.
    void AMList();
    // A double click on a row: its movement goes to the editors for changing.
    void choose(int row);
    // Recomputes the total duration shown.
    void suma();
    // A click on "<>"/"><": inverts the hub flag and switches the layout.
    void expandir();
    // Empties the editors, the grid, the count and the total; back to "Añadir".
    void Limpiar();
    // True while the button reads "Modificar".
    bool modifying() const;

    // The grid as stored, and its total.
    QString movimientos() const;
    QString duraciones() const;
    qint64 totalSeconds() const;
    int rows() const;
    // The value written for a movement field of the work; false for any other field.
    bool valueOf(const FieldDef& f, QString* value) const;
    // Fills the grid from stored texts (count and total follow); editors emptied, "Añadir".
    void load(const QString& movimientos, const QString& duraciones);
    // Locks the editors and the button (the grid stays scrollable; double clicks are ignored).
    void setLocked(bool locked);

    // Column width in twips as last set (0 when never set).
    float columnWidth(int column) const;

  signals:
    // The grid's movements changed (added, changed, deleted, loaded or cleared).
    void movementsChanged();

  private:
    void build(QWidget* screen);
    void applyLayout(bool wide);
    void setColumnWidths();
    void clearEditors();
    void emptyGrid();
    void setRow(int row);
    void setRow(int row, const QString& text, const QString& h, const QString& m, const QString& s);
    void showCount();
    void stripHash();
    bool eventFilter(QObject* watched, QEvent* event) override;

    Context& ctx_;
    bool& widenedFlag_;
    bool locked_ = false;
    QVector<float> columnTwips_{0, 0, 0, 0};
};
