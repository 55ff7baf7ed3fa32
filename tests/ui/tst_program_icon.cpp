// The program icon is compiled into the UI library and loads at the size the window shows it.
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QtTest>

class tst_program_icon : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(icon); }

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
};

QTEST_MAIN(tst_program_icon)
#include "tst_program_icon.moc"
