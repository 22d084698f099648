#include "cenas.h"

#include "culturas.h"
#include "desenho.h"
#include "figuras.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>
#include <cmath>
#include <map>

namespace gerador {
namespace {

const QColor kVerdeEscuro(27, 94, 32);
const QColor kMadeira(161, 110, 62);

void tabua(QPainter& p, const QRectF& r, std::uint32_t semente) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kMadeira.lighter(112));
    g.setColorAt(1, kMadeira.darker(108));
    p.setPen(contorno(kMadeira, 1.5));
    p.setBrush(g);
    p.drawRoundedRect(r, 5, 5);
    Sorteio s(semente);
    p.setPen(QPen(kMadeira.darker(125), 1.0));
    for (int k = 0; k < int(r.height() / 9); ++k) {
        const double y = r.top() + 5 + k * 9 + s.real(-1.5, 1.5);
        p.drawLine(QPointF(r.left() + 6, y), QPointF(r.right() - 6 - s.real(0, 30), y));
    }
}

void morros(QPainter& p, double w, double base, double altura) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(139, 195, 74));
    QPainterPath m1;
    m1.moveTo(0, base);
    m1.cubicTo(w * 0.2, base - altura, w * 0.4, base - altura * 0.4, w * 0.6, base - altura * 0.7);
    m1.cubicTo(w * 0.75, base - altura * 0.9, w * 0.9, base - altura * 0.5, w, base - altura * 0.6);
    m1.lineTo(w, base + 10);
    m1.lineTo(0, base + 10);
    p.drawPath(m1);
    p.setBrush(QColor(104, 159, 56));
    QPainterPath m2;
    m2.moveTo(0, base - altura * 0.3);
    m2.cubicTo(w * 0.25, base - altura * 0.1, w * 0.5, base - altura * 0.55, w, base - altura * 0.2);
    m2.lineTo(w, base + 10);
    m2.lineTo(0, base + 10);
    p.drawPath(m2);
}

void casinha(QPainter& p, QPointF b, double e) {
    p.setPen(contorno(QColor(255, 248, 225), 1.5 * e));
    p.setBrush(QColor(255, 248, 225));
    p.drawRect(QRectF(b.x(), b.y() - 60 * e, 90 * e, 60 * e));
    QPolygonF telhado;
    telhado << QPointF(b.x() - 10 * e, b.y() - 58 * e) << QPointF(b.x() + 45 * e, b.y() - 98 * e)
            << QPointF(b.x() + 100 * e, b.y() - 58 * e);
    p.setPen(contorno(QColor(198, 40, 40), 1.5 * e));
    p.setBrush(QColor(198, 40, 40));
    p.drawPolygon(telhado);
    p.setPen(contorno(QColor(121, 85, 72), 1.2 * e));
    p.setBrush(QColor(121, 85, 72));
    p.drawRect(QRectF(b.x() + 36 * e, b.y() - 34 * e, 18 * e, 34 * e));
    p.setBrush(QColor(129, 212, 250));
    p.drawRect(QRectF(b.x() + 10 * e, b.y() - 44 * e, 18 * e, 16 * e));
    p.drawRect(QRectF(b.x() + 62 * e, b.y() - 44 * e, 18 * e, 16 * e));
}

void cerca(QPainter& p, double x0, double x1, double base, double altura) {
    p.setPen(contorno(QColor(250, 250, 245), 1.0));
    p.setBrush(QColor(250, 250, 245));
    for (double x = x0; x < x1; x += 16)
        p.drawRect(QRectF(x, base - altura, 8, altura));
    p.drawRect(QRectF(x0, base - altura * 0.75, x1 - x0, 5));
    p.drawRect(QRectF(x0, base - altura * 0.35, x1 - x0, 5));
}

void canteirosAoLonge(QPainter& p, const QRectF& r) {
    const char* fila[] = {"alf", "rep", "tom", "cen", "bro", "alf", "pim", "rep", "cou", "alf"};
    const int filas = 3;
    for (int f = 0; f < filas; ++f) {
        const double y = r.top() + f * r.height() / filas;
        const double h = r.height() / filas - 6;
        p.setPen(contorno(QColor(125, 84, 52), 1.2));
        p.setBrush(QColor(125, 84, 52));
        p.drawRoundedRect(QRectF(r.left(), y + h * 0.45, r.width(), h * 0.55), 6, 6);
        const int n = int(r.width() / (h * 0.9));
        for (int k = 0; k < n; ++k)
            culturas::desenha(p, QRectF(r.left() + 4 + k * (r.width() - 8) / n, y, h * 0.85, h * 0.85),
                              fila[(k + f * 3) % 10]);
    }
}

