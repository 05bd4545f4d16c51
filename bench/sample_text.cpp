#include "bench/sample_text.h"

namespace bench {
namespace {

QStringList words(const char* utf8) {
    return QString::fromUtf8(utf8).split(QLatin1Char('|'));
}

const QStringList& firstNameList() {
    static const QStringList l = words(
        "Johann|Sebastian|Wolfgang|Amadeus|Ludwig|Franz|Joseph|Antonio|Giuseppe|Claudio|Henry|"
        "Georg|Friedrich|Felix|Robert|Clara|Frédéric|Hector|Piotr|Ilich|Antonín|Bedřich|Leoš|"
        "Gustav|Richard|Johannes|Anton|Jean|Philippe|Camille|Gabriel|Maurice|Claude|Érik|Isaac|"
        "Manuel|Enrique|Joaquín|Tomás|Luis|Cristóbal|Francisco|Fernando|Federico|Xavier|Jesús|"
        "Núria|María|Teresa|Fanny|Hildegard|Barbara|Arcangelo|Domenico|Alessandro|Giovanni|"
        "Pierluigi|Heinrich|Dietrich|Carl|Maria|Sergei|Dmitri|Modest|Nikolai|Alexander|Béla|"
        "Zoltán|Jean-Baptiste|Marc-Antoine|Ottorino|Gioachino|Vincenzo|Gaetano|Giacomo|Ruperto|"
        "Federico|Ramón|Ángel|Íñigo|Óscar|Begoña|Montserrat|Aurelio|Ernesto|Rodolfo|Agustín");
    return l;
}

const QStringList& surnameList() {
    static const QStringList l = words(
        "Bach|Händel|Telemann|Vivaldi|Corelli|Scarlatti|Monteverdi|Palestrina|Victoria|Morales|"
        "Guerrero|Cabezón|Mozart|Haydn|Beethoven|Schubert|Schumann|Mendelssohn|Brahms|Bruckner|"
        "Mahler|Wagner|Strauss|Chopin|Liszt|Berlioz|Chaikovski|Dvořák|Smetana|Janáček|Grieg|"
        "Sibelius|Nielsen|Debussy|Ravel|Fauré|Saint-Saëns|Satie|Bizet|Massenet|Gounod|Rameau|"
        "Lully|Couperin|Purcell|Elgar|Britten|Vaughan Williams|Albéniz|Granados|Falla|Turina|"
        "Rodrigo|Mompou|Montsalvatge|Halffter|Arriaga|Sarasate|Bretón|Chapí|Sorozábal|Guridi|"
        "Usandizaga|Toldrà|Gerhard|Ibáñez|Muñoz|Núñez|Peña|Castaño|Montaña|Ordóñez|Yáñez|"
        "García|Pérez|López|Martínez|Sánchez|Gómez|Rodríguez|Fernández|González|Díaz|Álvarez|"
        "Rossini|Bellini|Donizetti|Verdi|Puccini|Mascagni|Respighi|Busoni|Rachmaninov|Prokófiev|"
        "Shostakóvich|Stravinski|Mussorgski|Borodín|Rimski-Kórsakov|Glinka|Bartók|Kodály|Ligeti|"
        "Penderecki|Lutosławski|Górecki|Szymanowski|Hindemith|Schönberg|Berg|Webern|Weill|Orff|"
        "Messiaen|Boulez|Poulenc|Milhaud|Honegger|Ibert|Copland|Barber|Bernstein|Gershwin|Ives|"
        "Villa-Lobos|Piazzolla|Ginastera|Chávez|Revueltas|Ponce|Lecuona|Bottesini|O'Neill");
    return l;
}

const QStringList& sentenceList() {
    static const QStringList l = words(
        "Nació en %C en %Y y estudió con los mejores maestros de su tiempo.|"
        "Su obra abarca sinfonías, conciertos, música de cámara y numerosas piezas para piano.|"
        "La crítica de la época recibió con frialdad su primera ópera, hoy considerada una obra "
        "maestra.|"
        "Trabajó como organista en la catedral y como maestro de capilla de la corte.|"
        "Viajó por Italia, Francia y Alemania, donde conoció a los compositores más influyentes.|"
        "En esta colección hay varias grabaciones históricas, algunas en discos de pizarra.|"
        "Su música de cámara se interpreta poco, aunque los cuartetos de cuerda merecen atención.|"
        "Escribió también canciones sobre textos de poetas españoles y latinoamericanos.|"
        "Las sinfonías se grabaron completas por primera vez en los años sesenta.|"
        "El estilo de %N une la tradición contrapuntística con una armonía muy personal.|"
        "Fue profesor de composición en el conservatorio y tuvo discípulos destacados.|"
        "La versión de referencia es la de la orquesta de la radio, dirigida con gran energía.|"
        "Murió pobre y olvidado; su obra se redescubrió un siglo después.|"
        "Compuso zarzuelas de gran éxito que aún se representan en los teatros de Madrid.|"
        "Entre sus obras sacras destacan un réquiem, dos misas y un oratorio de Navidad.|"
        "El manuscrito autógrafo se conserva en la biblioteca nacional.|"
        "Sus conciertos para violín exigen una técnica prodigiosa del solista.|"
        "La orquestación es brillante y el uso del metal, especialmente audaz.|"
        "Dejó inacabada su última sinfonía, que completó un discípulo años más tarde.|"
        "Hay que buscar la edición crítica, que corrige muchos errores de las anteriores.|"
        "Influido por la música popular, recogió canciones de su tierra natal en %C.|"
        "El ballet tuvo un estreno escandaloso, pero pronto entró en el repertorio.|"
        "Sus sonatas para teclado son breves, ingeniosas y llenas de cruces de manos.|"
        "La ópera cómica le dio fama; la música instrumental, el respeto de sus colegas.|"
        "Conviene comparar la grabación en vivo con la de estudio: el tempo es muy distinto.|"
        "Año de referencia %Y: primera audición pública de su obra más conocida.");
    return l;
}

const QStringList& cityList() {
    static const QStringList l = words(
        "Eisenach|Salzburgo|Bonn|Viena|Leipzig|Venecia|Cremona|Praga|Brno|Bergen|Helsinki|"
        "París|Lyon|Londres|Sevilla|Cádiz|Bilbao|Barcelona|Valencia|Madrid|Camprodón|Lleida|"
        "Zaragoza|Oviedo|San Sebastián|Buenos Aires|México|La Habana|San Petersburgo|Moscú|"
        "Budapest|Varsovia|Cracovia|Núremberg|Hamburgo|Bolonia|Nápoles|Palermo|Lisboa|Oporto");
    return l;
}

const QStringList& workList() {
    static const QStringList l = words(
        "Sinfonía|Concierto para piano|Concierto para violín|Cuarteto de cuerda|Sonata para "
        "piano|Misa|Réquiem|Oratorio|Suite orquestal|Obertura|Trío con piano|Quinteto|Serenata|"
        "Divertimento|Preludio y fuga|Variaciones|Fantasía|Rapsodia|Poema sinfónico|Nocturno|"
        "Estudio|Balada|Cantata|Magnificat|Stabat Mater|Te Deum|Danzas|Canciones|Zarzuela|Ópera");
    return l;
}

const QStringList& movementList() {
    static const QStringList l = words(
        "Allegro|Allegro moderato|Allegro con brio|Andante|Andante cantabile|Adagio|Adagio "
        "molto|Largo|Lento|Presto|Vivace|Scherzo: Allegro vivace|Minuetto|Trío|Rondó: Allegro|"
        "Finale: Presto|Tema con variaciones|Allegretto|Grave|Introducción|Marcha|Vals|Coral|"
        "Fuga|Aria|Recitativo|Coro|Sarabanda|Giga|Zarabanda|Chacona|Pasacalle");
    return l;
}

const QStringList& keyList() {
    static const QStringList l = words(
        "Do mayor|Do menor|Re mayor|Re menor|Mi bemol mayor|Mi menor|Fa mayor|Fa menor|"
        "Sol mayor|Sol menor|La mayor|La menor|Si bemol mayor|Si menor|Fa sostenido menor");
    return l;
}

const QStringList& labelList() {
    static const QStringList l = words(
        "Deutsche Grammophon|Decca|EMI Classics|Philips|Sony Classical|Harmonia Mundi|Naxos|"
        "Erato|Archiv Produktion|Hyperion|Chandos|BIS|Alia Vox|Glossa|Columna Música|RCA Red Seal");
    return l;
}

}  // namespace

int SampleText::uniform(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng_);
}

