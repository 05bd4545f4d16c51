#pragma once
// The pictures of the catalogue (`FormImagenes`), opened from the report screen: per register how
// many records have a picture and how many of those files are missing, and the missing ones
// (register, the record's name, the stored path). "Buscar en una carpeta..." (`BtnBuscar`) looks
// for them under a folder and its subfolders by file name; "Deshacer" takes that search back.
#include <QDialog>

#include "store/missing_pictures.h"

struct Context;
class QLabel;
class QPushButton;
class QTableWidget;

class PicturesDialog : public QDialog {
    Q_OBJECT
  public:
    PicturesDialog(Context& ctx, QWidget* parent);

    QTableWidget* ListaRegistros;
    QLabel* LabFaltan;
    QTableWidget* ListaFaltan;
    QPushButton* BtnBuscar;
    QPushButton* BtnDeshacer;
    QPushButton* BtnCerrar;

  private:
    void fill();
    void buscar();
    void deshacer();
    // Writes a search (or takes it back) and refreshes what the screens read.
    bool write(bool undo);

    Context& ctx_;
    missingpictures::Census census_;
    QVector<missingpictures::Change> last_;  // the search "Deshacer" takes back
};
