#include "platform/KeyProcedures.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

class TestKeyProcedures : public QObject
{
    Q_OBJECT

private slots:
    void keyCharsOfKeys()
    {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QKeyEvent pad(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"));
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
        QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
        QCOMPARE(keyCharOf(&enter), 13);
        QCOMPARE(keyCharOf(&pad), 13);
        QCOMPARE(keyCharOf(&esc), 27);
        QCOMPARE(keyCharOf(&letter), int('A'));
        QCOMPARE(keyCharOf(&shift), 0);
    }

    void enterMovesFocusLikeTabAndEscCloses()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *word = new QLineEdit(&window);
        auto *save = new QPushButton(QStringLiteral("Save"), &window);
        auto *close = new QPushButton(QStringLiteral("Close"), &window);
        layout->addWidget(word);
        layout->addWidget(save);
        layout->addWidget(close);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        word->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), word);

        for (int other : {0, 9, 27, int('a')})
            EnterActsAsTab(other);
        QCOMPARE(QApplication::focusWidget(), word);
        EnterActsAsTab(13);
        QCOMPARE(QApplication::focusWidget(), save);
        EnterActsAsTab(13);
        QCOMPARE(QApplication::focusWidget(), close);

        EscClosesWindow(13, &window);
        QVERIFY(window.isVisible());
        EscClosesWindow(27, &window);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestKeyProcedures)
#include "tst_keyprocedures.moc"
