#pragma once
// A record's label text: what the name label of its show screen reads, composed from the stored
// values of the fields that make it (the composer's name and surnames, a work's title with its
// number and key). The search lists records by it and the duplicate checks compare it.
#include <QHash>
#include <QString>
#include <QStringList>

class FormBasesDatos;

namespace labels {

// The stored columns a register's label is made of, in order (the orchestra's: its name); none
// for the recording, whose screens show no name label.
QStringList columnsOf(int global);

// The label text from the stored values of those columns.
QString compose(const FormBasesDatos& hub, int global, const QHash<QString, QString>& values);

// A work's title as its screens show it: "Nombre nº Numero en Tonalidad", the blank parts left
// out.
QString workTitle(const FormBasesDatos& hub, const QString& nombre, const QString& numero,
                  const QString& tonalidad);

// The form two labels are compared in: case, accents and outer blanks aside, ñ kept.
QString comparable(const QString& label);

}  // namespace labels
