#pragma once
#include <QIcon>
#include <QPixmap>

// Pictures of the notice window, drawn by the program: the exit door with an
// arrow pointing into it and the word "Sair" (82 x 31), and the window icon.
QPixmap imagemSair();
QIcon iconeJanela();
