#pragma once
#include <QString>
#include <QVariant>

// 1-based position of a text inside another, 0 when absent or when the text
// searched for is empty.
// Without a third value: the second text is searched for in the first.
// With it: the first text is the start position, the second is searched in and
// the third is the text searched for. A start that is not a number raises the
// type-mismatch error; a start below 1 raises the invalid-argument error.
int PosicaoTexto(const QString &primeiro, const QString &segundo,
                 const QVariant &terceiro = QVariant());
