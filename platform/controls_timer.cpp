// Timer over QTimer with the window timer's rules.
#include "platform/controls.h"
#include "platform/controls_internal.h"

#include <QPointer>
#include <QTimer>

namespace platform {

Timer::Timer(QObject* parent, const QString& name) : QObject(parent)
{
    setObjectName(name);
    timer_ = new QTimer(this);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, this, [this] { fire(); });
}

void Timer::setEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    restart();
}

void Timer::setInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    restart();
}

bool Timer::isActive() const { return timer_->isActive(); }

void Timer::restart()
{
    timer_->stop();
    if (enabled_ && interval_ > 0)
        timer_->start(interval_);
}

void Timer::fire()
{
    if (inHandler_ || !onTimer)
        return;
    QPointer<Timer> self(this);
    inHandler_ = true;
    callHandler(onTimer);
    if (self)
        inHandler_ = false;
}

} // namespace platform
