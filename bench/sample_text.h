#pragma once
// Realistic catalogue content for the benchmark: composer names (with the accents and ñ a Spanish
// collection has), years, notes of a chosen length, work titles and movements. Deterministic for a
// given seed, so every run measures the same catalogue.
#include <QString>
#include <QStringList>
#include <random>

namespace bench {

class SampleText {
  public:
    explicit SampleText(quint64 seed) : rng_(seed) {}

    int uniform(int lo, int hi);  // lo..hi inclusive
    QString firstNames();         // one or two first names
    QString surnames();           // one or two surnames
    // Birth year 1100-1990; death 25-95 years later, or 0 for a living composer.
    QPair<int, int> years();
    // Free notes of about `length` characters (cut at a word), in Spanish.
    QString notes(int length, const QString& name, int born);
    QString workTitle();
    QString key();  // "Re menor"
    // `n` movements separated as the catalogue keeps them ("Allegro#Andante#").
    QString movements(int n, QString* durations, int* totalSeconds);
    QString label();  // record label of a carrier
    // A word of the vocabulary the notes use, for selections.
    static const QStringList& noteWords();

  private:
    const QString& pick(const QStringList& list);
    std::mt19937_64 rng_;
};

}  // namespace bench
