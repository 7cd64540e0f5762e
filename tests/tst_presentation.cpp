// The whole run of the program in one process: start-up, a failed picture,
// and the two ways the program ends.
#include "mainwindow.h"
#include "presentation.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace quelvara;

namespace {

std::optional<QByteArray> builtIn(const QString& fileName)
{
    QFile file(QStringLiteral(":/images/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// Runs action on the event loop as soon as the presentation's window or its
// fatal message is up.
void whenShown(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        QWidget* shown = QApplication::activeModalWidget();
        if (!shown) {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<MainWindow*>(widget) && widget->isVisible())
                    shown = widget;
            }
        }
        if (shown) {
            timer->deleteLater();
            action(shown);
        }
    });
    timer->start(10);
}

} // namespace

class TestPresentation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void badPictureEndsWithAMessage_data();
    void badPictureEndsWithAMessage();
    void exitEndsWithStatusZero();
    void closingTheWindowEndsWithStatusZero();
    void everyStartBeginsEmpty();
};

void TestPresentation::badPictureEndsWithAMessage_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("named");
    QTest::addRow("truncated page") << "Az2.bmp" << builtIn(QStringLiteral("Az2.bmp"))->left(300)
                                    << "Obrázok Az2.bmp: nedá sa dekódovať";
    QTest::addRow("empty cursor") << "cursor-black.cur" << QByteArray() << "Obrázok cursor-black.cur: je prázdny";
}

void TestPresentation::badPictureEndsWithAMessage()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, named);

    QString message;
    bool windowShown = false;
    whenShown([&](QWidget* shown) {
        windowShown = qobject_cast<MainWindow*>(shown) != nullptr;
        if (auto* box = qobject_cast<QMessageBox*>(shown)) {
            message = box->text();
            box->accept();
        } else {
            shown->close();
        }
    });
    const int status = runPresentation([&](const QString& name) -> std::optional<QByteArray> {
        return name == fileName ? std::optional(bytes) : builtIn(name);
    });
    QCOMPARE(status, 1);
    QVERIFY(!windowShown);
    QVERIFY2(message.startsWith(QStringLiteral("Program Quelvara sa nedá spustiť.")), qPrintable(message));
    QVERIFY2(message.contains(named), qPrintable(message));
}

void TestPresentation::exitEndsWithStatusZero()
{
    whenShown([](QWidget* window) {
        auto* exit = window->findChild<QWidget*>(QStringLiteral("Label6"));
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, exit->geometry().center());
    });
    QCOMPARE(runPresentation(), 0);
}

void TestPresentation::closingTheWindowEndsWithStatusZero()
{
    whenShown([](QWidget* window) {
        auto* chapter = window->findChild<QWidget*>(QStringLiteral("Label4"));
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, chapter->geometry().center());
        window->windowHandle()->close();
    });
    QCOMPARE(runPresentation(), 0);
}

// Nothing is kept between runs: a new start shows the empty page area again.
void TestPresentation::everyStartBeginsEmpty()
{
    bool empty = false;
    whenShown([&](QWidget* window) {
        const auto* main = qobject_cast<MainWindow*>(window);
        empty = !main->controller().state().page && !main->controller().state().selectedEntry;
        window->close();
    });
    QCOMPARE(runPresentation(), 0);
    QVERIFY(empty);
}

QTEST_MAIN(TestPresentation)
#include "tst_presentation.moc"
