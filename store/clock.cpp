#include "store/clock.h"

namespace store::clock {

namespace {

QDateTime& fixedMoment()
{
    static QDateTime moment;
    return moment;
}

} // namespace

QDateTime now()
{
    return fixedMoment().isValid() ? fixedMoment() : QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

QTime timeOfDay()
{
    return now().time();
}

void setFixed(const QDateTime& moment)
{
    fixedMoment() = moment;
}

void clearFixed()
{
    fixedMoment() = QDateTime();
}

} // namespace store::clock
