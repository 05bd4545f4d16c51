#include "info/search_window.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "info/show_record.h"
#include "shell/windowing/busy.h"
#include "shell/windowing/context.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "store/catalogue_search.h"
#include "store/data_hub.h"

namespace {

constexpr int kPauseMs = 300;
constexpr int kRegisterRole = Qt::UserRole, kKeyRole = Qt::UserRole + 1;

}  // namespace

SearchWindow::SearchWindow(Context& ctx, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(ctx) {
    FormBasesDatos& hub = *ctx.hub;
    setObjectName(QStringLiteral("FormBuscar"));
    setWindowTitle(hub.EtiBuscarTitulo);
    look::setBackColor(this, look::kPanel);
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(hub.EtiBuscarPalabras, this);
    look::setForeColor(caption, look::kAzul);
    TxtBuscar = new QLineEdit(this);
    TxtBuscar->setObjectName(QStringLiteral("TxtBuscar"));
    TxtBuscar->setToolTip(hub.EtiBuscarAyuda);
    look::setBoxColor(TxtBuscar, look::kBlanco);
    caption->setBuddy(TxtBuscar);
    ListResultados = new QTreeWidget(this);
    ListResultados->setObjectName(QStringLiteral("ListResultados"));
    ListResultados->setHeaderLabels(hub.EtiBuscarColumnas.split(QLatin1Char('|')));
    ListResultados->setRootIsDecorated(false);
    ListResultados->setUniformRowHeights(true);
    ListResultados->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    ListResultados->header()->setStretchLastSection(false);
    LabResultados = new QLabel(this);
    LabResultados->setObjectName(QStringLiteral("LabResultados"));
    auto* cerrar = new QPushButton(hub.EtiCerrar, this);
    cerrar->setObjectName(QStringLiteral("BtnCerrar"));
    layout->addWidget(caption);
    layout->addWidget(TxtBuscar);
    layout->addWidget(ListResultados, 1);
    layout->addWidget(LabResultados);
    layout->addWidget(cerrar, 0, Qt::AlignRight);
    resize(640, 480);

    pause_ = new QTimer(this);
    pause_->setSingleShot(true);
    pause_->setInterval(kPauseMs);
    connect(pause_, &QTimer::timeout, this, &SearchWindow::Buscar);
    connect(TxtBuscar, &QLineEdit::textEdited, pause_, qOverload<>(&QTimer::start));
    connect(TxtBuscar, &QLineEdit::returnPressed, this, [this] {
        pause_->stop();
        Buscar();
        if (ListResultados->topLevelItemCount() > 0) ListResultados->setFocus();
    });
    connect(ListResultados, &QTreeWidget::itemActivated, this, &SearchWindow::activated);
    connect(cerrar, &QPushButton::clicked, this, &QWidget::close);
}

SearchWindow* SearchWindow::open(Context& ctx) {
    QWidget* owner = ctx.window;
    auto* w = owner ? owner->findChild<SearchWindow*>(QStringLiteral("FormBuscar"),
                                                      Qt::FindDirectChildrenOnly)
                    : nullptr;
    if (!w) w = new SearchWindow(ctx, owner);
    w->show();
    w->raise();
    w->activateWindow();
    w->TxtBuscar->setFocus();
    w->TxtBuscar->selectAll();
    return w;
}

void SearchWindow::Buscar() {
    FormBasesDatos& hub = *ctx_.hub;
    const QStringList words = search::words(TxtBuscar->text());
    ListResultados->clear();
    LabResultados->clear();
    if (words.isEmpty()) return;
    search::Result result;
    try {
        busy::Watch watch(hub.MensaBuscando, hub.EtiCancelar);
        std::shared_ptr<Connection> c = hub.Data[0].connection();
        c->setProgressCheck([&watch] { return watch.keepGoing(); });
        try {
            result = search::run(*c, hub, words);
        } catch (...) {
            c->setProgressCheck({});
            throw;
        }
        c->setProgressCheck({});
    } catch (const DbError& e) {
        if (e.number != dberr::kCancelled)
            dialogs::error(window(), hub.MensaProducidoError + QString::number(e.number));
        return;
    }
    QList<QTreeWidgetItem*> items;
    for (const search::Hit& h : result.shown) {
        auto* item = new QTreeWidgetItem(
            QStringList{registers::at(h.global).caption, h.label.trimmed(), h.field});
        item->setData(0, kRegisterRole, h.global);
        item->setData(0, kKeyRole, h.key);
        items << item;
    }
    const qint64 more = result.total - qint64(result.shown.size());
    if (more > 0) {
        auto* line = new QTreeWidgetItem(QStringList{hub.EtiBuscarMas.arg(more)});
        line->setFlags(Qt::ItemIsEnabled);
        items << line;
    }
    ListResultados->addTopLevelItems(items);
    if (more > 0) items.last()->setFirstColumnSpanned(true);
    for (int c = 0; c < 3; c += 2) ListResultados->resizeColumnToContents(c);
    if (!items.isEmpty()) ListResultados->setCurrentItem(items.first());
    LabResultados->setText(result.total == 0 ? hub.EtiBuscarNinguno
                                             : hub.EtiBuscarResultados.arg(result.total));
}

void SearchWindow::activated(QTreeWidgetItem* item) {
    if (!item || !item->data(0, kKeyRole).isValid()) return;
    showRecord(ctx_, item->data(0, kRegisterRole).toInt(), item->data(0, kKeyRole).toLongLong());
}
