#include "selection/selection_screen.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "selection/apply.h"
#include "shell/windowing/dialogs.h"
#include "shell/windowing/storable_text.h"
#include "store/data_hub.h"

using selection::FilterModel;

SelectionScreen::SelectionScreen(Context& ctx, int global, QWidget* parent)
    : Screen(ctx, registers::screenNumber(global, 1), parent),
      reg_(registers::at(global)),
      global_(global),
      model_(reg_) {
    buildControls();
    connectHandlers();
    Load();
}

int SelectionScreen::historico() const {
    return ComboCriterioOrden->count() - 1;
}

RegisterState& SelectionScreen::state() {
    return ctx_.hub->reg[global_];
}

void SelectionScreen::connectHandlers() {
    for (QComboBox* c : {ComboCampo, ComboCriterio, ComboCampoOrden, ComboCriterioOrden})
        connect(c, &QComboBox::currentIndexChanged, this, [this, c](int i) { choose(c, i); });
    connect(BtnNueva, &QPushButton::clicked, this, [this] { BtnNuevaClick(); });
    connect(BtnY, &QPushButton::clicked, this, [this] { BtnConectorClick(QStringLiteral("Y")); });
    connect(BtnO, &QPushButton::clicked, this, [this] { BtnConectorClick(QStringLiteral("O")); });
    connect(BtnAnadir, &QPushButton::clicked, this, [this] { BtnAnadirClick(); });
    connect(BtnTodo, &QPushButton::clicked, this, [this] { BtnTodoClick(); });
    connect(BtnAceptar, &QPushButton::clicked, this, [this] { BtnAceptarClick(); });
    storable::guard(TxtValFiltro);
    connect(TxtValFiltro, &QLineEdit::textChanged, this, [this] { TxtValFiltroChange(); });
    // The description box's tooltip always repeats its text.
    connect(LabOpcionSQL, &QLineEdit::textChanged, LabOpcionSQL, &QWidget::setToolTip);
    TxtValFiltro->installEventFilter(this);
}

// ---- Loading and idle ------------------------------------------------------------------------

void SelectionScreen::Load() {
    TotalCampo = ComboCampo->count();
    TotalCriterio = ComboCriterio->count();
    TotalCampoOrden = ComboCampoOrden->count();
    TextoValorInicial = TxtValFiltro->text();
    select(ComboCampo, TotalCampo - 1);
    AvisoCampo = ComboCampo->currentText();
    select(ComboCriterio, TotalCriterio - 1);
    AvisoCriterio = ComboCriterio->currentText();
    select(ComboCampoOrden, TotalCampoOrden - 1);
    AvisoCampoOrden = ComboCampoOrden->currentText();
    Idle();
}

void SelectionScreen::Idle() {
    BtnNueva->setEnabled(true);
    BtnTodo->setEnabled(true);
    BtnAnadir->setEnabled(false);
    BtnY->setEnabled(false);
    BtnO->setEnabled(false);
    BtnAceptar->setEnabled(false);
    ComboCampo->setEnabled(false);
    showPrompt(ComboCampo, TotalCampo);
    ComboCriterio->setEnabled(false);
    showPrompt(ComboCriterio, TotalCriterio);
    TxtValFiltro->setEnabled(false);
    TxtValFiltro->setText(TextoValorInicial);
    ComboCampoOrden->setEnabled(false);
    const RegisterState& s = state();
    if (s.MemoSelCampoOrden < 0 || s.MemoSelCampoOrden >= TotalCampoOrden - 1) {
        showPrompt(ComboCampoOrden, TotalCampoOrden);
    } else {
        removeSortPrompt();
        select(ComboCampoOrden, s.MemoSelCampoOrden);
    }
    ComboCriterioOrden->setEnabled(false);
    const bool memo =
        s.MemoSelCriterioOrden >= 0 && s.MemoSelCriterioOrden < ComboCriterioOrden->count();
    select(ComboCriterioOrden, memo ? s.MemoSelCriterioOrden : historico());
}

// ---- Prompt items and sort positions ---------------------------------------------------------

void SelectionScreen::showPrompt(QComboBox* combo, int designCount) {
    if (combo->count() < designCount)
        combo->addItem(combo == ComboCampo      ? AvisoCampo
                       : combo == ComboCriterio ? AvisoCriterio
                                                : AvisoCampoOrden);
    select(combo, designCount - 1);
}

void SelectionScreen::removePrompt(QComboBox* combo, int designCount) {
    // Every path that removes the prompt comes after one that showed it; a list without it is
    // left alone rather than losing a real item.
    if (combo->count() == designCount) combo->removeItem(designCount - 1);
}

