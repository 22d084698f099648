#include "figuras.h"

#include "culturas.h"
#include "desenho.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>
#include <cmath>

namespace gerador::figuras {
namespace {

const QColor kPele(241, 194, 150);
const QColor kCamisa(211, 47, 47);
const QColor kMacacao(48, 96, 170);
const QColor kBota(93, 64, 55);
const QColor kPalha(240, 200, 90);

void chapeu(QPainter& p, QPointF topoCabeca, double e) {
    p.setPen(contorno(kPalha, 1.0 * e));
    p.setBrush(kPalha);
    p.drawEllipse(topoCabeca + QPointF(0, 3 * e), 22 * e, 5 * e);
    p.drawRoundedRect(QRectF(topoCabeca.x() - 11 * e, topoCabeca.y() - 12 * e, 22 * e, 15 * e), 6 * e, 6 * e);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 60, 40));
    p.drawRect(QRectF(topoCabeca.x() - 11 * e, topoCabeca.y() - 1 * e, 22 * e, 3.5 * e));
    p.setPen(QPen(kPalha.darker(125), 0.7 * e));
    for (int i = -2; i <= 2; ++i)
        p.drawLine(topoCabeca + QPointF(i * 8 * e, 1 * e), topoCabeca + QPointF(i * 9.5 * e, 5.5 * e));
}

