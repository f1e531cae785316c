#pragma once
// Pieces shared by the fuzz targets: reading the fuzzer's bytes, and stopping on
// a broken property with the evidence (libFuzzer keeps the input as a crash).
#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace apoiofuzz {

[[noreturn]] inline void violacao(const char *propriedade, const QString &detalhe)
{
    std::fprintf(stderr, "\n*** propriedade violada: %s\n    %s\n", propriedade, qPrintable(detalhe));
    std::fflush(stderr);
    std::abort();
}

// Text from the input: UTF-8 when valid, otherwise byte by byte, so every byte
// value reaches the code under test.
inline QString texto(FuzzedDataProvider &dados, size_t maximo)
{
    const std::string bytes = dados.ConsumeRandomLengthString(maximo);
    const QByteArray b = QByteArray::fromStdString(bytes);
    const QString utf8 = QString::fromUtf8(b);
    if (utf8.toUtf8() == b)
        return utf8;
    return QString::fromLatin1(b);
}

// A text made of characters picked from an alphabet.
inline QString deAlfabeto(FuzzedDataProvider &dados, const QString &alfabeto, int maximo)
{
    const int n = dados.ConsumeIntegralInRange<int>(0, maximo);
    QString resultado;
    for (int i = 0; i < n && dados.remaining_bytes() > 0; ++i)
        resultado += alfabeto.at(dados.ConsumeIntegralInRange<int>(0, int(alfabeto.size()) - 1));
    return resultado;
}

inline QString mostra(const QString &t)
{
    QString r = QStringLiteral("\"");
    for (const QChar c : t) {
        if (c.unicode() < 32 || c.unicode() >= 127)
            r += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            r += c;
    }
    return r + QLatin1Char('"');
}

} // namespace apoiofuzz

#define PROPRIEDADE(condicao, detalhe)                                          \
    do {                                                                        \
        if (!(condicao))                                                        \
            apoiofuzz::violacao(#condicao, (detalhe));                          \
    } while (false)
