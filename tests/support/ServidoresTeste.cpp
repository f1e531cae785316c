#include "support/ServidoresTeste.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QMultiHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QStringList>
#include <QThread>

#include <QFile>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace servidoresteste {
namespace {

// How long a server may take to answer or to go quiet after its script returned.
constexpr int EsperaPortaMs = 30000;
// Bound for one script run (its own waits stay within about 30 s each).
constexpr int EsperaScriptMs = 90000;

const char *const Variaveis[] = {"ORVO_SERVIDORES", "ORVO_FB_PASTA", "ORVO_FB_PORTA", "ORVO_PG_PASTA",
                                 "ORVO_PG_PORTA", "ODBCINI", "ODBCSYSINI"};

QString variavel(const char *nome)
{
    return qEnvironmentVariable(nome);
}

int portaDe(const char *nome)
{
    bool ok = false;
    const int porta = variavel(nome).toInt(&ok);
    return ok ? porta : 0;
}

QString variaveisFaltando()
{
    QStringList faltam;
    for (const char *nome : Variaveis)
        if (variavel(nome).isEmpty())
            faltam << QLatin1String(nome);
    if (faltam.isEmpty())
        return QString();
    return QStringLiteral("servidores de teste não configurados (faltam %1); rode "
                          "scripts/servidores/inicia-todos.sh PASTA e . PASTA/ambiente.sh")
        .arg(faltam.join(QStringLiteral(", ")));
}

// The scripts sit beside the schema's folder in the source tree.
QString pastaScripts()
{
    QDir fonte = QFileInfo(QStringLiteral(ORVO_SCHEMA)).absoluteDir();
    fonte.cdUp();
    return fonte.filePath(QStringLiteral("scripts/servidores"));
}

bool rodaScript(const QString &script, const QStringList &argumentos,
                const QProcessEnvironment &ambiente = QProcessEnvironment::systemEnvironment())
{
    QProcess processo;
    processo.setProcessEnvironment(ambiente);
    processo.setProcessChannelMode(QProcess::MergedChannels);
    processo.start(QStringLiteral("bash"), QStringList{QDir(pastaScripts()).filePath(script)} + argumentos);
    const bool terminou = processo.waitForFinished(EsperaScriptMs);
    const QString saida = QString::fromUtf8(processo.readAll()).trimmed();
    if (!terminou) {
        processo.kill();
        processo.waitForFinished(5000);
        qWarning("%s %s não terminou: %s", qPrintable(script), qPrintable(argumentos.join(u' ')),
                 qPrintable(saida));
        return false;
    }
    if (processo.exitStatus() != QProcess::NormalExit || processo.exitCode() != 0) {
        qWarning("%s %s falhou (%d): %s", qPrintable(script), qPrintable(argumentos.join(u' ')),
                 processo.exitCode(), qPrintable(saida));
        return false;
    }
    return true;
}

bool esperaPorta(int porta, bool aberta)
{
    const QDeadlineTimer prazo(EsperaPortaMs);
    while (portaResponde(porta) != aberta) {
        if (prazo.hasExpired()) {
            qWarning("a porta %d %s", porta, aberta ? "não respondeu" : "continua respondendo");
            return false;
        }
        QThread::msleep(100);
    }
    return true;
}

QString faltaPorta(const QString &servidor, int porta)
{
    if (porta <= 0)
        return QStringLiteral("porta do servidor %1 inválida").arg(servidor);
    if (!portaResponde(porta))
        return QStringLiteral("o servidor %1 não responde em 127.0.0.1:%2").arg(servidor).arg(porta);
    return QString();
}

// The first line of a pid file (Firebird's, PostgreSQL's postmaster.pid).
pid_t pidDoArquivo(const QString &arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return pid_t(QString::fromLatin1(f.readLine()).trimmed().toInt());
}

// The process and all its descendants, parents before children.
QList<pid_t> arvore(pid_t raiz)
{
    QList<pid_t> todos{raiz};
    QMultiHash<pid_t, pid_t> filhos;
    for (const QString &nome : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numero = false;
        const pid_t pid = pid_t(nome.toInt(&numero));
        if (!numero)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray linha = stat.readAll();
        // "pid (name) state ppid ...": the name may hold blanks and parentheses.
        const QList<QByteArray> campos = linha.mid(linha.lastIndexOf(')') + 2).split(' ');
        if (campos.size() > 1)
            filhos.insert(pid_t(campos.at(1).toInt()), pid);
    }
    for (int i = 0; i < todos.size(); ++i)
        for (pid_t filho : filhos.values(todos.at(i)))
            todos.append(filho);
    return todos;
}

QList<pid_t> &suspensos()
{
    static QList<pid_t> pids;
    return pids;
}

bool suspende(const QString &arquivoPid)
{
    const pid_t raiz = pidDoArquivo(arquivoPid);
    if (raiz <= 0) {
        qWarning("sem pid em %s", qPrintable(arquivoPid));
        return false;
    }
    // Children first go on working only until their parent stops: stop all.
    for (pid_t pid : arvore(raiz))
        if (::kill(pid, SIGSTOP) == 0)
            suspensos().append(pid);
    return suspensos().contains(raiz);
}

} // namespace