void cabeca(QPainter& p, QPointF c, double e, bool sorriso) {
    p.setPen(contorno(kPele, 1.0 * e));
    p.setBrush(kPele);
    p.drawEllipse(c + QPointF(-11 * e, 1 * e), 2.5 * e, 3.5 * e);
    p.drawEllipse(c + QPointF(11 * e, 1 * e), 2.5 * e, 3.5 * e);
    p.drawEllipse(c, 11 * e, 12 * e);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 150, 150, 140));
    p.drawEllipse(c + QPointF(-6.5 * e, 4 * e), 2.8 * e, 2 * e);
    p.drawEllipse(c + QPointF(6.5 * e, 4 * e), 2.8 * e, 2 * e);
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(c + QPointF(-4 * e, -1.5 * e), 1.5 * e, 2 * e);
    p.drawEllipse(c + QPointF(4 * e, -1.5 * e), 1.5 * e, 2 * e);
    p.setBrush(kPele.darker(115));
    p.drawEllipse(c + QPointF(0, 2.5 * e), 2.2 * e, 1.8 * e);
    // Moustache and smile.
    p.setBrush(QColor(110, 70, 40));
    p.drawEllipse(c + QPointF(-3 * e, 5.2 * e), 3.6 * e, 1.6 * e);
    p.drawEllipse(c + QPointF(3 * e, 5.2 * e), 3.6 * e, 1.6 * e);
    p.setPen(QPen(QColor(150, 60, 50), 1.1 * e, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    if (sorriso)
        p.drawArc(QRectF(c.x() - 4 * e, c.y() + 4 * e, 8 * e, 5 * e), 200 * 16, 140 * 16);
    else
        p.drawLine(c + QPointF(-3 * e, 8.5 * e), c + QPointF(3 * e, 8.5 * e));
}

void perna(QPainter& p, QPointF quadril, double angulo, double e) {
    const double r = qDegreesToRadians(angulo);
    const QPointF pe = quadril + QPointF(std::sin(r) * 28 * e, std::cos(r) * 28 * e);
    p.setPen(QPen(kMacacao.darker(130), 9.5 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(quadril, pe);
    p.setPen(QPen(kMacacao, 7.5 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(quadril, pe);
    p.setPen(contorno(kBota, 1.0 * e));
    p.setBrush(kBota);
    p.drawRoundedRect(QRectF(pe.x() - 5 * e, pe.y() - 3 * e, 12 * e, 7 * e), 3 * e, 3 * e);
}

void braco(QPainter& p, QPointF ombro, QPointF mao, double e) {
    p.setPen(QPen(kCamisa.darker(140), 7.5 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(ombro, mao);
    p.setPen(QPen(kCamisa, 5.8 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(ombro, mao);
    p.setPen(contorno(kPele, 0.8 * e));
    p.setBrush(kPele);
    p.drawEllipse(mao, 3.6 * e, 3.6 * e);
}

}  // namespace

void hortelao(QPainter& p, QPointF pes, double altura, const Pose& pose) {
    const double e = altura / 100.0;
    auto at = [&](double x, double y) { return pes + QPointF(x * e, y * e); };
    const double balanco = -std::abs(pose.passo) * 1.5;  // the body dips while the legs are apart
    auto atc = [&](double x, double y) { return at(x, y - balanco); };
    // Back leg and arm.
    perna(p, atc(-4, -34), -pose.passo * 24, e);
    const double rb = qDegreesToRadians(-pose.braco * 35);
    braco(p, atc(-11, -60), atc(-11, -60) + QPointF(std::sin(rb) * 24 * e - 3 * e, std::cos(rb) * 24 * e), e);
    perna(p, atc(4, -34), pose.passo * 24, e);
    // Body: shirt, overalls with bib and straps.
    p.setPen(contorno(kCamisa, 1.0 * e));
    p.setBrush(kCamisa);
    p.drawRoundedRect(QRectF(atc(-12, -66), atc(12, -34)), 6 * e, 6 * e);
    p.setPen(contorno(kMacacao, 1.0 * e));
    p.setBrush(kMacacao);
    p.drawRoundedRect(QRectF(atc(-12, -48), atc(12, -30)), 3 * e, 3 * e);
    p.drawRect(QRectF(atc(-8, -58), atc(8, -46)));
    p.setPen(QPen(kMacacao, 3 * e));
    p.drawLine(atc(-7, -57), atc(-10, -66));
    p.drawLine(atc(7, -57), atc(10, -66));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 213, 79));
    p.drawEllipse(atc(-6, -56), 1.5 * e, 1.5 * e);
    p.drawEllipse(atc(6, -56), 1.5 * e, 1.5 * e);
    p.setBrush(kMacacao.lighter(125));
    p.drawRect(QRectF(atc(-4, -54), atc(4, -49)));
    // Head and hat.
    cabeca(p, atc(0, -76), e, pose.sorriso);
    chapeu(p, atc(0, -87), e);
    // Front arm: swinging, or raised and waving.
    if (pose.acenando) {
        const double a = qDegreesToRadians(-150 + pose.aceno * 20);
        braco(p, atc(11, -60), atc(11, -60) + QPointF(-std::sin(a) * 24 * e, std::cos(a) * 24 * e), e);
    } else {
        const double rf = qDegreesToRadians(pose.braco * 35);
        braco(p, atc(11, -60), atc(11, -60) + QPointF(std::sin(rf) * 24 * e + 3 * e, std::cos(rf) * 24 * e), e);
    }
}

void rostoHortelao(QPainter& p, const QRectF& r, double aceno) {
    const double e = r.height() / 60.0;
    const QPointF c(r.center().x() - 4 * e, r.top() + 30 * e);
    // Shoulders.
    p.setPen(contorno(kCamisa, 1.0 * e));
    p.setBrush(kCamisa);
    p.drawRoundedRect(QRectF(c.x() - 20 * e, c.y() + 13 * e, 40 * e, 24 * e), 9 * e, 9 * e);
    p.setPen(contorno(kMacacao, 1.0 * e));
    p.setBrush(kMacacao);
    p.drawRect(QRectF(c.x() - 10 * e, c.y() + 20 * e, 20 * e, 18 * e));
    // Waving hand.
    const double a = qDegreesToRadians(-30 + aceno * 25);
    const QPointF ombro = c + QPointF(17 * e, 18 * e);
    braco(p, ombro, ombro + QPointF(std::sin(a) * 20 * e + 6 * e, -std::cos(a) * 20 * e), e);
    cabeca(p, c, e, true);
    chapeu(p, c + QPointF(0, -11 * e), e);
}

void globo(QPainter& p, QPointF c, double r, double giro, bool suporte) {
    if (suporte) {
        p.setPen(QPen(QColor(120, 80, 40), r * 0.1, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - r * 1.15, c.y() - r * 1.15, r * 2.3, r * 2.3), -60 * 16, 210 * 16);
        p.drawLine(c + QPointF(0, r * 1.15), c + QPointF(0, r * 1.4));
        p.setBrush(QColor(150, 100, 50));
        p.setPen(contorno(QColor(150, 100, 50), r * 0.05));
        p.drawRoundedRect(QRectF(c.x() - r * 0.6, c.y() + r * 1.35, r * 1.2, r * 0.22), r * 0.08, r * 0.08);
    }
    QRadialGradient mar(c + QPointF(-r * 0.35, -r * 0.35), r * 1.3);
    mar.setColorAt(0, QColor(100, 190, 255));
    mar.setColorAt(1, QColor(20, 90, 180));
    p.setPen(QPen(QColor(15, 60, 120), r * 0.05));
    p.setBrush(mar);
    p.drawEllipse(c, r, r);
    QPainterPath borda;
    borda.addEllipse(c, r * 0.99, r * 0.99);
    p.save();
    p.setClipPath(borda);
    // Land masses as blobs on the sphere, foreshortened near the rim.
    struct Terra {
        double lon, lat, tam;
    } terras[] = {{-60, 15, 0.32}, {-70, -25, 0.28}, {20, 20, 0.3},  {25, -15, 0.3},
                  {90, 40, 0.36},  {130, -25, 0.22}, {170, 10, 0.12}, {-120, 45, 0.3}};
    for (const auto& t : terras) {
        const double lon = qDegreesToRadians(t.lon + giro);
        const double lat = qDegreesToRadians(t.lat);
        const double frente = std::cos(lon) * std::cos(lat);
        if (frente <= -0.1)
            continue;
        const QPointF pt = c + QPointF(std::sin(lon) * std::cos(lat) * r, -std::sin(lat) * r);
        const double w = t.tam * r * std::max(0.15, std::cos(lon));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 170, 70));
        p.drawPath(bolha(pt, w, t.tam * r * 0.8, 0.15, 5, t.lon));
        p.setBrush(QColor(150, 200, 90));
        p.drawPath(bolha(pt + QPointF(-w * 0.2, -t.tam * r * 0.2), w * 0.45, t.tam * r * 0.3, 0.2, 4));
    }
    // Meridian and equator lines.
    p.setPen(QPen(QColor(255, 255, 255, 90), r * 0.025));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r * 0.12);
    for (int k = 0; k < 4; ++k) {
        const double lon = qDegreesToRadians(giro + k * 45.0);
        const double w = std::abs(std::sin(lon)) * r;
        p.drawEllipse(c, w, r);
    }
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(c + QPointF(-r * 0.4, -r * 0.45), r * 0.22, r * 0.13);
}

void agenda(QPainter& p, const QRectF& r, double fase) {
    const QColor capa(46, 125, 50);
    const double e = r.height() / 60.0;
    if (fase < 0) {
        // Closed book seen from the front, with its label and ribbon.
        const QRectF b(r.left() + r.width() * 0.2, r.top() + 4 * e, r.width() * 0.6, r.height() - 8 * e);
        p.setPen(contorno(QColor(240, 235, 220), e));
        p.setBrush(QColor(245, 240, 225));
        p.drawRoundedRect(b.translated(3 * e, 2 * e), 3 * e, 3 * e);
        p.setPen(contorno(capa, e));
        p.setBrush(capa);
        p.drawRoundedRect(b, 3 * e, 3 * e);
        p.setBrush(capa.darker(130));
        p.drawRect(QRectF(b.left(), b.top(), 5 * e, b.height()));
        p.setPen(contorno(QColor(255, 250, 230), 0.8 * e));
        p.setBrush(QColor(255, 250, 230));
        const QRectF etiqueta(b.left() + 9 * e, b.top() + 9 * e, b.width() - 14 * e, 13 * e);
        p.drawRoundedRect(etiqueta, 2 * e, 2 * e);
        texto(p, etiqueta.adjusted(1 * e, 0, -1 * e, 0), "Agenda", 9 * e, QColor(30, 80, 30));
        culturas::desenha(p, QRectF(b.center().x() - 9 * e, b.top() + 25 * e, 18 * e, 18 * e), "alf");
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 40, 40));
        QPolygonF fita;
        fita << QPointF(b.right() - 9 * e, b.bottom() - 2 * e) << QPointF(b.right() - 5 * e, b.bottom() - 2 * e)
             << QPointF(b.right() - 5 * e, b.bottom() + 5 * e) << QPointF(b.right() - 7 * e, b.bottom() + 3 * e)
             << QPointF(b.right() - 9 * e, b.bottom() + 5 * e);
        p.drawPolygon(fita);
        return;
    }
    // Open book: two pages on the cover, one page turning over the spine.
    const double cx = r.center().x();
    const QRectF capaR(r.left() + 2 * e, r.top() + 8 * e, r.width() - 4 * e, r.height() - 12 * e);
    p.setPen(contorno(capa, e));
    p.setBrush(capa);
    p.drawRoundedRect(capaR, 3 * e, 3 * e);
    const QRectF esq(capaR.left() + 3 * e, capaR.top() + 2 * e, cx - capaR.left() - 3 * e, capaR.height() - 4 * e);
    const QRectF dir(cx, capaR.top() + 2 * e, capaR.right() - 3 * e - cx, capaR.height() - 4 * e);
    auto pagina = [&](const QRectF& pg, int semente) {
        p.setPen(QPen(QColor(200, 190, 170), 0.6 * e));
        p.setBrush(QColor(255, 252, 240));
        p.drawRect(pg);
        p.setPen(QPen(QColor(120, 160, 220), 0.8 * e));
        for (int k = 1; k < 6; ++k) {
            const double y = pg.top() + pg.height() * k / 6.5 + 2 * e;
            const double fim = pg.right() - 3 * e - ((k + semente) % 3) * 5 * e;
            p.drawLine(QPointF(pg.left() + 3 * e, y), QPointF(fim, y));
        }
    };
    pagina(esq, 0);
    pagina(dir, 1);
    // Writing on the left page grows as pages turn: a small tick list.
    p.setPen(QPen(QColor(46, 125, 50), 1.3 * e, Qt::SolidLine, Qt::RoundCap));
    const int marcas = int(fase * 5.0);
    for (int k = 0; k < marcas; ++k) {
        const double y = esq.top() + esq.height() * (k + 1) / 6.5 + 1 * e;
        p.drawLine(QPointF(esq.left() + 3 * e, y), QPointF(esq.left() + 5 * e, y + 2 * e));
        p.drawLine(QPointF(esq.left() + 5 * e, y + 2 * e), QPointF(esq.left() + 9 * e, y - 3 * e));
    }
    // The turning page: its free edge sweeps from the right side to the left.
    const double ang = fase * M_PI;
    const double largura = dir.width() * std::cos(ang);
    const double ergue = std::sin(ang) * 7 * e;
    QPainterPath folhaVirando;
    folhaVirando.moveTo(cx, dir.top());
    folhaVirando.quadTo(cx + largura * 0.5, dir.top() - ergue, cx + largura, dir.top() - ergue * 0.6);
    folhaVirando.lineTo(cx + largura, dir.bottom() - ergue * 0.6);
    folhaVirando.quadTo(cx + largura * 0.5, dir.bottom() - ergue, cx, dir.bottom());
    folhaVirando.closeSubpath();
    p.setPen(QPen(QColor(180, 170, 150), 0.7 * e));
    p.setBrush(fase < 0.5 ? QColor(250, 246, 232) : QColor(236, 230, 212));
    p.drawPath(folhaVirando);
    p.setPen(QPen(QColor(120, 90, 60), 1.2 * e));
    p.drawLine(QPointF(cx, capaR.top() + 1 * e), QPointF(cx, capaR.bottom() - 1 * e));
}

void porta(QPainter& p, const QRectF& r, double abertura) {
    const double e = r.height() / 66.0;
    // Wall, the doorway showing the garden outside, then the door leaf.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 214, 170));
    p.drawRect(r);
    p.setPen(QPen(QColor(215, 190, 145), 0.8 * e));
    for (double y = r.top() + 8 * e; y < r.bottom(); y += 8 * e)
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    const QRectF vao(r.left() + r.width() * 0.27, r.top() + 8 * e, r.width() * 0.46, r.height() - 12 * e);
    ceu(p, vao, QColor(130, 200, 255), QColor(200, 235, 255));
    grama(p, QRectF(vao.left(), vao.top() + vao.height() * 0.6, vao.width(), vao.height() * 0.4), 7);
    sol(p, vao.topLeft() + QPointF(vao.width() * 0.7, 9 * e), 4 * e);
    p.setPen(QPen(QColor(120, 80, 40), 3 * e));
    p.setBrush(Qt::NoBrush);
    p.drawRect(vao);
    const double w = vao.width() * std::cos(abertura * M_PI * 0.45);
    const double perspectiva = abertura * 5 * e;
    QPolygonF folhaPorta;
    folhaPorta << vao.topLeft() << QPointF(vao.left() + w, vao.top() - perspectiva)
               << QPointF(vao.left() + w, vao.bottom() + perspectiva) << vao.bottomLeft();
    QLinearGradient g(vao.topLeft(), QPointF(vao.left() + w, vao.top()));
    g.setColorAt(0, QColor(160, 100, 50));
    g.setColorAt(1, QColor(130, 80, 40));
    p.setPen(contorno(QColor(150, 95, 45), 1.0 * e));
    p.setBrush(g);
    p.drawPolygon(folhaPorta);
    // Panels and knob follow the leaf.
    p.setPen(QPen(QColor(110, 65, 30), 1.0 * e));
    p.setBrush(Qt::NoBrush);
    const double k = w / vao.width();
    if (k > 0.2) {
        QPolygonF painel1, painel2;
        auto pt = [&](double fx, double fy) {
            const double x = vao.left() + w * fx;
            const double extra = perspectiva * fx;
            return QPointF(x, vao.top() - extra + (vao.height() + 2 * extra) * fy);
        };
        painel1 << pt(0.18, 0.08) << pt(0.82, 0.08) << pt(0.82, 0.45) << pt(0.18, 0.45);
        painel2 << pt(0.18, 0.55) << pt(0.82, 0.55) << pt(0.82, 0.92) << pt(0.18, 0.92);
        p.drawPolygon(painel1);
        p.drawPolygon(painel2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 210, 60));
        p.drawEllipse(pt(0.85, 0.5), 2.2 * e * k, 2.2 * e);
    }
}

