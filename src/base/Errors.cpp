#include "Errors.h"

#include "Strings.h"

ELocalizedError InternalError(int number)
{
    return ELocalizedError(GetText(1541) + QString::number(number) + QLatin1Char(' ') + GetText(1542));
}
