#include "selection/apply.h"

#include <new>

#include "selection/filter_model.h"
#include "shell/windowing/busy.h"
#include "shell/windowing/dialogs.h"
#include "store/data_hub.h"

namespace selection {

qint32 applyStatement(FormBasesDatos& hub, int global, const QString& statement) {
    DataControl& data = hub.Data[global];
    const QString previous = data.RecordSource;
    data.RecordSource = statement;
    {
        // A selection over a large catalogue can take seconds: the user sees it going on and
        // may stop it, which leaves the selection in force as it was.
        busy::Watch watch(hub.MensaSeleccionando, hub.EtiCancelar);
        std::shared_ptr<Connection> c = data.connection();
        c->setProgressCheck([&watch] { return watch.keepGoing(); });
        try {
            data.Refresh();
        } catch (const DbError& e) {
            c->setProgressCheck({});
            if (e.number == dberr::kCancelled) data.RecordSource = previous;
            throw;
        }
        c->setProgressCheck({});
    }
    Recordset& rs = data.recordset();
    qint32 n = 0;
    if (rs.RecordCount() != 0) {
        rs.MoveLast();
        n = qint32(rs.RecordCount());
        rs.MoveFirst();
    }
    RegisterState& s = hub.reg[global];
    s.ContSel = n;
    s.Posicion = 1;
    s.SelRecordSource = statement;
    return n;
}

namespace {

// The selection falls back to the whole table, and the hub says so: a data control showing every
// record beside counters of a selection that was never applied would browse the wrong records.
void fallBack(FormBasesDatos& hub, int global) {
    hub.resetSelection(global);
    hub.reg[global].Posicion = 1;
    DataControl& data = hub.Data[global];
    data.RecordSource = FormBasesDatos::wholeTable(global);
    try {
        data.Refresh();
        if (data.recordset().RecordCount() != 0) data.recordset().MoveFirst();
    } catch (const DbError&) {
        // The catalogue itself is unreadable now; the message already shown says so.
    }
}

void report(FormBasesDatos& hub, int number, QWidget* parent) {
    if (number == dberr::kTooComplex)
        dialogs::error(parent, hub.MensaError3360);
    else
        dialogs::error(parent, hub.MensaProducidoError + QString::number(number));
}

}  // namespace

Outcome applySelection(FormBasesDatos& hub, int global, FilterModel& m, int sortFieldPosition,
                       int sortDirectionPosition, QWidget* parent) {
    if (m.CampoOrdenSQL.isEmpty() || m.SentidoOrdenSQL.isEmpty() || m.OpcionSQL.isEmpty())
        return Outcome::NotApplied;
    RegisterState& s = hub.reg[global];
    int failure = 0;
    try {
        QString statement;
        if (m.isAllRecords()) {
            statement = m.statement();
            s.MemoSelLista.clear();
        } else {
            m.OpcionSQL = m.statement();
            statement = m.OpcionSQL;
        }
        applyStatement(hub, global, statement);
        s.ContFil = m.numFiltros;
        s.MemoSelCampoOrden = qint16(sortFieldPosition);
        s.MemoSelCriterioOrden = qint16(sortDirectionPosition);
        const QString description = m.TextoFiltros;
        m.clearWorking();
        s.MemoSelNT = 2;
        s.MemoSelOpcionSQL.clear();
        s.MemoSelValorFiltro = description;
        s.SelValorFiltro = description;
        s.SelLista = s.MemoSelLista;
        return Outcome::Applied;
    } catch (const DbError& e) {
        if (e.number == dberr::kCancelled) {
            // Stopped by the user: nothing to report, the previous selection stays in force and
            // is what the screen shows, now and on every later visit.
            m.clearWorking();
            s.MemoSelNT = 2;
            s.MemoSelOpcionSQL.clear();
            s.MemoSelValorFiltro = s.SelValorFiltro;
            s.MemoSelLista = s.SelLista;
            return Outcome::Cancelled;
        }
        failure = e.number;
    } catch (const std::bad_alloc&) {
        failure = dberr::kOutOfMemory;
    }
    report(hub, failure, parent);
    m.clearWorking();
    fallBack(hub, global);
    return Outcome::Failed;
}

void storeUnderConstruction(RegisterState& s, const FilterModel& m) {
    s.MemoSelLista = m.lines;
    s.MemoSelNT = 0;
    s.MemoSelOpcionSQL = m.OpcionSQL;
    s.MemoSelValorFiltro = m.TextoFiltros;
}

}  // namespace selection
