#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace tavlor::ui {

/** Turns SIGTERM into a close request of the window, as its close button makes one: first runs
 *  (the unsaved work is put in safety, should the sender not wait), then the close query runs (and
 *  asks about unsaved changes) instead of the process ending on the spot. One instance at a time;
 *  the default action comes back when it goes. */
class TerminationRequest : public QObject {
    Q_OBJECT
public:
    explicit TerminationRequest(QWidget* window, std::function<void()> first = {});
    ~TerminationRequest() override;
    TerminationRequest(const TerminationRequest&) = delete;
    TerminationRequest& operator=(const TerminationRequest&) = delete;

private:
    void onWake();

    QWidget* m_window = nullptr;
    std::function<void()> m_first;
    int m_readFd = -1;
    int m_writeFd = -1;
    bool m_closing = false;
};

} // namespace tavlor::ui
