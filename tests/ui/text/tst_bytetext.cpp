// The bytes <-> text mapping gives back every byte string unchanged, also through a QLineEdit.
#include "core/text/text_encoding.h"
#include "ui/text/bytetext.h"
#include "ui/text/cell_text_box.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QtTest>

#include <climits>

using tavlor::ui::toBytes;
using tavlor::ui::toText;

namespace {
std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}
} // namespace

class tst_bytetext : public QObject {
    Q_OBJECT
private slots:
    void decodesWellFormedUtf8_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ascii") << QByteArray("abc;1") << QStringLiteral("abc;1");
        QTest::newRow("turkish") << QByteArray("\xc5\x9f\xc4\xb1") << QString::fromUtf8("şı");
        QTest::newRow("bmp 3 bytes") << QByteArray("\xe2\x82\xac") << QString(QChar(0x20AC));
        QTest::newRow("astral 4 bytes")
            << QByteArray("\xf0\x9f\x98\x80") << QString::fromUcs4(U"\U0001F600", 1);
        QTest::newRow("bom kept") << QByteArray("\xef\xbb\xbfx") << (QString(QChar(0xFEFF)) + u'x');
        QTest::newRow("line breaks and tab")
            << QByteArray("a\r\nb\rc\nd\te") << QStringLiteral("a\r\nb\rc\nd\te");
    }
    void decodesWellFormedUtf8() {
        QFETCH(QByteArray, input);
        QFETCH(QString, expected);
        const std::string raw(input.constData(), static_cast<std::size_t>(input.size()));
        QCOMPARE(toText(raw), expected);
        QCOMPARE(toBytes(expected), raw);
    }

    void mapsEachInvalidByteToItsOwnSurrogate_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("units");
        QTest::newRow("lone high byte") << QByteArray("\xe9") << 1;
        QTest::newRow("cp1254 text") << QByteArray("\xde\xfe\xfd") << 3;
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << 2;
        QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80") << 3;
        QTest::newRow("above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << 4;
        QTest::newRow("cut sequence then ascii") << QByteArray("\xe2\x82x") << 3;
        QTest::newRow("stray continuation") << QByteArray("\x80\xbf") << 2;
    }
    void mapsEachInvalidByteToItsOwnSurrogate() {
        QFETCH(QByteArray, input);
        QFETCH(int, units);
        const std::string raw(input.constData(), static_cast<std::size_t>(input.size()));
        const QString text = toText(raw);
        QCOMPARE(text.size(), units);
        for (QChar ch : text) {
            if (ch.unicode() >= 0x80)
                QVERIFY2(ch.unicode() >= 0xDC80 && ch.unicode() <= 0xDCFF, "not a byte surrogate");
        }
        QCOMPARE(toBytes(text), raw);
    }

    void everyTwoByteStringRoundTrips() {
        for (int a = 0; a < 256; ++a) {
            for (int b = 0; b < 256; ++b) {
                const std::string raw = bytes({a, b});
                if (toBytes(toText(raw)) != raw)
                    QFAIL(qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
            }
        }
    }

    void everyThreeByteStringRoundTrips() {
        std::string raw(3, '\0');
        for (int a = 0; a < 256; ++a) {
            for (int b = 0; b < 256; ++b) {
                for (int c = 0; c < 256; ++c) {
                    raw[0] = static_cast<char>(a);
                    raw[1] = static_cast<char>(b);
                    raw[2] = static_cast<char>(c);
                    if (toBytes(toText(raw)) != raw)
                        QFAIL(qPrintable(QStringLiteral("%1 %2 %3").arg(a).arg(b).arg(c)));
                }
            }
        }
    }

    void randomStringsRoundTripThroughALineEdit() {
        QRandomGenerator random(20261207);
        QLineEdit box;
        box.setMaxLength(INT_MAX);
        for (int i = 0; i < 2000; ++i) {
            std::string raw(random.bounded(1, 64), '\0');
            for (char& byte : raw) {
                // Mix plain ASCII, line breaks, lead and continuation bytes.
                const int pick = random.bounded(4);
                byte = static_cast<char>(pick == 0   ? random.bounded(1, 128)
                                         : pick == 1 ? "\r\n\t;"[random.bounded(4)]
                                                     : random.bounded(128, 256));
            }
            box.setText(toText(raw));
            QCOMPARE(toBytes(box.text()), raw);
        }
    }

    void longTextRoundTrips() {
        std::string raw;
        for (int i = 0; i < 100000; ++i)
            raw += static_cast<char>(i % 7 == 0 ? 0xE9 : 'a' + i % 26);
        QLineEdit box;
        box.setMaxLength(INT_MAX);
        box.setText(toText(raw));
        QCOMPARE(toBytes(box.text()).size(), raw.size());
        QVERIFY(toBytes(box.text()) == raw);
    }

    void codePageTextKeepsEveryByteAndRefusesWhatItCannotHold() {
        const tavlor::TextCodec turkish(tavlor::TextEncoding::Windows1254);
        std::string all;
        for (int b = 1; b < 256; ++b)
            all += static_cast<char>(b);
        QLineEdit box;
        box.setText(toText(all, turkish));
        QCOMPARE(box.text().size(), 255); // one character per byte
        QCOMPARE(toBytes(box.text(), turkish), std::optional<std::string>(all));
        QCOMPARE(toText("\xDEi\xFEli", turkish), QString::fromUtf8("Şişli"));
        QCOMPARE(toBytes(QString::fromUtf8("ğ"), turkish), std::optional<std::string>("\xF0"));
        char32_t unheld = 0;
        QCOMPARE(toBytes(QString::fromUtf8("a→b"), turkish, &unheld), std::nullopt);
        QCOMPARE(unheld, U'→');
        QCOMPARE(tavlor::ui::firstUnheldCharacter(QString::fromUcs4(U"x\U0001F600", 2), turkish),
                 std::optional<char32_t>(U'\U0001F600'));
        // UTF-8 documents hold everything and keep the same mapping as above.
        const tavlor::TextCodec utf8;
        QCOMPARE(toBytes(QString::fromUtf8("a→b"), utf8), std::optional<std::string>("a\xE2\x86\x92"
                                                                                     "b"));
        QCOMPARE(toText("\xDEi", utf8), toText("\xDEi"));
    }

    void textTypedByTheUserBecomesUtf8() {
        QCOMPARE(toBytes(QString::fromUtf8("ğ€")), std::string("\xc4\x9f\xe2\x82\xac"));
        // A lone high surrogate cannot come from bytes; it is written as its three-byte form.
        QCOMPARE(toBytes(QString(QChar(0xD800))), std::string("\xed\xa0\x80"));
    }

    void aLongCellIsLaidOutUnshapedOnlyWhenNothingCombines() {
        tavlor::ui::CellTextBox box;
        const QString tr = QString::fromUtf8("şğİıçöü").repeated(600); // 4,200 characters
        QString unshaped; // short; long; a font from outside; a combining acute; a non-text byte
        for (const QString& text : {QStringLiteral("short"), tr, tr, tr + QChar(0x0301),
                                    tr + toText("\xff"), tr}) {
            box.setText(text);
            if (unshaped.size() == 2)
                box.setFont(QFont(QStringLiteral("Arial")));
            unshaped += box.font().styleStrategy() & QFont::PreferNoShaping ? u'1' : u'0';
        }
        QCOMPARE(unshaped, QStringLiteral("011001"));
    }
};

QTEST_MAIN(tst_bytetext)
#include "tst_bytetext.moc"
