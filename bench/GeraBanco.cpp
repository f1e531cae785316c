// Writes the large benchmark database PASTA/VENDAS.FDB: the schema file run by
// isql-fb, then customers, suppliers, chart of accounts, accounts and their
// instalments over five years, loaded through one QIBASE connection with
// prepared inserts in large transactions.
//
//   orvo_gerabanco PASTA [--parcelas N] [--contas N] [--hoje-receber N]
//                        [--hoje-pagar N] [--escala 1000,5000,20000] [--hoje AAAA-MM-DD]
#include "DiasDeEscala.h"
#include "Nomes.h"
#include "database/firebird/RaizFirebird.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int LinhasPorTransacao = 50000;

struct Parametros {
    QString pasta;
    int parcelas = 1000000;
    int contas = 20000;
    int clientes = 2000;
    int fornecedores = 500;
    int planos = 200;
    int hojeReceber = 1000;
    int hojePagar = 1000;
    QList<int> escala = diasdeescala::padrao();
    QDate hoje = QDate::currentDate();
};

[[noreturn]] void falha(const QString &texto)
{
    std::fprintf(stderr, "orvo_gerabanco: %s\n", qPrintable(texto));
    std::exit(1);
}

QString texto(const char *utf8) { return QString::fromUtf8(utf8); }

// Creates the database file and its tables, keys and indexes from the schema file.
void criaBanco(const QString &caminho)
{
    QFile schema(QStringLiteral(ORVO_SCHEMA));
    if (!schema.open(QIODevice::ReadOnly))
        falha(QStringLiteral("schema não encontrado: ") + schema.fileName());
    const QByteArray script = "CREATE DATABASE '" + caminho.toUtf8()
        + "' USER 'SYSDBA' PASSWORD 'quillfern' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252;\n"
        + schema.readAll() + "\nCOMMIT;\n";
    QProcess isql;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    isql.setProcessEnvironment(ambiente);
    isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-ch"),
                                           QStringLiteral("UTF8")});
    if (!isql.waitForStarted(10000))
        falha(QStringLiteral("isql-fb não iniciou"));
    isql.write(script);
    isql.closeWriteChannel();
    isql.waitForFinished(120000);
    const QByteArray erros = isql.readAllStandardError().trimmed();
    if (isql.exitCode() != 0 || !erros.isEmpty())
        falha(QStringLiteral("isql-fb: ") + QString::fromUtf8(erros));
}

// Forced writes off while loading ("async"), back on afterwards ("sync"), as an
// ERP keeps its database.
void defineEscrita(const QString &caminho, const QString &modo)
{
    QProcess gfix;
    gfix.start(QStringLiteral("gfix"), {QStringLiteral("-write"), modo, QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                                        QStringLiteral("-password"), QStringLiteral("quillfern"), caminho});
    if (!gfix.waitForFinished(60000) || gfix.exitCode() != 0)
        falha(QStringLiteral("gfix: ") + QString::fromLocal8Bit(gfix.readAllStandardError()));
}

class Gerador {
    static constexpr int ContasMovimento = 60;
    static constexpr int Comandas = 5000;

    struct Conta {
        bool receber = true;
        QDate emissao;
        int parcelas = 0;
    };
    // An instalment due on a reserved day: its side and S paid, C cancelled, N open.
    struct Fixa {
        QDate dia;
        bool receber;
        char situacao;
    };

public:
    explicit Gerador(const Parametros &p) : p_(p), sorteio_(20260808) {}

    // Writes the database; the number of instalments written.
    int executa()
    {
        const QString caminho = QDir(p_.pasta).absoluteFilePath(QStringLiteral("VENDAS.FDB"));
        QFile::remove(caminho);
        criaBanco(caminho);
        defineEscrita(caminho, QStringLiteral("async"));

        db_ = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), QStringLiteral("gerador"));
        db_.setDatabaseName(caminho);
        db_.setUserName(QStringLiteral("SYSDBA"));
        db_.setPassword(QStringLiteral("quillfern"));
        if (!db_.open())
            falha(db_.lastError().text());
        db_.transaction();

        tabelasDeApoio();
        pessoas();
        contas();
        parcelas();
        db_.commit();
        atualizaEstatisticas();
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("gerador"));
        defineEscrita(caminho, QStringLiteral("sync"));
        return codContaDet_;
    }

