#pragma once
class QFont;

namespace toolkit {
// The designed windows' font: "MS Sans Serif" bold at the given size. Where
// that bitmap font is missing, the sans-serif fallback, which is wider, is
// shrunk so the texts fit the designed sizes.
QFont fonteDoSistema(double pontos);
// Starts reading the workstation's font list in the background, so that it is
// ready by the time the first window is built; building the window waits for
// it only if it is not ready yet.
void antecipaFontes();
} // namespace toolkit