// Main menu and help window: the family's farm with its garden.
void fundoMenu(QPainter& p, double w, double h) {
    ceu(p, QRectF(0, 0, w, h), QColor(100, 181, 246), QColor(225, 245, 254));
    sol(p, QPointF(w * 0.88, h * 0.1), h * 0.05);
    nuvem(p, QPointF(w * 0.2, h * 0.1), 1.4);
    nuvem(p, QPointF(w * 0.55, h * 0.07), 1.0);
    morros(p, w, h * 0.5, h * 0.18);
    grama(p, QRectF(0, h * 0.5, w, h * 0.5), 77);
    casinha(p, QPointF(w * 0.06, h * 0.52), 1.3);
    cerca(p, 0, w, h * 0.6, 26);
    canteirosAoLonge(p, QRectF(w * 0.3, h * 0.62, w * 0.64, h * 0.3));
    // A winding path in the foreground.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 185, 135));
    QPainterPath trilha;
    trilha.moveTo(w * 0.12, h);
    trilha.cubicTo(w * 0.18, h * 0.85, w * 0.08, h * 0.75, w * 0.2, h * 0.62);
    trilha.lineTo(w * 0.24, h * 0.62);
    trilha.cubicTo(w * 0.14, h * 0.76, w * 0.26, h * 0.86, w * 0.22, h);
    p.drawPath(trilha);
}

void fundoIntro(QPainter& p, double w, double h) {
    ceu(p, QRectF(0, 0, w, h), QColor(255, 248, 225), QColor(255, 236, 179));
    p.setPen(QPen(kVerdeEscuro, 4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3, 3, w - 6, h - 6), 14, 14);
    texto(p, QRectF(10, h * 0.08, w - 20, h * 0.42), "Brotalia", h * 0.36, QColor(46, 125, 50), true);
    texto(p, QRectF(10, h * 0.46, w - 20, h * 0.16), QString::fromUtf8("a horta da família"), h * 0.12,
          QColor(121, 85, 72), true);
    const char* fila[] = {"cen", "tom", "alf", "bgl", "rep", "pim", "rab"};
    const double lado = std::min((w - 30) / 7.0, h * 0.3);
    for (int k = 0; k < 7; ++k)
        culturas::desenha(p, QRectF(15 + k * (w - 30) / 7.0, h * 0.64, lado, lado), fila[k]);
}

// Garden screen: grass, fence, the shelf of the palette, the grid's frame and
// the board of the care buttons.
void fundoHorta(QPainter& p, double w, double h) {
    ceu(p, QRectF(0, 0, w, h * 0.12), QColor(144, 202, 249), QColor(200, 230, 255));
    grama(p, QRectF(0, h * 0.08, w, h), 23);
    cerca(p, 0, w, h * 0.13, 30);
    // Palette shelves (two rows of crop icons).
    tabua(p, QRectF(146, 32, 516, 48), 1);
    tabua(p, QRectF(146, 80, 516, 48), 2);
    // Frame of the grid at (200, 164), 419 x 419.
    p.setPen(contorno(QColor(93, 64, 55), 2));
    p.setBrush(QColor(93, 64, 55));
    p.drawRoundedRect(QRectF(190, 154, 439, 439), 8, 8);
    p.setBrush(QColor(161, 110, 62));
    p.drawRoundedRect(QRectF(194, 158, 431, 431), 6, 6);
    // Column of the care buttons at the right and of the pictures at the left.
    tabua(p, QRectF(702, 28, 92, 562), 3);
    tabua(p, QRectF(6, 150, 104, 440), 4);
    // A few flowers in the grass.
    Sorteio s(5);
    for (int k = 0; k < 18; ++k) {
        const QPointF c(s.real(120, 180), s.real(170, 590));
        p.setPen(Qt::NoPen);
        p.setBrush(k % 3 ? QColor(255, 235, 59) : QColor(244, 143, 177));
        for (int q = 0; q < 5; ++q) {
            const double a = q * 2 * M_PI / 5;
            p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * 3, 2.2, 2.2);
        }
        p.setBrush(QColor(255, 152, 0));
        p.drawEllipse(c, 1.6, 1.6);
    }
}

