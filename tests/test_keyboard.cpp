// Entering records by keyboard alone: Tab leaves a filled orchestra name, the cursor is where the
// next thing is typed after each action of an entry screen, and the keys a person tries (Enter
// after a movement's time, Enter, Space and Esc on the splash, the document keys on a show
// screen) do what the mouse would; a show screen with nothing to show offers no modification.
#include <QScrollBar>
#include <QTableWidget>

#include "tests/record_screens.h"

using namespace rs;

namespace {

QWidget* focused() {
    return QApplication::focusWidget();
}

QString focusedName() {
    QWidget* f = focused();
    return f ? f->objectName() : QStringLiteral("(none)");
}

// The focus is on a control of the screen that can take keys.
bool focusOnScreen(Screen* s) {
    QWidget* f = focused();
    return f && s->isAncestorOf(f) && f->isEnabled() && f->isVisible();
}

const char* const kNames[] = {"TxtNombreOrquesta", "TxtNombreGrupo", "TxtNombreCoro"};

// The first field of each entry screen, where a new record is typed.
QString firstField(int global) {
    if (global == registers::kGrabacion) return QStringLiteral("TxtNotas");
    return registers::at(global).boxes.first().control;
}

QList<int> everyRegister() {
    QList<int> out;
    for (int g = 0; g < registers::kCount; ++g) out << g;
    return out;
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
  private slots:
    void tabLeavesAFilledName_data();
    void tabLeavesAFilledName();
    void focusAfterEachEntryAction_data();
    void focusAfterEachEntryAction();
    void enterAfterAMovementsTimeAddsIt();
    void splashEntersByKey_data();
    void splashEntersByKey();
    void documentKeysMoveThroughTheSelection_data();
    void documentKeysMoveThroughTheSelection();
    void nothingToModifyInAnEmptySelection();
};

void KeyboardTest::tabLeavesAFilledName_data() {
    QTest::addColumn<int>("op");    // 0 entry, 2 show (modifying)
    QTest::addColumn<int>("kind");  // the box holding the name, 1-3
    for (int op : {0, 2})
        for (int kind = 1; kind <= 3; ++kind)
            QTest::addRow("%s, %s", op ? "show" : "entry", kNames[kind - 1]) << op << kind;
}

// Tab from the filled name goes on to "Género", Shift+Tab comes back to the name; the other two
// boxes are passed by, and a click into one still sends the focus back to the name.
void KeyboardTest::tabLeavesAFilledName() {
    QFETCH(int, op);
    QFETCH(int, kind);
    TempApp app;
    insertRecord(app, registers::kOrquesta, "R1", {}, kind);
    FormMdi& mdi = app.enter();
    QApplication::setActiveWindow(&mdi);
    Screen* s = open(mdi, registers::kOrquesta, op);
    QVERIFY(s);
    QLineEdit* name = box(s, kNames[kind - 1]);
    if (op == 2) {
        click(s, "BtnModificar");
        QTest::mouseClick(name, Qt::LeftButton);
    } else {
        name->setFocus();
        keys(name, QString::fromUtf8("Filarmónica de Viena"));
    }
    QCOMPARE(focused(), name);
    const QString held = name->text();
    QTest::keyClick(name, Qt::Key_Tab);
    QCOMPARE(focusedName(), QStringLiteral("TxtGenero"));
    keys(focused(), QStringLiteral("Sinfonica"));
    QCOMPARE(name->text(), held);
    QCOMPARE(box(s, "TxtGenero")->text().right(9), QStringLiteral("Sinfonica"));
    QTest::keyClick(focused(), Qt::Key_Backtab);
    QCOMPARE(focused(), name);
    // A click into an empty name box keeps the rule of the three boxes.
    QLineEdit* other = box(s, kNames[kind % 3]);
    QTest::mouseClick(other, Qt::LeftButton);
    QCOMPARE(focused(), name);
    // Emptied, the name no longer holds the keys: Tab goes to the next name box.
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    QTest::keyClick(name, Qt::Key_Tab);
    if (kind < 3)
        QCOMPARE(focused(), box(s, kNames[kind]));
    else
        QCOMPARE(focusedName(), QStringLiteral("TxtGenero"));
}

void KeyboardTest::focusAfterEachEntryAction_data() {
    QTest::addColumn<int>("global");
    for (int g : everyRegister()) QTest::addRow("%s", qPrintable(registers::at(g).name)) << g;
}

// On opening, after "Guardar" and after "Deshacer" the cursor is on the screen, where the next
// record is typed: never on no control, never on the navigation panel.
void KeyboardTest::focusAfterEachEntryAction() {
    QFETCH(int, global);
    TempApp app;
    FormMdi& mdi = app.enter();
    QApplication::setActiveWindow(&mdi);
    Screen* s = open(mdi, global, 0);
    QVERIFY(s);
    QCOMPARE(focusedName(), firstField(global));
    if (global == registers::kGrabacion) return;  // its identifier is a link, not a box

    typeRecord(s, global, sampleRecord(global, "R1"));
    click(s, "BtnGuardar");
    QCOMPARE(count(app, global), 1);
    QCOMPARE(focusedName(), firstField(global));
    keys(focused(), QStringLiteral("x"));
    QCOMPARE(box(s, firstField(global))->text(), QStringLiteral("x"));

    click(s, "BtnDeshacer");
    QCOMPARE(count(app, global), 0);
    QVERIFY2(focusOnScreen(s), qPrintable(focusedName()));

    // Left and opened again, the screen takes the cursor to its first field.
    leave(mdi);
    s = open(mdi, global, 0);
    QCOMPARE(focusedName(), firstField(global));
}

// Enter in any of the three time boxes adds the movement, or changes the one chosen.
void KeyboardTest::enterAfterAMovementsTimeAddsIt() {
    TempApp app;
    FormMdi& mdi = app.enter();
    QApplication::setActiveWindow(&mdi);
    Screen* s = open(mdi, registers::kObra, 0);
    QVERIFY(s);
    auto* grid = w<QTableWidget>(s, "MSFlexGrid1");
    const char* const boxes[] = {"TxtHoras", "TxtMinutos", "TxtSegundos"};
    for (int i = 0; i < 3; ++i) {
        type(s, "TxtMovimiento", QStringLiteral("Allegro %1").arg(i));
        type(s, boxes[i], QStringLiteral("5"));
        QTest::keyClick(box(s, boxes[i]), Qt::Key_Return);
        QCOMPARE(grid->rowCount(), i + 1);
        QCOMPARE(grid->item(i, 0)->text(), QStringLiteral("Allegro %1").arg(i));
        QCOMPARE(focusedName(), QStringLiteral("TxtMovimiento"));
    }
    const QPoint row = grid->visualItemRect(grid->item(1, 0)).center();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(w<QPushButton>(s, "BtnAMList")->text(), QStringLiteral("Modificar"));
    type(s, "TxtMovimiento", QStringLiteral("Adagio"));
    QTest::keyClick(box(s, "TxtSegundos"), Qt::Key_Enter);
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("Adagio"));
}

