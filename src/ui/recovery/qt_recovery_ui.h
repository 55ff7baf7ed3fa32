#pragma once

#include "core/recovery/document_recovery.h"

#include <QString>

#include <functional>

class QWidget;

namespace tavlor::ui {

class QtDocumentUi;

/** The start-up question about unsaved work, the warning about a recovery file that cannot be
 *  used, and the note in panel 0 when the recovery file cannot be written. */
class QtRecoveryUi : public RecoveryUi {
public:
    QtRecoveryUi(QWidget* window, QtDocumentUi& boxes, std::function<void(const QString&)> hint);

    Answer askToRestore(const std::string& text) override;
    void showRecoveryProblem(const std::string& text) override;
    void showRecoveryWriteFailure(const std::string& text) override;

private:
    QWidget* m_window;
    QtDocumentUi& m_boxes;
    std::function<void(const QString&)> m_hint;
};

} // namespace tavlor::ui
