#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

// Sets (or, with a null value, removes) one variable for the life of the object.
class Variavel {
public:
    Variavel(const char *nome, const QString &valor)
        : nome_(nome), antes_(qgetenv(nome)), havia_(qEnvironmentVariableIsSet(nome))
    {
        if (valor.isNull())
            qunsetenv(nome);
        else
            qputenv(nome, QFile::encodeName(valor));
    }
    ~Variavel()
    {
        if (havia_)
            qputenv(nome_, antes_);
        else
            qunsetenv(nome_);
    }

private:
    const char *nome_;
    QByteArray antes_;
    bool havia_;
};