bool suspendeFirebird()
{
    return suspende(QDir(pastaFirebird()).filePath(QStringLiteral("firebird.pid")));
}

bool suspendePostgres()
{
    return suspende(QDir(pastaPostgres()).filePath(QStringLiteral("dados/postmaster.pid")));
}

void retomaServidores()
{
    for (pid_t pid : std::as_const(suspensos()))
        ::kill(pid, SIGCONT);
    suspensos().clear();
}

bool disponiveis()
{
    return variaveisFaltando().isEmpty();
}

bool emCI()
{
    return !variavel("CI").isEmpty();
}

QString faltaFirebird()
{
    const QString falta = variaveisFaltando();
    return falta.isEmpty() ? faltaPorta(QStringLiteral("Firebird"), portaFirebird()) : falta;
}

QString faltaPostgres()
{
    const QString falta = variaveisFaltando();
    return falta.isEmpty() ? faltaPorta(QStringLiteral("PostgreSQL"), portaPostgres()) : falta;
}

QString faltaServidores()
{
    const QString falta = faltaFirebird();
    return falta.isEmpty() ? faltaPostgres() : falta;
}

bool portaResponde(int porta)
{
    if (porta <= 0 || porta > 65535)
        return false;
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (s < 0)
        return false;
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_port = htons(static_cast<uint16_t>(porta));
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool responde = ::connect(s, reinterpret_cast<sockaddr *>(&endereco), sizeof endereco) == 0;
    if (!responde && errno == EINPROGRESS) {
        pollfd espera{s, POLLOUT, 0};
        int erro = 0;
        socklen_t tamanho = sizeof erro;
        responde = ::poll(&espera, 1, 1000) == 1
            && ::getsockopt(s, SOL_SOCKET, SO_ERROR, &erro, &tamanho) == 0 && erro == 0;
    }
    ::close(s);
    return responde;
}

int portaFirebird()
{
    return portaDe("ORVO_FB_PORTA");
}

QString pastaFirebird()
{
    return variavel("ORVO_FB_PASTA");
}

QString nomeNoServidor(const QString &caminhoArquivo)
{
    return QStringLiteral("127.0.0.1/%1:%2").arg(portaFirebird()).arg(QFileInfo(caminhoArquivo).absoluteFilePath());
}

QProcessEnvironment ambienteFirebirdCompartilhado()
{
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    const QDir pasta(pastaFirebird());
    ambiente.insert(QStringLiteral("FIREBIRD"), pasta.filePath(QStringLiteral("raiz")));
    ambiente.insert(QStringLiteral("FIREBIRD_LOCK"), pasta.filePath(QStringLiteral("trava")));
    ambiente.insert(QStringLiteral("FIREBIRD_TMP"), pasta.filePath(QStringLiteral("tmp")));
    // isql-fb drops every non-ASCII byte it reads from a pipe unless the locale
    // is a UTF-8 one that exists (the tests' pt_BR.UTF-8 may not be generated).
    ambiente.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return ambiente;
}

bool paraFirebird()
{
    return rodaScript(QStringLiteral("firebird.sh"),
                      {QStringLiteral("para"), pastaFirebird(), QString::number(portaFirebird())})
        && esperaPorta(portaFirebird(), false);
}

bool iniciaFirebird()
{
    return rodaScript(QStringLiteral("firebird.sh"),
                      {QStringLiteral("inicia"), pastaFirebird(), QString::number(portaFirebird())})
        && esperaPorta(portaFirebird(), true);
}

int portaPostgres()
{
    return portaDe("ORVO_PG_PORTA");
}

QString pastaPostgres()
{
    return variavel("ORVO_PG_PASTA");
}

bool recriaBancoPostgres(const QString &esquema)
{
    return rodaScript(QStringLiteral("postgres.sh"),
                      {QStringLiteral("recria"), pastaPostgres(), QString::number(portaPostgres()),
                       QFileInfo(esquema).absoluteFilePath()});
}

