#pragma once

#include <QObject>
#include <QStringList>

#include <deque>
#include <functional>

class QTimer;
class QWidget;

namespace tavlor::test {

/** Answers the modal dialogs and message boxes that show while it lives, in order, from a timer
 *  that also runs inside their modal loops; the way tests answer what a command shows with
 *  exec(). A modal window still open after its answer is rejected; one with no answer left is
 *  recorded as unexpected and rejected, so a test never hangs on it. Only one script should live
 *  at a time: each would answer the same window. */
class ModalScript : public QObject {
    Q_OBJECT
public:
    ModalScript();
    ~ModalScript() override;

    /** Queues the answer for the next modal window; act should close it. */
    ModalScript& then(std::function<void(QWidget*)> act);
    /** Window titles of every modal window seen, in order. */
    const QStringList& seen() const { return m_seen; }
    /** How many queued answers ran. */
    int answered() const { return m_answered; }
    /** How many modal windows showed with no answer queued. */
    int unexpected() const { return m_unexpected; }
    /** Answers not used yet. */
    std::size_t pending() const { return m_answers.size(); }

private:
    void tick();

    QTimer* m_timer = nullptr;
    std::deque<std::function<void(QWidget*)>> m_answers;
    QStringList m_seen;
    int m_answered = 0;
    int m_unexpected = 0;
};

} // namespace tavlor::test
