#pragma once

#include <QObject>

#include <functional>

class QTimer;

namespace tavlor::ui {

/** When unsaved changes are written to the recovery file: a quiet while after the last change,
 *  and never later than a longest wait after the first change not yet written, however steadily
 *  the user types. It runs from the event loop, after the key that made the change was handled. */
class RecoveryTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMilliseconds = 2000;
    static constexpr int kLongestMilliseconds = 30000;

    RecoveryTimer(QObject* parent, std::function<void()> write);

    /** The two delays; tests make them short or long instead of waiting on the clock. */
    void setDelays(int quietMilliseconds, int longestMilliseconds);
    /** The content changed: the write is due a quiet while from now, or at the longest wait. */
    void noteChange();
    /** Nothing is due any more (the changes were saved, or written now). */
    void cancel();
    bool isDue() const;

private:
    void fire();

    QTimer* m_quiet = nullptr;
    QTimer* m_longest = nullptr;
    std::function<void()> m_write;
};

} // namespace tavlor::ui
