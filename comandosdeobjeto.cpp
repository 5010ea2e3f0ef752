#include "comandosdeobjeto.h"

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include <QStatusBar>
#include <QUndoStack>

#include "comandosdecena.h"
#include "documentodecena.h"
#include "novoobjeto.h"
#include "numeros.h"
#include "objeto.h"
#include "transformacao.h"

namespace {

// How long a note stays in the status bar.
constexpr int duracaoDoAviso = 5000;

QString nomeEntreAspas(const Objeto& objeto)
{
    return QStringLiteral("'") + QString::fromStdString(objeto.nome()) + QStringLiteral("'");
}

} // namespace

ComandosDeObjeto::ComandosDeObjeto(DocumentoDeCena& documento, QWidget& janela, QStatusBar& barra)
    : _documento(documento), _janela(janela), _barra(barra)
{
}

void ComandosDeObjeto::avisar(const QString& nota)
{
    _barra.showMessage(nota, duracaoDoAviso);
}

bool ComandosDeObjeto::adicionar()
{
    NovoObjeto dialogo(&_janela);
    if (dialogo.exec() == QDialog::Rejected)
        return false;
    std::unique_ptr<Objeto> novo = dialogo.tomarObjeto();
    if (!novo)
        return false;
    const QString texto = tr("Adicionar %1").arg(nomeEntreAspas(*novo));
    std::vector<std::unique_ptr<Objeto>> objetos;
    objetos.push_back(std::move(novo));
    _documento.pilhaDeDesfazer()->push(new ComandoAdicionar(_documento, _documento.quantidade(), std::move(objetos), texto));
    return true;
}

void ComandosDeObjeto::remover(int posicao)
{
    if (posicao < 0)
        return;
    const Objeto& objeto = *_documento.objeto(static_cast<std::size_t>(posicao));
    _documento.pilhaDeDesfazer()->push(
        new ComandoRemover(_documento, static_cast<std::size_t>(posicao), tr("Remover %1").arg(nomeEntreAspas(objeto))));
}

bool ComandosDeObjeto::editar(int posicao)
{
    if (posicao < 0)
        return false;
    const Objeto& objeto = *_documento.objeto(static_cast<std::size_t>(posicao));
    NovoObjeto dialogo(&_janela);
    dialogo.preencher(objeto);
    if (dialogo.exec() == QDialog::Rejected)
        return false;
    std::unique_ptr<Objeto> novo = dialogo.tomarObjeto();
    if (!novo)
        return false;
    const QString texto = tr("Editar %1").arg(nomeEntreAspas(objeto));
    _documento.pilhaDeDesfazer()->push(
        new ComandoSubstituir(_documento, static_cast<std::size_t>(posicao), std::move(novo), texto));
    return true;
}

void ComandosDeObjeto::transformar(int posicao, const Transformacao& t, const QString& texto)
{
    if (posicao < 0)
        return;
    const Objeto& objeto = *_documento.objeto(static_cast<std::size_t>(posicao));
    // Tried on a copy: a scene with a coordinate that is not finite can be neither drawn nor saved.
    std::unique_ptr<Objeto> ensaio(objeto.clone());
    ensaio->transformar(t);
    for (const Coordenada& c : ensaio->coordenadas()) {
        if (!std::isfinite(c.x()) || !std::isfinite(c.y()) || !std::isfinite(c.z())) {
            avisar(tr("Transformação recusada: as coordenadas de %1 deixariam de ser finitas.").arg(nomeEntreAspas(objeto)));
            return;
        }
    }
    _documento.pilhaDeDesfazer()->push(new ComandoTransformar(_documento, static_cast<std::size_t>(posicao),
                                                              objeto.coordenadas(), ensaio->coordenadas(),
                                                              texto.arg(nomeEntreAspas(objeto))));
}

std::optional<double> ComandosDeObjeto::numeroDigitado(const QString& texto, const QString& oQue)
{
    const std::optional<double> numero = lerNumero(texto);
    if (!numero)
        avisar(tr("%1 inválido: '%2'.").arg(oQue, texto));
    return numero;
}

void ComandosDeObjeto::transladar(int posicao, double dx, double dy, double dz)
{
    transformar(posicao, Transformacao::translacao(dx, dy, dz), tr("Mover %1"));
}

void ComandosDeObjeto::transladar(int posicao, const QString& dx, const QString& dy, const QString& dz)
{
    const QString* textos[3] = {&dx, &dy, &dz};
    const QString nomes[3] = {tr("Deslocamento em X"), tr("Deslocamento em Y"), tr("Deslocamento em Z")};
    double d[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < 3; ++i) {
        if (textos[i]->trimmed().isEmpty())
            continue;
        const std::optional<double> lido = numeroDigitado(*textos[i], nomes[i]);
        if (!lido)
            return;
        d[i] = *lido;
    }
    // Nothing to move is no step to undo.
    if (d[0] != 0.0 || d[1] != 0.0 || d[2] != 0.0)
        transladar(posicao, d[0], d[1], d[2]);
}

void ComandosDeObjeto::rotacionar(int posicao, const QString& angulo, bool emX, bool emY, bool emZ,
                                  std::optional<Coordenada> centro)
{
    const std::optional<double> lido = numeroDigitado(angulo, tr("Ângulo"));
    if (!lido || posicao < 0)
        return;
    const double a = *lido;
    const Coordenada c = centro ? *centro : _documento.objeto(static_cast<std::size_t>(posicao))->centro();
    transformar(posicao, Transformacao::rotacao(emX ? a : 0.0, emY ? a : 0.0, emZ ? a : 0.0, c), tr("Rotacionar %1"));
}

void ComandosDeObjeto::escalar(int posicao, const QString& fator)
{
    const std::optional<double> lido = numeroDigitado(fator, tr("Fator"));
    if (!lido)
        return;
    const double f = *lido;
    // A factor of 0 collapses the object onto its centre, where no later scaling can undo it.
    // Negative factors mirror it and are allowed.
    if (f == 0.0) {
        avisar(tr("Fator inválido: 0 achataria o objeto num ponto."));
        return;
    }
    if (posicao < 0)
        return;
    const Coordenada c = _documento.objeto(static_cast<std::size_t>(posicao))->centro();
    transformar(posicao, Transformacao::escala(f, f, f, c.x(), c.y(), c.z()), tr("Escalar %1"));
}
