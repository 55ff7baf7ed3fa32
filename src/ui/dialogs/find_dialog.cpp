#include "ui/dialogs/find_dialog.h"

#include "ui/dialogs/dialog_placement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavlor::ui {

FindDialog::FindDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(tr("Find"));
    setModal(false);

    auto* label = new QLabel(tr("Fi&nd what:"), this);
    m_findWhat = new QLineEdit(this);
    m_findWhat->setMaxLength(kMaxFindLength);
    m_findWhat->setMinimumWidth(200);
    label->setBuddy(m_findWhat);

    m_wholeWord = new QCheckBox(tr("Match &whole word only"), this);
    m_matchCase = new QCheckBox(tr("Match &case"), this);

    auto* direction = new QGroupBox(tr("Direction"), this);
    m_up = new QRadioButton(tr("&Up"), direction);
    m_down = new QRadioButton(tr("&Down"), direction);
    m_down->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    m_findNext = new QPushButton(tr("&Find Next"), this);
    m_findNext->setDefault(true);
    m_findNext->setEnabled(false); // as in the familiar find dialog: nothing to look for yet
    m_cancel = new QPushButton(tr("Cancel"), this);

    auto* options = new QVBoxLayout;
    options->addWidget(m_wholeWord);
    options->addWidget(m_matchCase);
    options->addStretch();

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(m_cancel);
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_findWhat, 0, 1, 1, 2);
    grid->addLayout(options, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2);
    grid->addLayout(buttons, 0, 3, 2, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_findWhat, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_findNext->setEnabled(!text.isEmpty()); });
    connect(m_findNext, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(m_cancel, &QPushButton::clicked, this, &FindDialog::reject);
}

void FindDialog::showFind() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    const bool firstOpening = !m_rememberedPosition;
    if (firstOpening)
        placeAtOneThird(*this, parentWidget());
    else
        move(*m_rememberedPosition);
    show();
    if (firstOpening)
        placeAtOneThird(*this, parentWidget()); // again, now that the frame is known
    raise();
    activateWindow();
    m_findWhat->setFocus();
    m_findWhat->selectAll();
}

QString FindDialog::findText() const {
    return m_findWhat->text();
}

void FindDialog::setFindText(const QString& text) {
    m_findWhat->setText(text);
}

void FindDialog::done(int result) {
    if (isVisible())
        m_rememberedPosition = pos();
    QDialog::done(result);
}

} // namespace tavlor::ui
