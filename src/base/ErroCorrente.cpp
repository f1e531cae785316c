#include "base/ErroCorrente.h"

ErroCorrente &erroCorrente()
{
    thread_local ErroCorrente erro;
    return erro;
}

void limpaErroCorrente()
{
    erroCorrente() = ErroCorrente{};
}

ErroSistema::ErroSistema(long numero, QString descricao, DetalheErro detalhe)
    : numero_(numero), descricao_(std::move(descricao)), detalhe_(std::move(detalhe)), utf8_(descricao_.toUtf8())
{
    erroCorrente().numero = numero_;
    erroCorrente().descricao = descricao_;
    erroCorrente().detalhe = detalhe_;
}
