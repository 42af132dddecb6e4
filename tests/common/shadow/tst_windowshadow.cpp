// The pre-rendered window shadow against the graphics effect it stands for.

#include "windowshadow.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A translucent holder with a rounded white frame inside a margin, as the
// programs' windows are built, grabbed with one kind of shadow.
QImage grabHolder(bool effect, int margin, qreal blur, int corner)
{
    QWidget holder;
    holder.setAttribute(Qt::WA_TranslucentBackground);
    holder.setFixedSize(300, 200);
    auto *layout = new QVBoxLayout(&holder);
    layout->setContentsMargins(margin, margin, margin, margin);
    auto *frame = new QFrame;
    frame->setStyleSheet(QStringLiteral("QFrame { background-color: #ffffff; border-radius: %1px; }").arg(corner));
    layout->addWidget(frame);
    if (effect) {
        auto *shadow = new QGraphicsDropShadowEffect;
        shadow->setBlurRadius(blur);
        shadow->setColor(QColor(0, 0, 0, 80));
        shadow->setOffset(0, 0);
        holder.setGraphicsEffect(shadow);
    } else {
        new WindowShadow(&holder, frame, blur, QColor(0, 0, 0, 80), corner);
    }
    holder.show();
    if (!QTest::qWaitForWindowExposed(&holder))
        return {};
    return holder.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class tst_WindowShadow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void looksAsTheEffect_data()
    {
        QTest::addColumn<int>("margin");
        QTest::addColumn<qreal>("blur");
        QTest::addColumn<int>("corner");
        QTest::newRow("the windows' shadow") << 10 << qreal(20) << 8;
        QTest::newRow("narrow, square corners") << 4 << qreal(6) << 0;
    }

    void looksAsTheEffect()
    {
        QFETCH(int, margin);
        QFETCH(qreal, blur);
        QFETCH(int, corner);

        const QImage expected = grabHolder(true, margin, blur, corner);
        const QImage shown = grabHolder(false, margin, blur, corner);
        QCOMPARE(shown.size(), expected.size());
        QVERIFY(qAlpha(shown.pixel(margin / 2, 100)) > 0); // there is a shadow at all
        int worst = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y);
                const QRgb b = expected.pixel(x, y);
                worst = std::max({worst, qAbs(qAlpha(a) - qAlpha(b)), qAbs(qRed(a) - qRed(b)),
                              qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
            }
        QVERIFY2(worst <= 2, qPrintable(QString::number(worst)));
    }
};

QTEST_MAIN(tst_WindowShadow)
#include "tst_windowshadow.moc"
