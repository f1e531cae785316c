#include "toolkit/Fontes.h"

#include <QFont>
#include <QFontDatabase>
#include <future>
#include <mutex>

namespace toolkit {
namespace {

const char *const FamiliaDoSistema = "MS Sans Serif";

// Reading the font list is most of the cost of the first font a window asks
// for; the font database may be read from any thread, so it overlaps with the
// database connection being opened.
std::shared_future<bool> &familiaInstalada()
{
    static std::shared_future<bool> resposta;
    return resposta;
}

void iniciaConsulta()
{
    static std::once_flag umaVez;
    std::call_once(umaVez, [] {
        familiaInstalada() = std::async(std::launch::async, [] {
                                 return QFontDatabase::hasFamily(QString::fromLatin1(FamiliaDoSistema));
                             }).share();
    });
}

} // namespace

void antecipaFontes() { iniciaConsulta(); }

QFont fonteDoSistema(double pontos)
{
    iniciaConsulta();
    QFont fonte(QString::fromLatin1(FamiliaDoSistema));
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setBold(true);
    fonte.setPointSizeF(familiaInstalada().get() ? pontos : pontos * 0.8);
    return fonte;
}

} // namespace toolkit
