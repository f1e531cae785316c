#pragma once
#include "support/BancoTeste.h"

#include <QTemporaryDir>
#include <memory>

// A program folder with orvo.ini and a fresh database on one of the backends
// the notice runs on, for tests that start the system for real.
namespace ambienteaviso {

enum class Backend { Embutido, Servidor, Odbc };
QString nome(Backend backend);

class Ambiente {
public:
    explicit Ambiente(Backend backend);
    ~Ambiente();
    // False (with the reason in motivo()) when the backend cannot be reached.
    bool pronto() const { return pronto_; }
    QString motivo() const { return motivo_; }

    Backend backend() const { return backend_; }
    QString pasta() const { return pasta_.path(); }
    QString arquivoBanco() const { return arquivo_; }
    // Fixture rows go through this connection.
    bancoteste::Dados &dados() { return *dados_; }

private:
    Backend backend_;
    QTemporaryDir pasta_;
    QString arquivo_;
    QString nomeEscrita_;
    std::unique_ptr<bancoteste::Dados> dados_;
    bool pronto_ = false;
    QString motivo_;
};

// Starts the system on the program folder as the program does (never-shown
// start-up window, start-up routine, notice window), under observation.
void iniciaPrograma(const QString &pastaPrograma);
// Unloads the notice window and forgets the shared connection.
void encerraPrograma();

} // namespace ambienteaviso

// Skips the test when the backend is not reachable, or fails it under CI.
#define EXIGE_AMBIENTE(ambiente)                                                      \
    do {                                                                              \
        if (!(ambiente).pronto()) {                                                   \
            if (qEnvironmentVariableIsSet("CI"))                                      \
                QFAIL(qPrintable((ambiente).motivo()));                               \
            QSKIP(qPrintable((ambiente).motivo()));                                   \
        }                                                                             \
    } while (false)
