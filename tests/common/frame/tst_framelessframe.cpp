// The shared frame on a bare window: where its edges are taken hold of, how a
// drag on them resizes the window within its limits, the title bar's
// double-click, and the quit question's default answer.
#include "framelessframe.h"
#include "messageboxes.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

constexpr int kMargin = 10;
const QSize kMinimum(400, 300);

// A window shaped as both programs' are: a holder with the shadow's margin,
// the frame in it with a title bar on top and a side column.
struct FramedWindow
{
    explicit FramedWindow(FramelessFrame::Sizing sizing)
    {
        auto *holderLayout = new QVBoxLayout(&window);
        holderLayout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
        auto *frame = new QFrame(&window);
        holderLayout->addWidget(frame);
        auto *frameLayout = new QHBoxLayout(frame);
        frameLayout->setContentsMargins(0, 0, 0, 0);
        auto *side = new QFrame(frame);
        side->setFixedWidth(60);
        auto *title = new QFrame(frame);
        title->setFixedHeight(40);
        auto *buttons = new QHBoxLayout(title);
        auto *minButton = new QPushButton(QStringLiteral("_"), title);
        closeButton = new QPushButton(QStringLiteral("x"), title);
        buttons->addStretch();
        buttons->addWidget(minButton);
        buttons->addWidget(closeButton);
        auto *body = new QVBoxLayout;
        body->addWidget(title);
        body->addStretch();
        frameLayout->addWidget(side);
        frameLayout->addLayout(body);
        this->title = title;
        frameObject = new FramelessFrame(&window, {&window, frame, title, side, minButton, closeButton},
                                         [] { return FramelessFrame::Question{QStringLiteral("Quit"), QStringLiteral("Sure?")}; },
                                         sizing);
        window.setMinimumSize(kMinimum);
        window.resize(kMinimum);
        window.move(200, 150);
    }

    QWidget window;
    QWidget *title = nullptr;
    QPushButton *closeButton = nullptr;
    FramelessFrame *frameObject = nullptr;
};

} // namespace

class TestFramelessFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void edgesAt_data();
    void edgesAt();
    void resized_data();
    void resized();
    void dragOnEdge_data();
    void dragOnEdge();
    void doubleClickOnTitleBar();
    void quitQuestionKeys_data();
    void quitQuestionKeys();
};

void TestFramelessFrame::edgesAt_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("grip");
    QTest::addColumn<int>("edges");

    const int left = Qt::LeftEdge, right = Qt::RightEdge, top = Qt::TopEdge, bottom = Qt::BottomEdge;
    QTest::newRow("left edge") << QPoint(3, 150) << 10 << left;
    QTest::newRow("right edge, last pixel") << QPoint(399, 150) << 10 << right;
    QTest::newRow("top edge") << QPoint(200, 9) << 10 << top;
    QTest::newRow("bottom edge") << QPoint(200, 290) << 10 << bottom;
    QTest::newRow("top left corner") << QPoint(2, 2) << 10 << (top | left);
    QTest::newRow("along the top, near the left") << QPoint(15, 4) << 10 << (top | left);
    QTest::newRow("along the right, near the bottom") << QPoint(395, 285) << 10 << (bottom | right);
    QTest::newRow("bottom left corner") << QPoint(0, 299) << 10 << (bottom | left);
    QTest::newRow("just inside") << QPoint(10, 150) << 10 << 0;
    QTest::newRow("middle") << QPoint(200, 150) << 10 << 0;
    QTest::newRow("outside") << QPoint(-1, 5) << 10 << 0;
    QTest::newRow("no grip (maximised)") << QPoint(0, 0) << 0 << 0;
}

void TestFramelessFrame::edgesAt()
{
    QFETCH(QPoint, at);
    QFETCH(int, grip);
    QFETCH(int, edges);
    QCOMPARE(int(FramelessFrame::edgesAt(QSize(400, 300), at, grip)), edges);
}

