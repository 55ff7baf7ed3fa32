#pragma once

#include "core/text/text_encoding.h"

#include <QObject>

#include <map>

class QAction;
class QMenu;
class QToolButton;
class QWidget;

namespace tavlor::ui {

/** The document's encoding as the user sees and changes it: the "Encoding" menu (one item per
 *  encoding, the present one checked, and the conversion to UTF-8) and a status-bar field that
 *  shows the encoding's name and opens the same menu. */
class EncodingChooser : public QObject {
    Q_OBJECT
public:
    /** Builds the menu and the field; window owns them and takes the shortcut that opens the
     *  field's menu. */
    explicit EncodingChooser(QWidget* window);

    QMenu* menu() const { return m_menu; }
    QToolButton* field() const { return m_field; }
    QAction* action(tavlor::TextEncoding encoding) const { return m_actions.at(encoding); }
    QAction* convertAction() const { return m_convert; }

    /** Shows encoding as the document's: field text, checked item, conversion only when 8-bit. */
    void show(tavlor::TextEncoding encoding);

signals:
    /** The user chose encoding for reading the document's bytes. */
    void encodingChosen(tavlor::TextEncoding encoding);
    /** The user asked to rewrite the document as UTF-8. */
    void convertChosen();

private:
    QMenu* m_menu = nullptr;
    QToolButton* m_field = nullptr;
    std::map<tavlor::TextEncoding, QAction*> m_actions;
    QAction* m_convert = nullptr;
};

} // namespace tavlor::ui
