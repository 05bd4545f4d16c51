// Peak resident memory with the largest catalogue open and browsed, measured in a child process
// so that generating catalogues and the other measurements do not count.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <cstdio>

#include "bench/bench_run.h"
#include "shell/form_mdi.h"
#include "shell/windowing/navigation.h"
#include "shell/windowing/screen.h"
#include "store/data_hub.h"

namespace bench {
namespace {

qint64 statusKb(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ')[0].toLongLong();
    return -1;
}

}  // namespace

int browseAndReportMemory(const QString& folder) {
    RunContext run;
    run.folder = folder;
    auto m = startProgram(folder);
    settle();
    Navigation& nav = *m->context().nav;
    // Enter: the browse screen on the first record, then wander through the catalogue.
    nav.OcultarFormulario();
    nav.MostrarFormulario(15);
    if (Screen* s = nav.currentScreen()) s->Carga();
    settle();
    browseScreens(*m, run);
    std::printf("VmHWM %lld\n", statusKb("VmHWM:"));
    std::fflush(stdout);
    return 0;
}

qint64 peakMemoryKb(const QString& program, const QString& folder) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, {QStringLiteral("--memory"), folder});
    if (!p.waitForFinished(30 * 60 * 1000)) return -1;
    QRegularExpression re(QStringLiteral("VmHWM (\\d+)"));
    auto match = re.match(QString::fromUtf8(p.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

}  // namespace bench
