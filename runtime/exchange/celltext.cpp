#include "runtime/exchange/celltext.h"

#include <QDateTime>
#include <QtMath>

namespace tess::cells {

QString numberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");   // no "-0"
    return QString::number(value, 'g', 15).toUpper();   // "1E+20" as the cell shows it
}

bool isPlainNumber(const QString& text, double* value)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !qIsFinite(v) || numberText(v) != text)
        return false;
    if (value)
        *value = v;
    return true;
}

QString serialText(double serial, bool date1904)
{
    // Rounded to the second, as the cell shows it.
    const qint64 secs = qRound64(serial * 86400.0);
    const qint64 days = secs >= 0 ? secs / 86400 : (secs - 86399) / 86400;
    const int time = int(secs - days * 86400);
    const QString clock = QTime(0, 0).addSecs(time).toString(QStringLiteral("hh:mm:ss"));
    if (days == 0)
        return clock;
    // Day 1 of the 1900 system is 1900-01-01, and day 60 is the 1900-02-29
    // that never was; from day 61 on the days count from 1899-12-30.
    const QDate base = date1904 ? QDate(1904, 1, 1)
                       : days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    const QString date = base.addDays(days).toString(QStringLiteral("yyyy-MM-dd"));
    return time == 0 ? date : date + QLatin1Char(' ') + clock;
}

bool isDateFormat(int id, const QString& code)
{
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47)
        || (id >= 50 && id <= 58))
        return true;
    // Look for date and time codes outside quoted text, escaped characters
    // and bracketed colours, conditions and locales; [h] [mm] [ss] count.
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i).toLower();
        if (c == QLatin1Char('"')) {
            i = code.indexOf(QLatin1Char('"'), i + 1);
            if (i < 0)
                break;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = code.indexOf(QLatin1Char(']'), i);
            if (end < 0)
                break;
            const QString inner = code.mid(i + 1, end - i - 1).toLower();
            if (!inner.isEmpty() && QStringLiteral("hms").contains(inner.at(0))
                && inner.count(inner.at(0)) == inner.size())
                return true;
            i = end;
        } else if (code.mid(i, 7).compare(QLatin1String("general"), Qt::CaseInsensitive) == 0) {
            i += 6;
        } else if (QStringLiteral("ymdhs").contains(c)) {
            return true;
        }
    }
    return false;
}

} // namespace tess::cells
