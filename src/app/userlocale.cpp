#include "app/userlocale.h"

#include <QLocale>

char userDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 0x80 ? char(point[0].unicode()) : '.';
}