void SelectionScreen::removeSortPrompt() {
    if (ComboCampoOrden->count() == TotalCampoOrden)
        ComboCampoOrden->removeItem(TotalCampoOrden - 1);
}

void SelectionScreen::positionSortLists() {
    const RegisterState& s = state();
    if (s.MemoSelCampoOrden < 0 || s.MemoSelCampoOrden >= ComboCampoOrden->count() ||
        s.MemoSelCriterioOrden < 0 || s.MemoSelCriterioOrden >= ComboCriterioOrden->count()) {
        select(ComboCampoOrden, 0);
        select(ComboCriterioOrden, historico());
    } else {
        select(ComboCampoOrden, s.MemoSelCampoOrden);
        select(ComboCriterioOrden, s.MemoSelCriterioOrden);
    }
}

void SelectionScreen::runSortChoices() {
    choose(ComboCampoOrden, ComboCampoOrden->currentIndex());
    choose(ComboCriterioOrden, ComboCriterioOrden->currentIndex());
}

void SelectionScreen::select(QComboBox* combo, int index) {
    if (combo->currentIndex() == index)
        choose(combo, index);
    else
        combo->setCurrentIndex(index);  // its change runs the choice
}

void SelectionScreen::choose(QComboBox* combo, int index) {
    if (combo == ComboCampo)
        model_.chooseField(index);
    else if (combo == ComboCriterio)
        model_.chooseCriterion(index);
    else if (combo == ComboCampoOrden)
        model_.chooseSortField(index);
    else
        model_.chooseSortDirection(index);
}

// ---- Handlers --------------------------------------------------------------------------------

void SelectionScreen::BtnNuevaClick() {
    Idle();
    model_.newSelection();
    LabNumFiltros->setText(QStringLiteral("0"));
    LabOpcionSQL->clear();
    TxtValFiltro->setText(TextoValorInicial);
    ListFiltros->clear();
    removePrompt(ComboCampo, TotalCampo);
    removePrompt(ComboCriterio, TotalCriterio);
    select(ComboCampo, 0);
    select(ComboCriterio, 0);
    ComboCampo->setEnabled(true);
    ComboCriterio->setEnabled(true);
    TxtValFiltro->setEnabled(true);
    BtnAnadir->setEnabled(true);
}

void SelectionScreen::BtnConectorClick(const QString& caption) {
    removePrompt(ComboCampo, TotalCampo);
    removePrompt(ComboCriterio, TotalCriterio);
    select(ComboCampo, 0);
    select(ComboCriterio, 0);
    model_.chooseConnective(caption);
    BtnY->setEnabled(false);
    BtnO->setEnabled(false);
    ComboCampoOrden->setEnabled(false);
    ComboCriterioOrden->setEnabled(false);
    ComboCampo->setEnabled(true);
    ComboCriterio->setEnabled(true);
    TxtValFiltro->setEnabled(true);
    BtnAnadir->setEnabled(true);
}

void SelectionScreen::BtnAnadirClick() {
    if (!model_.addFilter(TxtValFiltro->text(), ComboCampo->currentIndex(),
                          ComboCampo->currentText(), ComboCriterio->currentText()))
        return;
    showList();
    ListFiltros->setCurrentRow(ListFiltros->count() - 1);
    showPrompt(ComboCampo, TotalCampo);
    showPrompt(ComboCriterio, TotalCriterio);
    removeSortPrompt();
    positionSortLists();
    LabNumFiltros->setText(QString::number(model_.numFiltros));
    TxtValFiltro->setText(TextoValorInicial);
    ComboCampo->setEnabled(false);
    ComboCriterio->setEnabled(false);
    TxtValFiltro->setEnabled(false);
    ComboCampoOrden->setEnabled(true);
    ComboCriterioOrden->setEnabled(true);
    BtnAceptar->setEnabled(true);
    BtnAnadir->setEnabled(false);
    setConnectivesBelowLimit();
    if (model_.numFiltros >= selection::kMaxFiltros)
        dialogs::warning(ctx_.window, ctx_.hub->MensaMax20Filtros);
    runSortChoices();
    selection::storeUnderConstruction(state(), model_);
}

void SelectionScreen::BtnTodoClick() {
    Idle();
    model_.allRecords();
    LabNumFiltros->setText(QStringLiteral("0"));
    LabNumRegTotal->setText(QString::number(state().Cont));
    LabOpcionSQL->clear();
    ListFiltros->clear();
    TxtValFiltro->setToolTip(QString());
    removeSortPrompt();
    positionSortLists();
    TxtValFiltro->setEnabled(false);
    ComboCampo->setEnabled(false);
    ComboCriterio->setEnabled(false);
    ComboCampoOrden->setEnabled(true);
    ComboCriterioOrden->setEnabled(true);
    BtnAceptar->setEnabled(true);
    runSortChoices();
}

