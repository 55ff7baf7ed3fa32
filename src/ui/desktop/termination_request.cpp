#include "ui/desktop/termination_request.h"

#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tavlor::ui {

namespace {
// A signal handler can reach no object: it only writes a byte to the pipe of the one instance.
volatile std::sig_atomic_t g_wakeFd = -1;

extern "C" void onTerminate(int) {
    const int saved = errno;
    const char byte = 1;
    if (g_wakeFd >= 0)
        (void)!::write(g_wakeFd, &byte, 1);
    errno = saved;
}
} // namespace

TerminationRequest::TerminationRequest(QWidget* window, std::function<void()> first)
    : m_window(window), m_first(std::move(first)) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // without the pipe SIGTERM keeps its default action
    m_readFd = fds[0];
    m_writeFd = fds[1];
    g_wakeFd = m_writeFd;
    auto* notifier = new QSocketNotifier(m_readFd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] { onWake(); });
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}

TerminationRequest::~TerminationRequest() {
    if (m_readFd < 0)
        return;
    std::signal(SIGTERM, SIG_DFL);
    g_wakeFd = -1;
    ::close(m_readFd);
    ::close(m_writeFd);
}

void TerminationRequest::onWake() {
    char bytes[16];
    while (::read(m_readFd, bytes, sizeof bytes) > 0) {
    }
    // A second request while the close query asks about unsaved changes waits for that answer.
    if (m_closing)
        return;
    m_closing = true;
    if (m_first)
        m_first();
    m_window->close();
    m_closing = false;
}

} // namespace tavlor::ui