// Seedbed screen: a greenhouse bench with the two rows of eleven lots.
void fundoSementeira(QPainter& p, double w, double h) {
    ceu(p, QRectF(0, 0, w, h), QColor(232, 245, 233), QColor(200, 230, 201));
    // Greenhouse frame.
    p.setPen(QPen(QColor(255, 255, 255, 160), 6));
    for (double x = 0; x < w; x += 132)
        p.drawLine(QPointF(x, 0), QPointF(x, h));
    p.drawLine(QPointF(0, 150), QPointF(w, 150));
    tabua(p, QRectF(146, 52, 520, 46), 6);
    tabua(p, QRectF(146, 104, 520, 46), 7);
    // The bench and the soil strips behind each row of lots.
    tabua(p, QRectF(118, 232, 560, 326), 8);
    for (int f = 0; f < 2; ++f) {
        const double y = 246 + f * 152;
        solo(p, QRectF(156, y, 500, 140), 40 + f, false);
        p.setPen(QPen(QColor(93, 64, 55), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(156, y, 500, 140));
        // Light frames where each lot and its growth picture sit.
        for (int c = 0; c < 11; ++c) {
            p.setPen(QPen(QColor(255, 236, 179, 120), 1.2));
            p.drawRoundedRect(QRectF(164 + 44 * c, y + 6, 43, 132), 3, 3);
        }
    }
    tabua(p, QRectF(702, 40, 92, 520), 9);
    tabua(p, QRectF(6, 6, 100, 580), 10);
    // A dark board behind the "Tempos" label (at 14, 402, 76 x 23): its
    // light lilac letters do not read on the light wood.
    p.setPen(QPen(kMadeira.darker(160), 1.5));
    p.setBrush(QColor(52, 33, 28));
    p.drawRoundedRect(QRectF(9, 397, 86, 33), 4, 4);
}

// Agenda, options, memory game and ranking: a notebook page.
void fundoAgenda(QPainter& p, double w, double h) {
    ceu(p, QRectF(0, 0, w, h), QColor(255, 253, 240), QColor(255, 248, 225));
    p.setPen(QPen(QColor(187, 222, 251), 1.0));
    for (double y = 40; y < h; y += 24)
        p.drawLine(QPointF(0, y), QPointF(w, y));
    p.setPen(QPen(QColor(239, 154, 154), 2.0));
    p.drawLine(QPointF(112, 0), QPointF(112, h));
    // A narrow green margin: the screens on this paper put labels from its
    // tenth pixel on ("Retornar", "Zerar"), which must stand on the paper.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(67, 160, 71));
    p.drawRect(QRectF(0, 0, 8, h));
    // Leaves in the bottom right corner, the one place every screen on this
    // paper leaves free: the top right holds the agenda's last caption
    // ("Limpeza"), which a leaf there covered. The third lies low along the
    // bottom edge, below the agenda's lists.
    folha(p, QPointF(w - 10, h - 10), QPointF(w - 70, h - 50), 14, QColor(129, 199, 132), 1.5, true);
    folha(p, QPointF(w - 10, h - 10), QPointF(w - 40, h - 90), 12, QColor(102, 187, 106), 1.5, true);
    folha(p, QPointF(w - 12, h - 7), QPointF(w - 110, h - 14), 8, QColor(129, 199, 132), 1.5, true);
}

void fundoPapel(QPainter& p, double w, double h) {
    ceu(p, QRectF(0, 0, w, h), QColor(255, 253, 245), QColor(252, 248, 235));
    Sorteio s(99);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < int(w * h / 150); ++k) {
        p.setBrush(QColor(230, 220, 195, 60));
        p.drawEllipse(QPointF(s.real(0, w), s.real(0, h)), s.real(0.4, 1.4), s.real(0.3, 0.8));
    }
}

