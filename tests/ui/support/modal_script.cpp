#include "support/modal_script.h"

#include <QApplication>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

namespace tavlor::test {

ModalScript::ModalScript() : m_timer(new QTimer(this)) {
    m_timer->setInterval(10);
    connect(m_timer, &QTimer::timeout, this, &ModalScript::tick);
    m_timer->start();
}

ModalScript::~ModalScript() = default;

ModalScript& ModalScript::then(std::function<void(QWidget*)> act) {
    m_answers.push_back(std::move(act));
    return *this;
}

void ModalScript::tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible())
        return;
    m_seen << modal->windowTitle();
    if (m_answers.empty()) {
        ++m_unexpected;
    } else {
        auto act = std::move(m_answers.front());
        m_answers.pop_front();
        act(modal);
    }
    if (modal->isVisible() && !QMetaObject::invokeMethod(modal, "reject"))
        modal->close();
}

} // namespace tavlor::test
