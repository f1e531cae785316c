#include "format/FormataTecla.h"

#include "dates/DigitaData.h"
#include "base/ErroCorrente.h"
#include "format/DescritorCampo.h"
#include "text/FiltraNumero.h"
#include "format/LocalizaCombo.h"
#include "text/PosicaoTexto.h"
#include "regional/RetornaConfigWin.h"
#include "format/RetornaTag.h"
#include "toolkit/Controle.h"
#include "regional/Formatacao.h"
#include "toolkit/Toolkit.h"

namespace {
constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int UltimaTeclaDeControle = 31;
const QChar Preenchimento(255);

enum ModoCampoCheio { EngoleTecla = 1, PassaAoProximo = 2, AvisaUsuario = 3 };

bool ehDigito(int tecla) { return tecla >= '0' && tecla <= '9'; }
bool ehSinal(int tecla) { return tecla == '+' || tecla == '-'; }
bool comecaComSinal(const QString &texto)
{
    return texto.startsWith(QLatin1Char('-')) || texto.startsWith(QLatin1Char('+'));
}

int modoDoArgumento(const QVariant &modo)
{
    if (!modo.isValid())
        return EngoleTecla;
    bool ok = false;
    const int valor = modo.toInt(&ok);
    if (!ok)
        throw ErroSistema(13, QStringLiteral("Tipos incompatíveis"));
    return valor;
}

// What a key does to a full box; the key is then swallowed.
int campoCheio(int modo)
{
    if (modo == PassaAoProximo)
        toolkit::enviaTeclas(QString(QChar(9)));
    else if (modo == AvisaUsuario)
        toolkit::caixaMensagem(mensagemCampoCheio(), toolkit::EstiloExclamacao, QString());
    return 0;
}

// A number typed as text laid out through a mask. A text that is not a number
// (a lone sign) stays as typed, and so does the minus of a negative zero still
// being typed ("-0" on the way to "-0,5"). Without placeholders (a decimal
// mask such as ".000" has no integer part) a long number would come back in
// exponent form ("1,2E+15") and lose digits: the digits stay as typed.
QString numeroPelaMascara(const QString &texto, const QString &mascara)
{
    double valor = 0;
    if (!formatacao::paraNumero(texto, valor))
        return texto;
    QString resultado = formatacao::formataNumero(valor, mascara);
    if (resultado.contains(QLatin1Char('E'), Qt::CaseInsensitive))
        return texto;
    if (valor == 0 && texto.trimmed().startsWith(QLatin1Char('-')) && !resultado.startsWith(QLatin1Char('-')))
        resultado.prepend(QLatin1Char('-'));
    return resultado;
}

// One call of the formatter: the descriptor and the box as they are now.
struct Digitacao {
    Controle &controle;
    int tecla;
    int modo;
    DescritorCampo campo;
    QChar separador;
    QString texto;
    int posicao;
    int selecao;
    int restante;
    int tamanhoAnterior;

    void insere()
    {
        texto = texto.left(posicao) + QChar(tecla) + texto.mid(posicao + selecao);
        tecla = 0;
    }

    // A key typed in front of the sign, the sign not selected, would leave the
    // sign inside the number ("2-5"): the sign stays the first character.
    bool dianteDoSinal() const { return posicao == 0 && selecao == 0 && comecaComSinal(texto); }

    int limiteNumerico() const { return campo.tamanhoCampo + (comecaComSinal(texto) ? 1 : 0); }

    void reformataInteiro()
    {
        if (campo.mascaraNormalizada.isEmpty())
            return;
        tamanhoAnterior = int(texto.size());
        texto = numeroPelaMascara(FiltraNumero(texto, QStringLiteral("IN")), campo.mascaraNormalizada);
    }

    void reformataDecimal()
    {
        if (campo.mascaraNormalizada.isEmpty())
            return;
        tamanhoAnterior = int(texto.size());
        const bool comSinal = campo.tipo == QLatin1String("NU");
        texto = FiltraNumero(texto, comSinal ? QStringLiteral("NU") : QStringLiteral("N+"));

        const QString &mascara = campo.mascaraNormalizada;
        const int ponto = int(mascara.indexOf(QLatin1Char('.')));
        const QString mascaraInteira = ponto < 0 ? mascara : mascara.left(ponto);
        const QString mascaraDecimal = ponto < 0 ? QString() : mascara.mid(ponto + 1);

        const int posSeparador = int(texto.indexOf(separador));
        if (posSeparador < 0) {
            if (texto.isEmpty() || texto == QLatin1String("+") || texto == QLatin1String("-"))
                return;
            texto = numeroPelaMascara(texto, mascaraInteira);
            return;
        }

        const QString inteira = texto.left(posSeparador);
        const QString decimal = texto.mid(posSeparador + 1);
        QString novo;
        if (!inteira.isEmpty())
            novo = numeroPelaMascara(inteira, mascaraInteira) + separador;
        if (!decimal.isEmpty()) {
            const int n = int(decimal.trimmed().size());
            if (n < mascaraDecimal.size())
                novo += numeroPelaMascara(decimal, mascaraDecimal.left(n));
            else
                novo += numeroPelaMascara(decimal.left(mascaraDecimal.size()), mascaraDecimal);
        }
        texto = novo;
    }

