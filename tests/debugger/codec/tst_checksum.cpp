#include "checksum.h"

#include <QTest>

using Checksum::Kind;
Q_DECLARE_METATYPE(Checksum::Kind)

class tst_Checksum : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkValues_data();
    void checkValues();
    void storedNames();
};

// The published check value of each algorithm ("123456789") and the bytes
// that go on the wire after the frame.
void tst_Checksum::checkValues_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QByteArray>("wire");

    const QByteArray check("123456789");
    QTest::newRow("none") << Kind::None << check << 0u << QByteArray();
    QTest::newRow("SUM-8") << Kind::Sum8 << check << 0xDDu << QByteArray("\xDD");
    QTest::newRow("XOR-8") << Kind::Xor8 << check << 0x31u << QByteArray("\x31");
    QTest::newRow("CRC-16/MODBUS, low byte first") << Kind::Crc16Modbus << check << 0x4B37u << QByteArray("\x37\x4B");
    QTest::newRow("CRC-16/CCITT-FALSE, high byte first")
        << Kind::Crc16CcittFalse << check << 0x29B1u << QByteArray("\x29\xB1");
    QTest::newRow("CRC-32, low byte first") << Kind::Crc32 << check << 0xCBF43926u << QByteArray("\x26\x39\xF4\xCB");
    QTest::newRow("CRC-32 of nothing") << Kind::Crc32 << QByteArray() << 0u << QByteArray(4, '\0');
    QTest::newRow("CRC-16/MODBUS of a zero byte")
        << Kind::Crc16Modbus << QByteArray(1, '\0') << 0x40BFu << QByteArray("\xBF\x40");
}

void tst_Checksum::checkValues()
{
    QFETCH(Kind, kind);
    QFETCH(QByteArray, data);
    QFETCH(quint32, value);
    QFETCH(QByteArray, wire);
    QCOMPARE(Checksum::value(kind, data), value);
    QCOMPARE(Checksum::bytes(kind, data), wire);
    QCOMPARE(Checksum::size(kind), wire.size());
}

// The choice is kept in the settings by name: each name reads back as its
// kind, and a name from elsewhere as none.
void tst_Checksum::storedNames()
{
    for (const Kind kind : Checksum::kAll)
        QCOMPARE(Checksum::fromName(Checksum::name(kind)), kind);
    QCOMPARE(Checksum::fromName(QStringLiteral("CRC-8")), Kind::None);
}

QTEST_APPLESS_MAIN(tst_Checksum)
#include "tst_checksum.moc"
