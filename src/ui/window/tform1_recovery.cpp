// Unsaved work kept in a recovery file: written a while after typing stops, ended when nothing
// is unsaved, and offered at the next start when the program did not end properly.
#include "ui/window/tform1.h"

#include "ui/recovery/recovery_timer.h"

#include <QDateTime>

#include <exception>

namespace {
std::int64_t now() {
    return QDateTime::currentSecsSinceEpoch();
}
} // namespace

void TForm1::keepUnsavedWork() {
    m_recoveryTimer->cancel();
    runGuarded([this] { m_recovery.write(now(), m_recoveryUi); });
}

void TForm1::setRecoveryDelays(int quiet, int longest) {
    m_recoveryTimer->setDelays(quiet, longest);
}

void TForm1::writeRecovery() {
    std::optional<std::string> text = m_recovery.text(now());
    if (!text)
        return;
    // The text is made here, where the document lives; the file and its flush to disk run beside
    // the window, which hears how it went through its event loop.
    try {
        m_recoveryStore.writeInBackground(std::move(*text), [this](const std::string& error) {
            QMetaObject::invokeMethod(
                this, [this, error] { m_recovery.noteWritten(error, m_recoveryUi); },
                Qt::QueuedConnection);
        });
    } catch (const std::exception& error) { // no folder, no lock file, no thread: told once
        m_recovery.noteWritten(error.what(), m_recoveryUi);
    }
}

void TForm1::finishRecoveryWrite() {
    m_recoveryStore.finishWriting();
}

void TForm1::offerRecovery() {
    m_recovery.offerOrphans(m_recoveryUi, now());
}

void TForm1::contentChanged() {
    if (m_recoveryTimer && m_document.isModified())
        m_recoveryTimer->noteChange();
}
