#include "catalogues.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>

CatalogueLoad installCatalogues(QTranslator *program, QTranslator *qt, const QString &language,
                                const QString &pattern)
{
    QCoreApplication::removeTranslator(program);
    QCoreApplication::removeTranslator(qt);

    if (qt->load(QStringLiteral("qt_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);

    const QString path = pattern.arg(language);
    if (!QFile::exists(path)) {
        qWarning() << "Translation file not found:" << path;
        return CatalogueLoad::Missing;
    }
    if (!program->load(path)) {
        qWarning() << "Failed to load translation file:" << path;
        return CatalogueLoad::Broken;
    }
    QCoreApplication::installTranslator(program);
    return CatalogueLoad::Loaded;
}
