#include "database/firebird/Firebird.h"
#include "base/ErroCorrente.h"
#include "database/firebird/ClienteFirebird.h"
#include "database/firebird/Portao.h"
#include "database/firebird/RaizFirebird.h"

#include <QDateTime>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cmath>
#include <cstring>
#include <string>

namespace bancodados::firebird {
namespace {

// Firebird's numbers of the character sets the sales systems use.
enum Charset : int {
    CharsetNone = 0,
    CharsetOctets = 1,
    CharsetAscii = 2,
    CharsetUnicodeFss = 3,
    CharsetUtf8 = 4,
    CharsetIso8859_1 = 21,
    CharsetWin1252 = 53
};

// The encoding a column's bytes are read in. NONE holds what the sales system
// wrote: Windows-1252 bytes. Another single-byte set is read as Windows-1252 too.
enum class Codificacao { Latin1, Utf8, Windows1252 };

Codificacao codificacao(int charset)
{
    switch (charset) {
    case CharsetUtf8:
    case CharsetUnicodeFss:
        return Codificacao::Utf8;
    case CharsetIso8859_1:
    case CharsetAscii:
        return Codificacao::Latin1;
    default:
        return Codificacao::Windows1252;
    }
}

const char *nomeDaCodificacao(Codificacao c)
{
    return c == Codificacao::Utf8 ? "UTF-8" : c == Codificacao::Latin1 ? "ISO-8859-1" : "windows-1252";
}

// Bytes a character may take in the set: CHAR(n) of UTF8 comes padded to 4n bytes.
int bytesPorCaractere(int charset)
{
    return charset == CharsetUtf8 ? 4 : charset == CharsetUnicodeFss ? 3 : 1;
}

// ISC_DATE counts days from 17 November 1858 (the modified Julian day).
constexpr qint64 DiaJulianoDaBase = 2400001;

constexpr int Dialeto = 3;

void acrescenta(std::string &bloco, char item, const QByteArray &valor)
{
    bloco.push_back(item);
    bloco.push_back(static_cast<char>(qMin<qsizetype>(valor.size(), 255)));
    bloco.append(valor.constData(), static_cast<size_t>(qMin<qsizetype>(valor.size(), 255)));
}

// The status of a call; raises its error when the call failed.
struct Status {
    ISC_STATUS_ARRAY v{};
    void verifica() const
    {
        if (v[0] == 1 && v[1] != 0)
            lancaErro(v);
    }
};

} // namespace

namespace {
// The codes, texts and system error number of a status vector, read as the
// engine wrote them: its texts come in English and the system's reason in the
// user's language, the codes the same everywhere.
DetalheErro detalheDo(const ISC_STATUS *status)
{
    DetalheErro detalhe;
    for (const ISC_STATUS *item = status; *item != isc_arg_end;) {
        const ISC_STATUS tipo = *item++;
        switch (tipo) {
        case isc_arg_gds:
            detalhe.codigos << long(*item++);
            detalhe.argumentos << QStringList();
            break;
        case isc_arg_string:
        case isc_arg_interpreted:
        case isc_arg_sql_state:
            if (!detalhe.argumentos.isEmpty())
                detalhe.argumentos.last() << QString::fromUtf8(reinterpret_cast<const char *>(*item));
            ++item;
            break;
        case isc_arg_cstring: {
            const auto tamanho = int(*item++);
            if (!detalhe.argumentos.isEmpty())
                detalhe.argumentos.last() << QString::fromUtf8(reinterpret_cast<const char *>(*item), tamanho);
            ++item;
            break;
        }
        case isc_arg_unix:
            if (detalhe.erroDoSistema == 0)
                detalhe.erroDoSistema = int(*item);
            ++item;
            break;
        case isc_arg_number: // the on-disk structure's versions, say
            if (!detalhe.argumentos.isEmpty())
                detalhe.argumentos.last() << QString::number(*item);
            ++item;
            break;
        default: // warnings, other systems' codes: one value each
            ++item;
            break;
        }
    }
    return detalhe;
}
} // namespace

void lancaErro(const ISC_STATUS *status)
{
    const long codigo = cliente().isc_sqlcode(status);
    const ISC_STATUS *vetor = status;
    char texto[1024];
    QStringList partes;
    while (cliente().fb_interpret(texto, sizeof texto, &vetor))
        partes << QString::fromUtf8(texto);
    throw ErroSistema(codigo != 0 ? codigo : static_cast<long>(status[1]), partes.join(u'\n'), detalheDo(status));
}

// ---------------------------------------------------------------------------

namespace {
Portao &porta()
{
    static Portao *p = new Portao;
    return *p;
}
} // namespace

NoMotor::NoMotor(bool local) : local_(local)
{
    if (local_)
        porta().entra();
}

NoMotor::~NoMotor()
{
    if (local_)
        porta().sai();
}

bool fechaMotor(int ms) { return porta().fecha(ms); }

void reabreMotor() { porta().abre(); }

Anexo::Anexo(const QString &banco, const QString &usuario, const QString &senha, int esperaSegundos)
{
    std::string dpb(1, static_cast<char>(isc_dpb_version1));
    if (!usuario.isEmpty())
        acrescenta(dpb, isc_dpb_user_name, usuario.toUtf8());
    if (!senha.isEmpty())
        acrescenta(dpb, isc_dpb_password, senha.toUtf8());
    // No transliteration: each column's bytes are decoded by its own set.
    acrescenta(dpb, isc_dpb_lc_ctype, QByteArrayLiteral("NONE"));
#ifdef isc_dpb_set_bind
    // A server from Firebird 4 on answers sums of money in its 128-bit
    // integers and times with their zone; the types every release reads are
    // asked for instead (an older server passes over the item).
    acrescenta(dpb, isc_dpb_set_bind,
               QByteArrayLiteral("int128 to legacy; decfloat to legacy; time zone to legacy"));
#endif
    // A file on this machine goes straight to the embedded engine (or, when a
    // server holds it, to that local server), without asking the network client first.
    local_ = banco.startsWith(u'/');
    if (local_)
        acrescenta(dpb, isc_dpb_config, QByteArrayLiteral("Providers = ") + provedoresLocais());
    if (esperaSegundos > 0) {
        const ISC_LONG segundos = esperaSegundos;
        QByteArray valor(4, '\0');
        for (int i = 0; i < 4; ++i)
            valor[i] = static_cast<char>((segundos >> (8 * i)) & 0xff);
        acrescenta(dpb, isc_dpb_connect_timeout, valor);
    }
    const QByteArray nome = banco.toUtf8();
    Status status;
    const NoMotor motor(local_);
    cliente().isc_attach_database(status.v, 0, nome.constData(), &handle_, static_cast<short>(dpb.size()), dpb.data());
    status.verifica();
}

Anexo::~Anexo()
{
    if (handle_) {
        ISC_STATUS_ARRAY status;
        const NoMotor motor(local_);
        cliente().isc_detach_database(status, &handle_);
    }
}

void cancelaOperacao(isc_db_handle handle)
{
    ISC_STATUS_ARRAY status;
    cliente().fb_cancel_operation(status, &handle, fb_cancel_raise);
}

void Anexo::cancelaOperacao() { firebird::cancelaOperacao(handle_); }

// ---------------------------------------------------------------------------

Transacao::Transacao(Anexo &anexo) : local_(anexo.local())
{
    // Read-only and read committed, reading the last committed version of a
    // row without waiting for whoever is changing it.
    static const char tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed, isc_tpb_rec_version,
                               isc_tpb_nowait};
    Status status;
    const NoMotor motor(local_);
    cliente().isc_start_transaction(status.v, &handle_, 1, anexo.handle(), static_cast<unsigned short>(sizeof tpb), tpb);
    status.verifica();
}

