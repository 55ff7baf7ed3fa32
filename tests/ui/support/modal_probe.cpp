#include "support/modal_probe.h"

#include <QApplication>
#include <QDialog>
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
            QPointer<QWidget> watched = modal;
            state->action(modal);
            // An action that stopped early (a failed check) must not leave the test hanging in
            // the dialog's own event loop.
            QTimer::singleShot(5000, [watched] {
                if (auto* dialog = qobject_cast<QDialog*>(watched.data());
                    dialog != nullptr && dialog->isVisible()) {
                    qWarning("ModalProbe: closing %s that the test left open",
                             dialog->metaObject()->className());
                    dialog->done(QDialog::Rejected);
                }
            });
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
