#include "hexcodec.h"

#include <QTest>

class tst_HexCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hexTextToBytes_data();
    void hexTextToBytes();
    void bytesToHexText_data();
    void bytesToHexText();
    void localTextRoundTrip_data();
    void localTextRoundTrip();
    void hexInput_data();
    void hexInput();
};

void tst_HexCodec::hexTextToBytes_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("pairs with a blank") << QByteArray("41 42") << QByteArray("\x41\x42");
    QTest::newRow("pairs run together") << QByteArray("4142") << QByteArray("\x41\x42");
    QTest::newRow("lone digit then a pair") << QByteArray("1 23") << QByteArray("\x01\x23", 2);
    QTest::newRow("odd count pairs from the right") << QByteArray("123") << QByteArray("\x01\x23", 2);
    QTest::newRow("0x prefix: x skipped, 0 alone") << QByteArray("0x41") << QByteArray("\x00\x41", 2);
    QTest::newRow("no digits") << QByteArray("zz") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("separators do not separate") << QByteArray("a b c") << QByteArray("\x0a\xbc", 2);
    QTest::newRow("upper and lower case") << QByteArray("fF Aa") << QByteArray("\xff\xaa", 2);
    QTest::newRow("commas and line ends") << QByteArray("01,02\r\n03") << QByteArray("\x01\x02\x03", 3);
    QTest::newRow("letters beyond f") << QByteArray("g1h2") << QByteArray("\x12", 1);
    // "é" is 0xC3 0xA9 in UTF-8: neither byte is an ASCII digit.
    QTest::newRow("non-ASCII skipped") << QByteArray("4\xc3\xa9" "1") << QByteArray("\x41", 1);
    QTest::newRow("single digit") << QByteArray("f") << QByteArray("\x0f", 1);
    // Digits pair across the prefixes: 0 01 0 02 reads as 00 10 02.
    QTest::newRow("several 0x prefixes") << QByteArray("0x01 0x02") << QByteArray("\x00\x10\x02", 3);
}

void tst_HexCodec::hexTextToBytes()
{
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, bytes);
    QCOMPARE(HexTextToBytes(typed), bytes);
}

void tst_HexCodec::bytesToHexText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("lower case, one blank") << QByteArray("\x41\x0a\xff") << QStringLiteral("41 0a ff");
    QTest::newRow("no bytes") << QByteArray() << QString();
    QTest::newRow("one byte, no blanks") << QByteArray("\x00", 1) << QStringLiteral("00");
    QTest::newRow("zero bytes inside") << QByteArray("\x01\x00\x02", 3) << QStringLiteral("01 00 02");
}

void tst_HexCodec::bytesToHexText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(BytesToHexText(bytes), text);
    QCOMPARE(HexTextToBytes(text.toLatin1()), bytes);
}

void tst_HexCodec::localTextRoundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii") << QStringLiteral("abc");
    QTest::newRow("line end kept") << QStringLiteral("abc\r\n");
    QTest::newRow("chinese") << QStringLiteral("雁桥 接收区");
    QTest::newRow("empty") << QString();
}

void tst_HexCodec::localTextRoundTrip()
{
    QFETCH(QString, text);
    const QByteArray bytes = LocalTextToBytes(text);
    QCOMPARE(bytes, text.toLocal8Bit());
    QCOMPARE(BytesToLocalText(bytes), text);
}

void tst_HexCodec::hexInput_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("badToken");

    const QByteArray oneTwoThree("\x01\x02\x03");
    QTest::newRow("pairs with blanks") << QStringLiteral("01 02 03") << oneTwoThree << QString();
    QTest::newRow("pairs run together") << QStringLiteral("010203") << oneTwoThree << QString();
    QTest::newRow("prefixed, commas") << QStringLiteral("0x01,0x02,0X03") << oneTwoThree << QString();
    QTest::newRow("single digits are bytes") << QStringLiteral("1 2 3") << oneTwoThree << QString();
    QTest::newRow("prefixed pairs") << QStringLiteral("0x41 0x42") << QByteArray("AB") << QString();
    QTest::newRow("line ends and tabs separate") << QStringLiteral(" ff\tFF ,\r\n") << QByteArray("\xff\xff")
                                                 << QString();
    QTest::newRow("first bad token named") << QStringLiteral("GG 12 3 zz 4") << QByteArray() << QStringLiteral("GG");
    QTest::newRow("not ASCII") << QStringLiteral("中") << QByteArray() << QStringLiteral("中");
    QTest::newRow("long token of odd length") << QStringLiteral("12 123") << QByteArray() << QStringLiteral("123");
    QTest::newRow("prefix alone") << QStringLiteral("0x") << QByteArray() << QStringLiteral("0x");
}

void tst_HexCodec::hexInput()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, badToken);
    const HexInput input = parseHexInput(typed);
    QCOMPARE(input.ok(), badToken.isEmpty());
    QCOMPARE(input.badToken, badToken);
    QCOMPARE(input.bytes, bytes);
}

QTEST_APPLESS_MAIN(tst_HexCodec)
#include "tst_hexcodec.moc"
