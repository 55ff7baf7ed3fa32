#pragma once

#include "core/document/document_ui.h"

#include <QString>

#include <functional>
#include <vector>

class QFileDialog;
class QWidget;

namespace tavlor::ui {

/** The document commands' prompts, file dialogs, caption and load warning as Qt dialogs owned by
 *  the main window. */
class QtDocumentUi : public DocumentUi {
public:
    /** The dialogs are children of window, made on first use (which keeps them off the start-up
     *  time) and reused for its lifetime, so each remembers the name it last returned. */
    explicit QtDocumentUi(QWidget* window);
    QtDocumentUi(const QtDocumentUi&) = delete;
    QtDocumentUi& operator=(const QtDocumentUi&) = delete;

    Answer askToSave(const std::string& text) override;
    std::optional<std::string> chooseSavePath(const std::optional<std::string>& preset) override;
    bool askToReplace(const std::string& text) override;
    std::optional<std::string> chooseOpenPath() override;
    void setCaption(const std::string& caption) override;
    void showLoadWarning(const std::string& text) override;
    /** A warning box over the window (program title, text, OK), held back like the others. */
    void showNotice(const char* objectName, const std::string& text);
    /** Runs body holding back the message boxes it shows; they wait, in order, until
     *  releaseBoxes(). At start-up none shows before the main window stands in its place. */
    void holdBoxesDuring(const std::function<void()>& body);
    void releaseBoxes();
    /** Shows a message box now, or on release while held. */
    void showBox(std::function<void()> box);
    /** Makes the main window active again after a modal box closed. */
    void giveBackActivation();

    QFileDialog* OpenDialog();
    QFileDialog* SaveDialog();

    /** A warning box over the window: program title, the text, OK. */
    void warn(const char* objectName, const QString& text);

private:
    /** Runs dialog offering name; returns the chosen path and remembers it in lastName. */
    std::optional<std::string> run(QFileDialog* dialog, const QString& name, QString& lastName);

    QWidget* m_window = nullptr;
    QFileDialog* m_openDialog = nullptr;
    QFileDialog* m_saveDialog = nullptr;
    QString m_lastOpenName;
    QString m_lastSaveName;
    bool m_holdingBoxes = false;
    std::vector<std::function<void()>> m_heldBoxes;
};

} // namespace tavlor::ui
