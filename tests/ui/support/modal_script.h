#pragma once

#include <QObject>
#include <QStringList>

#include <deque>
#include <functional>

class QTimer;
class QWidget;

namespace tavlor::test {

/** Answers the modal dialogs and message boxes that show while it lives, in order, from a timer
 *  that also runs inside their modal loops. A modal widget with no answer left is recorded as
 *  unexpected and rejected, so a test never hangs on it. */
class ModalScript : public QObject {
    Q_OBJECT
public:
    ModalScript();
    ~ModalScript() override;

    /** Queues the answer for the next modal widget; act must close it (it is rejected if not). */
    ModalScript& then(std::function<void(QWidget*)> act);
    /** Window titles of every modal widget seen, in order. */
    const QStringList& seen() const { return m_seen; }
    /** How many modal widgets showed with no answer queued. */
    int unexpected() const { return m_unexpected; }
    /** Answers not used yet. */
    std::size_t pending() const { return m_answers.size(); }

private:
    void tick();

    QTimer* m_timer = nullptr;
    std::deque<std::function<void(QWidget*)>> m_answers;
    QStringList m_seen;
    int m_unexpected = 0;
};

} // namespace tavlor::test
