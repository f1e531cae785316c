// The keystroke formatter as the user meets it: a window whose key preview
// hands every key of its text box to FormataTecla, the box taking the keys the
// formatter lets through and the keystrokes it queues. Random descriptors,
// texts, carets, selections, full-field modes and key sequences, under pt_BR
// and en_US numbers and the short dates dd/mm/yyyy, m/d/yy, yyyy-mm-dd and
// dd.mm.yy. After every key:
//  - "NU", "N+", "N-" (and the integer codes) hold only digits, at most one
//    decimal separator, the grouping symbol only when the mask groups, and a
//    sign only in front and only for the signed codes;
//  - "CM" holds only digits and the mask's literals;
//  - a date written by the formatter follows the date mask up to its length;
//  - the caret and the selection stay inside the text;
//  - nothing but the full-field message is shown and the program never ends.
#include "ApoioFuzz.h"
#include "dates/RetornaFormatoData.h"
#include "format/DescritorCampo.h"
#include "format/FormataTecla.h"
#include "format/RetornaTag.h"
#include "regional/RetornaConfigWin.h"
#include "toolkit/Controle.h"
#include "regional/Formatacao.h"
#include "toolkit/PreVisualizacaoTeclas.h"
#include "toolkit/Toolkit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdlib>

namespace {

const char *const Numeros[] = {"pt_BR", "en_US"};
const char *const FormatosData[] = {"dd/MM/yyyy", "M/d/yy", "yyyy-MM-dd", "dd.MM.yy"};
const char *const Tipos[] = {"NU", "N+", "N-", "IN", "I+", "I-", "CM", "CH", "DT", "XX", "nu", "cm"};

struct Janela {
    QWidget janela;
    QLineEdit *caixa = nullptr;
    QLineEdit *proxima = nullptr;
    QVariant modo;
    bool formatadorEscreveu = false; // the last key's text was written by FormataTecla itself
};
Janela *j = nullptr;

void criaJanela()
{
    j = new Janela;
    auto *layout = new QVBoxLayout(&j->janela);
    j->caixa = new QLineEdit(&j->janela);
    j->proxima = new QLineEdit(&j->janela);
    layout->addWidget(j->caixa);
    layout->addWidget(j->proxima);
    instalaPreVisualizacaoTeclas(&j->janela, [](Controle &controle, int tecla) {
        const QString antes = controle.Text();
        const int resultado = FormataTecla(controle, tecla, j->modo);
        j->formatadorEscreveu = controle.Text() != antes;
        return resultado;
    });
    // Nothing is painted: the keys and the text are what is under test.
    j->janela.setUpdatesEnabled(false);
    j->janela.show();
    QApplication::setActiveWindow(&j->janela);
    j->caixa->setFocus();
    QCoreApplication::processEvents();
}

// Sends one key press and release to the box, then lets queued keystrokes arrive.
void tecla(int chave, const QString &texto, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    j->caixa->setFocus();
    j->formatadorEscreveu = false;
    QKeyEvent press(QEvent::KeyPress, chave, mods, texto);
    QCoreApplication::sendEvent(j->caixa, &press);
    QKeyEvent release(QEvent::KeyRelease, chave, mods, texto);
    QCoreApplication::sendEvent(j->caixa, &release);
    QCoreApplication::processEvents();
}

void digita(QChar c)
{
    const QChar maiuscula = c.toUpper();
    const int chave = maiuscula.unicode() >= 0x20 && maiuscula.unicode() < 0x7f ? maiuscula.unicode() : Qt::Key_unknown;
    tecla(chave, QString(c));
}

void teclaDeControle(FuzzedDataProvider &dados)
{
    switch (dados.ConsumeIntegralInRange(0, 10)) {
    case 0: tecla(Qt::Key_Backspace, QStringLiteral("\b")); break;
    case 1: tecla(Qt::Key_Return, QStringLiteral("\r")); break;
    case 2: tecla(Qt::Key_Tab, QStringLiteral("\t")); break;
    case 3: tecla(Qt::Key_Escape, QStringLiteral("\x1b")); break;
    case 4: tecla(Qt::Key_Delete, QString()); break;
    case 5: tecla(Qt::Key_Left, QString()); break;
    case 6: tecla(Qt::Key_Right, QString()); break;
    case 7: tecla(Qt::Key_Home, QString()); break;
    case 8: tecla(Qt::Key_End, QString()); break;
    case 9: tecla(Qt::Key_Left, QString(), Qt::ShiftModifier); break;
    default: {
        // Ctrl with a letter, but not the ones that paste, undo or redo: those
        // bring back text the formatter never saw.
        const char letras[] = "ACXKEHBFDJ";
        const char l = letras[dados.ConsumeIntegralInRange<int>(0, 9)];
        tecla(Qt::Key_A + (l - 'A'), QString(QChar(l - 'A' + 1)), Qt::ControlModifier);
    }
    }
}

struct Campo {
    QString tipo;
    QString mascara;
    int tamanho = 0;
    bool mascaraDePosicoes = false; // only '#', '0', ',' and one '.'
};

// The content of the "C" group: mostly a known type code, a length and a mask
// of the usual alphabets, sometimes anything at all.
QString conteudoDescritor(FuzzedDataProvider &dados)
{
    if (dados.ConsumeIntegralInRange(0, 7) == 0)
        return apoiofuzz::texto(dados, 24);
    const QString tipo = QString::fromLatin1(Tipos[dados.ConsumeIntegralInRange(0, 11)]);
    const QString tamanho = dados.ConsumeIntegralInRange(0, 9) == 0
        ? apoiofuzz::deAlfabeto(dados, QStringLiteral("0123456789 x"), 3)
        : QStringLiteral("%1").arg(dados.ConsumeIntegralInRange(0, 20), 3, 10, QLatin1Char('0'));
    QString mascara;
    switch (dados.ConsumeIntegralInRange(0, 3)) {
    case 0:
        break;
    case 1:
        mascara = apoiofuzz::deAlfabeto(dados, QStringLiteral("##0,"), 12);
        if (dados.ConsumeBool())
            mascara += u'.' + apoiofuzz::deAlfabeto(dados, QStringLiteral("#0"), 4);
        break;
    case 2:
        mascara = apoiofuzz::deAlfabeto(dados, QStringLiteral("@@@@-/. "), 12);
        break;
    default:
        mascara = apoiofuzz::deAlfabeto(dados, QStringLiteral("#0.,@-/ aR$"), 12);
    }
    return tipo + tamanho + mascara;
}

// The descriptor as the formatter reads it from the Tag.
Campo campoDaTag()
{
    const DescritorCampo d = leDescritor(RetornaTag(QStringLiteral("C"), Controle(j->caixa)));
    Campo c;
    c.tipo = d.tipo;
    c.mascara = d.mascara;
    c.tamanho = d.tamanho;
    bool posicoes = true;
    for (const QChar ch : c.mascara)
        posicoes = posicoes && (ch == u'#' || ch == u'0' || ch == u',' || ch == u'.');
    c.mascaraDePosicoes = posicoes && c.mascara.count(u'.') <= 1;
    return c;
}

bool decimalTipo(const QString &t) { return t == QLatin1String("NU") || t == QLatin1String("N+") || t == QLatin1String("N-"); }
bool inteiroTipo(const QString &t) { return t == QLatin1String("IN") || t == QLatin1String("I+") || t == QLatin1String("I-"); }

// A text the box could hold after typing: what the type takes, sign in front.
QString textoLimpo(FuzzedDataProvider &dados, const Campo &c, QChar separador)
{
    QString t;
    const bool comSinal = c.tipo == QLatin1String("NU") || c.tipo == QLatin1String("IN");
    if (comSinal && dados.ConsumeIntegralInRange(0, 3) == 0)
        t += dados.ConsumeBool() ? u'-' : u'+';
    t += apoiofuzz::deAlfabeto(dados, QStringLiteral("0123456789"), 8);
    if (decimalTipo(c.tipo) && dados.ConsumeBool())
        t += separador + apoiofuzz::deAlfabeto(dados, QStringLiteral("0123456789"), 3);
    if (c.tipo == QLatin1String("DT"))
        t.clear();
    return t;
}

struct Estado {
    Campo campo;
    QChar separador;
    QString agrupamento;
    bool limpo = false; // the box started from a text the type allows
};

void confere(const Estado &e, const QString &passo)
{
    const QString texto = j->caixa->text();
    const QString caso = QStringLiteral("tipo %1 máscara %2, %3: texto %4")
                             .arg(e.campo.tipo, apoiofuzz::mostra(e.campo.mascara), passo, apoiofuzz::mostra(texto));
    Controle controle(j->caixa);
    PROPRIEDADE(controle.SelStart() >= 0 && controle.SelStart() + controle.SelLength() <= texto.size(), caso);
    PROPRIEDADE(!toolkit::statusDeEncerramento().has_value(), caso);
    for (const toolkit::MensagemMostrada &m : toolkit::mensagensMostradas())
        PROPRIEDADE(m.texto == mensagemCampoCheio(), caso + QStringLiteral(" mensagem ") + m.texto);
    toolkit::mensagensMostradas().clear();
    if (!e.limpo)
        return;

    const Campo &c = e.campo;
    const bool numerico = decimalTipo(c.tipo) || inteiroTipo(c.tipo);
    // Masks as the descriptors are meant to be: a decimal mask has a '.' with
    // places after it, an integer mask has none.
    const bool mascaraValida = c.mascara.isEmpty()
        || (c.mascaraDePosicoes
            && (decimalTipo(c.tipo) ? c.mascara.contains(u'.') && !c.mascara.endsWith(u'.') : !c.mascara.contains(u'.')));
    if (numerico && mascaraValida) {
        const bool sinalPermitido = c.tipo == QLatin1String("NU") || c.tipo == QLatin1String("IN");
        const bool agrupa = c.mascara.contains(u',');
        PROPRIEDADE(texto.count(e.separador) <= (decimalTipo(c.tipo) ? 1 : 0), caso);
        for (int i = 0; i < texto.size(); ++i) {
            const QChar ch = texto.at(i);
            const bool ok = (ch >= u'0' && ch <= u'9') || ch == e.separador
                || (agrupa && QString(ch) == e.agrupamento)
                || (sinalPermitido && i == 0 && (ch == u'-' || ch == u'+'));
            PROPRIEDADE(ok, caso + QStringLiteral(" (posição %1)").arg(i));
        }
    }
    // A "CM" descriptor pads the digits to its length: one for each placeholder.
    if (c.tipo == QLatin1String("CM") && (c.mascara.isEmpty() || c.tamanho == c.mascara.count(u'@'))) {
        for (const QChar ch : texto)
            PROPRIEDADE((ch >= u'0' && ch <= u'9') || (ch != u'@' && c.mascara.contains(ch)), caso);
    }
    if (c.tipo == QLatin1String("DT") && j->formatadorEscreveu) {
        const QString mascara = RetornaFormatoData(QStringLiteral("M"));
        PROPRIEDADE(texto.size() <= mascara.size(), caso);
        for (int i = 0; i < texto.size(); ++i)
            PROPRIEDADE(mascara.at(i) == u'@' ? texto.at(i).isDigit() : texto.at(i) == mascara.at(i),
                        caso + QStringLiteral(" máscara de data ") + mascara);
        PROPRIEDADE(texto.isEmpty() || texto.back().isDigit(), caso);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    new QApplication(*argc, *argv);
    toolkit::ativaObservacao(true);
    criaJanela();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t tamanho)
{
    FuzzedDataProvider dados(bytes, tamanho);
    const QLocale numeros(QString::fromLatin1(Numeros[dados.ConsumeIntegralInRange(0, 1)]));
    formatacao::defineRegional(numeros);
    formatacao::defineFormatoDataCurta(QString::fromLatin1(FormatosData[dados.ConsumeIntegralInRange(0, 3)]));
    configwin::esqueceTipoLembrado();
    toolkit::limpaObservacao();

    Estado e;
    e.separador = numeros.decimalPoint().at(0);
    e.agrupamento = numeros.groupSeparator();
    const QString conteudo = conteudoDescritor(dados);
    const int modo = dados.ConsumeIntegralInRange(0, 4);
    j->modo = modo == 0 ? QVariant() : QVariant(modo == 4 ? 7 : modo);
    const QString prefixo = dados.ConsumeBool() ? QStringLiteral("x ") : QString();
    const QString tag = prefixo + QStringLiteral("C(") + conteudo + QStringLiteral(")");
    j->caixa->setProperty("Tag", tag);
    e.campo = campoDaTag();

    e.limpo = dados.ConsumeIntegralInRange(0, 4) != 0;
    const QString inicial = e.limpo ? textoLimpo(dados, e.campo, e.separador) : apoiofuzz::texto(dados, 16);
    j->caixa->setText(inicial);
    j->caixa->setCursorPosition(dados.ConsumeIntegralInRange<int>(0, int(inicial.size())));
    j->formatadorEscreveu = false;

    const QString teclasComuns = QStringLiteral("0123456789012345678901234567890123456789+-,.");
    for (int passo = 0; passo < 64 && dados.remaining_bytes() > 0; ++passo) {
        QString feito;
        const int op = dados.ConsumeIntegralInRange(0, 11);
        if (op <= 6) {
            const QChar c = teclasComuns.at(dados.ConsumeIntegralInRange(0, int(teclasComuns.size()) - 1));
            digita(c);
            feito = QStringLiteral("tecla ") + c;
        } else if (op == 7) {
            const QChar c(dados.ConsumeIntegralInRange<int>(32, 255));
            digita(c);
            feito = QStringLiteral("tecla ") + apoiofuzz::mostra(QString(c));
        } else if (op <= 9) {
            teclaDeControle(dados);
            feito = QStringLiteral("tecla de controle");
        } else if (op == 10) {
            const int p = dados.ConsumeIntegralInRange<int>(0, int(j->caixa->text().size()));
            j->caixa->setCursorPosition(p);
            feito = QStringLiteral("cursor em %1").arg(p);
        } else {
            const int n = int(j->caixa->text().size());
            const int inicio = dados.ConsumeIntegralInRange<int>(0, n);
            const int comprimento = dados.ConsumeIntegralInRange<int>(0, n - inicio);
            j->caixa->setSelection(inicio, comprimento);
            feito = QStringLiteral("seleção %1+%2").arg(inicio).arg(comprimento);
        }
        confere(e, QStringLiteral("passo %1 (%2) a partir de %3").arg(passo).arg(feito, apoiofuzz::mostra(inicial)));
    }
    return 0;
}
