#include "regional/Formatacao.h"

#include <QtTest>

// Number, text and date formatting under real regional settings.
class TstFormatacao : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { formatacao::usaRegionalDoSistema(); }

    void numeroPelaMascara_data();
    void numeroPelaMascara();
    void textoPelaMascara_data();
    void textoPelaMascara();
    void dataPeloPadrao_data();
    void dataPeloPadrao();
    void dataCurta_data();
    void dataCurta();
    void textoParaNumero_data();
    void textoParaNumero();
    void regionalMudaEntreDuasChamadas();
    void numerosEDatasDeRegionaisDiferentes();
};

void TstFormatacao::numeroPelaMascara_data()
{
    QTest::addColumn<QString>("regional");
    QTest::addColumn<double>("valor");
    QTest::addColumn<QString>("mascara");
    QTest::addColumn<QString>("esperado");

    const QString nbsp(QChar(0x00A0)), nnbsp(QChar(0x202F)), apostrofo(QChar(0x2019));

    // The regional check's sample in every locale.
    QTest::newRow("pt_BR amostra") << "pt_BR" << 3333.33 << "#,###.##" << "3.333,33";
    QTest::newRow("en_US amostra") << "en_US" << 3333.33 << "#,###.##" << "3,333.33";
    QTest::newRow("de_DE amostra") << "de_DE" << 3333.33 << "#,###.##" << "3.333,33";
    QTest::newRow("de_CH amostra") << "de_CH" << 3333.33 << "#,###.##" << "3" + apostrofo + "333.33";
    QTest::newRow("sv_SE amostra") << "sv_SE" << 3333.33 << "#,###.##" << "3" + nbsp + "333,33";
    QTest::newRow("fr_FR amostra") << "fr_FR" << 3333.33 << "#,###.##" << "3" + nnbsp + "333,33";

    // Amounts of the grids.
    QTest::newRow("valor agrupado") << "pt_BR" << 1234567.891 << "#,###,###,##0.00" << "1.234.567,89";
    QTest::newRow("valor en_US") << "en_US" << 1234567.891 << "#,###,###,##0.00" << "1,234,567.89";
    QTest::newRow("valor zero") << "pt_BR" << 0.0 << "#,###,###,##0.00" << "0,00";
    QTest::newRow("centavos") << "pt_BR" << 0.5 << "#,###,###,##0.00" << "0,50";
    QTest::newRow("bilhoes") << "pt_BR" << 9876543210.0 << "#,###,###,##0.00" << "9.876.543.210,00";
    QTest::newRow("mais digitos que marcadores") << "en_US" << 123456789012.0 << "#,##0" << "123,456,789,012";
    QTest::newRow("de_CH agrupado") << "de_CH" << 1234567.0 << "#,##0" << "1" + apostrofo + "234" + apostrofo + "567";

    // Rounding half away from zero, on the decimal value as written.
    QTest::newRow("meio centavo") << "pt_BR" << 0.005 << "#,###,###,##0.00" << "0,01";
    QTest::newRow("2,675") << "pt_BR" << 2.675 << "0.00" << "2,68";
    QTest::newRow("-2,675") << "pt_BR" << -2.675 << "0.00" << "-2,68";
    QTest::newRow("0,5 inteiro") << "pt_BR" << 0.5 << "##0" << "1";
    QTest::newRow("2,5 inteiro") << "pt_BR" << 2.5 << "##0" << "3";
    QTest::newRow("-2,5 inteiro") << "pt_BR" << -2.5 << "##0" << "-3";
    QTest::newRow("vai um ate o milhar") << "pt_BR" << 999.995 << "#,##0.00" << "1.000,00";
    QTest::newRow("vai um sem decimais") << "en_US" << 9999.5 << "#,##0" << "10,000";
    QTest::newRow("decimais cortados") << "pt_BR" << 1.004 << "#########0.00" << "1,00";

    // Negative numbers.
    QTest::newRow("negativo agrupado") << "pt_BR" << -1234.5 << "#,##0" << "-1.235";
    QTest::newRow("negativo decimal") << "en_US" << -1234.5 << "#,###,###,##0.00" << "-1,234.50";
    QTest::newRow("negativo pequeno") << "pt_BR" << -0.3 << "#########0.00" << "-0,30";
    QTest::newRow("negativo que arredonda a zero") << "pt_BR" << -0.004 << "0.00" << "0,00";

    // Leading zeros: at least as many integer digits as '0's.
    QTest::newRow("zeros a esquerda") << "pt_BR" << 5.0 << "000" << "005";
    QTest::newRow("zero com ##0") << "pt_BR" << 0.0 << "##0" << "0";
    QTest::newRow("zero com #,##0") << "pt_BR" << 0.0 << "#,##0" << "0";
    QTest::newRow("zero sem zero obrigatorio") << "pt_BR" << 0.0 << "##" << "";
    QTest::newRow("fracao sem zero inteiro") << "pt_BR" << 0.25 << "#.##" << ",25";
    QTest::newRow("txtHora") << "pt_BR" << 1.0 << "#########0.00" << "1,00";
    QTest::newRow("txtHora en_US") << "en_US" << 0.3 << "#########0.00" << "0.30";
    QTest::newRow("decimais exatos") << "pt_BR" << 0.05 << "00" << "00";
    QTest::newRow("inteiro de decimais") << "pt_BR" << 5.0 << "00" << "05";
    QTest::newRow("so decimais") << "pt_BR" << 12.5 << ".00" << "12,50";

    // Literals stay where they are.
    QTest::newRow("moeda") << "pt_BR" << 1234.5 << "R$ #,##0.00" << "R$ 1.234,50";
    QTest::newRow("sufixo") << "en_US" << 3.0 << "0 h" << "3 h";
    QTest::newRow("literal escapado") << "pt_BR" << 7.0 << "\\#0" << "#7";
    QTest::newRow("literal entre aspas") << "pt_BR" << 7.0 << "0\" dias\"" << "7 dias";

    // An empty mask shows the number as it is.
    QTest::newRow("mascara vazia") << "pt_BR" << 3333.33 << "" << "3333,33";
    QTest::newRow("mascara vazia en_US") << "en_US" << 3333.33 << "" << "3333.33";
    QTest::newRow("mascara vazia negativo") << "sv_SE" << -0.5 << "" << "-0,5";
    QTest::newRow("mascara vazia inteiro") << "pt_BR" << 1234567.0 << "" << "1234567";
}