// The market: signs to the garden and to the exit at the top, the striped
// awning, and the stall with a heap of each vegetable above its name plate.
void fundoFeira(QPainter& p, double w, double h) {
    ceu(p, QRectF(0, 0, w, h), QColor(129, 212, 250), QColor(225, 245, 254));
    nuvem(p, QPointF(360, 40), 1.0);
    // Exit sign at (154, 38) and garden sign at (516, 40), 72 x 31 each.
    auto placa = [&](const QRectF& r, const QString& s, const QColor& cor, bool paraDireita) {
        p.setPen(QPen(QColor(121, 85, 72), 5));
        p.drawLine(QPointF(r.center().x(), r.bottom()), QPointF(r.center().x(), r.bottom() + 40));
        QPolygonF seta;
        const double ponta = 12;
        if (paraDireita)
            seta << r.topLeft() << QPointF(r.right() - ponta, r.top()) << QPointF(r.right() + 4, r.center().y())
                 << QPointF(r.right() - ponta, r.bottom()) << r.bottomLeft();
        else
            seta << QPointF(r.left() + ponta, r.top()) << r.topRight() << r.bottomRight()
                 << QPointF(r.left() + ponta, r.bottom()) << QPointF(r.left() - 4, r.center().y());
        p.setPen(contorno(cor, 2));
        p.setBrush(cor);
        p.drawPolygon(seta);
        texto(p, r.adjusted(paraDireita ? 4 : 12, 2, paraDireita ? -12 : -4, -2), s, 17, Qt::white, true);
    };
    // Behind the garden sign: a glimpse of the garden.
    morros(p, w, 96, 30);
    // Past the garden sign, the garden: rows of young plants on the hill.
    grama(p, QRectF(596, 58, 183, 40), 3);
    for (int f = 0; f < 3; ++f) {
        const double y = 64 + f * 9;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(125, 84, 52));
        p.drawRoundedRect(QRectF(604 + f * 6, y, 168 - f * 6, 6), 3, 3);
        p.setBrush(f % 2 ? QColor(56, 142, 60) : QColor(104, 159, 56));
        for (double x = 610 + f * 6; x < 768; x += 11)
            p.drawEllipse(QPointF(x, y + 1), 4, 3.2);
    }
    placa(QRectF(154, 38, 72, 31), QString::fromUtf8("Saída"), QColor(198, 40, 40), false);
    placa(QRectF(516, 40, 72, 31), "Horta", QColor(46, 125, 50), true);
    // Awning.
    const double toldo = 112;
    for (int k = 0; k < 14; ++k) {
        const double x = k * w / 14;
        p.setPen(Qt::NoPen);
        p.setBrush(k % 2 ? QColor(255, 255, 255) : QColor(229, 57, 53));
        p.drawRect(QRectF(x, toldo - 24, w / 14 + 1, 24));
        p.drawChord(QRectF(x, toldo - 12, w / 14, 22), 180 * 16, 180 * 16);
    }
    // The stall: wooden back and counters.
    tabua(p, QRectF(0, toldo + 6, w, h - toldo - 6), 12);
    p.setPen(QPen(QColor(110, 70, 35), 3));
    for (double y : {200.0, 300.0, 400.0, 500.0})
        p.drawLine(QPointF(0, y), QPointF(w, y));
    // Heaps above each plate (plate rectangles in pixels of this picture).
    struct Pilha {
        const char* sigla;
        double x, y, largura;
    } pilhas[] = {{"cou", 254, 178, 41},  {"nab", 357, 155, 35},  {"vgm", 458, 176, 42},  {"chi", 166, 142, 51},
                  {"che", 222, 238, 48},  {"pep", 584, 202, 46},  {"bro", 178, 300, 67},  {"qui", 99, 202, 46},
                  {"rab", 18, 260, 65},   {"ruc", 500, 255, 49},  {"bgl", 530, 312, 73},  {"esp", 302, 355, 82},
                  {"flo", 410, 412, 94},  {"rep", 576, 391, 70},  {"por", 692, 300, 70},  {"agr", 640, 244, 50},
                  {"bet", 126, 382, 77},  {"alf", 74, 492, 69},   {"tom", 274, 488, 85},  {"pim", 430, 512, 101},
                  {"cen", 644, 480, 87}};
    for (const auto& pl : pilhas) {
        const double lado = std::clamp(pl.largura * 0.95, 40.0, 62.0);
        const double cx = pl.x + pl.largura / 2;
        // Crate.
        p.setPen(contorno(QColor(188, 143, 90), 1.2));
        p.setBrush(QColor(205, 160, 105));
        p.drawRect(QRectF(cx - lado * 0.75, pl.y - 12, lado * 1.5, 12));
        culturas::desenha(p, QRectF(cx - lado * 0.95, pl.y - lado - 2, lado, lado), pl.sigla);
        culturas::desenha(p, QRectF(cx - lado * 0.05, pl.y - lado - 4, lado, lado), pl.sigla);
        culturas::desenha(p, QRectF(cx - lado * 0.5, pl.y - lado * 0.8, lado * 0.9, lado * 0.9), pl.sigla);
    }
    // The chalkboard that shows the garden's area (the total and "leitos").
    p.setPen(contorno(QColor(121, 85, 72), 3));
    p.setBrush(QColor(121, 85, 72));
    p.drawRoundedRect(QRectF(384, 246, 68, 50), 4, 4);
    p.setBrush(QColor(46, 74, 56));
    p.drawRect(QRectF(388, 250, 60, 42));
}

