#include "platform.h"

#include <QFontDatabase>

namespace tb {

QFont systemSansSerif()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

void useSansSerifEverywhere() {}

} // namespace tb
