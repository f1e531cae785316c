#pragma once
#include <QObject>
#include <QString>
#include <functional>

class QIcon;
class QMenu;
class QSystemTrayIcon;

// The program's icon in the desktop's tray, with a tooltip and a menu.
class Bandeja : public QObject {
    Q_OBJECT
public:
    // Whether the desktop has a tray to show the icon in.
    static bool disponivel();
    // For tests: an icon is made (and shown where it can be) even without a tray.
    static void forcaDisponivel(bool forcar);

    Bandeja(const QIcon &icone, QObject *pai);
    ~Bandeja() override;

    void defineDica(const QString &dica);
    QString dica() const;
    void adicionaItem(const QString &texto, std::function<void()> aoEscolher);
    QMenu *menu() const { return menu_; }

private:
    QSystemTrayIcon *icone_;
    QMenu *menu_;
};
