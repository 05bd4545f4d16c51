// The navigation panel stays above every other child of the client area whenever a screen is
// shown, whether the screen is new, shown again on a resize, or another child was put on top.
#include "shell/form_mdi.h"
#include "shell/form_solapas.h"
#include "shell/windowing/screen.h"
#include "tests/fixture.h"

namespace {

// The client area's visible child widgets, bottom to top.
QList<QWidget*> stacking(QWidget* client) {
    QList<QWidget*> out;
    for (QObject* o : client->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && w->isVisible()) out << w;
    return out;
}

}  // namespace

class ShellStackingTest : public QObject {
    Q_OBJECT
  private slots:
    void panelOnTop_data();
    void panelOnTop();
};

void ShellStackingTest::panelOnTop_data() {
    QTest::addColumn<QList<int>>("screens");
    QTest::addColumn<bool>("coverFirst");
    QTest::addColumn<bool>("resize");
    QTest::newRow("one screen") << QList<int>{15} << false << false;
    QTest::newRow("screen after screen") << QList<int>{1, 15, 57, 22, 15} << false << false;
    QTest::newRow("a child put over the panel") << QList<int>{15, 57} << true << false;
    QTest::newRow("window resized") << QList<int>{57} << false << true;
}

void ShellStackingTest::panelOnTop() {
    QFETCH(QList<int>, screens);
    QFETCH(bool, coverFirst);
    QFETCH(bool, resize);
    TempApp app;
    app.insert("Compositor", {{"Apellidos", "Falla"}});
    FormMdi& m = app.enter();
    QWidget* panel = &m.solapas();
    for (int n : screens) {
        if (coverFirst) {
            auto* cover = new QWidget(m.client());
            cover->setGeometry(panel->geometry());
            cover->show();
            QCOMPARE(stacking(m.client()).last(), cover);
        }
        m.solapas().OcultarFormulario();
        m.solapas().MostrarFormulario(n);
        if (resize) m.resize(m.size() - QSize(200, 150));
        QCoreApplication::processEvents();
        const QList<QWidget*> order = stacking(m.client());
        QVERIFY2(!order.isEmpty() && order.last() == panel, qPrintable(QString::number(n)));
        QVERIFY(m.solapas().currentScreen());
        QWidget* screen = m.solapas().currentScreen();
        QVERIFY(order.indexOf(screen) < order.indexOf(panel));
    }
}

QTEST_MAIN(ShellStackingTest)
#include "test_shell_stacking.moc"
