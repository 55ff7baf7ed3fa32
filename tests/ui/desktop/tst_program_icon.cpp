// The program icon is compiled into the UI library and loads at the size the window shows it; on a
// screen scaled to 200 % the icon and the glyphs come from their own double-size images.
#include "ui/commands/glyphs.h"
#include "ui/desktop/resources_init.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QtTest>

class tst_program_icon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { tavlorInitResources(); }

    void pngIsFortyEightSquareAndNotBlank() {
        QImage image(QStringLiteral(":/tavlor/icons/tavlor-48.png"));
        QVERIFY2(!image.isNull(), "the 48 x 48 icon is missing from the resources");
        QCOMPARE(image.size(), QSize(48, 48));
        QVERIFY(image.hasAlphaChannel());
        // Corners outside the sheet are transparent, the middle of the sheet is opaque.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(47, 47)), 0);
        QCOMPARE(qAlpha(image.pixel(24, 24)), 255);
        QSet<QRgb> colours;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 4, "the icon looks blank");
        QVERIFY2(colours.size() <= 256, "the icon must stay within 256 colours");
    }

    void scalableIconIsThere() {
        QFile svg(QStringLiteral(":/tavlor/icons/tavlor.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray text = svg.readAll();
        QVERIFY(text.contains("<svg"));
        QVERIFY(text.contains("viewBox=\"0 0 48 48\""));
    }

    void iconOffersTheBitmap() {
        const QIcon icon(QStringLiteral(":/tavlor/icons/tavlor-48.png"));
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes().value(0), QSize(48, 48));
    }

    void doubleSizeImagesOnAScreenScaledTo200Percent() {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        // Each comes from its own image at twice the size, not from the small one blurred up.
        struct Case {
            QIcon icon;
            int size;
            QString twice;
        };
        const Case cases[] = {
            {QIcon(QStringLiteral(":/tavlor/icons/tavlor-48.png")), 48,
             QStringLiteral(":/tavlor/icons/tavlor-48@2x.png")},
            {tavlor::ui::glyph(0), 16, QStringLiteral(":/tavlor/glyphs/00@2x.png")},
            {tavlor::ui::glyph(10), 16, QStringLiteral(":/tavlor/glyphs/10@2x.png")},
        };
        for (const Case& c : cases) {
            // Compared premultiplied, as a pixmap holds it (the icon's edges are half transparent).
            const QImage shown = c.icon.pixmap(c.size, c.size)
                                     .toImage()
                                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QImage twice =
                QImage(c.twice).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(twice.size(), QSize(2 * c.size, 2 * c.size));
            QVERIFY2(shown == twice, qPrintable(c.twice));
        }
        // Pixel art doubles pixel for pixel: every 2 x 2 block of a glyph is one colour.
        QImage glyph = QImage(QStringLiteral(":/tavlor/glyphs/05@2x.png"));
        glyph.setDevicePixelRatio(1); // an "@2x" name loads as 2; the pixels are what count here
        const QImage small = QImage(QStringLiteral(":/tavlor/glyphs/05.png"));
        QCOMPARE(glyph.convertToFormat(QImage::Format_ARGB32),
                 small.scaled(32, 32).convertToFormat(QImage::Format_ARGB32));
    }
};

int main(int argc, char* argv[]) {
    // A screen scaled to 200 %, as on a high-density display.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    tst_program_icon test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_program_icon.moc"
