#include "info/duplicates_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "info/show_record.h"
#include "shell/windowing/busy.h"
#include "shell/windowing/context.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/look.h"
#include "store/data_hub.h"
#include "store/duplicates.h"

DuplicatesWindow::DuplicatesWindow(Context& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx) {
    FormBasesDatos& hub = *ctx.hub;
    setObjectName(QStringLiteral("FormDuplicados"));
    setWindowTitle(hub.EtiDuplicadosTitulo);
    look::setBackColor(this, look::kPanel);
    auto* layout = new QVBoxLayout(this);
    ListDuplicados = new QTreeWidget(this);
    ListDuplicados->setObjectName(QStringLiteral("ListDuplicados"));
    ListDuplicados->setHeaderLabels(hub.EtiDuplicadosColumnas.split(QLatin1Char('|')));
    ListDuplicados->setRootIsDecorated(false);
    ListDuplicados->setUniformRowHeights(true);
    ListDuplicados->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    ListDuplicados->header()->setStretchLastSection(false);
    LabDuplicados = new QLabel(this);
    LabDuplicados->setObjectName(QStringLiteral("LabDuplicados"));
    auto* cerrar = new QPushButton(hub.EtiCerrar, this);
    cerrar->setObjectName(QStringLiteral("BtnCerrar"));
    layout->addWidget(ListDuplicados, 1);
    layout->addWidget(LabDuplicados);
    layout->addWidget(cerrar, 0, Qt::AlignRight);
    resize(640, 480);
    connect(ListDuplicados, &QTreeWidget::itemActivated, this, &DuplicatesWindow::activated);
    connect(cerrar, &QPushButton::clicked, this, &QWidget::close);
}

DuplicatesWindow* DuplicatesWindow::open(Context& ctx) {
    QWidget* owner = ctx.window;
    auto* w = owner ? owner->findChild<DuplicatesWindow*>(QStringLiteral("FormDuplicados"),
                                                          Qt::FindDirectChildrenOnly)
                    : nullptr;
    if (!w) w = new DuplicatesWindow(ctx, owner);
    if (!w->fill()) {
        w->close();
        return nullptr;
    }
    w->show();
    w->raise();
    w->activateWindow();
    w->ListDuplicados->setFocus();
    return w;
}

bool DuplicatesWindow::fill() {
    FormBasesDatos& hub = *ctx_.hub;
    ListDuplicados->clear();
    groups_.clear();
    registerOf_.clear();
    QList<QTreeWidgetItem*> items;
    try {
        busy::Watch watch(hub.MensaBuscandoDuplicados, hub.EtiCancelar);
        qint64 total = 0, before = 0;
        for (int g = 0; g < registers::kCount; ++g) total += hub.reg[g].Cont;
        for (int g = 0; g < registers::kCount; ++g) {
            Connection& conn = *hub.Data[g].connection();
            const auto found = duplicates::groups(conn, hub, g, [&](qint64 done) {
                return watch.keepGoing(before + done, qMax<qint64>(total, 1));
            });
            before += hub.reg[g].Cont;
            for (const duplicates::Group& group : found) {
                auto* item =
                    new QTreeWidgetItem(QStringList{registers::at(g).caption, group.label.trimmed(),
                                                    QString::number(group.keys.size())});
                item->setData(0, Qt::UserRole, int(groups_.size()));
                item->setTextAlignment(2, Qt::AlignRight);
                groups_.push_back(group.keys);
                registerOf_.push_back(g);
                items << item;
            }
        }
    } catch (const DbError& e) {
        qDeleteAll(items);
        if (e.number != dberr::kCancelled)
            dialogs::error(ctx_.window, hub.MensaProducidoError + QString::number(e.number));
        return false;
    }
    ListDuplicados->addTopLevelItems(items);
    for (int c = 0; c < 3; c += 2) ListDuplicados->resizeColumnToContents(c);
    if (!items.isEmpty()) ListDuplicados->setCurrentItem(items.first());
    LabDuplicados->setText(items.isEmpty() ? hub.EtiDuplicadosNinguno : QString());
    return true;
}

void DuplicatesWindow::activated(QTreeWidgetItem* item) {
    if (!item) return;
    const size_t i = size_t(item->data(0, Qt::UserRole).toInt());
    if (i >= groups_.size()) return;
    showRecord(ctx_, registerOf_[i], groups_[i].front(), groups_[i]);
}
