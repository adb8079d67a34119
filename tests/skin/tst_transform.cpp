#include "fixtures/FakePrompts.h"
#include "skin/TransForm.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QtTest>

namespace {

// A window that draws its picture and notes the button releases it sees.
class PictureWindow : public QWidget
{
public:
    QList<QPoint> releases;

    explicit PictureWindow(const QImage &picture = {})
    {
        setProperty("picture", picture);
        resize(300, 200);
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, property("picture").value<QImage>()); }
    void mouseReleaseEvent(QMouseEvent *e) override { releases << e->position().toPoint(); }
};

// 60 x 40 on the mask grey: a filled ellipse with a grey hole, and one pixel
// that differs from the grey in blue only.
QImage testPicture()
{
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(QColor(192, 192, 192));
    QPainter p(&picture);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::darkBlue);
    p.drawEllipse(5, 4, 40, 30);
    p.fillRect(20, 15, 6, 6, QColor(192, 192, 192));
    p.end();
    picture.setPixel(58, 38, qRgb(192, 192, 193));
    return picture;
}

qint64 pixelsIn(const QRegion &region)
{
    qint64 n = 0;
    for (const QRect &r : region)
        n += qint64(r.width()) * r.height();
    return n;
}

void press(QWidget *w, Qt::MouseButton button, QPoint at)
{
    QMouseEvent e(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void moveMouse(QWidget *w, QPoint at)
{
    QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void release(QWidget *w, QPoint at)
{
    QMouseEvent e(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class TestTransForm : public QObject
{
    Q_OBJECT
    FakePrompts m_prompts;

private slots:
    void init() { m_prompts = FakePrompts(); }

    void shapeHoldsExactlyThePixelsNotInTheMaskColour()
    {
        const QImage picture = testPicture();
        qint64 expected = 0;
        QRect bounds;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixel(x, y) != qRgb(192, 192, 192)) {
                    ++expected;
                    bounds |= QRect(x, y, 1, 1);
                }
        const QRegion shape = TransForm::shapeOf(picture, TransForm::DefaultMaskColor);
        QCOMPARE(pixelsIn(shape), expected);
        QCOMPARE(shape.boundingRect(), bounds);
        QVERIFY(!shape.contains(QPoint(22, 17))); // the hole
        QVERIFY(shape.contains(QPoint(58, 38)));  // differs in blue only
        // Another mask colour: the grey stays, the blue goes.
        const int blue = 0x800000; // RGB(0, 0, 128), laid out 0x00BBGGRR
        QVERIFY(TransForm::shapeOf(picture, blue).contains(QPoint(0, 0)));
        QVERIFY(!TransForm::shapeOf(picture, blue).contains(QPoint(25, 10)));
    }

    void theWindowTakesThePicturesShapeAndSize()
    {
        PictureWindow window(testPicture());
        TransForm skin(&window, m_prompts);
        QCOMPARE(window.size(), QSize(60, 40));
        QCOMPARE(window.mask(), TransForm::shapeOf(testPicture(), TransForm::DefaultMaskColor));

        skin.setTransparent(false); // at once
        QVERIFY(window.mask().isEmpty());
        skin.setMaskColor(0x8B0000);
        skin.setTransparent(true);
        const QRegion blueMasked = window.mask();
        skin.setMaskColor(TransForm::DefaultMaskColor); // waits for Refresh or activation
        QCOMPARE(window.mask(), blueMasked);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&window, &activate);
        QCOMPARE(window.mask(), TransForm::shapeOf(testPicture(), TransForm::DefaultMaskColor));

        window.setProperty("picture", QImage()); // no picture: rectangular, size kept
        skin.Refresh();
        QVERIFY(window.mask().isEmpty());
        QCOMPARE(window.size(), QSize(60, 40));
    }

    void storedFormKeepsOnlyWhatDiffers()
    {
        PictureWindow window;
        TransForm plain(&window, m_prompts);
        QCOMPARE(plain.saveProperties(), QVariantMap());
        QCOMPARE(plain.AutoDrag(), 2);
        QVERIFY(plain.Transparent());
        QCOMPARE(plain.MaskColor(), 12632256);

        PictureWindow other;
        TransForm odd(&other, m_prompts, {{"AUTODRAG", 0}, {"transParent", false}, {"maskcolor", 255}});
        QCOMPARE(odd.AutoDrag(), 0);
        QVERIFY(!odd.Transparent());
        QCOMPARE(odd.MaskColor(), 255);
        const QVariantMap saved = odd.saveProperties();
        QCOMPARE(saved, (QVariantMap{{"AutoDrag", 0}, {"Transparent", false}, {"MaskColor", 255}}));
        PictureWindow third;
        QCOMPARE(TransForm(&third, m_prompts, saved).saveProperties(), saved);
    }

    void leftPressesDragByTheRules_data()
    {
        QTest::addColumn<int>("autoDrag");
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("1, rectangular") << 1 << false << int(Qt::LeftButton) << true;
        QTest::newRow("2, shaped") << 2 << true << int(Qt::LeftButton) << true;
        QTest::newRow("2, rectangular") << 2 << false << int(Qt::LeftButton) << false;
        QTest::newRow("0") << 0 << true << int(Qt::LeftButton) << false;
        QTest::newRow("7") << 7 << true << int(Qt::LeftButton) << false;
        QTest::newRow("right button") << 1 << true << int(Qt::RightButton) << false;
        QTest::newRow("middle button") << 1 << true << int(Qt::MiddleButton) << false;
    }
    void leftPressesDragByTheRules()
    {
        QFETCH(int, autoDrag);
        QFETCH(bool, transparent);
        QFETCH(int, button);
        QFETCH(bool, moves);
        PictureWindow window(testPicture());
        TransForm skin(&window, m_prompts, {{"AutoDrag", autoDrag}, {"Transparent", transparent}});
        window.move(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint start = window.pos();
        press(&window, Qt::MouseButton(button), QPoint(10, 10));
        moveMouse(&window, QPoint(40, 30));
        release(&window, QPoint(40, 30));
        QCoreApplication::processEvents();
        QCOMPARE(window.pos() != start, moves);
        if (moves)
            QCOMPARE(window.releases, QList<QPoint>{QPoint(10, 10)}); // one, at the press point
    }

    void aSecondControlDisablesItself()
    {
        PictureWindow window(testPicture());
        TransForm first(&window, m_prompts);
        TransForm second(&window, m_prompts, {{"AutoDrag", 1}});
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages[0].text,
                 QStringLiteral("Only one TransForm control is allowed or needed on a single form.\r\n\r\n"
                                "All TransForm functionality will be disabled for this form."));
        QCOMPARE(m_prompts.messages[0].style, 48);
        QCOMPARE(m_prompts.messages[0].title, QStringLiteral("Multiple TransForm Controls"));
        QVERIFY(!first.isDisabled());
        QVERIFY(second.isDisabled());
        QVERIFY(!second.dragsOnLeftPress());
        second.Refresh(); // a disabled control only ever removes the shape
        QVERIFY(window.mask().isEmpty());
        second.PopupSysMenu(0, 1.0, 1.0); // nothing, and no menu to wait for
    }

    void menuPointRules()
    {
        PictureWindow window;
        window.move(200, 150);
        TransForm skin(&window, m_prompts);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(skin.menuPoint(10, std::nullopt), window.mapToGlobal(QPoint(10, 0)));
        QCOMPARE(skin.menuPoint(std::nullopt, 7), window.mapToGlobal(QPoint(0, 7)));
        QCOMPARE(skin.menuPoint(2.5, 3.5), window.mapToGlobal(QPoint(2, 4))); // halves to even
        QCOMPARE(skin.menuPoint(std::nullopt, std::nullopt), QCursor::pos());
    }

    void systemMenuCommandsActOnTheWindow()
    {
        PictureWindow window;
        TransForm skin(&window, m_prompts);
        window.setFixedSize(300, 200);
        window.show();
        QMenu *menu = skin.systemMenu();
        QStringList enabled;
        for (QAction *a : menu->actions())
            if (!a->isSeparator() && a->isEnabled())
                enabled << a->text().remove(QLatin1Char('&'));
        QCOMPARE(enabled, (QStringList{"Move", "Minimize", "Close"})); // fixed size, normal state
        skin.carryOut(TransForm::Command::Minimize);
        QVERIFY(window.windowState() & Qt::WindowMinimized);
        skin.carryOut(TransForm::Command::Restore);
        QVERIFY(!(window.windowState() & Qt::WindowMinimized));
        skin.carryOut(TransForm::Command::Close);
        QVERIFY(!window.isVisible());
    }

    void designModeKeepsItsFaceAndLeavesTheParentAlone()
    {
        PictureWindow window(testPicture());
        TransForm skin(&window, m_prompts, {}, true);
        window.show();
        skin.resize(100, 50);
        QCOMPARE(skin.size(), QSize(32, 32));
        QVERIFY(!skin.mask().isEmpty());
        QVERIFY(skin.mask().boundingRect().width() < 32); // the grey border is transparent
        QVERIFY(window.mask().isEmpty());
        QCOMPARE(window.size(), QSize(300, 200));
        const QPoint start = window.pos();
        press(&window, Qt::LeftButton, QPoint(5, 5));
        moveMouse(&window, QPoint(50, 50));
        QCOMPARE(window.pos(), start);
    }
};

QTEST_MAIN(TestTransForm)
#include "tst_transform.moc"
