// The workstation's regional settings on Windows are the user's own, read
// from Windows at each use: set here as the Control Panel sets them.
#include "format/ApoioFormato.h"

#include <QtTest>

#include <windows.h>

using namespace apoioformato;

namespace {
// Sets one of the user's regional settings for the life of the object.
class Configuracao {
public:
    Configuracao(LCTYPE tipo, const QString &valor) : tipo_(tipo)
    {
        wchar_t texto[100];
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, tipo, texto, 100) > 0)
            antes_ = QString::fromWCharArray(texto);
        define(valor);
    }
    ~Configuracao() { define(antes_); }
    bool define(const QString &valor) const
    {
        return SetLocaleInfoW(LOCALE_USER_DEFAULT, tipo_, reinterpret_cast<const wchar_t *>(valor.utf16()));
    }

private:
    LCTYPE tipo_;
    QString antes_;
};
} // namespace

class TstSimbolosDoSistemaWindows : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        formatacao::usaRegionalDoSistema();
        configwin::esqueceTipoLembrado();
        toolkit::ativaObservacao(true);
        toolkit::limpaObservacao();
    }

    void regionalDoUsuario_data()
    {
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("agrupamento");
        QTest::addColumn<QString>("dataCurta"); // Windows' notation
        QTest::addColumn<QString>("numero");    // 1234567.891 through "#,###,###,##0.00"
        QTest::addColumn<QString>("data");      // 31 Dec 1987
        QTest::addColumn<int>("tipo");          // RetornaConfigWin
        QTest::newRow("pt_BR") << "," << "." << "dd/MM/yyyy" << "1.234.567,89" << "31/12/1987" << 1;
        QTest::newRow("en_US") << "." << "," << "M/d/yyyy" << "1,234,567.89" << "12/31/1987" << 2;
        QTest::newRow("ano de um digito e era") << "," << "." << "d/M/y gg" << "1.234.567,89" << "31/12/87" << 1;
        QTest::newRow("ano de cinco digitos") << "." << "," << "yyyyy-MM-dd" << "1,234,567.89" << "1987-12-31" << 2;
        QTest::newRow("texto entre aspas") << "," << "." << "dd'.'MM'.'yy" << "1.234.567,89" << "31.12.87" << 1;
        QTest::newRow("agrupamento por espaco") << "," << " " << "dd/MM/yyyy" << "1 234 567,89" << "31/12/1987" << 0;
    }
    void regionalDoUsuario()
    {
        QFETCH(QString, decimal);
        QFETCH(QString, agrupamento);
        QFETCH(QString, dataCurta);
        QFETCH(QString, numero);
        QFETCH(QString, data);
        QFETCH(int, tipo);
        const Configuracao d(LOCALE_SDECIMAL, decimal);
        const Configuracao a(LOCALE_STHOUSAND, agrupamento);
        const Configuracao c(LOCALE_SSHORTDATE, dataCurta);
        QCOMPARE(formatacao::simboloDecimal(), decimal);
        QCOMPARE(formatacao::simboloDeAgrupamento(), agrupamento);
        QCOMPARE(formatacao::formataNumero(1234567.891, QStringLiteral("#,###,###,##0.00")), numero);
        QCOMPARE(formatacao::dataCurta(QDate(1987, 12, 31)), data);
        int resposta = -1;
        const auto fim = encerramento([&] { resposta = RetornaConfigWin(); });
        QCOMPARE(fim.has_value(), tipo == 0);
        if (tipo != 0)
            QCOMPARE(resposta, tipo);
    }

    // The user changes the decimal symbol in the Control Panel while the
    // program runs: the next check sees it and ends the program.
    void alteracaoDuranteExecucao()
    {
        const Configuracao d(LOCALE_SDECIMAL, QStringLiteral(","));
        const Configuracao a(LOCALE_STHOUSAND, QStringLiteral("."));
        QCOMPARE(RetornaConfigWin(), 1);
        QVERIFY(d.define(QStringLiteral(".")));
        QVERIFY(a.define(QStringLiteral(",")));
        const auto fim = encerramento([] { RetornaConfigWin(); });
        QVERIFY(fim);
        QCOMPARE(*fim, 1);
        QCOMPARE(toolkit::mensagensMostradas().size(), size_t(1));
        QCOMPARE(toolkit::mensagensMostradas().front().texto, mensagemAlteracaoRegional());
    }
};

QTEST_MAIN(TstSimbolosDoSistemaWindows)
#include "tst_simbolosdosistema_windows.moc"
