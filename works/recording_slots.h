#pragma once
// The six slots of the recording screens, one per linked register of "Registros I": a picture
// (double click: visit that register's show screen), a label that brings the record, a button
// that removes it, and the linked record's fields as labels or, for the work's movements and the
// three sets, small tables. The slots show a links::Recording by key, so a record edited later
// is shown as it is now.
#include <QObject>
#include <QVector>
#include <array>

#include "shell/windowing/dialogs.h"
#include "store/record_links.h"

class ClickLabel;
class PictureBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QWidget;
struct Context;

class RecordingSlots : public QObject {
    Q_OBJECT
  public:
    RecordingSlots(Context& ctx, QWidget* screen);

    struct Slot {
        ClickLabel* Lab = nullptr;                // LabCompositor: brings the record
        PictureBox* Imagen = nullptr;             // ImagenCompositor
        PictureBox* ImagenTonta = nullptr;        // its placeholder, hidden
        QPushButton* BtnEli = nullptr;            // BtnEliImaCompositor: removes it
        QTableWidget* table = nullptr;            // FlexMovimientos, FlexOrquesta, ...
        QVector<QPair<QLabel*, QString>> labels;  // display labels and the columns they show
        CommonDialog DialogoImagen;
        float left = 0, top = 0, side = 0;  // the picture's square
        // A set's members as shown: name and picture path, in set order.
        QVector<QPair<QString, QString>> members;
    };
    std::array<Slot, 6> slot;
    QLabel* LabInterpreteNumeroInterprete = nullptr;

    // What the slots show.
    links::Recording rec;

    // Shows `r` in every slot; links to records that no longer exist are dropped from rec.
    // Throws DbError.
    void show(const links::Recording& r);
    // Shows slot g from rec. Throws DbError.
    void fill(int g);
    // Empties slot g and its link.
    void remove(int g);
    // Empties every slot and link (notes too).
    void clear();

    // Takes into slot g the record current on register g's show screen (for a set register,
    // the set gathered there, or that record alone when none was gathered). Returns the 1-based
    // position taken, 0 when the register's selection is empty (nothing changes) and -1 when
    // the position lies outside it (the link is dropped). Throws DbError.
    int bring(int g);

    bool linked(int g) const;
    // Remove buttons shown for linked slots when `editable`, hidden otherwise.
    void setEditable(bool editable);

  signals:
    void bringClicked(int g);
    void removeClicked(int g);
    void pictureDoubleClicked(int g);

  private:
    void build();
    void buildCompositor();
    void buildObra();
    void buildSet(int g, float left, float width);
    void buildSoporte();
    void makeSlot(int g, const QString& caption, const QString& tip, const QString& removeTip,
                  float labLeft, float labTop, float labWidth, float picLeft, float picTop,
                  float side, float btnLeft, float btnTop, float btnWidth);
    // A display label of slot g showing `column` (the name is "Lab" + register + part).
    QLabel* value(int g, const QString& part, const QString& column, float left, float top,
                  float width);
    QLabel* fixed(const QString& text, float left, float top, float width);
    QTableWidget* table(int g, const QString& name, const QStringList& headers, float left,
                        float top, float width, float height);
    void showPicture(int g, const QString& path);
    // The window of a set's pictures (a double click on its names).
    void showSetPictures(int g);

    Context& ctx_;
    QWidget* screen_;
    bool editable_ = true;
};
