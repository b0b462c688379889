#include "common/Decimal_Number.h"

#include "common/Comon_State.h"

#include <QLocale>

#include <cmath>

namespace UComon {

QChar Read_Decimal_Separator() {
    const QString d = QLocale::system().decimalPoint();
    if (!d.isEmpty() && (d.at(0) == QLatin1Char(',') || d.at(0) == QLatin1Char('.')))
        return d.at(0);
    return QLatin1Char(',');
}

bool Text_To_Float(const QString& text, QChar separator, float& value) {
    // Both separators are read as the user's one; the conversion itself is done on a
    // fixed form so that it never depends on group separators of the locale.
    Q_UNUSED(separator);
    QString t = Trim(text);
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.isEmpty())
        return false;
    for (QChar c : std::as_const(t))
        if (!(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+') ||
              c == QLatin1Char('e') || c == QLatin1Char('E')))
            return false;
    bool ok = false;
    const double d = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(d) || std::fabs(d) > 3.4028234663852886e38)
        return false;
    value = static_cast<float>(d);
    return true;
}

} // namespace UComon