void impressora(QPainter& p, const QRectF& r, double papel) {
    const double e = r.height() / 58.0;
    const QRectF corpo(r.left() + 8 * e, r.top() + 24 * e, r.width() - 16 * e, 22 * e);
    // Sheet feeding from the back.
    p.setPen(QPen(QColor(190, 190, 190), 0.7 * e));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(corpo.left() + 10 * e, corpo.top() - 16 * e, corpo.width() - 20 * e, 18 * e));
    p.setPen(contorno(QColor(200, 205, 210), e));
    p.setBrush(QColor(215, 220, 225));
    p.drawRoundedRect(corpo, 4 * e, 4 * e);
    p.setBrush(QColor(170, 178, 186));
    p.drawRoundedRect(QRectF(corpo.left() + 4 * e, corpo.top() + 13 * e, corpo.width() - 8 * e, 4 * e), 1.5 * e, 1.5 * e);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(76, 175, 80));
    p.drawEllipse(QPointF(corpo.right() - 7 * e, corpo.top() + 6 * e), 2 * e, 2 * e);
    // The printed sheet coming out in front, with a table and a leaf on it.
    const double comprido = 4 * e + papel * 26 * e;
    const QRectF folhaSaindo(corpo.left() + 10 * e, corpo.top() + 15 * e, corpo.width() - 20 * e, comprido);
    p.setPen(QPen(QColor(170, 170, 170), 0.7 * e));
    p.setBrush(Qt::white);
    p.drawRect(folhaSaindo);
    p.save();
    p.setClipRect(folhaSaindo);
    p.setPen(QPen(QColor(46, 125, 50), 1.1 * e));
    for (double y = folhaSaindo.bottom() - 4 * e; y > folhaSaindo.top() + 2 * e; y -= 5 * e)
        p.drawLine(QPointF(folhaSaindo.left() + 4 * e, y), QPointF(folhaSaindo.right() - 10 * e, y));
    culturas::desenha(p, QRectF(folhaSaindo.right() - 10 * e, folhaSaindo.bottom() - 10 * e, 8 * e, 8 * e), "tom");
    p.restore();
}

