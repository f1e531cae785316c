#include "errors/ErroCorrente.h"

ErroCorrente &erroCorrente()
{
    thread_local ErroCorrente erro;
    return erro;
}

void limpaErroCorrente()
{
    erroCorrente() = ErroCorrente{};
}

ErroSistema::ErroSistema(long numero, QString descricao)
    : numero_(numero), descricao_(std::move(descricao)), utf8_(descricao_.toUtf8())
{
    erroCorrente().numero = numero_;
    erroCorrente().descricao = descricao_;
}
