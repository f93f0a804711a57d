#include "platform.h"

#include <QApplication>
#include <QFontDatabase>

namespace tb {

namespace {

// The family of DejaVuSans.ttf beside the program, added once; empty when the file is missing.
QString shippedFamily()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath()
                                                         + QStringLiteral("/DejaVuSans.ttf"));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.first();
    }();
    return family;
}

} // namespace

QFont systemSansSerif()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const QString family = shippedFamily();
    if (!family.isEmpty())
        font.setFamilies({family});
    return font;
}

void useSansSerifEverywhere()
{
    QFont font = QApplication::font();
    const QString family = shippedFamily();
    if (family.isEmpty())
        return;
    font.setFamilies({family});
    QApplication::setFont(font);
}

} // namespace tb
