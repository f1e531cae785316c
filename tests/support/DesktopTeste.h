#pragma once
#include <QProcess>
#include <QString>

// A desktop of the test's own: an X server (Xvfb) with a window manager
// (openbox), started before the toolkit and stopped at the end.
class DesktopTeste {
public:
    DesktopTeste();  // display() is empty when it could not start
    ~DesktopTeste();
    QString display() const { return display_; }

private:
    QProcess xvfb_;
    QProcess openbox_;
    QString display_;
};