Transacao::~Transacao()
{
    if (handle_) {
        ISC_STATUS_ARRAY status;
        const NoMotor motor(local_);
        cliente().isc_rollback_transaction(status, &handle_);
    }
}

void Transacao::confirma()
{
    Status status;
    const NoMotor motor(local_);
    cliente().isc_commit_transaction(status.v, &handle_);
    status.verifica();
}

// ---------------------------------------------------------------------------

// An XSQLDA and the memory its values live in.
struct Comando::Area {
    explicit Area(int n)
        : memoria((XSQLDA_LENGTH(qMax(n, 1)) + sizeof(ISC_INT64) - 1) / sizeof(ISC_INT64)),
          valores(static_cast<size_t>(qMax(n, 1)))
    {
        sqlda()->version = SQLDA_VERSION1;
        sqlda()->sqln = static_cast<ISC_SHORT>(qMax(n, 1));
    }
    XSQLDA *sqlda() { return reinterpret_cast<XSQLDA *>(memoria.data()); }
    XSQLVAR &var(int i) { return sqlda()->sqlvar[i]; }
    int quantas() { return sqlda()->sqld; }

    // Room for the value of var i as it is typed now, and for its null flag.
    void reserva(int i)
    {
        XSQLVAR &v = var(i);
        size_t tamanho = 8;
        switch (v.sqltype & ~1) {
        case SQL_VARYING: tamanho = static_cast<size_t>(v.sqllen) + 2; break;
        case SQL_TEXT: tamanho = static_cast<size_t>(v.sqllen); break;
        default: tamanho = qMax<size_t>(static_cast<size_t>(v.sqllen), 8); break;
        }
        Valor &valor = valores[static_cast<size_t>(i)];
        valor.dados.assign(tamanho + 1, '\0');
        v.sqldata = valor.dados.data();
        v.sqlind = &valor.nulo;
    }

