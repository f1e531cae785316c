#include "database/firebird/SessaoFirebird.h"
#include "base/ErroCorrente.h"
#include "database/BancoDados.h"
#include "database/firebird/Firebird.h"

#include <thread>

namespace bancodados {
namespace {

// A statement in its own read-only transaction, confirmed once every row is read.
class CursorFirebird : public Cursor {
public:
    CursorFirebird(firebird::Anexo &anexo, const QString &sql, const QVariantList &parametros)
        : transacao_(anexo), comando_(std::make_unique<firebird::Comando>(anexo, transacao_, sql, parametros))
    {
    }
    QStringList colunas() const override { return comando_->colunas(); }
    bool proxima(Linha &linha) override
    {
        if (!comando_)
            return false;
        if (comando_->proxima(linha))
            return true;
        comando_.reset();
        transacao_.confirma();
        return false;
    }

private:
    firebird::Transacao transacao_;
    std::unique_ptr<firebird::Comando> comando_;
};

class SessaoFirebird : public Sessao {
public:
    SessaoFirebird(const Destino &destino, int esperaSegundos)
        : anexo_(destino.banco, destino.usuario, destino.senha, esperaSegundos)
    {
    }
    std::unique_ptr<Cursor> executa(const QString &sql, const QVariantList &parametros) override
    {
        return std::make_unique<CursorFirebird>(anexo_, sql, parametros);
    }
    bool cancela() override
    {
        // The client sends the cancel to the server; a server that does not
        // answer may hold that call too, so it is made on a thread of its own,
        // with the handle's value (the session may be gone when it returns).
        std::thread([handle = *anexo_.handle()] { firebird::cancelaOperacao(handle); }).detach();
        return true;
    }

private:
    firebird::Anexo anexo_;
};

} // namespace

std::unique_ptr<Sessao> abreSessaoFirebird(const Destino &destino, int esperaSegundos)
{
    return std::make_unique<SessaoFirebird>(destino, esperaSegundos);
}

} // namespace bancodados
