#pragma once

#include <QString>

class QTranslator;

enum class CatalogueLoad { Loaded, Missing, Broken };

// Swaps the application's catalogues for those of `language`: both translators
// are removed first, then Qt's own catalogue for the language is installed when
// Qt has one (silently skipped otherwise) and the program's catalogue at
// `pattern` (with the code for %1). A program catalogue that is missing or does
// not load is logged as a warning and left out; the caller decides what to
// fall back to.
CatalogueLoad installCatalogues(QTranslator *program, QTranslator *qt, const QString &language,
                                const QString &pattern = QStringLiteral(":/translations/lang_%1.qm"));
