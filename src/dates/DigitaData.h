#pragma once

class Controle;

// Takes a key typed into a date box: digits only, inserted by the routine itself
// and laid out in the workstation's short date format, with separators up to the
// last typed digit; once the date is complete, digits are refused. Enter and
// Backspace pass; every other key is refused. Returns the key to use (0 after
// the routine inserted the digit itself, which also sets tecla to 0).
int DigitaData(Controle &controle, int &tecla);
