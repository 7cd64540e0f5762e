// Reads every generated picture file field by field, independently of the
// writer that made it, and checks the layout the program relies on.
#include <QFile>
#include <QTest>

#include <cstdint>

namespace {

class Reader {
public:
    explicit Reader(QByteArray bytes)
        : m_bytes(std::move(bytes))
    {
    }
    std::uint32_t u8(qsizetype at) const { return uchar(m_bytes.at(at)); }
    std::uint32_t u16(qsizetype at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(qsizetype at) const { return u16(at) | u16(at + 2) << 16; }
    std::int32_t i32(qsizetype at) const { return std::int32_t(u32(at)); }
    qsizetype size() const { return m_bytes.size(); }

private:
    QByteArray m_bytes;
};

QByteArray generated(const QString& name)
{
    QFile file(QStringLiteral(QUELVARA_GENERATED_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Checks one 4-bit image of an icon or cursor at offset; returns how many
// pixels its AND mask marks transparent.
int checkIconImage(const Reader& file, qsizetype at, int size)
{
    [&] {
        QCOMPARE(file.u32(at), 40u);
        QCOMPARE(file.i32(at + 4), size);
        QCOMPARE(file.i32(at + 8), size * 2);
        QCOMPARE(file.u16(at + 12), 1u);
        QCOMPARE(file.u16(at + 14), 4u);
        QCOMPARE(file.u32(at + 16), 0u);
    }();
    const qsizetype mask = at + 40 + 64 + size * size / 2;
    const int maskStride = ((size + 31) / 32) * 4;
    int transparent = 0;
    for (int row = 0; row < size; ++row) {
        for (int x = 0; x < size; ++x) {
            if (file.u8(mask + row * maskStride + x / 8) & (0x80u >> (x % 8)))
                ++transparent;
        }
    }
    return transparent;
}

} // namespace

class TestPictureFormats : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pages_data();
    void pages();
    void banner();
    void icons_data();
    void icons();
    void cursors_data();
    void cursors();
};

void TestPictureFormats::pages_data()
{
    QTest::addColumn<QString>("name");
    for (const char* page : { "Vlas", "Hd", "Tk1", "Tk2", "Tk3", "Az1", "Az2", "Az3", "Apl", "ab" })
        QTest::addRow("%s", page) << QString::fromLatin1(page) + QStringLiteral(".bmp");
}

void TestPictureFormats::pages()
{
    QFETCH(QString, name);
    const Reader file(generated(name));
    QCOMPARE(file.size(), 104302);
    QCOMPARE(file.u16(0), 0x4D42u); // "BM"
    QCOMPARE(file.u32(2), 104302u);
    QCOMPARE(file.u32(6), 0u);
    QCOMPARE(file.u32(10), 14u + 40u + 1024u);
    QCOMPARE(file.u32(14), 40u);
    QCOMPARE(file.i32(18), 405);
    QCOMPARE(file.i32(22), 253); // positive height: bottom-up rows
    QCOMPARE(file.u16(26), 1u);
    QCOMPARE(file.u16(28), 8u);
    QCOMPARE(file.u32(30), 0u); // uncompressed
    QCOMPARE(file.u32(34), 408u * 253u); // rows padded to 408 bytes
    QCOMPARE(file.i32(38), 3780);
    QCOMPARE(file.i32(42), 3780);
    QCOMPARE(file.u32(46), 256u);

    // The padding bytes at the end of every row are zero, and index 0, the
    // background, is black.
    for (int row = 0; row < 253; ++row) {
        for (int pad = 405; pad < 408; ++pad)
            QCOMPARE(file.u8(1078 + row * 408 + pad), 0u);
    }
    QCOMPARE(file.u32(54), 0u);
}

void TestPictureFormats::banner()
{
    const Reader file(generated(QStringLiteral("banner.bmp")));
    QCOMPARE(file.size(), 45046);
    QCOMPARE(file.u16(0), 0x4D42u);
    QCOMPARE(file.u32(2), 45046u);
    QCOMPARE(file.u32(10), 54u);
    QCOMPARE(file.u32(14), 40u);
    QCOMPARE(file.i32(18), 405);
    QCOMPARE(file.i32(22), 37);
    QCOMPARE(file.u16(28), 24u);
    QCOMPARE(file.u32(30), 0u);
    QCOMPARE(file.u32(34), 1216u * 37u);
    QCOMPARE(file.i32(38), 2834);
    QCOMPARE(file.i32(42), 2834);
    QCOMPARE(file.u32(46), 0u);
}

void TestPictureFormats::icons_data()
{
    QTest::addColumn<QString>("name");
    for (const char* icon : { "hand-right", "hand-left", "tap", "eye", "aeroplane", "barrel", "book" })
        QTest::addRow("%s", icon) << QString::fromLatin1(icon) + QStringLiteral(".ico");
}

void TestPictureFormats::icons()
{
    QFETCH(QString, name);
    const Reader file(generated(name));
    QCOMPARE(file.size(), 1078);
    QCOMPARE(file.u16(0), 0u);
    QCOMPARE(file.u16(2), 1u); // icon
    QCOMPARE(file.u16(4), 2u);

    const std::array sizes { 32, 16 };
    const std::array bytes { 744u, 296u };
    std::uint32_t expectedOffset = 6 + 2 * 16;
    for (std::size_t i = 0; i < 2; ++i) {
        const qsizetype entry = 6 + qsizetype(i) * 16;
        QCOMPARE(int(file.u8(entry)), sizes[i]);
        QCOMPARE(int(file.u8(entry + 1)), sizes[i]);
        QCOMPARE(file.u8(entry + 2), 16u);
        QCOMPARE(file.u16(entry + 4), 1u);
        QCOMPARE(file.u16(entry + 6), 4u);
        QCOMPARE(file.u32(entry + 8), bytes[i]);
        QCOMPARE(file.u32(entry + 12), expectedOffset);
        const int transparent = checkIconImage(file, expectedOffset, sizes[i]);
        if (QTest::currentTestFailed())
            return;
        // Every icon is a shape with transparent surroundings.
        QVERIFY2(transparent > 0 && transparent < sizes[i] * sizes[i], qPrintable(QString::number(transparent)));
        expectedOffset += bytes[i];
    }
}

void TestPictureFormats::cursors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("fillIndex");
    QTest::addRow("red") << QStringLiteral("cursor-red.cur") << 9;
    QTest::addRow("black") << QStringLiteral("cursor-black.cur") << 0;
}

void TestPictureFormats::cursors()
{
    QFETCH(QString, name);
    QFETCH(int, fillIndex);
    const Reader file(generated(name));
    QCOMPARE(file.size(), 766);
    QCOMPARE(file.u16(0), 0u);
    QCOMPARE(file.u16(2), 2u); // cursor
    QCOMPARE(file.u16(4), 1u);
    QCOMPARE(file.u8(6), 32u);
    QCOMPARE(file.u8(7), 32u);
    QCOMPARE(file.u16(10), 0u); // hotspot x
    QCOMPARE(file.u16(12), 0u); // hotspot y
    QCOMPARE(file.u32(14), 744u);
    QCOMPARE(file.u32(18), 22u);
    checkIconImage(file, 22, 32);

    // The tip, the top-left pixel, is drawn, and the arrow's fill is the
    // cursor's colour: white outline (15) and fill are the only colours.
    const qsizetype pixels = 22 + 40 + 64;
    const qsizetype mask = pixels + 512;
    auto index = [&](int x, int y) {
        const std::uint32_t byte = file.u8(pixels + (31 - y) * 16 + x / 2);
        return int(x % 2 ? byte & 0xF : byte >> 4);
    };
    auto transparent = [&](int x, int y) { return (file.u8(mask + (31 - y) * 4 + x / 8) & (0x80u >> (x % 8))) != 0; };
    QVERIFY(!transparent(0, 0));
    int filled = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (transparent(x, y))
                continue;
            QVERIFY2(index(x, y) == 15 || index(x, y) == fillIndex, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            filled += index(x, y) == fillIndex ? 1 : 0;
        }
    }
    QVERIFY(filled > 20);
}

QTEST_APPLESS_MAIN(TestPictureFormats)
#include "tst_pictureformats.moc"