void TstFormatacao::numeroPelaMascara()
{
    QFETCH(QString, regional);
    QFETCH(double, valor);
    QFETCH(QString, mascara);
    QFETCH(QString, esperado);
    formatacao::defineRegional(QLocale(regional));
    QCOMPARE(formatacao::formataNumero(valor, mascara), esperado);
}

void TstFormatacao::textoPelaMascara_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("mascara");
    QTest::addColumn<QString>("esperado");
    const QString ff(QChar(255));
    QTest::newRow("exato") << "12345678" << "@@@@@-@@@" << "12345-678";
    QTest::newRow("preenchimento") << "123456" + ff + ff << "@@@@@-@@@" << "12345-6" + ff + ff;
    QTest::newRow("curto") << "123" << "@@@@@" << "123  ";
    QTest::newRow("literais antes") << "119999" << "(@@) @@@@" << "(11) 9999";
    QTest::newRow("data") << "31121987" << "@@/@@/@@@@" << "31/12/1987";
    QTest::newRow("sobra no fim") << "12345" << "@@@" << "12345";
    QTest::newRow("mascara vazia") << "abc" << "" << "abc";
    QTest::newRow("texto vazio") << "" << "@@-@@" << "  -  ";
}

void TstFormatacao::textoPelaMascara()
{
    QFETCH(QString, texto);
    QFETCH(QString, mascara);
    QFETCH(QString, esperado);
    QCOMPARE(formatacao::formataTexto(texto, mascara), esperado);
}

void TstFormatacao::dataPeloPadrao_data()
{
    QTest::addColumn<QString>("regional");
    QTest::addColumn<QString>("padrao");
    QTest::addColumn<QString>("esperado");
    // 12 August 2026: day and month are told apart.
    QTest::newRow("grade pt_BR") << "pt_BR" << "dd/mm/yyyy" << "12/08/2026";
    QTest::newRow("banco pt_BR") << "pt_BR" << "mm/dd/yyyy" << "08/12/2026";
    QTest::newRow("banco en_US") << "en_US" << "mm/dd/yyyy" << "08/12/2026";
    QTest::newRow("grade de_DE") << "de_DE" << "dd/mm/yyyy" << "12.08.2026";
    QTest::newRow("grade sv_SE") << "sv_SE" << "dd/mm/yyyy" << "12-08-2026";
    QTest::newRow("ano curto") << "pt_BR" << "d/m/yy" << "12/8/26";
}

void TstFormatacao::dataPeloPadrao()
{
    QFETCH(QString, regional);
    QFETCH(QString, padrao);
    QFETCH(QString, esperado);
    formatacao::defineRegional(QLocale(regional));
    QCOMPARE(formatacao::formataData(QDate(2026, 8, 12), padrao), esperado);
}

