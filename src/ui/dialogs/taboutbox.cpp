#include "ui/dialogs/taboutbox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QUrl>

namespace {

constexpr int kClientWidth = 234;
constexpr int kClientHeight = 161;

// The green check mark of the OK button.
QIcon checkMarkGlyph() {
    // Drawn at the screen's scale, so that it stays sharp on a high-density screen.
    const qreal scale = qApp->devicePixelRatio();
    QPixmap pixmap(QSize(16, 16) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0, 128, 0), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    QPainterPath path;
    path.moveTo(2.5, 8.5);
    path.lineTo(6.5, 12.5);
    path.lineTo(13.5, 3.5);
    painter.drawPath(path);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("About Tavlor"));
    setFixedSize(kClientWidth, kClientHeight);
    setModal(true);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    setPalette(colours);
    // Where the dialog font is missing, a face with its metrics keeps the texts inside the
    // fixed client area (the usual stand-in is much wider).
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    font.setPixelSize(11);
    setFont(font);

    auto* bevel1 = new QFrame(this);
    bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel1->setLineWidth(1);
    bevel1->setGeometry(10, 10, 34, 34);
    // The thin frame has no mouse handling of its own: the links keep their state over it.
    bevel1->setAttribute(Qt::WA_NoMousePropagation);

    m_Image1 = new QLabel(this);
    m_Image1->setGeometry(11, 11, 32, 32);
    m_Image1->setAlignment(Qt::AlignCenter);

    QLabel* label1 = addText(QStringLiteral("Vorlane Software"), 55, 8);
    QLabel* label2 = addText(QStringLiteral("Tavlor 1.10"), 55, 24);
    QLabel* label3 = addText(QStringLiteral("Copyright \u00A9 2026 Vorlane Software"), 55, 40);
    QLabel* label4 = addText(QStringLiteral("Web Site:"), 55, 64);
    m_Label5 = addText(QString::fromLatin1(kWebHost), 108, 64);
    QLabel* label6 = addText(QStringLiteral("E-mail:"), 55, 80);
    m_Label7 = addText(QString::fromLatin1(kMailAddress), 108, 80);
    QLabel* label8 = addText(QStringLiteral("Licence terms: see license.txt"), 55, 104);
    label8->setAttribute(Qt::WA_NoMousePropagation);

    // A hint without "|" is both tooltip and long hint; these are the program's only tooltips.
    const QString webHint = QString::fromLatin1(kWebAddress);
    const QString mailHint = QStringLiteral("Mailto ") + QString::fromLatin1(kMailAddress);
    for (auto [link, hint] : {std::pair{m_Label5, webHint}, std::pair{m_Label7, mailHint}}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setToolTip(hint);
        link->setStatusTip(hint);
        link->setMouseTracking(true);
        link->setAttribute(Qt::WA_NoMousePropagation);
        link->installEventFilter(this);
        setHighlighted(link, false);
    }

    m_BitBtn1 = new QPushButton(checkMarkGlyph(), QStringLiteral("&OK"), this);
    m_BitBtn1->setGeometry(55, 128, 106, 25);
    m_BitBtn1->setDefault(true);
    m_BitBtn1->setAutoDefault(true);
    connect(m_BitBtn1, &QPushButton::clicked, this, &TAboutBox::accept);

    // Moving over these counts as moving over the dialog itself (FormMouseMove).
    m_formMoveSources = {this, m_Image1, label1, label2, label3, label4, label6, m_BitBtn1};
    for (QWidget* source : m_formMoveSources) {
        source->setMouseTracking(true);
        if (source != this)
            source->installEventFilter(this);
    }

    FormCreate();
}

QLabel* TAboutBox::addText(const QString& text, int left, int top) {
    auto* label = new QLabel(text, this);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void TAboutBox::FormCreate() {
    const QIcon icon = QApplication::windowIcon();
    m_Image1->setPixmap(icon.pixmap(32, 32));
}

bool TAboutBox::isHighlighted(const QLabel* link) {
    return link->palette().color(QPalette::WindowText) == QColor(255, 0, 0) &&
           link->font().underline();
}

void TAboutBox::setHighlighted(QLabel* link, bool highlighted) {
    QPalette colours = link->palette();
    colours.setColor(QPalette::WindowText, highlighted ? QColor(255, 0, 0) : QColor(0, 0, 255));
    link->setPalette(colours);
    QFont font = link->font();
    font.setUnderline(highlighted);
    link->setFont(font);
}

void TAboutBox::FormMouseMove() {
    setHighlighted(m_Label5, false);
    setHighlighted(m_Label7, false);
}

void TAboutBox::Label5MouseMove() {
    setHighlighted(m_Label5, true);
    setHighlighted(m_Label7, false);
}

void TAboutBox::Label7MouseMove() {
    setHighlighted(m_Label7, true);
    setHighlighted(m_Label5, false);
}

void TAboutBox::Label5Click() {
    // Whether the desktop could open it is not examined.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebAddress)));
}

void TAboutBox::Label7Click() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(kMailAddress)));
}

void TAboutBox::reject() {}

bool TAboutBox::event(QEvent* event) {
    // Long hints show in the main window's status bar, whichever window the pointer is over.
    if (event->type() == QEvent::StatusTip && parentWidget() != nullptr) {
        QStatusTipEvent forwarded(static_cast<QStatusTipEvent*>(event)->tip());
        QCoreApplication::sendEvent(parentWidget()->window(), &forwarded);
        return true;
    }
    return QDialog::event(event);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_Label5 || watched == m_Label7) {
        const bool web = watched == m_Label5;
        if (event->type() == QEvent::MouseMove) {
            web ? Label5MouseMove() : Label7MouseMove();
            event->accept();
            return true; // the dialog's own mouse handling would reset the links
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            auto* link = static_cast<QLabel*>(watched);
            if (mouse->button() == Qt::LeftButton &&
                link->rect().contains(mouse->position().toPoint())) {
                try {
                    web ? Label5Click() : Label7Click();
                } catch (...) {
                    // A link that cannot be opened fails silently.
                }
            }
            return false;
        }
    }
    if (event->type() == QEvent::MouseMove && watched->isWidgetType() &&
        m_formMoveSources.contains(static_cast<QWidget*>(watched)))
        FormMouseMove();
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::mouseMoveEvent(QMouseEvent* event) {
    FormMouseMove();
    QDialog::mouseMoveEvent(event);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - frameGeometry().width()) / 2,
             area.top() + (area.height() - frameGeometry().height()) / 2);
    }
    QDialog::showEvent(event);
}
