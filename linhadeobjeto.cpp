#include "linhadeobjeto.h"

#include <string>

#include <QListWidgetItem>
#include <QString>

#include "objeto.h"

QListWidgetItem* linhaDeObjeto(const Objeto& objeto)
{
    constexpr int caracteresNaLinha = 200;
    const std::string& nome = objeto.nome();
    std::size_t corte = 0;
    for (int caracteres = 0; corte < nome.size() && caracteres < caracteresNaLinha; ++caracteres) {
        ++corte;
        while (corte < nome.size() && (static_cast<unsigned char>(nome[corte]) & 0xC0) == 0x80)
            ++corte;
    }
    const bool cortado = corte < nome.size();
    const QString texto = QString::fromUtf8(nome.data(), static_cast<qsizetype>(corte))
                          + (cortado ? QStringLiteral("… : ") : QStringLiteral(" : "))
                          + QString::fromStdString(objeto.nomeDoTipo());
    auto* linha = new QListWidgetItem(texto);
    if (cortado)
        linha->setToolTip(QString::fromStdString(nome));
    return linha;
}