    void reformataDigitos()
    {
        if (campo.mascaraNormalizada.isEmpty())
            return;
        tamanhoAnterior = int(texto.size());
        texto = FiltraNumero(texto, QStringLiteral("I+"));
        texto = (texto + QString(qMax(0, campo.tamanho), Preenchimento)).left(campo.tamanho);
        texto = formatacao::formataTexto(texto, campo.mascaraNormalizada);
        const int corte = PosicaoTexto(texto, QString(Preenchimento));
        if (corte > 0)
            texto = texto.left(corte - 1);
        // Mask literals after the last typed digit disappear.
        while (!texto.isEmpty() && !texto.back().isDigit())
            texto.chop(1);
    }

    int devolve()
    {
        if (campo.mascaraNormalizada.isEmpty())
            return tecla;
        controle.setText(texto);
        if (tamanhoAnterior != texto.size())
            ++posicao;
        if (campo.tipo != QLatin1String("CH"))
            controle.setSelStart(posicao + 1);
        return tecla;
    }

    int inteiro(bool aceitaSinal)
    {
        if (tecla <= UltimaTeclaDeControle) {
            reformataInteiro();
            return devolve();
        }
        if (!ehDigito(tecla) && !(aceitaSinal && ehSinal(tecla)))
            return 0;
        if (ehSinal(tecla) && restante > 0)
            return 0; // a sign only goes into an otherwise empty box
        if (dianteDoSinal())
            return 0;
        if (restante == limiteNumerico())
            return campoCheio(modo);
        if (campo.mascaraNormalizada.isEmpty())
            return tecla;
        insere();
        reformataInteiro();
        return devolve();
    }

    int decimal(bool aceitaSinal)
    {
        if (tecla <= UltimaTeclaDeControle) {
            reformataDecimal();
            return devolve();
        }
        if (!ehDigito(tecla) && tecla != ',' && tecla != '.' && !(aceitaSinal && ehSinal(tecla)))
            return 0;
        // The key typed as either symbol stands for the workstation's separator.
        if (tecla == ',' || tecla == '.')
            tecla = separador.unicode();
        if (ehSinal(tecla) && restante > 0)
            return 0;
        if (dianteDoSinal())
            return 0;
        if (tecla == separador.unicode()) {
            if (restante == 0) {
                // An empty box takes a "0" first; the separator follows as a key of its own.
                toolkit::enviaTeclas(QString(separador));
                return '0';
            }
            if (texto.contains(separador))
                return 0; // one separator only
        }
        if (restante == limiteNumerico())
            return campoCheio(modo);
        if (campo.mascaraNormalizada.isEmpty())
            return tecla;
        insere();
        reformataDecimal();
        return devolve();
    }

    int digitos()
    {
        if (tecla <= UltimaTeclaDeControle) {
            reformataDigitos();
            return devolve();
        }
        if (!ehDigito(tecla))
            return 0;
        if (restante == campo.tamanhoCampo)
            return campoCheio(modo);
        if (campo.mascaraNormalizada.isEmpty())
            return tecla;
        insere();
        reformataDigitos();
        return devolve();
    }

    int textoLivre()
    {
        if (tecla > UltimaTeclaDeControle && restante == campo.tamanhoCampo)
            return campoCheio(modo);
        return devolve();
    }
};
} // namespace

QString mensagemCampoCheio()
{
    return QStringLiteral("Numero de caracteres digitado excede o permitido!");
}

int FormataTecla(Controle &controle, int tecla, const QVariant &modo)
{
    if (controle.ehCombo()) {
        if (tecla == Enter)
            LocalizaCombo(controle);
        return tecla;
    }
    if (tecla == Backspace)
        return Backspace;

    const QString descritor = RetornaTag(QStringLiteral("C"), controle);
    if (descritor.isEmpty())
        return tecla;

    const int tipoDecimal = RetornaConfigWin();
    const int modoCheio = modoDoArgumento(modo);
    const DescritorCampo campo = leDescritor(descritor);

    const QString texto = controle.Text();
    const int posicao = controle.SelStart();
    const int selecao = controle.SelLength();
    const int restante = int(texto.size()) - selecao;
    Digitacao f{controle, tecla, modoCheio, campo, separadorDoTipo(tipoDecimal),
                 texto, posicao, selecao, restante, restante};

    const QString &tipo = campo.tipo;
    if (tipo == QLatin1String("DT"))
        return DigitaData(controle, tecla);
    if (tipo == QLatin1String("IN"))
        return f.inteiro(true);
    if (tipo == QLatin1String("I+") || tipo == QLatin1String("I-"))
        return f.inteiro(false);
    if (tipo == QLatin1String("NU"))
        return f.decimal(true);
    if (tipo == QLatin1String("N+") || tipo == QLatin1String("N-"))
        return f.decimal(false);
    if (tipo == QLatin1String("CM"))
        return f.digitos();
    if (tipo == QLatin1String("CH"))
        return f.textoLivre();
    return tecla;
}