QString nomeDoDia(int dia) {
    static const char* nomes[] = {"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"};
    return (dia >= 1 && dia <= 7) ? QString::fromUtf8(nomes[dia - 1]) : QString();
}

void folhinha(QPainter& p, const QRectF& r, int dia) {
    const double e = r.height() / 61.0;
    const QRectF folha(r.left() + 3 * e, r.top() + 5 * e, r.width() - 6 * e, r.height() - 8 * e);
    p.setPen(contorno(QColor(230, 230, 230), e));
    p.setBrush(QColor(200, 200, 200));
    p.drawRoundedRect(folha.translated(2 * e, 2 * e), 3 * e, 3 * e);
    p.setBrush(Qt::white);
    p.drawRoundedRect(folha, 3 * e, 3 * e);
    const QColor topo = dia == 1 ? QColor(211, 47, 47) : QColor(46, 125, 50);
    p.setPen(Qt::NoPen);
    p.setBrush(topo);
    p.drawRoundedRect(QRectF(folha.left(), folha.top(), folha.width(), 14 * e), 3 * e, 3 * e);
    p.drawRect(QRectF(folha.left(), folha.top() + 8 * e, folha.width(), 6 * e));
    // Binder rings.
    p.setPen(QPen(QColor(90, 90, 90), 1.6 * e, Qt::SolidLine, Qt::RoundCap));
    for (double fx : {0.3, 0.7}) {
        const double x = folha.left() + folha.width() * fx;
        p.drawLine(QPointF(x, folha.top() - 3 * e), QPointF(x, folha.top() + 4 * e));
    }
    texto(p, QRectF(folha.left() + 2 * e, folha.top() + 5 * e, folha.width() - 4 * e, 9 * e), "semana", 7.5 * e,
          Qt::white, true);
    texto(p, QRectF(folha.left() + 2 * e, folha.top() + 16 * e, folha.width() - 4 * e, 22 * e), nomeDoDia(dia),
          15 * e, dia == 1 ? QColor(200, 30, 30) : QColor(30, 60, 120), true);
    // Seven dots, today's one filled.
    const double passo = (folha.width() - 12 * e) / 6.0;
    for (int k = 1; k <= 7; ++k) {
        const QPointF c(folha.left() + 6 * e + (k - 1) * passo, folha.bottom() - 8 * e);
        p.setPen(QPen(k == dia ? topo : QColor(170, 170, 170), 0.9 * e));
        p.setBrush(k == dia ? topo : Qt::white);
        p.drawEllipse(c, k == dia ? 3.2 * e : 2.2 * e, k == dia ? 3.2 * e : 2.2 * e);
    }
}