private:
    // One prepared insert per table, prepared again after each commit.
    void insere(const QString &sql, const QVariantList &valores)
    {
        std::unique_ptr<QSqlQuery> &comando = comandos_[sql];
        if (!comando) {
            comando = std::make_unique<QSqlQuery>(db_);
            if (!comando->prepare(sql))
                falha(comando->lastError().text() + QStringLiteral(" em ") + sql);
        }
        QSqlQuery &q = *comando;
        for (int i = 0; i < valores.size(); ++i)
            q.bindValue(i, valores.at(i));
        if (!q.exec())
            falha(q.lastError().text() + QStringLiteral(" em ") + sql);
        if (++naTransacao_ == LinhasPorTransacao) {
            comandos_.clear();
            db_.commit();
            db_.transaction();
            naTransacao_ = 0;
        }
    }

    int entre(int minimo, int maximo) { return std::uniform_int_distribution<int>(minimo, maximo)(sorteio_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(sorteio_) < p; }
    template <typename T, int N> QString umDe(T (&lista)[N]) { return texto(lista[entre(0, N - 1)]); }

    QString nomeDePessoa()
    {
        QString nome = umDe(nomes::Prenomes) + u' ' + umDe(nomes::Sobrenomes);
        if (chance(0.6))
            nome += u' ' + umDe(nomes::Sobrenomes);
        return nome;
    }

    // Amounts of a few reais to tens of thousands, most of them in the hundreds.
    double valor()
    {
        const double v = std::exp(std::normal_distribution<double>(5.3, 1.1)(sorteio_));
        return std::round(std::clamp(v, 5.0, 80000.0) * 100) / 100;
    }

    void tabelasDeApoio()
    {
        for (int i = 0; i < nomes::tamanho(nomes::Bancos); ++i)
            insere(QStringLiteral("INSERT INTO Banco (idBanco, Nome) VALUES (?, ?)"), {i + 1, texto(nomes::Bancos[i])});
        for (int i = 1; i <= 40; ++i)
            insere(QStringLiteral("INSERT INTO Agencia (idAgencia, idBanco) VALUES (?, ?)"),
                   {i, entre(1, nomes::tamanho(nomes::Bancos))});
        for (int i = 1; i <= ContasMovimento; ++i)
            insere(QStringLiteral("INSERT INTO ContaMovimento (idContaMov, idAgencia, NumContaCor) VALUES (?, ?, ?)"),
                   {i, entre(1, 40), QStringLiteral("%1-%2").arg(entre(10000, 99999)).arg(entre(0, 9))});
        for (int i = 0; i < nomes::tamanho(nomes::Grupos); ++i)
            insere(QStringLiteral("INSERT INTO ContaGrupo (idContaGrupo, Grupo) VALUES (?, ?)"),
                   {i + 1, texto(nomes::Grupos[i])});
        for (int i = 0; i < nomes::tamanho(nomes::Tipos); ++i)
            insere(QStringLiteral("INSERT INTO CONTATIPO (IDCONTATIPO, TIPO) VALUES (?, ?)"),
                   {i + 1, texto(nomes::Tipos[i])});
        for (int i = 1; i <= Comandas; ++i)
            insere(QStringLiteral("INSERT INTO Comanda (idComanda, ComandaDia) VALUES (?, ?)"), {i, entre(1, 300)});
    }

    void pessoas()
    {
        QSet<QString> usados;
        for (int i = 1; i <= p_.clientes; ++i) {
            QString nome = nomeDePessoa();
            while (usados.contains(nome))
                nome = nomeDePessoa();
            usados.insert(nome);
            insere(QStringLiteral("INSERT INTO Cliente (IDCliente, Cliente) VALUES (?, ?)"), {i, nome});
        }
        for (int i = 1; i <= p_.fornecedores; ++i)
            insere(QStringLiteral("INSERT INTO Fornecedor (idFornecedor, NomeRazao) VALUES (?, ?)"),
                   {i, umDe(nomes::RamosFornecedor) + u' ' + umDe(nomes::Sobrenomes) + u' ' + umDe(nomes::FormasJuridicas)});
        const int contasDoPlano = nomes::tamanho(nomes::ContasDoPlano);
        for (int i = 0; i < p_.planos; ++i) {
            QString nome = texto(nomes::ContasDoPlano[i % contasDoPlano]);
            if (i >= contasDoPlano)
                nome += QStringLiteral(" - ") + texto(nomes::Estabelecimentos[(i / contasDoPlano - 1) % 5]);
            insere(QStringLiteral("INSERT INTO PlanoConta (idConta, Conta) VALUES (?, ?)"), {i + 1, nome});
        }
    }

    QVariant descricao(int numero)
    {
        if (chance(0.04))
            return QVariant(QMetaType(QMetaType::QString)); // no description
        if (chance(0.02))
            return QStringLiteral("   ");
        return umDe(nomes::Historicos).arg(numero);
    }

    // 60% receivables from customers; payables 65% to suppliers (a fifth of
    // them also classified in the chart of accounts), the rest to the chart only.
    void contas()
    {
        const QVariant nulo(QMetaType(QMetaType::Int));
        for (int c = 1; c <= p_.contas; ++c) {
            Conta conta;
            conta.receber = chance(0.6);
            conta.emissao = inicio().addDays(entre(0, int(inicio().daysTo(fim())) - 30));
            QVariant cliente = nulo, fornecedor = nulo, plano = nulo, comanda = nulo;
            if (conta.receber) {
                cliente = entre(1, p_.clientes);
                if (chance(0.3))
                    comanda = entre(1, Comandas);
            } else if (chance(0.65)) {
                fornecedor = entre(1, p_.fornecedores);
                if (chance(0.2))
                    plano = entre(1, p_.planos);
            } else {
                plano = entre(1, p_.planos);
            }
            contas_.push_back(conta);
            (conta.receber ? receber_ : pagar_).push_back(c);
            const int nota = entre(1000, 999999);
            insere(QStringLiteral("INSERT INTO Conta (CodConta, PR, IDCliente, idFornecedor, idPlano, idComanda, "
                                  "idContaGrupo, IDCONTATIPO, Descricao, QTPARCELA, IDNFSAIDA, idNFEntrada) "
                                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {c, conta.receber ? QStringLiteral("R") : QStringLiteral("P"), cliente, fornecedor, plano, comanda,
                    chance(0.9) ? QVariant(entre(1, nomes::tamanho(nomes::Grupos))) : nulo,
                    entre(1, nomes::tamanho(nomes::Tipos)), descricao(nota), 0,
                    conta.receber ? QVariant(nota) : nulo, conta.receber ? nulo : QVariant(nota)});
        }
    }

    // Dates that carry a fixed number of instalments; the ordinary ones avoid them.
    bool diaReservado(const QDate &dia) const
    {
        if (dia == p_.hoje)
            return true;
        for (int i = 0; i < p_.escala.size(); ++i)
            if (dia == diasdeescala::dia(p_.hoje, i))
                return true;
        return false;
    }

    void parcela(int codConta, int numero, const QDate &vencimento, const QDate &emissao, char situacao)
    {
        const QVariant nulo(QMetaType(QMetaType::Int));
        const bool paga = situacao == 'S';
        const bool cancelada = situacao == 'C';
        const double v = valor();
        const QVariant provisionado = chance(0.05) ? QVariant(QMetaType(QMetaType::QString))
                                                   : QVariant(chance(0.15) ? QStringLiteral("S") : QStringLiteral("N"));
        insere(QStringLiteral("INSERT INTO ContaDet (CodContaDet, CodConta, DataVcto, DataEmissao, Documento, Documento2, "
                              "Parcela, ValorParcela, ValorPago, idContaMov, Paga, Cancelada, Provisionado, PROVPAGAR) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {++codContaDet_, codConta, vencimento, emissao, QStringLiteral("NF %1").arg(codConta),
                QStringLiteral("%1/%2").arg(codConta).arg(numero), numero, v, paga ? v : 0.0,
                paga || chance(0.4) ? QVariant(entre(1, ContasMovimento)) : nulo, paga ? QStringLiteral("S") : QStringLiteral("N"),
                cancelada ? QStringLiteral("S") : QStringLiteral("N"), provisionado,
                chance(0.1) ? QStringLiteral("S") : QStringLiteral("N")});
        ++contas_[codConta - 1].parcelas;
    }

    // Past instalments are mostly paid, future ones mostly open.
    char situacao(const QDate &vencimento)
    {
        const bool passada = vencimento < p_.hoje;
        if (chance(passada ? 0.03 : 0.02))
            return 'C';
        if (chance(passada ? 0.92 : 0.04))
            return 'S';
        return 'N';
    }

    // Instalments due on one reserved day: the open ones asked for, and a few
    // paid and cancelled ones that the notice must leave out.
    void diaFixo(const QDate &dia, int abertasReceber, int abertasPagar)
    {
        for (int lado = 0; lado < 2; ++lado) {
            const int abertas = lado == 0 ? abertasReceber : abertasPagar;
            const int fechadas = abertas / 10;
            for (int i = 0; i < abertas + fechadas; ++i)
                fixas_.push_back({dia, lado == 0, i < abertas ? 'N' : (i % 2 ? 'S' : 'C')});
        }
    }

    void parcelaFixa(const Fixa &fixa)
    {
        const std::vector<int> &contas = fixa.receber ? receber_ : pagar_;
        if (contas.empty())
            falha(QStringLiteral("contas de menos para as parcelas do dia; aumente --contas"));
        const int c = contas[size_t(entre(0, int(contas.size()) - 1))];
        const Conta &conta = contas_[size_t(c - 1)];
        parcela(c, conta.parcelas + 1, fixa.dia, std::min(conta.emissao, fixa.dia.addDays(-1)), fixa.situacao);
    }

    void parcelas()
    {
        diaFixo(p_.hoje, p_.hojeReceber, p_.hojePagar);
        for (int i = 0; i < p_.escala.size(); ++i)
            diaFixo(diasdeescala::dia(p_.hoje, i), p_.escala[i] / 2, p_.escala[i] - p_.escala[i] / 2);
        std::shuffle(fixas_.begin(), fixas_.end(), sorteio_);

        // The rest spread over the accounts, 1 to about 100 instalments each.
        const int ordinarias = std::max(0, p_.parcelas - int(fixas_.size()));
        std::vector<double> pesos(contas_.size());
        double soma = 0;
        for (double &peso : pesos)
            soma += (peso = entre(1, 99));
        std::vector<int> quantas(contas_.size());
        int distribuidas = 0;
        for (size_t i = 0; i < pesos.size(); ++i)
            distribuidas += (quantas[i] = int(pesos[i] * ordinarias / soma));
        for (; distribuidas < ordinarias; ++distribuidas)
            ++quantas[size_t(entre(0, int(quantas.size()) - 1))];

        // The reserved days' instalments go in among the others, as they would
        // have been entered over the years, not side by side at the start.
        size_t proximaFixa = 0;
        int ordinariasFeitas = 0;
        const auto intercalaFixas = [&] {
            const size_t devidas = size_t(double(fixas_.size()) * ordinariasFeitas / std::max(1, ordinarias));
            for (; proximaFixa < devidas && proximaFixa < fixas_.size(); ++proximaFixa)
                parcelaFixa(fixas_[proximaFixa]);
        };

        QElapsedTimer relogio;
        relogio.start();
        for (size_t i = 0; i < contas_.size(); ++i) {
            const int c = int(i) + 1;
            const QDate emissao = contas_[i].emissao;
            const int n = quantas[i];
            const int passo = std::clamp(int(emissao.daysTo(fim()) / std::max(1, n)), 1, 30);
            for (int k = 1; k <= n; ++k) {
                QDate vencimento = emissao.addDays(qint64(passo) * k);
                while (diaReservado(vencimento))
                    vencimento = vencimento.addDays(1);
                parcela(c, contas_[i].parcelas + 1, vencimento, emissao, situacao(vencimento));
                ++ordinariasFeitas;
            }
            intercalaFixas();
            if (c % 2000 == 0)
                std::fprintf(stderr, "  %d de %d parcelas (%.0f s)\n", codContaDet_, p_.parcelas,
                             relogio.elapsed() / 1000.0);
        }
        for (; proximaFixa < fixas_.size(); ++proximaFixa)
            parcelaFixa(fixas_[proximaFixa]);

        // The number of instalments of each account, now known.
        comandos_.clear();
        db_.commit();
        db_.transaction();
        QSqlQuery q(db_);
        if (!q.exec(QStringLiteral("UPDATE Conta C SET QTPARCELA = (SELECT COUNT(*) FROM ContaDet D WHERE D.CodConta = C.CodConta)")))
            falha(q.lastError().text());
    }

    // As on a database restored from a backup: the optimiser knows how
    // selective each index is.
    void atualizaEstatisticas()
    {
        QSqlQuery indices(db_);
        db_.transaction();
        indices.exec(QStringLiteral("SELECT TRIM(RDB$INDEX_NAME) FROM RDB$INDICES WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"));
        QStringList nomesDeIndices;
        while (indices.next())
            nomesDeIndices << indices.value(0).toString();
        indices.finish();
        QSqlQuery q(db_);
        for (const QString &indice : nomesDeIndices)
            if (!q.exec(QStringLiteral("SET STATISTICS INDEX %1").arg(indice)))
                falha(q.lastError().text());
        db_.commit();
    }

    QDate inicio() const { return p_.hoje.addYears(-4); }
    QDate fim() const { return p_.hoje.addYears(1); }

    Parametros p_;
    std::mt19937 sorteio_;
    QSqlDatabase db_;
    std::map<QString, std::unique_ptr<QSqlQuery>> comandos_;
    int naTransacao_ = 0;
    int codContaDet_ = 0;
    std::vector<Conta> contas_;
    std::vector<int> receber_;
    std::vector<int> pagar_;
    std::vector<Fixa> fixas_;
};

int inteiro(const QCommandLineParser &linha, const QString &opcao, int padrao)
{
    if (!linha.isSet(opcao))
        return padrao;
    bool ok = false;
    const int n = linha.value(opcao).toInt(&ok);
    if (!ok || n < 0)
        falha(QStringLiteral("valor inválido para --") + opcao);
    return n;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser linha;
    linha.setApplicationDescription(QStringLiteral("Gera o banco grande de medição PASTA/VENDAS.FDB."));
    linha.addHelpOption();
    linha.addPositionalArgument(QStringLiteral("pasta"), QStringLiteral("Pasta do banco VENDAS.FDB"));
    for (const char *opcao : {"parcelas", "contas", "clientes", "fornecedores", "plano", "hoje-receber", "hoje-pagar"})
        linha.addOption({QString::fromLatin1(opcao), QStringLiteral("quantidade"), QStringLiteral("N")});
    linha.addOption({QStringLiteral("escala"), QStringLiteral("parcelas abertas nos dias de escala"), QStringLiteral("N,N,N")});
    linha.addOption({QStringLiteral("hoje"), QStringLiteral("o dia do aviso"), QStringLiteral("AAAA-MM-DD")});
    linha.process(app);
    if (linha.positionalArguments().size() != 1)
        linha.showHelp(1);

    Parametros p;
    p.pasta = linha.positionalArguments().constFirst();
    p.parcelas = inteiro(linha, QStringLiteral("parcelas"), p.parcelas);
    p.contas = std::max(1, inteiro(linha, QStringLiteral("contas"), p.contas));
    p.clientes = std::max(1, inteiro(linha, QStringLiteral("clientes"), p.clientes));
    p.fornecedores = std::max(1, inteiro(linha, QStringLiteral("fornecedores"), p.fornecedores));
    p.planos = std::max(1, inteiro(linha, QStringLiteral("plano"), p.planos));
    p.hojeReceber = inteiro(linha, QStringLiteral("hoje-receber"), p.hojeReceber);
    p.hojePagar = inteiro(linha, QStringLiteral("hoje-pagar"), p.hojePagar);
    if (linha.isSet(QStringLiteral("escala")))
        p.escala = diasdeescala::le(linha.value(QStringLiteral("escala")));
    if (linha.isSet(QStringLiteral("hoje"))) {
        p.hoje = QDate::fromString(linha.value(QStringLiteral("hoje")), Qt::ISODate);
        if (!p.hoje.isValid())
            falha(QStringLiteral("data inválida em --hoje"));
    }
    if (!QDir().mkpath(p.pasta))
        falha(QStringLiteral("não foi possível criar ") + p.pasta);

    // The same shared-mode engine root as the program, so both can open the file.
    bancodados::preparaRaizFirebird();
    QElapsedTimer relogio;
    relogio.start();
    const int parcelas = Gerador(p).executa();
    std::printf("Banco gerado: %s (%d parcelas, hoje %s) em %.0f s\n",
                qPrintable(QDir(p.pasta).absoluteFilePath(QStringLiteral("VENDAS.FDB"))), parcelas,
                qPrintable(p.hoje.toString(Qt::ISODate)), relogio.elapsed() / 1000.0);
    return 0;
}
