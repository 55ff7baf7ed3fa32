#include "ui/recovery/recovery_timer.h"

#include <QTimer>

namespace tavlor::ui {

RecoveryTimer::RecoveryTimer(QObject* parent, std::function<void()> write)
    : QObject(parent), m_quiet(new QTimer(this)), m_longest(new QTimer(this)),
      m_write(std::move(write)) {
    for (QTimer* timer : {m_quiet, m_longest}) {
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, &RecoveryTimer::fire);
    }
    setDelays(kQuietMilliseconds, kLongestMilliseconds);
}

void RecoveryTimer::setDelays(int quietMilliseconds, int longestMilliseconds) {
    m_quiet->setInterval(quietMilliseconds);
    m_longest->setInterval(longestMilliseconds);
}

void RecoveryTimer::noteChange() {
    m_quiet->start();
    if (!m_longest->isActive())
        m_longest->start();
}

void RecoveryTimer::cancel() {
    m_quiet->stop();
    m_longest->stop();
}

bool RecoveryTimer::isDue() const {
    return m_quiet->isActive();
}

void RecoveryTimer::fire() {
    cancel();
    m_write();
}

} // namespace tavlor::ui
