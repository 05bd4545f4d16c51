#include "selection/filter_model.h"

#include "store/record_links.h"

namespace selection {

namespace {

// Whether a field holds a list of texts each followed by "#" (a work's movements).
bool holdsList(const RegisterDef& reg, const VocabItem& f) {
    const int owner = f.sourceRegister >= 0 ? f.sourceRegister : reg.global;
    const FieldDef* d = registers::at(owner).field(f.column);
    return d && d->kind == FieldKind::Movements;
}

}  // namespace

void FilterModel::chooseField(int position) {
    if (position < 0 || position >= reg_.selFields.size()) return;
    const VocabItem& f = reg_.selFields[position];
    CampoSQL = f.column;
    if (f.kind != 0) TipoOrquesta = qint16(f.kind);
}

void FilterModel::chooseCriterion(int position) {
    const auto& c = registers::criteria();
    if (position < 0 || position >= c.size()) return;
    OperadorSQL = c[position].op;
}

void FilterModel::chooseSortField(int position) {
    if (position < 0 || position >= reg_.sortFields.size()) return;
    CampoOrdenSQL = reg_.sortFields[position].column;
}

void FilterModel::chooseSortDirection(int position) {
    const auto& d = registers::sortDirectionsOf(reg_.global);
    if (position < 0 || position >= d.size()) return;
    SentidoOrdenSQL = d[position].text;
}

void FilterModel::chooseConnective(const QString& caption) {
    ConectorSQL = caption == QLatin1String("Y") ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
    ConectorTexto = caption;
}

bool FilterModel::canAdd(const QString& v) const {
    return v != kValorInicial && !OperadorSQL.isEmpty() && !CampoSQL.isEmpty() &&
           !v.trimmed().isEmpty();
}

bool FilterModel::addFilter(const QString& v, int p, const QString& f, const QString& c) {
    if (!canAdd(v) || p < 0 || p >= reg_.selFields.size()) return false;
    addTexts(v, f, c);
    addCondition(p);
    ++numFiltros;
    return true;
}

void FilterModel::addTexts(const QString& v, const QString& f, const QString& c) {
    TextoFiltros = joinDescription(TextoFiltros, ConectorTexto, f, c, v);
    ConectorTexto = kSevenBlanks + ConectorTexto;
    if (!OpcionSQL.isEmpty()) lines << ConectorTexto;
    lines << f << c << QLatin1Char('\'') + ValorSQL + QLatin1Char('\'');
}

void FilterModel::addCondition(int p) {
    const VocabItem& f = reg_.selFields[p];
    QString t = holdsList(reg_, f) && OperadorSQL == QLatin1String(" = ")
                    ? itemEqualsTerm(f.column, ValorSQL)
                    : term(f, OperadorSQL, ValorSQL, TipoOrquesta);
    // A recording's filter on a linked register tests the record it links (for a set, any of
    // its records); its own notes are tested bare.
    if (f.sourceRegister >= 0 && f.sourceRegister != reg_.global)
        t = links::existsSql(f.sourceRegister, t);
    OpcionSQL = joinCondition(OpcionSQL, ConectorSQL, t);
}

void FilterModel::newSelection() {
    OpcionSQL.clear();
    ConectorSQL.clear();
    ConectorTexto.clear();
    ValorSQL.clear();
    TextoFiltros.clear();
    lines.clear();
    numFiltros = 0;
}

void FilterModel::allRecords() {
    OpcionSQL = kTodo;
    TextoFiltros.clear();
    lines.clear();
    numFiltros = 0;
}

QString FilterModel::statement() const {
    return selectStatement(reg_.table, OpcionSQL, CampoOrdenSQL, SentidoOrdenSQL);
}

void FilterModel::clearWorking() {
    CampoSQL.clear();
    OperadorSQL.clear();
    ValorSQL.clear();
    CampoOrdenSQL.clear();
    SentidoOrdenSQL.clear();
    OpcionSQL.clear();
    TextoFiltros.clear();
}

}  // namespace selection
