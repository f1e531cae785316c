#pragma once
#include <QString>

class Controle;

// The content of the group "letter(...)" of a control's Tag, upper-cased; ""
// when the Tag has no such group or the group is not closed. The key letter is
// found whatever its case in the Tag.
QString RetornaTag(const QString &letra, const Controle &controle);

// The same, on a Tag text.
QString grupoDaTag(const QString &letra, const QString &tag);
