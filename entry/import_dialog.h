#pragma once
// The preview of an import (`FormImportar`): the file, how many rows will be added, the columns
// left out and every refused row with its line and reason; "Aceptar" adds, "Cancelar" adds
// nothing.
#include <QDialog>

#include "entry/csv_import.h"

class FormBasesDatos;
class QLabel;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class ImportDialog : public QDialog {
    Q_OBJECT
  public:
    ImportDialog(const FormBasesDatos& hub, const csvimport::Plan& plan, const QString& path,
                 QWidget* parent);

    QLabel* LabArchivo;
    QLabel* LabAnadir;
    QLabel* LabIgnoradas;
    QLabel* LabRechazadas;
    QPlainTextEdit* TxtRechazadas;
    // The rows that repeat a record, left out unless ChkRepetidas is ticked.
    QLabel* LabRepetidas;
    QPlainTextEdit* TxtRepetidas;
    QCheckBox* ChkRepetidas;
    QPushButton* BtnAceptar;
    QPushButton* BtnCancelar;
};
