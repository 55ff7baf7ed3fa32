#pragma once

#include "core/text/text_encoding.h"

#include <QObject>

#include <map>

class QAction;
class QMenu;
class QToolButton;
class QWidget;

namespace tavlor::ui {

class ActionRegistry;

/** The document's encoding as the user sees and changes it: the "Encoding" menu (one item per
 *  encoding, the present one checked, and the conversion to UTF-8) and a status-bar field that
 *  shows the encoding's name and opens the same menu. The two commands EncodingMenu1 (the key
 *  that opens the field's menu) and ConvertToUtf81 are rows of the window's command table. */
class EncodingChooser : public QObject {
    Q_OBJECT
public:
    /** Builds the menu of encodings and the field; window owns them. The window's command table
     *  adds ConvertToUtf81 to the menu; the submenu's item shows the key of EncodingMenu1. */
    EncodingChooser(QWidget* window, const ActionRegistry& actions);

    QMenu* menu() const { return m_menu; }
    QToolButton* field() const { return m_field; }
    QAction* action(tavlor::TextEncoding encoding) const { return m_actions.at(encoding); }
    QAction* convertAction() const { return m_convert; }

    /** Shows encoding as the document's: field text, checked item, conversion only when 8-bit. */
    void show(tavlor::TextEncoding encoding);

signals:
    /** The user chose encoding for reading the document's bytes. */
    void encodingChosen(tavlor::TextEncoding encoding);

private:
    QMenu* m_menu = nullptr;
    QToolButton* m_field = nullptr;
    std::map<tavlor::TextEncoding, QAction*> m_actions;
    QAction* m_convert = nullptr;
};

} // namespace tavlor::ui
