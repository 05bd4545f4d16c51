#include "info/tool_widgets.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include "shell/windowing/twips.h"

namespace tools {

QTableWidget* table(QWidget* parent, const char* name, const QStringList& headers) {
    auto* t = new QTableWidget(0, int(headers.size()), parent);
    t->setObjectName(QLatin1String(name));
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setTabKeyNavigation(false);
    // One line a row, as the screens' grids: a long path is cut, whole in its tooltip.
    t->setWordWrap(false);
    t->verticalHeader()->setDefaultSectionSize(twips::toPixels(300));
    return t;
}

QTableWidgetItem* item(const QString& text, bool number) {
    auto* i = new QTableWidgetItem(text);
    if (!number) i->setToolTip(text);
    if (number) i->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return i;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    if (!tip.isEmpty()) b->setToolTip(tip);
    b->setAutoDefault(false);
    b->setMinimumSize(twips::toPixels(1215), twips::toPixels(375));
    return b;
}

}  // namespace tools
