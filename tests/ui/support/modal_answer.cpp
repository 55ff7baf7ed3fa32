#include "support/modal_answer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace tavlor::test {
namespace {

bool g_timedOut = false;

void poll(std::shared_ptr<std::function<void(QWidget*)>> act, QWidget* before,
          std::shared_ptr<QElapsedTimer> clock, int timeoutMs) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != before && modal->isVisible()) {
        (*act)(modal);
        // A failed check inside act returns early: close the widget so the test goes on.
        if (modal->isVisible() && !QMetaObject::invokeMethod(modal, "reject"))
            modal->close();
        return;
    }
    if (clock->elapsed() > timeoutMs) {
        g_timedOut = true;
        return;
    }
    QTimer::singleShot(10, [=] { poll(act, before, clock, timeoutMs); });
}

} // namespace

void whenModalShows(std::function<void(QWidget*)> act, int timeoutMs) {
    auto shared = std::make_shared<std::function<void(QWidget*)>>(std::move(act));
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QWidget* before = QApplication::activeModalWidget();
    QTimer::singleShot(0, [=] { poll(shared, before, clock, timeoutMs); });
}

bool modalWaitTimedOut() {
    const bool timedOut = g_timedOut;
    g_timedOut = false;
    return timedOut;
}

} // namespace tavlor::test
