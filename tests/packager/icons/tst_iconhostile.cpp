#include "iconreader.h"
#include "reseditor.h"

#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

// Damaged and hostile inputs for the icon readers and the editor: none of
// them may crash, hang or read outside the data (the sanitizer configuration
// runs this too); all of them must come out as "no icon" or a refusal.
class tst_IconHostile : public QObject
{
    Q_OBJECT

private:
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QImage renderBytes(const QByteArray &bytes)
    {
        const auto read = productlayout::memoryReader(reinterpret_cast<const unsigned char *>(bytes.constData()),
                                                      std::size_t(bytes.size()));
        return iconreader::renderFirstIcon(read, std::uint64_t(bytes.size()));
    }

    // Every reader over the same bytes; only their not crashing is at stake.
    static void throwAtEveryReader(const QByteArray &bytes)
    {
        renderBytes(bytes);
        iconreader::renderIco(bytes);
        iconreader::decodeIconImage(bytes);
        std::string why;
        reseditor::validIcon(std::string_view(bytes.constData(), std::size_t(bytes.size())), why);
    }

    static void put16(QByteArray &b, int at, quint32 v)
    {
        b[at] = char(v & 0xff);
        b[at + 1] = char((v >> 8) & 0xff);
    }

    static void put32(QByteArray &b, int at, quint32 v)
    {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xff);
    }

    static quint32 get32(const QByteArray &b, int at)
    {
        quint32 v = 0;
        for (int i = 0; i < 4; ++i)
            v |= quint32(quint8(b[at + i])) << (8 * i);
        return v;
    }

    static QString fixture(const QString &name) { return QStringLiteral(ICON_FIXTURE_DIR "/") + name; }

    // File offset of the resource directory of a PE fixture, from its
    // section table (the fixtures have a .rsrc section).
    static int resourceOffset(const QByteArray &pe)
    {
        const int peOffset = int(get32(pe, 0x3c));
        const int sections = quint8(pe[peOffset + 6]) | quint8(pe[peOffset + 7]) << 8;
        const int optionalSize = quint8(pe[peOffset + 20]) | quint8(pe[peOffset + 21]) << 8;
        const int table = peOffset + 24 + optionalSize;
        for (int i = 0; i < sections; ++i)
            if (pe.mid(table + i * 40, 5) == ".rsrc")
                return int(get32(pe, table + i * 40 + 20));
        return -1;
    }

    static QByteArray dibHeader(qint32 width, qint32 height, int bitCount, quint32 colorsUsed = 0)
    {
        QByteArray b(40, '\0');
        put32(b, 0, 40);
        put32(b, 4, quint32(width));
        put32(b, 8, quint32(height));
        put16(b, 12, 1);
        put16(b, 14, quint32(bitCount));
        put32(b, 32, colorsUsed);
        return b;
    }

    static QByteArray icoWith(const QByteArray &image, int count = 1, quint32 size = 0, quint32 offset = 22)
    {
        QByteArray b(22, '\0');
        put16(b, 2, 1);
        put16(b, 4, quint32(count));
        b[6] = 16;
        b[7] = 16;
        put16(b, 10, 1);
        put16(b, 12, 32);
        put32(b, 14, size ? size : quint32(image.size()));
        put32(b, 18, offset);
        return b + image;
    }

