#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

namespace tavlor::test {

/** Waits, from the event loop, for the next modal window to appear and runs action on it; the
 *  way tests answer dialogs and message boxes that a command shows with exec(). */
class ModalProbe {
public:
    /** Starts watching at once; gives up after timeoutMs. */
    explicit ModalProbe(std::function<void(QWidget*)> action, int timeoutMs = 10000);
    ModalProbe(const ModalProbe&) = delete;
    ModalProbe& operator=(const ModalProbe&) = delete;
    ~ModalProbe();

    /** Whether a modal window appeared and the action ran on it. */
    bool ran() const;
    /** Class name of the modal window the action ran on. */
    QString seenClass() const;

private:
    struct State;
    State* m_state = nullptr;
};

} // namespace tavlor::test