void KeyboardTest::splashEntersByKey_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void KeyboardTest::splashEntersByKey() {
    QFETCH(int, key);
    TempApp app;
    FormMdi& mdi = app.start();
    QApplication::setActiveWindow(&mdi);
    QVERIFY(mdi.solapas().loadedScreen(0));
    QCOMPARE(focusedName(), QStringLiteral("LabContinuar"));
    QTest::keyClick(focused(), Qt::Key(key));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!mdi.solapas().loadedScreen(0));
    QVERIFY(mdi.solapas().currentScreen());
    QCOMPARE(mdi.solapas().currentScreen()->number(), 15);
}

void KeyboardTest::documentKeysMoveThroughTheSelection_data() {
    QTest::addColumn<QList<int>>("presses");
    QTest::addColumn<QList<int>>("positions");  // after each press
    const int up = Qt::Key_PageUp, down = Qt::Key_PageDown, home = Qt::Key_Home, end = Qt::Key_End;
    QTest::newRow("forward and back") << QList<int>{down, down, up} << QList<int>{2, 3, 2};
    QTest::newRow("ends") << QList<int>{end, home, end} << QList<int>{4, 1, 4};
    QTest::newRow("past the ends") << QList<int>{up, end, down} << QList<int>{1, 4, 4};
}

// PageUp, PageDown, Home and End move as the scroll bar does while viewing; while a record is
// being modified they are the text's.
void KeyboardTest::documentKeysMoveThroughTheSelection() {
    QFETCH(QList<int>, presses);
    QFETCH(QList<int>, positions);
    TempApp app;
    for (int i = 1; i <= 4; ++i)
        insertRecord(app, registers::kCompositor, QStringLiteral("R%1").arg(i));
    FormMdi& mdi = app.enter();
    QApplication::setActiveWindow(&mdi);
    Screen* s = open(mdi, registers::kCompositor, 2);
    QVERIFY(s);
    QTest::mouseClick(box(s, "TxtApellidos"), Qt::LeftButton);  // passes the focus on
    QVERIFY(focusOnScreen(s));
    auto* bar = w<QScrollBar>(s, "HScroll");
    for (int i = 0; i < presses.size(); ++i) {
        QTest::keyClick(focused(), Qt::Key(presses[i]));
        QCOMPARE(bar->value(), positions[i]);
        QCOMPARE(box(s, "TxtOrden")->text(), QString::number(positions[i]));
        QCOMPARE(box(s, "TxtApellidos")->text(), QStringLiteral("R%1 Apellidos").arg(positions[i]));
        QVERIFY(focusOnScreen(s));
    }
    const int at = bar->value();
    click(s, "BtnModificar");
    QTest::mouseClick(box(s, "TxtApellidos"), Qt::LeftButton);
    QTest::keyClick(focused(), Qt::Key_Home);
    QTest::keyClick(focused(), Qt::Key_PageDown);
    QCOMPARE(bar->value(), at);
    QCOMPARE(box(s, "TxtApellidos")->cursorPosition(), 0);
}

// With an empty selection "Modificar" and "Eliminar" are disabled, and enabled again once there
// is a record to show.
void KeyboardTest::nothingToModifyInAnEmptySelection() {
    TempApp app;
    FormMdi& mdi = app.enter();
    QApplication::setActiveWindow(&mdi);
    Screen* s = open(mdi, registers::kDirector, 2);
    QVERIFY(s);
    QVERIFY(!w(s, "BtnModificar")->isEnabled());
    QVERIFY(!w(s, "BtnEliminar")->isEnabled());
    leave(mdi);
    s = open(mdi, registers::kDirector, 0);
    typeRecord(s, registers::kDirector, sampleRecord(registers::kDirector, "R1"));
    click(s, "BtnGuardar");
    s = open(mdi, registers::kDirector, 2);
    QVERIFY(w(s, "BtnModificar")->isEnabled());
    QVERIFY(w(s, "BtnEliminar")->isEnabled());
    // Deleting the only record leaves nothing to modify.
    click(s, "BtnEliminar");
    click(s, "BtnGuardar");
    QCOMPARE(count(app, registers::kDirector), 0);
    QVERIFY(!w(s, "BtnModificar")->isEnabled());
    QVERIFY(!w(s, "BtnEliminar")->isEnabled());
    QVERIFY2(!focused() || s->isAncestorOf(focused()), qPrintable(focusedName()));
}

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
