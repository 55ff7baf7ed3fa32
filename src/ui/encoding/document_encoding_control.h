#pragma once

#include "core/text/text_encoding.h"

#include <QObject>

#include <functional>
#include <string>

class QLineEdit;
class QString;
class QWidget;

namespace tavlor {
class SheetDocument;
class SheetView;
} // namespace tavlor

namespace tavlor::ui {

class ActionRegistry;
class EncodingChooser;
class SheetGrid;

/** The document's encoding in the window: the chooser shows it and offers the others; a choice
 *  reads the same bytes anew, the conversion rewrites them as UTF-8, and both text boxes refuse
 *  what the encoding cannot hold, with a note in panel 0 that says so. */
class DocumentEncodingControl : public QObject {
    Q_OBJECT
public:
    /** Runs a body inside the window's one error boundary. */
    using Guard = std::function<void(const std::function<void()>&)>;
    /** Shows a note in the window's panel 0. */
    using NoteSink = std::function<void(const QString&)>;

    /** What the control works on; all of it outlives the control. */
    struct Parts {
        SheetDocument& document;
        SheetView& view; // shows the current cell in the formula bar anew
        SheetGrid* grid; // its current cell and its in-cell editor
        QLineEdit* formulaBar;
    };

    /** Builds the chooser (window owns it); its commands are found in actions by their ids. */
    DocumentEncodingControl(QWidget* window, const ActionRegistry& actions, Parts parts,
                            Guard guard, NoteSink showNote);

    /** The status-bar field and the menu of encodings. */
    EncodingChooser* chooser() const { return m_chooser; }

    /** Shows encoding as the document's in the field and the menu. */
    void showEncoding(tavlor::TextEncoding encoding);
    /** Reads the document's bytes in encoding: the text shown changes, no byte and not the
     *  modified flag. */
    void setDocumentEncoding(tavlor::TextEncoding encoding);
    /** Rewrites the document as UTF-8 (marks it modified when a byte changed). */
    void ConvertToUtf81Click();
    /** Opens the field's menu of encodings (the key of EncodingMenu1). */
    void EncodingMenu1Click();

private:
    /** Panel 0 tells that the document's encoding cannot hold character, and what to do. */
    void reportUnheldCharacter(char32_t character);

    Parts m_parts;
    Guard m_guard;
    NoteSink m_showNote;
    EncodingChooser* m_chooser;
};

} // namespace tavlor::ui