QSqlDatabase conexaoEscritaPostgres(const QString &nomeConexao)
{
    QSqlDatabase db = QSqlDatabase::contains(nomeConexao)
        ? QSqlDatabase::database(nomeConexao, false)
        : QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nomeConexao);
    db.close();
    db.setDatabaseName(QStringLiteral("DRIVER={PostgreSQL Unicode};SERVER=127.0.0.1;PORT=%1;"
                                      "DATABASE=vendas;UID=postgres;PWD=;")
                           .arg(portaPostgres()));
    if (!db.open())
        qWarning("conexão de escrita ao PostgreSQL falhou: %s", qPrintable(db.lastError().text()));
    return db;
}

bool paraPostgres()
{
    return rodaScript(QStringLiteral("postgres.sh"),
                      {QStringLiteral("para"), pastaPostgres(), QString::number(portaPostgres())})
        && esperaPorta(portaPostgres(), false);
}

bool iniciaPostgres()
{
    return rodaScript(QStringLiteral("postgres.sh"),
                      {QStringLiteral("inicia"), pastaPostgres(), QString::number(portaPostgres())})
        && esperaPorta(portaPostgres(), true);
}

ServidorFirebirdProprio::ServidorFirebirdProprio(const QString &modo, const QString &senha, int porta)
    : senha_(senha)
{
    porta_ = porta;
    for (int tentativa = 0; porta_ == 0 && tentativa < 50; ++tentativa) {
        const int candidata = 20000 + int(QRandomGenerator::global()->bounded(40000));
        if (!portaResponde(candidata))
            porta_ = candidata;
    }
    if (portaResponde(porta_)) {
        motivo_ = QStringLiteral("a porta %1 já está em uso").arg(porta_);
        return;
    }
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("ORVO_FB_MODO"), modo);
    ambiente.insert(QStringLiteral("ORVO_FB_SENHA"), senha);
    pronto_ = rodaScript(QStringLiteral("firebird.sh"), {QStringLiteral("inicia"), pasta_.path(), QString::number(porta_)},
                         ambiente)
        && esperaPorta(porta_, true);
    if (!pronto_)
        motivo_ = QStringLiteral("o servidor Firebird próprio do teste não iniciou na porta %1").arg(porta_);
}

ServidorFirebirdProprio::~ServidorFirebirdProprio()
{
    for (QProcess *p : std::as_const(sessoes_)) {
        p->kill();
        p->waitForFinished(5000);
        delete p;
    }
    rodaScript(QStringLiteral("firebird.sh"), {QStringLiteral("para"), pasta_.path(), QString::number(porta_)});
}

QString ServidorFirebirdProprio::nome(const QString &arquivo) const
{
    return QStringLiteral("127.0.0.1/%1:%2").arg(porta_).arg(QFileInfo(arquivo).absoluteFilePath());
}

bool ServidorFirebirdProprio::isql(const QString &arquivo, const QString &script, const QString &usuario,
                                   const QString &senha)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-b"), QStringLiteral("-user"), usuario,
                                        QStringLiteral("-password"), senha.isNull() ? senha_ : senha, nome(arquivo)});
    p.write(script.toUtf8());
    p.closeWriteChannel();
    const bool terminou = p.waitForFinished(EsperaScriptMs);
    const QString saida = QString::fromUtf8(p.readAll());
    if (!terminou || p.exitCode() != 0 || saida.contains(QLatin1String("Statement failed"))) {
        qWarning("isql-fb no servidor próprio: %s", qPrintable(saida));
        return false;
    }
    return true;
}

bool ServidorFirebirdProprio::mantemAberto(const QString &arquivo)
{
    auto *p = new QProcess;
    sessoes_.append(p);
    p->start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                                         QStringLiteral("-password"), senha_, nome(arquivo)});
    if (!p->waitForStarted(10000))
        return false;
    // The session answers a statement once it is attached.
    p->write("select 'aberto' from rdb$database;\n");
    const QDeadlineTimer prazo(30000);
    QByteArray saida;
    while (!saida.contains("aberto\n") && !saida.contains("aberto \n") && !prazo.hasExpired()
           && p->state() == QProcess::Running)
        if (p->waitForReadyRead(500))
            saida += p->readAll();
    return saida.contains("aberto");
}

PortaMuda::PortaMuda(bool escuta)
{
    socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tamanho = sizeof endereco;
    if (socket_ >= 0 && ::bind(socket_, reinterpret_cast<sockaddr *>(&endereco), sizeof endereco) == 0
        && (!escuta || ::listen(socket_, 4) == 0)
        && ::getsockname(socket_, reinterpret_cast<sockaddr *>(&endereco), &tamanho) == 0)
        porta_ = ntohs(endereco.sin_port);
}

PortaMuda::~PortaMuda()
{
    if (socket_ >= 0)
        ::close(socket_);
}

bool PortaMuda::chegouConexao() const
{
    pollfd espera{socket_, POLLIN, 0};
    return ::poll(&espera, 1, 0) == 1;
}

} // namespace servidoresteste
