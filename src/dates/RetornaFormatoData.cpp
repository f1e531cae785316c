#include "dates/RetornaFormatoData.h"

#include "text/FiltraNumero.h"
#include "text/PosicaoTexto.h"
#include "regional/Formatacao.h"
#include "toolkit/Toolkit.h"

#include <QDate>

namespace {
enum class Campo { Dia, Mes, Ano };

struct FormatoData {
    QString amostra;
    int digitosAno = 0;
    bool ordemConhecida = false;
    Campo ordem[3] = {Campo::Dia, Campo::Mes, Campo::Ano};
    QString separador;
};

FormatoData analisa(const QString &amostra)
{
    FormatoData f;
    f.amostra = amostra;

    int posAno = 0;
    const char *pedacos[] = {"1987", "987", "87", "7"};
    for (int i = 0; i < 4 && f.digitosAno == 0; ++i) {
        posAno = PosicaoTexto(amostra, QLatin1String(pedacos[i]));
        if (posAno > 0)
            f.digitosAno = 4 - i;
    }
    if (f.digitosAno < 2)
        return f;

    const int posMes = PosicaoTexto(amostra, QStringLiteral("12"));
    const int posDia = PosicaoTexto(amostra, QStringLiteral("31"));
    // A format that does not write the day and month as numbers (a month name)
    // cannot be typed as digits: its order is left undetermined.
    if (posMes == 0 || posDia == 0)
        return f;

    int posSeparador = 3;
    const auto define = [&](Campo a, Campo b, Campo c) {
        f.ordem[0] = a;
        f.ordem[1] = b;
        f.ordem[2] = c;
        f.ordemConhecida = true;
    };
    if (posDia < posMes && posMes < posAno) {
        define(Campo::Dia, Campo::Mes, Campo::Ano);
    } else if (posDia < posAno && posAno < posMes) {
        define(Campo::Dia, Campo::Ano, Campo::Mes);
    } else if (posMes < posDia && posDia < posAno) {
        define(Campo::Mes, Campo::Dia, Campo::Ano);
    } else if (posMes < posAno && posAno < posDia) {
        define(Campo::Mes, Campo::Ano, Campo::Dia);
    } else if (posAno < posMes && posMes < posDia) {
        define(Campo::Ano, Campo::Mes, Campo::Dia);
        posSeparador = f.digitosAno + 1;
    } else if (posAno < posDia && posDia < posMes) {
        define(Campo::Ano, Campo::Dia, Campo::Mes);
        posSeparador = f.digitosAno + 1;
    }
    if (f.ordemConhecida)
        f.separador = amostra.mid(posSeparador - 1, 1);
    return f;
}

QString monta(const FormatoData &f, const QString &dia, const QString &mes, const QString &ano)
{
    QStringList campos;
    for (const Campo c : f.ordem)
        campos << (c == Campo::Dia ? dia : c == Campo::Mes ? mes : ano);
    return campos.join(f.separador);
}
} // namespace

QString mensagemFormatoDataInvalido()
{
    return QStringLiteral("O Formato de Data, informado no Painel de Controle do Windows, não é válido!.");
}

QString RetornaFormatoData(const QString &codigo)
{
    const FormatoData f = analisa(formatacao::dataCurta(QDate(1987, 12, 31)));
    if (f.digitosAno < 2) {
        toolkit::caixaMensagem(mensagemFormatoDataInvalido(), toolkit::EstiloExclamacao, QString());
        return QString();
    }

    if (codigo == QLatin1String("T"))
        return QString::number(FiltraNumero(f.amostra, QStringLiteral("IN")).size());
    if (codigo == QLatin1String("L"))
        return QString::number(f.amostra.size());
    if (!f.ordemConhecida)
        return QString();
    if (codigo == QLatin1String("M"))
        return monta(f, QStringLiteral("@@"), QStringLiteral("@@"), QString(f.digitosAno, QLatin1Char('@')));
    if (codigo == QLatin1String("S"))
        return f.separador;
    if (codigo == QLatin1String("E"))
        return monta(f, QStringLiteral("dd"), QStringLiteral("mm"), QString(f.digitosAno, QLatin1Char('a')));
    return QString();
}
