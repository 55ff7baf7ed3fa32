#include "support/modal_script.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
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
    QPointer<QWidget> modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible())
        return;
    m_seen << modal->windowTitle();
    if (m_answers.empty()) {
        ++m_unexpected;
    } else {
        auto act = std::move(m_answers.front());
        m_answers.pop_front();
        ++m_answered;
        act(modal);
    }
    if (modal == nullptr || !modal->isVisible())
        return;
    // done() rather than reject(): a dialog may refuse the Escape key's reject.
    if (auto* dialog = qobject_cast<QDialog*>(modal.data()))
        dialog->done(QDialog::Rejected);
    else
        modal->close();
}

} // namespace tavlor::test
