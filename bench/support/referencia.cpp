#include "referencia.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPen>

#include "displayfile.h"
#include "objeto.h"
#include "viewport.h"
#include "window.h"

namespace {

constexpr double limiteDePixel = 1 << 24;

bool paraPixel(const Coordenada& mapeada, QPoint& pixel)
{
    if (!std::isfinite(mapeada.x()) || !std::isfinite(mapeada.y()))
        return false;
    pixel.setX(static_cast<int>(std::clamp(mapeada.x(), -limiteDePixel, limiteDePixel)));
    pixel.setY(static_cast<int>(std::clamp(mapeada.y(), -limiteDePixel, limiteDePixel)));
    return true;
}

void fundo(QPainter& p, const QImage& imagem)
{
    p.fillRect(0, 0, imagem.width() - 1, imagem.height() - 1, Qt::white);
}

void moldura(QPainter& p, const QImage& imagem)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(20, 20, imagem.width() - 40, imagem.height() - 40);
}

void poligono(QPainter& p, const DesenhoEmPixels::Parte& parte)
{
    p.setPen(QPen(QColor(255, 0, 0)));
    p.setBrush(QBrush(parte.cor, Qt::SolidPattern));
    p.drawPolygon(parte.poligono.data(), static_cast<int>(parte.poligono.size()), Qt::OddEvenFill);
}

} // namespace

DesenhoEmPixels desenhoEmPixels(const Viewport& canvas)
{
    DesenhoEmPixels d;
    const Window* janela = canvas.janela();
    const DisplayFile projecao = janela->coordenadasDePlanoDeProjecao();
    const Viewport::Mapeamento mapa = canvas.mapeamento();
    for (const Objeto* objeto : projecao.listaDeObjetos) {
        DesenhoEmPixels::Parte parte;
        parte.cor = objeto->cor().qcolor();
        const auto inicio = objeto->inicioDoDesenho(janela);
        const auto fim = objeto->fimDoDesenho(janela);
        QPoint p, q;
        switch (objeto->nivelDePreenchimento()) {
        case 0:
            for (auto c = inicio; c != fim; ++c)
                if (!c->isNull() && paraPixel(mapa.aplicar(*c), p)) {
                    parte.linhas.emplace_back(p.x() - 2, p.y() + 2, p.x() + 2, p.y() - 2);
                    parte.linhas.emplace_back(p.x() + 2, p.y() + 2, p.x() - 2, p.y() - 2);
                }
            break;
        case 1:
            for (auto c = inicio; c != fim && c + 1 != fim; ++c)
                if (!c->isNull() && !(c + 1)->isNull() && paraPixel(mapa.aplicar(*c), p)
                    && paraPixel(mapa.aplicar(*(c + 1)), q))
                    parte.linhas.emplace_back(p, q);
            break;
        case 2:
            if (objeto->numeroDeCoordenadas() <= 2)
                continue;
            parte.preenchido = true;
            for (auto c = inicio; c != fim; ++c)
                if (!c->isNull() && paraPixel(mapa.aplicar(*c), p))
                    parte.poligono.push_back(p);
            break;
        default:
            continue;
        }
        d.segmentos += parte.linhas.size() + parte.poligono.size();
        d.todasAsLinhas.insert(d.todasAsLinhas.end(), parte.linhas.begin(), parte.linhas.end());
        d.partes.push_back(std::move(parte));
    }
    return d;
}

void desenharObjetoAObjeto(QImage& imagem, const DesenhoEmPixels& desenho)
{
    QPainter p(&imagem);
    fundo(p, imagem);
    for (const DesenhoEmPixels::Parte& parte : desenho.partes) {
        if (parte.preenchido) {
            poligono(p, parte);
        } else {
            p.setPen(QPen(parte.cor));
            p.drawLines(parte.linhas.data(), static_cast<int>(parte.linhas.size()));
        }
    }
    moldura(p, imagem);
}

void desenharDeUmaVez(QImage& imagem, const DesenhoEmPixels& desenho)
{
    QPainter p(&imagem);
    fundo(p, imagem);
    p.setPen(QPen(QColor(0, 0, 0)));
    p.drawLines(desenho.todasAsLinhas.data(), static_cast<int>(desenho.todasAsLinhas.size()));
    for (const DesenhoEmPixels::Parte& parte : desenho.partes)
        if (parte.preenchido)
            poligono(p, parte);
    moldura(p, imagem);
}