    struct Valor {
        std::vector<char> dados;
        ISC_SHORT nulo = 0;
    };
    std::vector<ISC_INT64> memoria; // 8-byte aligned
    std::vector<Valor> valores;
};

Comando::Comando(Anexo &anexo, Transacao &transacao, const QString &sql, const QVariantList &parametros)
    : anexo_(anexo), transacao_(transacao), saida_(std::make_unique<Area>(32))
{
    sentenca_.local = anexo.local();
    const NoMotor motor(anexo.local());
    Status status;
    cliente().isc_dsql_allocate_statement(status.v, anexo_.handle(), &handle_);
    status.verifica();
    // The statements are ASCII; any other letter goes as the sales system writes it.
    const QByteArray texto = QStringEncoder("windows-1252")(sql);
    cliente().isc_dsql_prepare(status.v, transacao_.handle(), &handle_, 0, texto.constData(), Dialeto, saida_->sqlda());
    status.verifica();
    if (saida_->quantas() > saida_->sqlda()->sqln) {
        saida_ = std::make_unique<Area>(saida_->quantas());
        cliente().isc_dsql_describe(status.v, &handle_, 1, saida_->sqlda());
        status.verifica();
    }
    for (int i = 0; i < saida_->quantas(); ++i) {
        saida_->reserva(i);
        const XSQLVAR &v = saida_->var(i);
        colunas_ << QString::fromUtf8(v.aliasname, v.aliasname_length);
    }

    entrada_ = std::make_unique<Area>(qMax<int>(parametros.size(), 1));
    cliente().isc_dsql_describe_bind(status.v, &handle_, 1, entrada_->sqlda());
    status.verifica();
    if (entrada_->quantas() != parametros.size())
        throw ErroSistema(-804, QStringLiteral("O comando pede %1 parâmetros e recebeu %2.")
                                    .arg(entrada_->quantas())
                                    .arg(parametros.size()));
    for (int i = 0; i < parametros.size(); ++i) {
        XSQLVAR &v = entrada_->var(i);
        const QVariant &p = parametros.at(i);
        const int charset = v.sqlsubtype & 0xff;
        QByteArray bytes;
        switch (p.typeId()) {
        case QMetaType::QDate: v.sqltype = SQL_TYPE_DATE; v.sqllen = sizeof(ISC_DATE); break;
        case QMetaType::QDateTime: v.sqltype = SQL_TIMESTAMP; v.sqllen = sizeof(ISC_TIMESTAMP); break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Bool: v.sqltype = SQL_INT64; v.sqllen = sizeof(ISC_INT64); break;
        case QMetaType::Double: v.sqltype = SQL_DOUBLE; v.sqllen = sizeof(double); break;
        default:
            bytes = QStringEncoder(nomeDaCodificacao(codificacao(charset)))(p.toString());
            v.sqltype = SQL_TEXT;
            v.sqllen = static_cast<ISC_SHORT>(bytes.size());
            break;
        }
        v.sqlscale = 0;
        v.sqltype |= 1;
        entrada_->reserva(i);
        *v.sqlind = p.isNull() ? -1 : 0;
        if (p.isNull())
            continue;
        switch (v.sqltype & ~1) {
        case SQL_TYPE_DATE: {
            const ISC_DATE dia = static_cast<ISC_DATE>(p.toDate().toJulianDay() - DiaJulianoDaBase);
            std::memcpy(v.sqldata, &dia, sizeof dia);
            break;
        }
        case SQL_TIMESTAMP: {
            const QDateTime momento = p.toDateTime();
            ISC_TIMESTAMP t;
            t.timestamp_date = static_cast<ISC_DATE>(momento.date().toJulianDay() - DiaJulianoDaBase);
            t.timestamp_time = static_cast<ISC_TIME>(momento.time().msecsSinceStartOfDay() * 10);
            std::memcpy(v.sqldata, &t, sizeof t);
            break;
        }
        case SQL_INT64: {
            const ISC_INT64 n = p.toLongLong();
            std::memcpy(v.sqldata, &n, sizeof n);
            break;
        }
        case SQL_DOUBLE: {
            const double d = p.toDouble();
            std::memcpy(v.sqldata, &d, sizeof d);
            break;
        }
        default: std::memcpy(v.sqldata, bytes.constData(), static_cast<size_t>(bytes.size())); break;
        }
    }

    cliente().isc_dsql_execute(status.v, transacao_.handle(), &handle_, 1, parametros.isEmpty() ? nullptr : entrada_->sqlda());
    status.verifica();
    cursor_ = saida_->quantas() > 0;
}