// The garden seen from above: 10 x 10 beds of soil every 42 pixels.
void grade(QPainter& p, double w, double h) {
    grama(p, QRectF(0, 0, w, h), 57);
    for (int i = 0; i < 100; ++i) {
        const int lin = i / 10, col = i % 10;
        const QRectF cel(col * 42 + 1, lin * 42 + 1, 39, 40);
        solo(p, cel, 200 + i, true);
        p.setPen(QPen(QColor(90, 60, 38), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cel);
        const QString rotulo = QString(QChar('A' + lin)) + QString::number(col + 1);
        texto(p, cel.adjusted(2, 2, -2, -2), rotulo, 12, QColor(255, 236, 200, 170), true);
    }
}

struct Aviso {
    const char* titulo;
    const char* texto;
};

const std::map<QString, Aviso>& avisos() {
    static const std::map<QString, Aviso> m = {
        {"novasema", {"Nova Semana", "As verduras cresceram. Veja na agenda o que há para fazer na horta e na sementeira."}},
        {"noaca", {"Pendências", "Ainda há trabalho nesta semana: plantar, semear ou cuidar dos canteiros. Não deixe a horta esperando!"}},
        {"parah", {"Parabéns", "Todo o trabalho da horta desta semana está feito. As verduras agradecem!"}},
        {"paras", {"Parabéns", "Todo o trabalho da sementeira desta semana está feito. As mudinhas vão crescer fortes!"}},
        {"help1b", {"Vaso ou Canteiro", "Sem quintal? Plante em vasos e floreiras. Com quintal, faça canteiros de um metro de largura."}},
        {"help111", {"Requisitos", "A horta precisa de sol pelo menos cinco horas por dia, de água por perto e de terra fofa e rica."}},
        {"helpauto", {"Auto Abastecimento", "Plante um pouco de cada vez, semana após semana, para ter verduras frescas na mesa o ano todo."}},
        {"helpfeir", {"Escolher Verduras", "Na feira, clique nas placas para escolher quantos canteiros de cada verdura a família quer."}},
        {"help4", {"Plantar as Verduras", "Arraste a verdura da prateleira até um canteiro vago da horta para plantar."}},
        {"help5", {"Sementeira", "Algumas verduras nascem primeiro na sementeira. Quando as mudas ficam prontas, vão para a horta."}},
        {"help6", {"Tempo Real e Previsão", "O globo mostra como estará a horta na semana seguinte. O calendário volta para a semana de hoje."}},
        {"help7", {"Quais Atividades", "Limpar, desbastar, amontoar e colher: os botões coloridos mostram o trabalho desta semana."}},
        {"help8", {"Confirmar", "Escolha a atividade e clique nos quadradinhos coloridos dos canteiros para marcar o trabalho feito."}},
        {"help9", {"Vaso ou Canteiro", "No canteiro, deixe caminhos entre as leiras. No vaso, use terra boa e furos no fundo para a água sair."}},
        {"help10", {"Help", "Clique no ponto de interrogação para ler a ajuda sobre as verduras e os trabalhos da horta."}},
        {"help101", {"Pergunte que o Hortelão responde", "Tem dúvida? Abra a ajuda: o hortelão explica cada verdura e cada atividade."}},
    };
    return m;
}

void estrela(QPainter& p, QPointF c, double r, const QColor& cor) {
    QPolygonF e;
    for (int k = 0; k < 10; ++k) {
        const double a = -M_PI / 2 + k * M_PI / 5;
        const double rr = k % 2 ? r * 0.45 : r;
        e << c + QPointF(std::cos(a), std::sin(a)) * rr;
    }
    p.setPen(contorno(cor, 1.2));
    p.setBrush(cor);
    p.drawPolygon(e);
}

void seta(QPainter& p, QPointF a, QPointF b, const QColor& cor) {
    p.setPen(QPen(cor, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    d /= len;
    const QPointF n(-d.y(), d.x());
    QPolygonF ponta;
    ponta << b + d * 10 << b + n * 9 << b - n * 9;
    p.setPen(Qt::NoPen);
    p.setBrush(cor);
    p.drawPolygon(ponta);
}

// The picture on the left of each notice.
void ilustracao(QPainter& p, const QString& nome, const QRectF& r) {
    const QPointF c = r.center();
    if (nome == "novasema") {
        figuras::folhinha(p, QRectF(r.left() + 6, r.top() + 8, 130, 106), 1);
        seta(p, QPointF(r.left() + 20, r.bottom() - 36), QPointF(r.left() + 100, r.bottom() - 36), QColor(46, 125, 50));
        culturas::desenha(p, QRectF(r.right() - 92, r.bottom() - 96, 84, 84), "alf");
        for (int k = 0; k < 3; ++k)
            muda(p, QPointF(r.right() - 80 + k * 26, r.top() + 70), 12 + k * 10, 1.6);
    } else if (nome == "noaca") {
        figuras::hortelao(p, QPointF(r.left() + 60, r.bottom() - 6), 180);
        solo(p, QRectF(r.left() + 110, r.bottom() - 50, 100, 44), 3, true);
        for (int k = 0; k < 4; ++k)
            mato(p, QPointF(r.left() + 122 + k * 24, r.bottom() - 46), 2.0, (k - 1.5) * 8);
        p.setPen(QPen(QColor(229, 57, 53), 8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(r.right() - 34, r.top() + 20), QPointF(r.right() - 34, r.top() + 70));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(229, 57, 53));
        p.drawEllipse(QPointF(r.right() - 34, r.top() + 90), 6, 6);
    } else if (nome == "parah" || nome == "paras") {
        if (nome == "parah") {
            solo(p, QRectF(r.left() + 10, r.bottom() - 60, r.width() - 20, 50), 9, true);
            const char* fila[] = {"alf", "rep", "tom", "cen"};
            for (int k = 0; k < 4; ++k)
                culturas::desenha(p, QRectF(r.left() + 12 + k * 50, r.bottom() - 110, 56, 56), fila[k]);
        } else {
            bandeja(p, QRectF(r.left() + 14, r.bottom() - 50, r.width() - 28, 30), 6);
            for (int k = 0; k < 6; ++k)
                muda(p, QPointF(r.left() + 30 + k * (r.width() - 28) / 6, r.bottom() - 46), 40, 2.0);
        }
        estrela(p, QPointF(r.left() + 40, r.top() + 36), 20, QColor(255, 193, 7));
        estrela(p, QPointF(c.x() + 10, r.top() + 22), 14, QColor(255, 213, 79));
        estrela(p, QPointF(r.right() - 36, r.top() + 44), 18, QColor(255, 193, 7));
    } else if (nome == "help1b" || nome == "help9") {
        // A pot and a garden bed side by side.
        QPolygonF vaso;
        vaso << QPointF(r.left() + 20, r.top() + 110) << QPointF(r.left() + 100, r.top() + 110)
             << QPointF(r.left() + 88, r.bottom() - 10) << QPointF(r.left() + 32, r.bottom() - 10);
        culturas::desenha(p, QRectF(r.left() + 20, r.top() + 40, 80, 80), "che");
        p.setPen(contorno(QColor(216, 112, 72), 2));
        p.setBrush(QColor(216, 112, 72));
        p.drawPolygon(vaso);
        p.drawRoundedRect(QRectF(r.left() + 14, r.top() + 104, 92, 14), 3, 3);
        solo(p, QRectF(r.left() + 116, r.bottom() - 50, 100, 40), 4, true);
        culturas::desenha(p, QRectF(r.left() + 118, r.bottom() - 96, 50, 50), "alf");
        culturas::desenha(p, QRectF(r.left() + 164, r.bottom() - 96, 50, 50), "alf");
        if (nome == "help9")
            seta(p, QPointF(r.left() + 116, r.bottom() - 4), QPointF(r.left() + 206, r.bottom() - 4), QColor(21, 101, 192));
    } else if (nome == "help111") {
        sol(p, QPointF(r.left() + 50, r.top() + 50), 26);
        culturas::desenha(p, QRectF(r.left() + 110, r.top() + 30, 100, 100), "reg");
        solo(p, QRectF(r.left() + 20, r.bottom() - 50, r.width() - 40, 40), 8, true);
        muda(p, QPointF(c.x(), r.bottom() - 48), 30, 2.0);
    } else if (nome == "helpauto") {
        cesta(p, QRectF(r.left() + 20, r.top() + 40, 130, 120), 9);
        figuras::folhinha(p, QRectF(r.right() - 80, r.top() + 20, 74, 60), 4);
    } else if (nome == "helpfeir") {
        const char* nomes[] = {"alface", "tomate", "cenoura"};
        const char* siglas[] = {"alf", "tom", "cen"};
        for (int k = 0; k < 3; ++k) {
            const QRectF pr(r.left() + 10 + k * 72, r.top() + 100, 66, 22);
            culturas::desenha(p, QRectF(pr.left() + 4, pr.top() - 64, 60, 60), siglas[k]);
            p.setPen(contorno(QColor(198, 40, 40), 1.5));
            p.setBrush(QColor(198, 40, 40));
            p.drawRoundedRect(pr, 4, 4);
            texto(p, pr.adjusted(3, 1, -3, -1), nomes[k], 14, Qt::white, true);
            texto(p, QRectF(pr.left(), pr.bottom() + 4, pr.width(), 20), QString("%1 x").arg(k + 1), 14,
                  QColor(30, 30, 30), true);
        }
    } else if (nome == "help4") {
        for (int k = 0; k < 9; ++k)
            solo(p, QRectF(r.left() + 100 + (k % 3) * 40, r.top() + 110 + (k / 3) * 40, 38, 38), 300 + k, true);
        culturas::desenha(p, QRectF(r.left() + 10, r.top() + 10, 64, 64), "tom");
        seta(p, QPointF(r.left() + 76, r.top() + 60), QPointF(r.left() + 128, r.top() + 112), QColor(21, 101, 192));
        mao(p, QPointF(r.left() - 10, r.top() + 140), QPointF(r.left() + 40, r.top() + 74), 1.6, true);
    } else if (nome == "help5") {
        bandeja(p, QRectF(r.left() + 6, r.top() + 120, 90, 26), 4);
        for (int k = 0; k < 4; ++k)
            muda(p, QPointF(r.left() + 17 + k * 22.5, r.top() + 124), 28, 1.6);
        seta(p, QPointF(r.left() + 100, r.top() + 120), QPointF(r.left() + 150, r.top() + 120), QColor(46, 125, 50));
        solo(p, QRectF(r.left() + 156, r.top() + 130, 70, 40), 6, true);
        muda(p, QPointF(r.left() + 190, r.top() + 132), 40, 2.0);
    } else if (nome == "help6") {
        figuras::globo(p, QPointF(r.left() + 64, r.top() + 80), 46, 30, true);
        figuras::folhinha(p, QRectF(r.left() + 130, r.top() + 60, 96, 80), 2);
    } else if (nome == "help7") {
        struct B {
            QColor cor;
            const char* rotulo;
        } bs[] = {{QColor(255, 255, 192), "Limpar"}, {QColor(255, 255, 0), "Desbastar"},
                  {QColor(128, 64, 64), "Amontoar"}, {QColor(255, 0, 255), "ColherParte"},
                  {QColor(0, 192, 0), "ColherTotal"}};
        for (int k = 0; k < 5; ++k) {
            const QRectF br(r.left() + 20, r.top() + 10 + k * 38, 190, 32);
            p.setPen(contorno(bs[k].cor, 1.5));
            p.setBrush(bs[k].cor);
            p.drawRoundedRect(br, 6, 6);
            texto(p, br.adjusted(6, 2, -6, -2), bs[k].rotulo, 18, k == 2 ? Qt::white : QColor(30, 30, 30), true);
        }
    } else if (nome == "help8") {
        solo(p, QRectF(r.left() + 30, r.top() + 40, 120, 120), 10, true);
        culturas::desenha(p, QRectF(r.left() + 36, r.top() + 46, 108, 108), "alf");
        p.setPen(contorno(QColor(255, 255, 0), 1.5));
        p.setBrush(QColor(255, 255, 0));
        p.drawRect(QRectF(r.left() + 34, r.top() + 44, 36, 24));
        texto(p, QRectF(r.left() + 34, r.top() + 44, 36, 24), "ok", 16, QColor(30, 30, 30), true);
        mao(p, QPointF(r.right() + 10, r.bottom() - 20), QPointF(r.left() + 74, r.top() + 62), 1.6, false);
    } else if (nome == "help10") {
        figuras::interrogacao(p, QRectF(c.x() - 60, r.top() + 10, 120, 166), 6, -5);
    } else if (nome == "help101") {
        figuras::hortelao(p, QPointF(r.left() + 70, r.bottom() - 6), 180);
        p.setPen(contorno(QColor(255, 255, 255), 2));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(r.right() - 60, r.top() + 50), 56, 36);
        QPolygonF rabo;
        rabo << QPointF(r.right() - 96, r.top() + 74) << QPointF(r.right() - 120, r.top() + 100)
             << QPointF(r.right() - 80, r.top() + 80);
        p.drawPolygon(rabo);
        texto(p, QRectF(r.right() - 110, r.top() + 22, 100, 56), "?", 48, QColor(21, 101, 192), true);
    }
}

void aviso(QPainter& p, double w, double h, const QString& nome) {
    const auto it = avisos().find(nome);
    if (it == avisos().end())
        return;
    ceu(p, QRectF(0, 0, w, h), QColor(241, 248, 233), QColor(220, 237, 200));
    p.setPen(QPen(QColor(104, 159, 56), 6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4, 4, w - 8, h - 8), 16, 16);
    const QRectF quadroR(18, 18, 236, h - 36);
    p.setPen(QPen(QColor(200, 220, 180), 2));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(quadroR, 12, 12);
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(quadroR, 12, 12);
    p.setClipPath(clip);
    ilustracao(p, nome, quadroR.adjusted(4, 4, -4, -4));
    p.restore();
    const QRectF tituloR(272, 22, w - 290, 58);
    texto(p, tituloR, QString::fromUtf8(it->second.titulo), 40, QColor(46, 125, 50), true, Qt::AlignLeft | Qt::AlignVCenter,
          true);
    p.setPen(QPen(QColor(174, 213, 129), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(274, 86), QPointF(w - 24, 86));
    // The new week's notice leaves its first line to the game, which writes
    // there how many weeks passed.
    const double topo = nome == "novasema" ? 134 : 96;
    texto(p, QRectF(274, topo, w - 296, h - 20 - topo), QString::fromUtf8(it->second.texto), 24, QColor(50, 50, 50),
          false, Qt::AlignLeft | Qt::AlignTop, true);
}

// Memory cards: the back, and the faces 1 to 18.
void carta(QPainter& p, double w, double h, int n) {
    static const char* faces[] = {"alf", "tom", "cen", "bet", "pim", "bgl", "rep", "bro", "flo",
                                  "pep", "rab", "qui", "nab", "vgm", "por", "cou", "che", "reg"};
    static const QColor fundos[] = {QColor(255, 249, 196), QColor(225, 245, 254), QColor(252, 228, 236),
                                    QColor(232, 245, 233), QColor(243, 229, 245), QColor(255, 243, 224)};
    const QRectF r(0, 0, w, h);
    if (n <= 0) {
        ceu(p, r, QColor(56, 142, 60), QColor(27, 94, 32));
        p.setPen(QPen(QColor(255, 255, 255, 200), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 6, 6);
        for (int k = 0; k < 4; ++k) {
            const double a = k * 90 + 45;
            const double rad = qDegreesToRadians(a);
            folha(p, r.center(), r.center() + QPointF(std::cos(rad), std::sin(rad)) * w * 0.36, w * 0.08,
                  QColor(165, 214, 167), 1.0, true);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 235, 59));
        p.drawEllipse(r.center(), w * 0.08, w * 0.08);
        return;
    }
    ceu(p, r, fundos[(n - 1) % 6], fundos[(n - 1) % 6].darker(104));
    p.setPen(QPen(QColor(121, 85, 72), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
    culturas::desenha(p, r.adjusted(w * 0.08, h * 0.08, -w * 0.08, -h * 0.08), faces[(n - 1) % 18]);
}

void placa(QPainter& p, double w, double h, const QString& s) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(183, 28, 28));
    p.drawRect(QRectF(0, 0, w, h));
    p.setBrush(QColor(211, 47, 47));
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 2, 2);
    p.setPen(QPen(QColor(255, 255, 255, 170), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), 2, 2);
    texto(p, QRectF(2, 1, w - 4, h - 2), s, h * 0.72, Qt::white, true);
}

}  // namespace

bool pintaCena(QPainter& p, double w, double h, const QString& tipo, const QStringList& a) {
    const QString arg = a.isEmpty() ? QString() : a.join(':');
    if (tipo == "bg") {
        if (arg == "menu")
            fundoMenu(p, w, h);
        else if (arg == "intro")
            fundoIntro(p, w, h);
        else if (arg == "garden")
            fundoHorta(p, w, h);
        else if (arg == "seedbed")
            fundoSementeira(p, w, h);
        else if (arg == "agenda")
            fundoAgenda(p, w, h);
        else if (arg == "market")
            fundoFeira(p, w, h);
        else if (arg == "paper")
            fundoPapel(p, w, h);
        else
            return false;
        return true;
    }
    if (tipo == "grid") {
        grade(p, w, h);
        return true;
    }
    if (tipo == "notice") {
        if (avisos().find(arg) == avisos().end())
            return false;
        aviso(p, w, h, arg);
        return true;
    }
    if (tipo == "card") {
        carta(p, w, h, arg.toInt());
        return true;
    }
    if (tipo == "plate") {
        placa(p, w, h, arg);
        return true;
    }
    return false;
}

}  // namespace gerador
