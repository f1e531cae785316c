#pragma once
#include <QString>

// Numeric class of a type code.
enum ClasseNumerica {
    ClasseNaoNumerica = 0,
    ClasseDecimal = 1, // "NU", "N+", "N-"
    ClasseInteira = 2  // "IN", "I+", "I-"
};

// The field descriptor of a text box, read from the content of its "C" group:
// type code (positions 1-2), length (3-5, leading digits) and mask (6 on).
struct DescritorCampo {
    QString tipo;
    int tamanho = 0;
    QString mascara;        // as written in the Tag
    int tamanhoCampo = 0;   // length of the mask, or the 3-digit length without one
    int classe = ClasseNaoNumerica;
    QString mascaraNormalizada; // the mask the formatter applies
};

DescritorCampo leDescritor(const QString &conteudo);

int classeNumerica(const QString &tipo);

// Integers: every '0' but the last character becomes '#'. Decimals: a '0' before
// the '.' stays only when the '.' follows it. Other classes: the mask as written.
QString normalizaMascara(const QString &mascara, int classe);