void TstFormatacao::dataCurta_data()
{
    QTest::addColumn<QString>("regional");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("pt_BR") << "pt_BR" << "31/12/1987";
    QTest::newRow("en_US") << "en_US" << "12/31/87";
    QTest::newRow("de_DE") << "de_DE" << "31.12.87";
    QTest::newRow("de_CH") << "de_CH" << "31.12.87";
    QTest::newRow("sv_SE") << "sv_SE" << "1987-12-31";
    QTest::newRow("fr_FR") << "fr_FR" << "31/12/1987";
    QTest::newRow("C") << "C" << "31 Dec 1987";
}

void TstFormatacao::dataCurta()
{
    QFETCH(QString, regional);
    QFETCH(QString, esperado);
    formatacao::defineRegional(QLocale(regional));
    QCOMPARE(formatacao::dataCurta(QDate(1987, 12, 31)), esperado);
}

void TstFormatacao::textoParaNumero_data()
{
    QTest::addColumn<QString>("regional");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("numero");
    QTest::addColumn<double>("valor");
    QTest::newRow("virgula decimal") << "pt_BR" << "1,5" << true << 1.5;
    QTest::newRow("agrupado") << "pt_BR" << "1.234,5" << true << 1234.5;
    QTest::newRow("negativo") << "pt_BR" << "-0,30" << true << -0.3;
    QTest::newRow("sinal mais") << "pt_BR" << "+5" << true << 5.0;
    QTest::newRow("brancos") << "pt_BR" << " 12 " << true << 12.0;
    QTest::newRow("zeros a esquerda") << "pt_BR" << "0005" << true << 5.0;
    QTest::newRow("separador no fim") << "pt_BR" << "5," << true << 5.0;
    QTest::newRow("ponto decimal") << "en_US" << "1.5" << true << 1.5;
    QTest::newRow("agrupado en_US") << "en_US" << "1,234.5" << true << 1234.5;
    QTest::newRow("ponto em pt_BR e agrupamento") << "pt_BR" << "1.5" << true << 15.0;
    QTest::newRow("vazio") << "pt_BR" << "" << false << 0.0;
    QTest::newRow("so sinal") << "pt_BR" << "-" << false << 0.0;
    QTest::newRow("letras") << "pt_BR" << "abc" << false << 0.0;
    QTest::newRow("dois separadores") << "pt_BR" << "1,2,3" << false << 0.0;
}

void TstFormatacao::textoParaNumero()
{
    QFETCH(QString, regional);
    QFETCH(QString, texto);
    QFETCH(bool, numero);
    QFETCH(double, valor);
    formatacao::defineRegional(QLocale(regional));
    double lido = -999;
    QCOMPARE(formatacao::paraNumero(texto, lido), numero);
    if (numero)
        QCOMPARE(lido, valor);
}

void TstFormatacao::regionalMudaEntreDuasChamadas()
{
    formatacao::defineRegional(QLocale(QStringLiteral("pt_BR")));
    QCOMPARE(formatacao::formataNumero(3333.33, QStringLiteral("#,###.##")), QStringLiteral("3.333,33"));
    QCOMPARE(formatacao::simboloDecimal(), QStringLiteral(","));
    formatacao::defineRegional(QLocale(QStringLiteral("en_US")));
    QCOMPARE(formatacao::formataNumero(3333.33, QStringLiteral("#,###.##")), QStringLiteral("3,333.33"));
    QCOMPARE(formatacao::simboloDecimal(), QStringLiteral("."));
    QCOMPARE(formatacao::dataCurta(QDate(1987, 12, 31)), QStringLiteral("12/31/87"));
}

void TstFormatacao::numerosEDatasDeRegionaisDiferentes()
{
    formatacao::defineRegional(QLocale(QStringLiteral("pt_BR")), QLocale(QStringLiteral("sv_SE")));
    QCOMPARE(formatacao::formataNumero(3333.33, QStringLiteral("#,###.##")), QStringLiteral("3.333,33"));
    QCOMPARE(formatacao::dataCurta(QDate(1987, 12, 31)), QStringLiteral("1987-12-31"));
    QCOMPARE(formatacao::separadorDeData(), QStringLiteral("-"));
    QCOMPARE(formatacao::formataData(QDate(2026, 8, 12), QStringLiteral("mm/dd/yyyy")), QStringLiteral("08-12-2026"));
}

QTEST_GUILESS_MAIN(TstFormatacao)
#include "tst_formatacao.moc"
