#include "support/AmbienteAviso.h"
#include "support/ServidoresTeste.h"

#include "notice/FrmRobo.h"
#include "toolkit/Toolkit.h"
#include "startup/FrmAcesso.h"
#include "startup/IniciaSistema.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>
#include <QEvent>
#include <QUuid>

namespace ambienteaviso {

QString nome(Backend backend)
{
    switch (backend) {
    case Backend::Embutido: return QStringLiteral("embutido");
    case Backend::Servidor: return QStringLiteral("servidor");
    case Backend::Odbc: return QStringLiteral("odbc");
    }
    return QString();
}

Ambiente::Ambiente(Backend backend)
    : backend_(backend), nomeEscrita_(QStringLiteral("escrita-") + QUuid::createUuid().toString(QUuid::Id128))
{
    QByteArray ini;
    if (backend == Backend::Odbc) {
        motivo_ = servidoresteste::faltaPostgres();
        if (!motivo_.isEmpty() || !servidoresteste::recriaBancoPostgres()) {
            motivo_ = motivo_.isEmpty() ? QStringLiteral("PostgreSQL não foi recriado") : motivo_;
            return;
        }
        QSqlDatabase db = servidoresteste::conexaoEscritaPostgres(nomeEscrita_);
        if (!db.isOpen()) {
            motivo_ = QStringLiteral("sem conexão de escrita ao PostgreSQL");
            return;
        }
        dados_ = std::make_unique<bancoteste::Dados>(db);
        ini = pasta().toUtf8() + "\r\nBanco=SQL\r\n";
    } else {
        if (backend == Backend::Servidor) {
            motivo_ = servidoresteste::faltaFirebird();
            if (!motivo_.isEmpty())
                return;
        }
        arquivo_ = bancoteste::criaBancoFirebird(pasta());
        const QString nomeBanco = backend == Backend::Servidor ? servidoresteste::nomeNoServidor(arquivo_) : arquivo_;
        dados_ = std::make_unique<bancoteste::Dados>(bancoteste::abreEscritaFirebird(nomeBanco, nomeEscrita_));
        const QString pastaDados = backend == Backend::Servidor
            ? servidoresteste::nomeNoServidor(pasta())
            : pasta();
        ini = pastaDados.toUtf8() + "\r\n";
    }
    bancoteste::escreveOrvoIni(pasta(), ini);
    pronto_ = true;
}

Ambiente::~Ambiente()
{
    dados_.reset();
    bancoteste::fechaConexao(nomeEscrita_);
}

void iniciaPrograma(const QString &pastaPrograma)
{
    toolkit::ativaObservacao(true);
    toolkit::definePastaDoPrograma(pastaPrograma);
    FrmAcesso::carrega();
}

void encerraPrograma()
{
    if (FrmRobo::carregada())
        FrmRobo::instancia().cmdFechar_Click();
    // A start-up that ended the program leaves its never-shown window behind.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("FrmAcesso"))
            toolkit::descarregaJanela(w);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    descartaConexaoCompartilhada();
}

} // namespace ambienteaviso
