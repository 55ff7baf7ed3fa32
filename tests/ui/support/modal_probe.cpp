#include "support/modal_probe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace tavlor::test {

struct ModalProbe::State {
    std::function<void(QWidget*)> action;
    QTimer timer;
    QElapsedTimer clock;
    int timeoutMs = 0;
    bool ran = false;
    QString seenClass;
    QPointer<QWidget> skip; // a modal window already open when the probe started
};

ModalProbe::ModalProbe(std::function<void(QWidget*)> action, int timeoutMs) : m_state(new State) {
    m_state->action = std::move(action);
    m_state->timeoutMs = timeoutMs;
    m_state->skip = QApplication::activeModalWidget();
    m_state->clock.start();
    m_state->timer.setInterval(10);
    State* state = m_state;
    QObject::connect(&m_state->timer, &QTimer::timeout, [state] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != state->skip && modal->isVisible()) {
            state->timer.stop();
            state->ran = true;
            state->seenClass = QString::fromLatin1(modal->metaObject()->className());
            state->action(modal);
            return;
        }
        if (state->clock.elapsed() > state->timeoutMs)
            state->timer.stop();
    });
    m_state->timer.start();
}

ModalProbe::~ModalProbe() {
    delete m_state;
}

bool ModalProbe::ran() const {
    return m_state->ran;
}

QString ModalProbe::seenClass() const {
    return m_state->seenClass;
}

} // namespace tavlor::test
