#pragma once

class Controle;

// Completes the text typed into an editable drop-down combo box: selects the
// first list item that begins with the typed text (upper-cased, blanks around
// it ignored); when none does, clears the selection and the text.
void LocalizaCombo(Controle &combo);