void TestFramelessFrame::resized_data()
{
    QTest::addColumn<int>("edges");
    QTest::addColumn<QPoint>("travel");
    QTest::addColumn<QRect>("expected");

    const QRect start(100, 100, 500, 400);
    const int left = Qt::LeftEdge, right = Qt::RightEdge, top = Qt::TopEdge, bottom = Qt::BottomEdge;
    QTest::newRow("bottom right grows") << (bottom | right) << QPoint(70, 30) << QRect(100, 100, 570, 430);
    QTest::newRow("top left grows, far corner stays") << (top | left) << QPoint(-50, -20) << QRect(50, 80, 550, 420);
    QTest::newRow("right only ignores vertical travel") << right << QPoint(10, 99) << QRect(100, 100, 510, 400);
    QTest::newRow("shrinks down to the minimum") << (bottom | right) << QPoint(-300, -300) << QRect(100, 100, 400, 300);
    QTest::newRow("left beyond the minimum keeps the right edge")
        << left << QPoint(250, 0) << QRect(200, 100, 400, 400);
    QTest::newRow("not beyond the maximum") << top << QPoint(0, -900) << QRect(100, -300, 500, 800);
}

void TestFramelessFrame::resized()
{
    QFETCH(int, edges);
    QFETCH(QPoint, travel);
    QFETCH(QRect, expected);
    QCOMPARE(FramelessFrame::resized(QRect(100, 100, 500, 400), Qt::Edges(edges), travel, kMinimum, QSize(1000, 800)),
             expected);
}

void TestFramelessFrame::dragOnEdge_data()
{
    QTest::addColumn<int>("sizing");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("travel");
    QTest::addColumn<QRect>("expected"); // relative to the start: position change, then size

    const int resizable = int(FramelessFrame::Sizing::Resizable);
    QTest::newRow("bottom right corner") << resizable << QPoint(398, 298) << QPoint(120, 80)
                                         << QRect(0, 0, 520, 380);
    QTest::newRow("top left corner") << resizable << QPoint(1, 1) << QPoint(-30, -40) << QRect(-30, -40, 430, 340);
    QTest::newRow("inwards, kept at the minimum") << resizable << QPoint(398, 298) << QPoint(-50, -50)
                                                  << QRect(0, 0, 400, 300);
    QTest::newRow("fixed frame does not resize") << int(FramelessFrame::Sizing::Fixed) << QPoint(398, 298)
                                                 << QPoint(120, 80) << QRect(0, 0, 400, 300);
}

void TestFramelessFrame::dragOnEdge()
{
    QFETCH(int, sizing);
    QFETCH(QPoint, press);
    QFETCH(QPoint, travel);
    QFETCH(QRect, expected);

    FramedWindow framed{FramelessFrame::Sizing(sizing)};
    QWidget &window = framed.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect start = window.geometry();

    // Offscreen has no system resizing: the frame resizes the window itself.
    QTest::mousePress(&window, Qt::LeftButton, {}, press);
    QCOMPARE(framed.frameObject->isResizing(), sizing == int(FramelessFrame::Sizing::Resizable));
    const QPoint to = press + travel;
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(window.mapToGlobal(press) + travel), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, to);
    QVERIFY(!framed.frameObject->isResizing());
    QTRY_COMPARE(window.geometry(), QRect(start.topLeft() + expected.topLeft(), expected.size()));
}

void TestFramelessFrame::doubleClickOnTitleBar()
{
    FramedWindow framed{FramelessFrame::Sizing::Resizable};
    QWidget &window = framed.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTest::mouseDClick(framed.title, Qt::LeftButton, {}, QPoint(30, 20));
    QTRY_VERIFY(window.isMaximized());
    // Maximised there is no margin to resize from or to cast a shadow in.
    QCOMPARE(window.layout()->contentsMargins(), QMargins());
    QCOMPARE(int(FramelessFrame::edgesAt(window.size(), QPoint(0, 0), 0)), 0);
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(1, 1));
    QVERIFY(!framed.frameObject->isResizing());
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(1, 1));

    QTest::mouseDClick(framed.title, Qt::LeftButton, {}, QPoint(30, 20));
    QTRY_VERIFY(!window.isMaximized());
    QCOMPARE(window.layout()->contentsMargins(), QMargins(kMargin, kMargin, kMargin, kMargin));
}

void TestFramelessFrame::quitQuestionKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestFramelessFrame::quitQuestionKeys()
{
    QFETCH(int, key);
    FramedWindow framed{FramelessFrame::Sizing::Fixed};
    framed.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&framed.window));
    // Neither key quits: both answer No.
    const QMessageBox::StandardButton answer =
        pressKeyInNextBox(Qt::Key(key), [&framed] { framed.closeButton->click(); });
    QCOMPARE(answer, QMessageBox::No);
}

QTEST_MAIN(TestFramelessFrame)
#include "tst_framelessframe.moc"
