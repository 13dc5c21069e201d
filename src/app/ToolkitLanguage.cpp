#include "ToolkitLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void InstallToolkitTranslation(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
