// The page texts, read from the same sources the page bitmaps are drawn
// from: every word is spelled as the Slovak dictionary has it, symbols are
// real symbols, and the program's own name stays on the About page.
#include "pagesource.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace quelvara;

namespace {

QString readSource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QSet<QString> allowedWords()
{
    QSet<QString> words;
    const QStringList lines
        = readSource(QStringLiteral(QUELVARA_SOURCE_DIR "/tests/spelling-allowed.txt")).split(u'\n');
    for (const QString& line : lines) {
        if (!line.isEmpty() && !line.startsWith(u'#'))
            words.insert(line.trimmed());
    }
    return words;
}

} // namespace

class TestPageTexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pages_data();
    void pages();
};

void TestPageTexts::pages_data()
{
    QTest::addColumn<QString>("page");
    for (const char* page : { "Vlas", "Hd", "Tk1", "Tk2", "Tk3", "Az1", "Az2", "Az3", "Apl", "ab" })
        QTest::addRow("%s", page) << QString::fromLatin1(page);
}

void TestPageTexts::pages()
{
    QFETCH(QString, page);
    const QString text = readSource(QStringLiteral(QUELVARA_SOURCE_DIR "/assets/pages/%1.page").arg(page));
    QVERIFY(!text.isEmpty());
    QString error;
    const auto source = parsePageSource(text, &error);
    QVERIFY2(source, qPrintable(error));
    const QString plain = source->title + u'\n' + plainTextOf(*source);

    QProcess hunspell;
    hunspell.start(QStringLiteral("hunspell"), { QStringLiteral("-d"), QStringLiteral("sk_SK"), QStringLiteral("-l") });
    QVERIFY2(hunspell.waitForStarted(), "hunspell with the Slovak dictionary (hunspell-sk) is needed");
    hunspell.write(plain.toUtf8());
    hunspell.closeWriteChannel();
    QVERIFY(hunspell.waitForFinished());
    QCOMPARE(hunspell.exitCode(), 0);
    const QSet<QString> allowed = allowedWords();
    QStringList unknown;
    for (const QString& word : QString::fromUtf8(hunspell.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        if (!allowed.contains(word))
            unknown.append(word);
    }
    QVERIFY2(unknown.isEmpty(), qPrintable(QStringLiteral("not in the dictionary: ") + unknown.join(u", ")));

    // ASCII stand-ins for symbols, F1 for F₁, Fvz for F_vz, m^-2 or m-2 for
    // m⁻², or an asterisk for the multiplication dot. Real scripts read as
    // F₁, F_vz and m⁻² in the plain text.
    static const QRegularExpression standIns(QStringLiteral("\\b[FSWhVp][0-9]|\\bF[a-z]{2}\\b|\\^-|m-[0-9]|\\*"));
    const QRegularExpressionMatch standIn = standIns.match(plain);
    QVERIFY2(!standIn.hasMatch(), qPrintable(standIn.captured()));

    QCOMPARE(plain.contains(QStringLiteral("Quelvara")), page == u"ab");
}

QTEST_GUILESS_MAIN(TestPageTexts)
#include "tst_pagetexts.moc"
