#include "traducaodoqt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool instalarTraducaoDoQt()
{
    QCoreApplication* aplicacao = QCoreApplication::instance();
    if (aplicacao == nullptr)
        return false;
    const QString nome = QStringLiteral("traducaoDoQt");
    if (aplicacao->findChild<QTranslator*>(nome, Qt::FindDirectChildrenOnly) != nullptr)
        return true;
    auto* traducao = new QTranslator(aplicacao);
    traducao->setObjectName(nome);
    if (!traducao->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducao;
        return false;
    }
    QCoreApplication::installTranslator(traducao);
    return true;
}
