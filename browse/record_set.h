#pragma once
// The set panel of the orchestra, conductor and performer show screens: the record shown is added
// to the set with "Añadir", a line clicked is taken out with "Eliminar". The set is a list of
// record keys in the hub that lasts the whole run and that the recording entry screen reads;
// modifying or deleting a record erases it.
#include <QObject>
#include <QVector>

class BrowseScreen;
class QLabel;
class QPushButton;
class QTableWidget;

class RecordSet : public QObject {
    Q_OBJECT
  public:
    // Builds the panel on the screen, below its notes.
    explicit RecordSet(BrowseScreen& screen);

    QTableWidget* MSFlexGrid1;
    QPushButton* BtnAnadirGrupo;  // object name "BtnAñadirGrupo"
    QPushButton* BtnEliminarGrupo;
    QLabel* LabNumeroInterpretes = nullptr;  // performers only

    static constexpr float kTop = 5760;

    // Most records a set holds.
    int limit() const;
    QVector<qint64>& keys() const;

    void AnadirGrupo();
    void EliminarGrupo();
    // Empties the set.
    void erase();

  private:
    // Fills the grid from the keys, reading the records' names; keys of records that no longer
    // exist are dropped.
    void refresh();
    QString limitMessage() const;

    BrowseScreen& screen_;
};
