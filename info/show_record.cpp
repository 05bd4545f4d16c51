#include "info/show_record.h"

#include <QStringList>

#include "shell/windowing/context.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/navigation.h"
#include "shell/windowing/screen.h"
#include "shell/windowing/tab_strip.h"
#include "store/data_hub.h"
#include "store/record_store.h"

bool showRecord(Context& ctx, int global, qint64 key, const std::vector<qint64>& group) {
    Navigation* nav = ctx.nav;
    auto strip = [&](const QString& name) { return qobject_cast<TabStrip*>(nav->strip(name)); };
    TabStrip* nivel1 = nav ? strip(QStringLiteral("TabNivel1")) : nullptr;
    if (!nivel1 || !nivel1->isEnabled()) return false;  // a modification is pending
    FormBasesDatos& hub = *ctx.hub;
    const RegisterDef& d = registers::at(global);
    DataControl& data = hub.Data[global];
    RegisterState& s = hub.reg[global];
    try {
        hub.resetSelection(global);
        if (group.empty()) {
            data.RecordSource = FormBasesDatos::wholeTable(global);
        } else {
            QStringList keys;
            for (qint64 k : group) keys << QString::number(k);
            data.RecordSource = QStringLiteral("SELECT * FROM %1 WHERE Id IN (%2)")
                                    .arg(d.table, keys.join(QStringLiteral(", ")));
            s.SelRecordSource = data.RecordSource;
        }
        data.Refresh();
    } catch (const DbError& e) {
        dialogs::error(ctx.window, hub.MensaProducidoError + QString::number(e.number));
        return false;
    }
    const std::vector<qint64>& keys = data.recordset().keys();
    s.ContSel = qint32(keys.size());
    long at = -1;
    for (size_t i = 0; i < keys.size() && at < 0; ++i)
        if (keys[i] == key) at = long(i);
    if (at < 0) return false;
    s.Posicion = qint32(at + 1);
    // The panel's strips as a user would click them; the screen is then restored from the hub.
    if (d.group == 1)
        nav->setSolapaRegistros1(d.index);
    else
        nav->setSolapaRegistros2(d.index);
    nivel1->setTab(d.group - 1);
    if (TabStrip* ops = strip(QStringLiteral("TabRegistros%1").arg(d.group))) ops->setTab(2);
    if (TabStrip* r = strip(QStringLiteral("TabReg%1Mostrar").arg(d.group))) r->setTab(d.index);
    const int number = registers::screenNumber(global, 2);
    Screen* shown = nav->currentScreen();
    if (!shown || shown->number() != number) {
        nav->OcultarFormulario();
        nav->MostrarFormulario(number);
        shown = nav->currentScreen();
    }
    if (shown) shown->Carga();
    return shown && shown->number() == number;
}
