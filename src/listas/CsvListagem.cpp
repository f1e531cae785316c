#include "listas/CsvListagem.h"
#include "regional/Formatacao.h"

#include <QDir>
#include <QSaveFile>

namespace listas {

namespace {
const QString Separador = QStringLiteral(";");

QString campo(const QString &texto)
{
    if (!texto.contains(QLatin1Char(';')) && !texto.contains(QLatin1Char('"'))
        && !texto.contains(QLatin1Char('\n')) && !texto.contains(QLatin1Char('\r')))
        return texto;
    return QLatin1Char('"') + QString(texto).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// An amount as shown ("1.234,56") without its grouping ("1234,56"); a text
// that is not a number stays as it is.
QString valorSemAgrupamento(const QString &mostrado)
{
    double valor = 0;
    if (!formatacao::paraNumero(mostrado, valor))
        return mostrado;
    return formatacao::formataNumero(valor, QStringLiteral("0.00"));
}

void linha(QString &saida, const QStringList &campos)
{
    QStringList escritos;
    for (const QString &c : campos)
        escritos << campo(c);
    saida += escritos.join(Separador) + QStringLiteral("\r\n");
}
} // namespace

QByteArray textoCsv(const Listagem &listagem)
{
    QString saida;
    QStringList cabecalho{QStringLiteral("Lado")};
    if (!listagem.lados.isEmpty())
        cabecalho += listagem.lados.constFirst().tabela.cabecalhos;
    linha(saida, cabecalho);
    for (const Lado &lado : listagem.lados) {
        for (QStringList celulas : lado.tabela.linhas) {
            for (int col : lado.tabela.colunasDeValor)
                if (col >= 0 && col < celulas.size())
                    celulas[col] = valorSemAgrupamento(celulas[col]);
            linha(saida, QStringList{lado.nome} + celulas);
        }
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + saida.toUtf8();
}

bool salvaCsv(const Listagem &listagem, const QString &caminho, QString *motivo)
{
    // Written beside the file and renamed over it once complete.
    QSaveFile arquivo(caminho);
    const QByteArray texto = textoCsv(listagem);
    const bool gravou = arquivo.open(QIODevice::WriteOnly) && arquivo.write(texto) == texto.size() && arquivo.commit();
    if (!gravou) {
        if (motivo)
            *motivo = arquivo.errorString();
        arquivo.cancelWriting();
    }
    return gravou;
}

QString mensagemNaoSalvou(const QString &caminho, const QString &motivo)
{
    QString texto = QStringLiteral("Não foi possível salvar a lista em \"%1\": a pasta não existe, não pode ser "
                                   "gravada ou o disco está cheio. Nenhum arquivo foi alterado; escolha outra pasta e tente de novo.")
                        .arg(QDir::toNativeSeparators(caminho));
    if (!motivo.isEmpty())
        texto += QChar(13) + motivo;
    return texto;
}

} // namespace listas