private Q_SLOTS:
    // Inputs found by fuzzing or made by hand, kept as files.
    void committedCases()
    {
        int count = 0;
        QDirIterator it(QStringLiteral(ICON_HOSTILE_DIR), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            const QByteArray bytes = readFile(path);
            throwAtEveryReader(bytes);
            // Cases named *.noicon must not produce an icon at all.
            if (path.endsWith(QStringLiteral(".noicon")))
                QVERIFY2(renderBytes(bytes).isNull() && iconreader::renderIco(bytes).isNull(), qPrintable(path));
            ++count;
        }
        QVERIFY(count > 0);
    }

    void truncatedFilesGiveNoIcon_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"x86_64/multi.exe", "i686/multi.exe", "x86_64/png16.exe", "i686/bmp4.exe"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void truncatedFilesGiveNoIcon()
    {
        QFETCH(QString, name);
        if (!ICON_HAVE_PE && name.endsWith(QStringLiteral(".exe")))
            QSKIP("the mingw-w64 binutils are not installed, so no PE files could be built");
        const QByteArray pe = readFile(fixture(name));
        QVERIFY(!pe.isEmpty());
        const QImage whole = renderBytes(pe);
        QVERIFY(!whole.isNull());
        // Cut anywhere: no icon, or (cut only after the image) the same icon.
        for (int length = 0; length < pe.size(); ++length) {
            const QImage image = renderBytes(pe.left(length));
            if (!image.isNull())
                QVERIFY2(image == whole, qPrintable(QString::number(length)));
        }
    }

    void mutatedFilesNeverCrash_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"x86_64/multi.exe", "i686/named.exe", "x86_64/mono.exe", "multi.ico", "bmp8.ico"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void mutatedFilesNeverCrash()
    {
        QFETCH(QString, name);
        if (!ICON_HAVE_PE && name.endsWith(QStringLiteral(".exe")))
            QSKIP("the mingw-w64 binutils are not installed, so no PE files could be built");
        const QByteArray original = readFile(fixture(name));
        QVERIFY(!original.isEmpty());
        QRandomGenerator random(0x1c0);
        for (int round = 0; round < 1500; ++round) {
            QByteArray bytes = original;
            const int flips = 1 + int(random.bounded(8));
            for (int i = 0; i < flips; ++i) {
                const int at = int(random.bounded(bytes.size()));
                // Bias towards the values that make counts and offsets lie.
                static const char values[] = {'\0', '\x01', '\x7f', '\x80', '\xff'};
                bytes[at] = random.bounded(2) ? values[random.bounded(5)] : char(random.bounded(256));
            }
            throwAtEveryReader(bytes);
        }
    }

    // Hand-made damage to the resource directory of a real PE file.
    void hostileResourceDirectories_data()
    {
        QTest::addColumn<QString>("damage");
        for (const char *damage : {"type count lies", "named count lies", "entry offset past end", "root loops to itself",
                                   "group data past end", "group data huge", "group count lies", "icon id missing",
                                   "zero size data", "resource rva outside sections", "section table past end"})
            QTest::newRow(damage) << QString::fromLatin1(damage);
    }
    void hostileResourceDirectories()
    {
        QFETCH(QString, damage);
        if (!ICON_HAVE_PE)
            QSKIP("the mingw-w64 binutils are not installed, so no PE files could be built");
        QByteArray pe = readFile(fixture(QStringLiteral("x86_64/bmp24.exe")));
        const int rsrc = resourceOffset(pe);
        QVERIFY(rsrc > 0);
        QVERIFY(!renderBytes(pe).isNull());

        // Root directory: 16-byte header, then entries sorted by id: RT_ICON (3), RT_GROUP_ICON (14).
        const int firstEntry = rsrc + 16;
        const int groupType = firstEntry + 8;
        const quint32 groupNames = get32(pe, groupType + 4) & 0x7fffffffu;
        const quint32 groupLanguages = get32(pe, rsrc + int(groupNames) + 16 + 4) & 0x7fffffffu;
        const quint32 groupData = get32(pe, rsrc + int(groupLanguages) + 16 + 4);

        if (damage == QStringLiteral("type count lies"))
            put16(pe, rsrc + 14, 0xffff);
        else if (damage == QStringLiteral("named count lies"))
            put16(pe, rsrc + 12, 0xffff);
        else if (damage == QStringLiteral("entry offset past end"))
            put32(pe, groupType + 4, 0x80000000u | 0x7ffffff0u);
        else if (damage == QStringLiteral("root loops to itself"))
            put32(pe, groupType + 4, 0x80000000u);
        else if (damage == QStringLiteral("group data past end"))
            put32(pe, rsrc + int(groupData), 0xfffffff0u);
        else if (damage == QStringLiteral("group data huge"))
            put32(pe, rsrc + int(groupData) + 4, 0xffffffffu);
        else if (damage == QStringLiteral("group count lies")) {
            const QByteArray needle("\0\0\1\0\1\0", 6);
            const int group = pe.indexOf(needle, rsrc);
            QVERIFY(group > 0);
            put16(pe, group + 4, 0xffff);
        } else if (damage == QStringLiteral("icon id missing")) {
            const int iconNames = int(get32(pe, firstEntry + 4) & 0x7fffffffu);
            put32(pe, rsrc + iconNames + 16, 0x1234);
        } else if (damage == QStringLiteral("zero size data"))
            put32(pe, rsrc + int(groupData) + 4, 0);
        else if (damage == QStringLiteral("resource rva outside sections")) {
            const int peOffset = int(get32(pe, 0x3c));
            put32(pe, peOffset + 24 + 112 + 16, 0x7fff0000u);
        } else {
            const int peOffset = int(get32(pe, 0x3c));
            put16(pe, peOffset + 20, 0xfff0);
        }
        // A group whose count lies still shows its one real image; every
        // other damage leaves no icon.
        const QImage image = renderBytes(pe);
        if (damage == QStringLiteral("group count lies"))
            QVERIFY(image.isNull() || image.size() == QSize(16, 16));
        else
            QVERIFY(image.isNull());
    }

    void hostileImages_data()
    {
        QTest::addColumn<QByteArray>("ico");
        const QByteArray pixels(16 * 16 * 4 + 16 * 4, '\x40');
        QTest::newRow("zero width") << icoWith(dibHeader(0, 32, 32) + pixels);
        QTest::newRow("zero height") << icoWith(dibHeader(16, 0, 32) + pixels);
        QTest::newRow("negative height") << icoWith(dibHeader(16, -32, 32) + pixels);
        QTest::newRow("huge width") << icoWith(dibHeader(0x7fffffff, 32, 32) + pixels);
        QTest::newRow("huge height") << icoWith(dibHeader(16, 0x7ffffffe, 32) + pixels);
        QTest::newRow("pixels missing") << icoWith(dibHeader(64, 128, 32) + pixels);
        QTest::newRow("palette too large") << icoWith(dibHeader(16, 32, 8, 100000) + pixels);
        QTest::newRow("odd bit count") << icoWith(dibHeader(16, 32, 7) + pixels);
        QTest::newRow("compressed") << [&] { QByteArray h = dibHeader(16, 32, 32); put32(h, 16, 1); return icoWith(h + pixels); }();
        QTest::newRow("header size lies") << [&] { QByteArray h = dibHeader(16, 32, 32); put32(h, 0, 0xfffffff0u); return icoWith(h + pixels); }();
        QTest::newRow("count lies") << icoWith(dibHeader(16, 32, 32) + pixels, 0xffff);
        QTest::newRow("no images") << icoWith(dibHeader(16, 32, 32) + pixels, 0);
        QTest::newRow("offset past end") << icoWith(dibHeader(16, 32, 32) + pixels, 1, 0, 0xfffffff0u);
        QTest::newRow("size past end") << icoWith(dibHeader(16, 32, 32) + pixels, 1, 0xfffffff0u);
        QByteArray png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\x7f\xff\xff\xff\x7f\xff\xff\xff\x08\x06\0\0\0", 29);
        QTest::newRow("PNG claiming a huge image") << icoWith(png + QByteArray(64, '\0'));
        QByteArray zeroPng("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\0\0\0\0\0\x08\x06\0\0\0", 29);
        QTest::newRow("PNG of no size") << icoWith(zeroPng + QByteArray(64, '\0'));
        QTest::newRow("PNG cut short") << icoWith(QByteArray("\x89PNG\r\n\x1a\n", 8));
    }
    void hostileImages()
    {
        QFETCH(QByteArray, ico);
        throwAtEveryReader(ico);
        QVERIFY(iconreader::renderIco(ico).isNull());
    }

    // The editor in-process on products whose icon block lies: refused, and
    // the file is left as it was.
    void editorRefusesLyingIconBlock_data()
    {
        QTest::addColumn<quint32>("length");
        QTest::newRow("zero") << 0u;
        QTest::newRow("past the end") << 0x00ffffffu;
        QTest::newRow("beyond the limit") << 0xffffffffu;
    }
    void editorRefusesLyingIconBlock()
    {
        QFETCH(quint32, length);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("app.exe"));
        const std::string header = productlayout::iconBlockHeader(length);
        const QByteArray bytes = readFile(QStringLiteral(ICON_SFX_MODULE)) + QByteArray(header.data(), 12)
            + QByteArray(32, 'i') + ";!@Install@!UTF-8!\nTitle=\"x\"\n;!@InstallEnd@!\n" + QByteArray(100, '7');
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        for (auto action : {reseditor::Action::Delete, reseditor::Action::AddOverwrite}) {
            reseditor::Request request;
            request.openPath = request.savePath = QFile::encodeName(path).toStdString();
            request.action = action;
            request.resourcePath = QFile::encodeName(fixture(QStringLiteral("multi.ico"))).toStdString();
            std::string error;
            std::string log;
            QVERIFY(!reseditor::edit(request, error, log));
            QVERIFY(!error.empty());
            QCOMPARE(readFile(path), bytes);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(tst_IconHostile)
#include "tst_iconhostile.moc"
