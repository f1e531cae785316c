#include "startup/Configuracao.h"

#include <QStringDecoder>

namespace {

// Blanks only around the keys and their values: a tab may be part of a password.
QString semBrancos(const QString &texto)
{
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && texto.at(inicio) == u' ')
        ++inicio;
    while (fim > inicio && texto.at(fim - 1) == u' ')
        --fim;
    return texto.mid(inicio, fim - inicio);
}

QString decodifica(const QByteArray &conteudo)
{
    // Notepad's "Unicode" is UTF-16 with a byte-order mark.
    for (const auto &[marca, codificacao] : {std::pair{"\xff\xfe", QStringDecoder::Utf16LE},
                                            std::pair{"\xfe\xff", QStringDecoder::Utf16BE}})
        if (conteudo.startsWith(marca)) {
            QStringDecoder utf16(codificacao);
            return utf16(conteudo.mid(2));
        }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8(conteudo);
    if (!utf8.hasError())
        return texto.startsWith(QChar(0xFEFF)) ? texto.mid(1) : texto;
    QStringDecoder cp1252("windows-1252");
    if (cp1252.isValid())
        return cp1252(conteudo);
    return QString::fromLatin1(conteudo);
}

// "Chave=valor" with the key compared without regard to case and blanks at
// both ends of key and value dropped; false when the line has another key.
bool valorDaChave(const QString &linha, QLatin1String chave, QString &valor)
{
    const qsizetype igual = linha.indexOf(u'=');
    if (igual < 0 || semBrancos(linha.left(igual)).compare(chave, Qt::CaseInsensitive) != 0)
        return false;
    valor = semBrancos(linha.mid(igual + 1));
    return true;
}

} // namespace

QStringList linhasDoArquivo(const QByteArray &conteudo)
{
    QStringList linhas = decodifica(conteudo).split(u'\n');
    // A final line end closes the last line; it does not open another.
    if (!linhas.isEmpty() && linhas.constLast().isEmpty())
        linhas.removeLast();
    for (QString &linha : linhas)
        if (linha.endsWith(u'\r'))
            linha.chop(1);
    return linhas;
}

Configuracao interpretaConfiguracao(const QStringList &linhas)
{
    Configuracao configuracao;
    bool primeira = true;
    for (const QString &linha : linhas) {
        if (primeira) {
            // Blanks of any kind (tabs, no-break spaces) around the folder are
            // not part of it: an editor leaves them there unseen.
            configuracao.pastaDados = linha.trimmed();
            primeira = false;
        }
        if (semBrancos(linha.left(17)) == QLatin1String("ProviderZstyle:S"))
            configuracao.sinalizadorProvedor = linha.mid(15, 1);
        if (linha.left(5) == QLatin1String("Banco")) {
            const QString valor = linha.mid(6, 12).toUpper();
            if (valor == QLatin1String("SQL"))
                configuracao.tipoBanco = QStringLiteral("SQL");
            else if (valor == QStringLiteral("Acess").toUpper())
                configuracao.tipoBanco = QStringLiteral("Acess");
            else
                configuracao.tipoBanco = QStringLiteral("FIRE");
        }
        valorDaChave(linha, QLatin1String("Usuario"), configuracao.usuario);
        valorDaChave(linha, QLatin1String("Senha"), configuracao.senha);
    }
    return configuracao;
}

QString montaStringConexao(const Configuracao &configuracao)
{
    QString stringConexao;
    if (configuracao.tipoBanco == QLatin1String("SQL")) {
        stringConexao = QStringLiteral("SQLVendas");
    } else if (configuracao.tipoBanco == QLatin1String("Acess")) {
        stringConexao = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + configuracao.pastaDados
            + QStringLiteral("\\Dados\\Vendas.mdb;Persist Security Info=False");
    } else {
        stringConexao = QStringLiteral(" provider=LCPI.IBProvider.1;data source=") + configuracao.pastaDados
            + QStringLiteral("\\VENDAS.FDB") + QStringLiteral(" ;")
            + QStringLiteral(" user id=sysdba;password=quillfern; ctype=none;auto_commit=true;Persist Security Info=True");
    }
    if (configuracao.sinalizadorProvedor == QLatin1String("S"))
        stringConexao = QStringLiteral(" Provider=ibole.Provider.v4;Persist Security Info=False;Data Source=")
            + configuracao.pastaDados + QStringLiteral("\\VENDAS.FDB");
    return stringConexao;
}

bool conexaoFirebird(const Configuracao &configuracao)
{
    return configuracao.sinalizadorProvedor == QLatin1String("S") || configuracao.tipoBanco == QLatin1String("FIRE");
}