void interrogacao(QPainter& p, const QRectF& r, double salto, double giro) {
    const double e = r.width() / 62.0;
    // Shadow shrinks as the mark jumps.
    const double sombra = 1.0 - std::min(0.6, salto / (30 * e));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(QPointF(r.center().x(), r.bottom() - 4 * e), 13 * e * sombra, 3 * e * sombra);
    p.save();
    p.translate(r.center().x(), r.bottom() - 8 * e - salto);
    p.rotate(giro);
    QPainterPath gancho;
    gancho.moveTo(-12 * e, -44 * e);
    gancho.cubicTo(-12 * e, -60 * e, 14 * e, -62 * e, 14 * e, -44 * e);
    gancho.cubicTo(14 * e, -32 * e, 1 * e, -30 * e, 1 * e, -18 * e);
    p.setPen(QPen(QColor(27, 94, 32), 10.5 * e, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(gancho);
    p.setPen(QPen(QColor(102, 187, 106), 7.5 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(gancho);
    p.setPen(contorno(QColor(102, 187, 106), 1.5 * e));
    p.setBrush(QColor(102, 187, 106));
    p.drawEllipse(QPointF(1 * e, -5 * e), 5 * e, 5 * e);
    folha(p, QPointF(-12 * e, -46 * e), QPointF(-22 * e, -58 * e), 4 * e, QColor(139, 195, 74), 0.9 * e, true);
    p.restore();
}

void porteira(QPainter& p, const QRectF& r) {
    const double e = r.height() / 66.0;
    ceu(p, r, QColor(140, 205, 255), QColor(210, 238, 255));
    grama(p, QRectF(r.left(), r.top() + r.height() * 0.62, r.width(), r.height() * 0.38), 11);
    // A dirt path through the gate.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(205, 170, 120));
    QPolygonF caminho;
    caminho << QPointF(r.center().x() - 6 * e, r.top() + r.height() * 0.62)
            << QPointF(r.center().x() + 6 * e, r.top() + r.height() * 0.62)
            << QPointF(r.center().x() + 22 * e, r.bottom()) << QPointF(r.center().x() - 22 * e, r.bottom());
    p.drawPolygon(caminho);
    const QColor madeira(150, 100, 50);
    const double base = r.top() + r.height() * 0.8;
    auto poste = [&](double x) {
        p.setPen(contorno(madeira, e));
        p.setBrush(madeira.darker(110));
        p.drawRect(QRectF(x - 3.5 * e, r.top() + 14 * e, 7 * e, base - r.top() - 10 * e));
    };
    poste(r.left() + 10 * e);
    poste(r.right() - 10 * e);
    const double x0 = r.left() + 14 * e, x1 = r.right() - 14 * e;
    p.setPen(contorno(madeira, 0.8 * e));
    p.setBrush(madeira.lighter(120));
    for (double y : {22.0, 34.0, 46.0})
        p.drawRect(QRectF(x0, r.top() + y * e, x1 - x0, 5 * e));
    p.setPen(QPen(madeira, 4 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x0 + 2 * e, r.top() + 50 * e), QPointF(x1 - 2 * e, r.top() + 24 * e));
    p.setPen(QPen(madeira.lighter(130), 2.4 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x0 + 2 * e, r.top() + 50 * e), QPointF(x1 - 2 * e, r.top() + 24 * e));
}

void carrinho(QPainter& p, const QRectF& r) {
    const double e = r.height() / 66.0;
    // Vegetables heaped in the box.
    const char* itens[] = {"rep", "tom", "cen", "alf", "pim", "bgl"};
    for (int i = 0; i < 6; ++i) {
        const double x = r.left() + 10 * e + (i % 3) * 18 * e;
        const double y = r.top() + 4 * e + (i / 3) * 10 * e;
        culturas::desenha(p, QRectF(x, y, 24 * e, 24 * e), itens[i]);
    }
    const QColor caixa(200, 120, 50);
    QPolygonF c;
    c << QPointF(r.left() + 6 * e, r.top() + 30 * e) << QPointF(r.left() + 66 * e, r.top() + 30 * e)
      << QPointF(r.left() + 62 * e, r.top() + 50 * e) << QPointF(r.left() + 10 * e, r.top() + 50 * e);
    p.setPen(contorno(caixa, 1.2 * e));
    p.setBrush(caixa);
    p.drawPolygon(c);
    p.setPen(QPen(caixa.darker(130), 1.0 * e));
    p.drawLine(QPointF(r.left() + 8 * e, r.top() + 40 * e), QPointF(r.left() + 64 * e, r.top() + 40 * e));
    // Handle and wheels.
    p.setPen(QPen(QColor(90, 90, 90), 3 * e, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + 64 * e, r.top() + 32 * e), QPointF(r.left() + 76 * e, r.top() + 20 * e));
    for (double x : {18.0, 54.0}) {
        p.setPen(contorno(QColor(60, 60, 60), 1.2 * e));
        p.setBrush(QColor(60, 60, 60));
        p.drawEllipse(QPointF(r.left() + x * e, r.top() + 55 * e), 7 * e, 7 * e);
        p.setBrush(QColor(190, 190, 190));
        p.drawEllipse(QPointF(r.left() + x * e, r.top() + 55 * e), 2.5 * e, 2.5 * e);
    }
}

}  // namespace gerador::figuras
