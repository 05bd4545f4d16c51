// The composer listing on the whole table as its selection, through the real screen: a page of
// every field with its 20 pictures at zoom 1, cold (no picture decoded yet) and warm (pictures
// kept as thumbnails), a page at zoom 20, and the move to the last page. SQLite alone reads the
// same rows by key.
#include <QListWidget>
#include <QScrollBar>
#include <chrono>
#include <filesystem>

#include "bench/bench_run.h"
#include "bench/raw_sqlite.h"
#include "bench/screens.h"
#include "listing/listing_screen.h"
#include "shell/form_mdi.h"
#include "store/data_hub.h"

namespace bench {
namespace {

constexpr int kListing = 22;

// The listing screen with every field ticked and listed, or nullptr when it is not built yet.
ListingScreen* openListing(FormMdi& m) {
    auto* ls = dynamic_cast<ListingScreen*>(openScreen(m, kListing));
    auto* list = control<QListWidget>(ls, "List");
    if (!ls || !list) return nullptr;
    for (int i = 0; i < list->count(); ++i) list->item(i)->setCheckState(Qt::Checked);
    ls->Listar();
    settle();
    return ls;
}

void setZoom(ListingScreen* ls, int zoom) {
    control<QScrollBar>(ls, "HScroll")->setValue(zoom);
    settle();
}

int pages(ListingScreen* ls) {
    return control<QScrollBar>(ls, "VScroll")->maximum();
}

void showPage(ListingScreen* ls, int page) {
    ls->showPage(page);
    settle();
}

// The pictures' files look changed, so the next page decodes them again instead of taking the
// thumbnails kept.
void forgetPictures(const QString& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(fs::path(folder.toStdString()), ec)) {
        auto t = fs::last_write_time(e.path(), ec);
        fs::last_write_time(e.path(), t + std::chrono::seconds(1), ec);
    }
}

}  // namespace

void browseListing(FormMdi& m, RunContext& run) {
    ListingScreen* ls = openListing(m);
    if (!ls) return;
    for (int i = 0; i < 50; ++i) showPage(ls, 1 + int(run.randomPosition(pages(ls))));
    setZoom(ls, 20);
    for (int i = 0; i < 50; ++i) showPage(ls, 1 + int(run.randomPosition(pages(ls))));
    setZoom(ls, 1);
    showPage(ls, pages(ls));
}

void benchListing(RunContext& run) {
    auto m = startProgram(run.folder);
    settle();
    ListingScreen* ls = openListing(*m);
    if (!ls) {
        Row r;
        r.operation = QStringLiteral("listing page");
        r.note = QStringLiteral("screen not built yet");
        run.add(r);
        return;
    }
    RawDb raw(run.catalogue());
    const std::vector<qint64>& keys = m->hub().Data[0].recordset().keys();
    // SQLite alone: the rows of page `page` with `perPage` rows, every column as text.
    auto rawPage = [&](int page, int perPage) {
        const size_t first = size_t(page - 1) * size_t(perPage);
        for (size_t i = first; i < first + size_t(perPage) && i < keys.size(); ++i)
            raw.readRow(QStringLiteral("Compositor"), keys[i]);
    };
    const int runs = run.runs(15);
    auto measure = [&](const QString& name, int perPage, const QString& note, double goal,
                       const std::function<int()>& pickPage, bool cold) {
        QVector<double> app, alone;
        for (int i = 0; i < runs; ++i) {
            const int page = pickPage();
            if (cold) forgetPictures(run.pictureFolder);
            app << timeMs([&] { showPage(ls, page); });
            alone << timeMs([&] { rawPage(page, perPage); });
        }
        Row r;
        r.operation = name;
        r.ms = median(app);
        r.rawMs = median(alone);
        r.goalMs = goal;
        r.runs = runs;
        r.note = note;
        run.add(r);
    };
    const int perPage1 = int(ls->rowsPerPage());
    auto randomPage = [&] { return 1 + int(run.randomPosition(pages(ls))); };
    measure(QStringLiteral("listing page, zoom 1, cold"), perPage1,
            QStringLiteral("%1 rows, all fields, pictures decoded; SQLite: read the rows")
                .arg(perPage1),
            300, randomPage, true);
    measure(
        QStringLiteral("listing page, zoom 1, warm"), perPage1,
        QStringLiteral("%1 rows, all fields, thumbnails kept; SQLite: read the rows").arg(perPage1),
        50, randomPage, false);
    measure(
        QStringLiteral("listing: move to the last page"), perPage1,
        QStringLiteral("from a random page; SQLite: read its rows"), 50,
        [&] {
            showPage(ls, randomPage());
            return pages(ls);
        },
        false);
    setZoom(ls, 20);
    const int perPage20 = int(ls->rowsPerPage());
    measure(QStringLiteral("listing page, zoom 20"), perPage20,
            QStringLiteral("%1 row per page, %2 pages; SQLite: read the row")
                .arg(perPage20)
                .arg(pages(ls)),
            50, randomPage, false);
}

}  // namespace bench