const QString& SampleText::pick(const QStringList& list) {
    return list.at(uniform(0, int(list.size()) - 1));
}

QString SampleText::firstNames() {
    if (uniform(0, 3) == 0) return pick(firstNameList()) + QLatin1Char(' ') + pick(firstNameList());
    return pick(firstNameList());
}

QString SampleText::surnames() {
    if (uniform(0, 4) == 0) return pick(surnameList()) + QLatin1Char(' ') + pick(surnameList());
    return pick(surnameList());
}

QPair<int, int> SampleText::years() {
    int born = uniform(1100, 1990);
    int died = born + uniform(25, 95);
    if (died > 2024) died = 0;
    return {born, died};
}

QString SampleText::notes(int length, const QString& name, int born) {
    QString out;
    out.reserve(length + 200);
    while (out.size() < length) {
        QString s = pick(sentenceList());
        s.replace(QLatin1String("%N"), name);
        s.replace(QLatin1String("%C"), pick(cityList()));
        s.replace(QLatin1String("%Y"), QString::number(born + uniform(0, 60)));
        if (!out.isEmpty()) out += QLatin1Char(' ');
        out += s;
    }
    int cut = out.lastIndexOf(QLatin1Char(' '), length);
    out.truncate(cut > length / 2 ? cut : length);
    return out;
}

QString SampleText::workTitle() {
    return pick(workList());
}

QString SampleText::key() {
    return pick(keyList());
}

QString SampleText::movements(int n, QString* durations, int* totalSeconds) {
    QString names;
    durations->clear();
    *totalSeconds = 0;
    for (int i = 0; i < n; ++i) {
        names += pick(movementList()) + QLatin1Char('#');
        int sec = uniform(90, 1200);
        *totalSeconds += sec;
        *durations += QStringLiteral("%1:%2:%3#")
                          .arg(sec / 3600)
                          .arg((sec / 60) % 60, 2, 10, QLatin1Char('0'))
                          .arg(sec % 60, 2, 10, QLatin1Char('0'));
    }
    return names;
}

QString SampleText::label() {
    return pick(labelList());
}

const QStringList& SampleText::noteWords() {
    static const QStringList l = words("ópera|cuarteto|sinfonía|manuscrito|zarzuela|réquiem");
    return l;
}

}  // namespace bench
