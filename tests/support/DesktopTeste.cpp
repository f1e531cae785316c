#include "support/DesktopTeste.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {
void para(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
}
} // namespace

DesktopTeste::DesktopTeste()
{
    // Xvfb writes the display number it chose on the descriptor given (its
    // standard output here) once it accepts clients.
    xvfb_.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!xvfb_.waitForStarted(10000))
        return;
    QDeadlineTimer limite(15000);
    while (!xvfb_.canReadLine() && !limite.hasExpired() && xvfb_.state() == QProcess::Running)
        xvfb_.waitForReadyRead(200);
    const QString numero = QString::fromLatin1(xvfb_.readLine()).trimmed();
    if (numero.isEmpty())
        return;
    const QString display = QLatin1Char(':') + numero;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("DISPLAY"), display);
    openbox_.setProcessEnvironment(ambiente);
    openbox_.start(QStringLiteral("openbox"), {"--sm-disable"});
    if (!openbox_.waitForStarted(10000))
        return;
    QThread::msleep(500); // openbox takes the screen before the first window maps
    display_ = display;
}

DesktopTeste::~DesktopTeste()
{
    para(openbox_);
    para(xvfb_);
}