void SelectionScreen::BtnAceptarClick() {
    const int field = ComboCampoOrden->currentIndex();
    const int direction = ComboCriterioOrden->currentIndex();
    switch (selection::applySelection(*ctx_.hub, global_, model_, field, direction, ctx_.window)) {
        case selection::Outcome::NotApplied:
            return;
        case selection::Outcome::Applied:
            LabNumRegFiltros->setText(LabNumFiltros->text());
            break;
        case selection::Outcome::Failed:
            // The selection in effect is now the whole table; the counters say so.
            LabNumRegFiltros->setText(QString::number(state().ContFil));
            break;
        case selection::Outcome::Cancelled:
            // The screen shows the selection still in force, as a later visit does.
            Carga();
            return;
    }
    LabNumReg->setText(QString::number(state().ContSel));
    setDescription(state().MemoSelValorFiltro);
    Idle();
}

bool SelectionScreen::refusesHash() const {
    return global_ == registers::kCompositor;
}

void SelectionScreen::TxtValFiltroChange() {
    // The composer's value box refuses "#", also when pasted; the other registers' boxes take it
    // like any other character.
    QString text = TxtValFiltro->text();
    if (refusesHash() && text.contains(QLatin1Char('#'))) {
        int cursor = TxtValFiltro->cursorPosition();
        for (int i = text.size() - 1; i >= 0; --i)
            if (text.at(i) == QLatin1Char('#')) {
                text.remove(i, 1);
                if (i < cursor) --cursor;
            }
        TxtValFiltro->setText(text);  // runs this handler again, without "#"
        TxtValFiltro->setCursorPosition(cursor);
        return;
    }
    model_.changeValue(text);
}

bool SelectionScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TxtValFiltro) {
        if (event->type() == QEvent::FocusIn) {
            // The user comes to the box (not the window coming back to the front, nor a popup
            // closing): what it showed is cleared for the new value.
            auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                TxtValFiltro->clear();
                BtnY->setEnabled(false);
                BtnO->setEnabled(false);
            }
        } else if (event->type() == QEvent::KeyPress && refusesHash()) {
            if (static_cast<QKeyEvent*>(event)->text().contains(QLatin1Char('#'))) return true;
        }
    }
    return Screen::eventFilter(watched, event);
}

// ---- Showing ---------------------------------------------------------------------------------

void SelectionScreen::Carga() {
    RegisterState& s = state();
    LabNumRegTotal->setText(QString::number(s.Cont));
    model_.lines = s.MemoSelLista;
    showList();
    if (s.MemoSelNT != 0) {
        Idle();
        setDescription(s.MemoSelValorFiltro);
        LabNumReg->setText(QString::number(s.ContSel));
        LabNumFiltros->setText(QString::number(s.ContFil));
        LabNumRegFiltros->setText(LabNumFiltros->text());
        model_.numFiltros = s.ContFil;
        return;
    }
    if (s.MemoSelLista.isEmpty()) {
        s.MemoSelNT = 2;
        Carga();
        return;
    }
    // A selection left under construction.
    model_.OpcionSQL = s.MemoSelOpcionSQL;
    model_.TextoFiltros = s.MemoSelValorFiltro;
    TxtValFiltro->setText(TextoValorInicial);
    ComboCampo->setEnabled(false);
    ComboCriterio->setEnabled(false);
    TxtValFiltro->setEnabled(false);
    ComboCampoOrden->setEnabled(true);
    ComboCriterioOrden->setEnabled(true);
    BtnAceptar->setEnabled(true);
    BtnAnadir->setEnabled(false);
    removeSortPrompt();
    positionSortLists();
    runSortChoices();
    model_.numFiltros = selection::filtersOfLines(int(model_.lines.size()));
    LabNumFiltros->setText(QString::number(model_.numFiltros));
    LabNumRegFiltros->setText(QString::number(s.ContFil));
    LabNumReg->setText(QString::number(s.ContSel));
    setConnectivesBelowLimit();
}

void SelectionScreen::showList() {
    ListFiltros->clear();
    ListFiltros->addItems(model_.lines);
}

void SelectionScreen::setDescription(const QString& text) {
    LabOpcionSQL->setText(text);
    LabOpcionSQL->setToolTip(text);
}

void SelectionScreen::setConnectivesBelowLimit() {
    const bool below = model_.numFiltros < selection::kMaxFiltros;
    BtnY->setEnabled(below);
    BtnO->setEnabled(below);
}
