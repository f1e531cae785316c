#include "notice/Imagens.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {
const QColor Cinza(192, 192, 192);
const QColor Marrom(128, 64, 0);
const QColor Verde(0, 128, 0);

// A door frame, the door ajar and an arrow going in; drawn in a box of the
// given size with the 16-colour palette.
void desenhaPorta(QPainter &p, const QRect &caixa)
{
    const int x = caixa.x(), y = caixa.y(), w = caixa.width(), h = caixa.height();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    p.drawRect(x + w / 2, y, w / 2 - 1, h - 1);                 // the doorway
    p.setBrush(Marrom);
    const QPolygon folha({QPoint(x + w / 2, y), QPoint(x + w - 2, y + h / 8),
                          QPoint(x + w - 2, y + h - 1 - h / 8), QPoint(x + w / 2, y + h - 1)});
    p.drawPolygon(folha);                                       // the open leaf
    p.setBrush(Verde);
    p.setPen(QPen(Qt::black, 1));
    const int meio = y + h / 2;
    const QPolygon seta({QPoint(x, meio - 2), QPoint(x + w / 2 - 3, meio - 2), QPoint(x + w / 2 - 3, meio - 6),
                         QPoint(x + w / 2 + 4, meio), QPoint(x + w / 2 - 3, meio + 6),
                         QPoint(x + w / 2 - 3, meio + 2), QPoint(x, meio + 2)});
    p.drawPolygon(seta);                                        // the arrow into the door
}
} // namespace

QPixmap imagemSair()
{
    QPixmap imagem(82, 31);
    imagem.fill(Cinza);
    QPainter p(&imagem);
    desenhaPorta(p, QRect(4, 2, 28, 27));
    QFont fonte(QStringLiteral("MS Sans Serif"));
    fonte.setStyleHint(QFont::SansSerif);
    fonte.setBold(true);
    fonte.setPixelSize(16);
    p.setFont(fonte);
    p.setPen(Qt::black);
    p.drawText(QRect(36, 0, 46, 31), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Sair"));
    return imagem;
}

QIcon iconeJanela()
{
    QIcon icone;
    for (int lado : {16, 32}) {
        QPixmap imagem(lado, lado);
        imagem.fill(Qt::transparent);
        QPainter p(&imagem);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(255, 255, 128));
        p.setPen(QPen(Qt::black, lado / 16.0));
        p.drawEllipse(QRectF(0.5, 0.5, lado - 1.0, lado - 1.0)); // a clock face: the reminder
        p.drawLine(QPointF(lado / 2.0, lado / 2.0), QPointF(lado / 2.0, lado * 0.2));
        p.drawLine(QPointF(lado / 2.0, lado / 2.0), QPointF(lado * 0.75, lado / 2.0));
        icone.addPixmap(imagem);
    }
    return icone;
}
