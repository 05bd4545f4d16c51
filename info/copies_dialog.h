#pragma once
// The safety copies (`FormCopias`), opened from the report screen: the copies of the catalogue,
// newest first, with their date, time and records; the records of each register of the chosen
// one; "Recuperar" (`BtnRecuperar`) puts the chosen copy in the catalogue's place, the catalogue
// as it was kept as one more copy, and reopens it as start-up does. "Segunda carpeta..."
// (`BtnSegunda`) names a folder where every copy is also made, kept in the catalogue's settings.
#include <QDialog>
#include <QVector>

#include "store/safety_copies.h"

struct Context;
class QLabel;
class QPushButton;
class QTableWidget;

class CopiesDialog : public QDialog {
    Q_OBJECT
  public:
    CopiesDialog(Context& ctx, QWidget* parent);

    QLabel* LabCarpeta;
    QLabel* LabNinguna;
    QTableWidget* ListaCopias;
    QTableWidget* ListaRegistros;
    QLabel* LabSegunda;
    QPushButton* BtnSegunda;
    QPushButton* BtnQuitarSegunda;
    QPushButton* BtnRecuperar;
    QPushButton* BtnCerrar;

  private:
    void fill();
    void showRecords();
    void recuperar();
    void showSecond();
    void setSecond(const QString& folder);

    Context& ctx_;
    QVector<copias::Copy> copies_;
};
