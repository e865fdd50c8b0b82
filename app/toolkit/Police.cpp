#include "app/toolkit/Police.h"

#include <QStringList>

QFont PoliceFenetres() {
    const QString famille = QStringLiteral("MS Sans Serif");
    QStringList remplacantes;
    remplacantes << QStringLiteral("Liberation Sans") << QStringLiteral("Arial")
                 << QStringLiteral("DejaVu Sans");
    QFont::insertSubstitutions(famille, remplacantes);
    return QFont(famille, 8);
}
