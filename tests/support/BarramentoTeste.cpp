#include "support/BarramentoTeste.h"

#include <QDeadlineTimer>

BarramentoTeste::BarramentoTeste()
{
    // A session-type bus anyone may own names on; its address is its first line.
    daemon_.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    if (!daemon_.waitForStarted(10000))
        return;
    QDeadlineTimer limite(10000);
    while (!daemon_.canReadLine() && !limite.hasExpired())
        daemon_.waitForReadyRead(int(qMax<qint64>(1, limite.remainingTime())));
    endereco_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

BarramentoTeste::~BarramentoTeste()
{
    if (daemon_.state() == QProcess::NotRunning)
        return;
    daemon_.terminate();
    if (!daemon_.waitForFinished(5000)) {
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }
}