Comando::~Comando() = default;

Comando::Sentenca::~Sentenca()
{
    if (valor) {
        ISC_STATUS_ARRAY status;
        const NoMotor motor(local);
        cliente().isc_dsql_free_statement(status, &valor, DSQL_drop);
    }
}

bool Comando::proxima(Linha &linha)
{
    if (!cursor_)
        return false;
    const NoMotor motor(anexo_.local()); // the row's long texts are read inside too
    Status status;
    const ISC_STATUS resultado = cliente().isc_dsql_fetch(status.v, &handle_, 1, saida_->sqlda());
    if (resultado == 100) {
        cursor_ = false;
        return false;
    }
    status.verifica();
    const int n = saida_->quantas();
    linha.resize(n);
    for (int i = 0; i < n; ++i)
        linha[i] = valor(i);
    return true;
}

QVariant Comando::texto(const char *dados, int tamanho, int charset, int declarado)
{
    if (charset == CharsetOctets)
        return QByteArray(dados, tamanho);
    bool ascii = true;
    for (int i = 0; i < tamanho && ascii; ++i)
        ascii = static_cast<unsigned char>(dados[i]) < 0x80;
    const Codificacao como = codificacao(charset);
    QString resultado;
    if (ascii || como == Codificacao::Latin1)
        resultado = QString::fromLatin1(dados, tamanho);
    else if (como == Codificacao::Utf8)
        resultado = QString::fromUtf8(dados, tamanho);
    else
        resultado = windows1252_(QByteArrayView(dados, tamanho));
    if (declarado >= 0 && resultado.size() > declarado)
        resultado.truncate(declarado); // the padding of a multi-byte CHAR(n)
    return resultado;
}

