// The reader of orvo.ini on any bytes: it always yields one of the three
// database kinds and a flag of at most one character, a data folder without
// blanks around it, and the connection string that kind and flag call for.
// The last "Banco" line and a "ProviderZstyle:S" line win wherever they come.
#include "ApoioFuzz.h"
#include "startup/Configuracao.h"

namespace {

void confere(const QByteArray &conteudo, const Configuracao &c)
{
    const QString caso = apoiofuzz::mostra(QString::fromLatin1(conteudo.left(200)));
    PROPRIEDADE(c.tipoBanco == QLatin1String("FIRE") || c.tipoBanco == QLatin1String("SQL")
                    || c.tipoBanco == QLatin1String("Acess"),
                QStringLiteral("tipo %1 em %2").arg(apoiofuzz::mostra(c.tipoBanco), caso));
    PROPRIEDADE(c.sinalizadorProvedor.size() <= 1,
                QStringLiteral("sinalizador %1 em %2").arg(apoiofuzz::mostra(c.sinalizadorProvedor), caso));
    PROPRIEDADE(!c.pastaDados.startsWith(u' ') && !c.pastaDados.endsWith(u' ') && !c.pastaDados.contains(u'\n'),
                QStringLiteral("pasta %1 em %2").arg(apoiofuzz::mostra(c.pastaDados), caso));

    const QString s = montaStringConexao(c);
    bool certo;
    if (c.sinalizadorProvedor == QLatin1String("S"))
        certo = s == QStringLiteral(" Provider=ibole.Provider.v4;Persist Security Info=False;Data Source=")
                        + c.pastaDados + QStringLiteral("\\VENDAS.FDB");
    else if (c.tipoBanco == QLatin1String("SQL"))
        certo = s == QLatin1String("SQLVendas");
    else if (c.tipoBanco == QLatin1String("Acess"))
        certo = s == QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + c.pastaDados
                        + QStringLiteral("\\Dados\\Vendas.mdb;Persist Security Info=False");
    else
        certo = s.startsWith(QStringLiteral(" provider=LCPI.IBProvider.1;data source=") + c.pastaDados
                             + QStringLiteral("\\VENDAS.FDB ;"));
    PROPRIEDADE(certo, QStringLiteral("string %1 para tipo %2 em %3").arg(apoiofuzz::mostra(s), c.tipoBanco, caso));
}

Configuracao le(const QByteArray &conteudo)
{
    return interpretaConfiguracao(linhasDoArquivo(conteudo));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dados, size_t tamanho)
{
    const QByteArray conteudo(reinterpret_cast<const char *>(dados), int(tamanho));
    const Configuracao original = le(conteudo);
    confere(conteudo, original);

    // Lines added after a complete last line: the folder stays, the last
    // "Banco" line sets the kind, the override line sets the flag.
    // (Not for a file in UTF-16: bytes of another encoding appended to it are
    // not lines of it.)
    const bool utf16 = conteudo.startsWith("\xff\xfe") || conteudo.startsWith("\xfe\xff");
    if (conteudo.endsWith('\n') && !utf16) {
        const Configuracao sql = le(conteudo + "Banco=sql\r\n");
        confere(conteudo, sql);
        PROPRIEDADE(sql.tipoBanco == QLatin1String("SQL") && sql.pastaDados == original.pastaDados
                        && sql.sinalizadorProvedor == original.sinalizadorProvedor,
                    QStringLiteral("Banco=sql acrescentado deu %1").arg(sql.tipoBanco));
        const Configuracao acess = le(conteudo + "Banco ACESS\n");
        PROPRIEDADE(acess.tipoBanco == QLatin1String("Acess"), QStringLiteral("Banco ACESS deu %1").arg(acess.tipoBanco));
        const Configuracao fire = le(conteudo + "Banco=SQL \r\n");
        PROPRIEDADE(fire.tipoBanco == QLatin1String("FIRE"), QStringLiteral("Banco=SQL  deu %1").arg(fire.tipoBanco));
        const Configuracao ibole = le(conteudo + "ProviderZstyle:S\r\n");
        confere(conteudo, ibole);
        PROPRIEDADE(ibole.sinalizadorProvedor == QLatin1String("S") && ibole.tipoBanco == original.tipoBanco,
                    QStringLiteral("ProviderZstyle:S acrescentado deu %1").arg(ibole.sinalizadorProvedor));
    }
    return 0;
}
