#pragma once
// Field rules shared by every screen: what counts as a number, how a typed year is read, and the
// identifier rule.
#include <QString>

namespace rules {

// True when the text converts completely to a number: optional blanks around it, an optional
// sign, digits with at most one decimal separator ("." or ","), and an optional exponent. An
// empty text is not a number.
bool isNumber(const QString& text);

// True when the text is a number without a fractional part, small enough for the catalogue's
// whole-number columns to hold exactly: what a year or century box takes ("1756", "-5", "7,0";
// not "1,5" nor "9e99").
bool isWholeNumber(const QString& text);

// The numeric value of a text as the year and number boxes read it: leading digits (with sign,
// fraction and exponent), blanks ignored; no digits gives 0. Never NaN or infinite.
double numericValue(const QString& text);

// The text of a year box's value as it is written to the catalogue ("" gives "0").
QString yearText(const QString& text);

// A stored number shown in a year box: "" for 0.
QString shownYear(const QString& stored);

// The orchestra kind as the listing shows it: the caption of the kind's name box ("Orquesta",
// "Grupo", "Coro"); anything else as stored.
QString kindText(const QString& stored);
// The kind a text names (1-3): its digit or its caption, case, accents and blanks aside; 0 for
// anything else.
int kindOf(const QString& text);
// A caption reduced to what a person means by it: lower case, without accents and blanks.
QString captionKey(const QString& caption);

// True when the text holds something other than blanks.
bool isFilled(const QString& text);

// Converts to a whole number as the record-number box does: halves go to the even neighbour.
qint64 roundHalfEven(double v);

}  // namespace rules