QVariant Comando::textoLongo(const ISC_QUAD &id, int charset)
{
    Status status;
    isc_blob_handle blob = 0;
    ISC_QUAD quad = id;
    cliente().isc_open_blob2(status.v, anexo_.handle(), transacao_.handle(), &blob, &quad, 0, nullptr);
    status.verifica();
    QByteArray bytes;
    char pedaco[8192];
    for (;;) {
        unsigned short lidos = 0;
        const ISC_STATUS r = cliente().isc_get_segment(status.v, &blob, &lidos, sizeof pedaco, pedaco);
        if (r != 0 && r != isc_segment)
            break;
        bytes.append(pedaco, lidos);
    }
    const bool fim = status.v[1] == isc_segstr_eof;
    ISC_STATUS_ARRAY fecha;
    cliente().isc_close_blob(fecha, &blob);
    if (!fim)
        status.verifica();
    if (charset < 0)
        return bytes;
    return texto(bytes.constData(), static_cast<int>(bytes.size()), charset, -1);
}

QVariant Comando::valor(int coluna)
{
    const XSQLVAR &v = saida_->var(coluna);
    if ((v.sqltype & 1) && *v.sqlind < 0)
        return QVariant();
    const char *dados = v.sqldata;
    // An integer column as int or qlonglong, or scaled to a double.
    const auto numero = [&](auto inteiro) -> QVariant {
        if (v.sqlscale == 0)
            return QVariant::fromValue(inteiro);
        // NUMERIC(15,2) holds hundredths: the value is the integer scaled back.
        return v.sqlscale < 0 ? static_cast<double>(inteiro) / std::pow(10.0, -v.sqlscale)
                              : static_cast<double>(inteiro) * std::pow(10.0, v.sqlscale);
    };
    switch (v.sqltype & ~1) {
    case SQL_TEXT:
        return texto(dados, v.sqllen, v.sqlsubtype & 0xff, v.sqllen / bytesPorCaractere(v.sqlsubtype & 0xff));
    case SQL_VARYING: {
        ISC_SHORT tamanho;
        std::memcpy(&tamanho, dados, sizeof tamanho);
        return texto(dados + 2, tamanho, v.sqlsubtype & 0xff, -1);
    }
    case SQL_SHORT: {
        ISC_SHORT curto;
        std::memcpy(&curto, dados, sizeof curto);
        return numero(int{curto});
    }
    case SQL_LONG: {
        ISC_LONG inteiro;
        std::memcpy(&inteiro, dados, sizeof inteiro);
        return numero(int{inteiro});
    }
    case SQL_INT64: {
        qlonglong longo;
        std::memcpy(&longo, dados, sizeof longo);
        return numero(longo);
    }
    case SQL_FLOAT: {
        float f;
        std::memcpy(&f, dados, sizeof f);
        return static_cast<double>(f);
    }
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        double d;
        std::memcpy(&d, dados, sizeof d);
        return d;
    }
    case SQL_TYPE_DATE: {
        ISC_DATE dia;
        std::memcpy(&dia, dados, sizeof dia);
        return QDate::fromJulianDay(dia + DiaJulianoDaBase);
    }
    case SQL_TYPE_TIME: {
        ISC_TIME hora;
        std::memcpy(&hora, dados, sizeof hora);
        return QTime::fromMSecsSinceStartOfDay(static_cast<int>(hora / 10));
    }
    case SQL_TIMESTAMP: {
        ISC_TIMESTAMP t;
        std::memcpy(&t, dados, sizeof t);
        return QDateTime(QDate::fromJulianDay(t.timestamp_date + DiaJulianoDaBase),
                         QTime::fromMSecsSinceStartOfDay(static_cast<int>(t.timestamp_time / 10)));
    }
    case SQL_BOOLEAN: return *reinterpret_cast<const unsigned char *>(dados) != 0;
    case SQL_BLOB: {
        ISC_QUAD id;
        std::memcpy(&id, dados, sizeof id);
        // A text blob carries its character set where numbers carry their scale.
        return textoLongo(id, v.sqlsubtype == 1 ? (v.sqlscale & 0xff) : -1);
    }
    default:
        // Read as empty, an amount would go into a total as zero.
        throw ErroSistema(-804, QStringLiteral("A coluna %1 veio do banco de dados num tipo que o OrvoAviso não lê (tipo %2).")
                                    .arg(QString::fromUtf8(v.aliasname, v.aliasname_length))
                                    .arg(v.sqltype & ~1));
    }
}

} // namespace bancodados::firebird
