#pragma once
// Helpers shared by the formatting and date tests.
#include "regional/RetornaConfigWin.h"
#include "regional/Formatacao.h"
#include "toolkit/Toolkit.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace apoioformato {

// A workstation with the given regional settings, as at the start of a run:
// nothing remembered by the regional check, nothing observed yet.
inline void workstation(const QString &numeros, const QString &datas = QString())
{
    formatacao::defineRegional(QLocale(numeros), QLocale(datas.isEmpty() ? numeros : datas));
    configwin::esqueceTipoLembrado();
    configwin::defineFonteDaAmostra({});
    toolkit::ativaObservacao(true);
    toolkit::limpaObservacao();
}

// Runs f; the status when it ended the program, nothing when it returned.
template <class F>
std::optional<int> encerramento(F &&f)
{
    try {
        f();
    } catch (const toolkit::FimDoPrograma &fim) {
        return fim.status;
    }
    return std::nullopt;
}

} // namespace apoioformato
