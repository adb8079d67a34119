#include "WizardDriver.h"

#include "exclusions/ExcludeDialog.h"
#include "platform/ImageButton.h"

#include <QAccessible>

namespace {

// The page captions: the name a control without one of its own used to take.
const QStringList FrameTitles = {"Original", "Preview", "Keywords", "Legibility", "Stretch", "Reprints",
                                 "Display", "Finish"};

bool isActionable(QAccessibleInterface *item)
{
    switch (item->role()) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::Slider:
    case QAccessible::List:
        return true;
    default:
        return item->actionInterface() && item->actionInterface()->actionNames().contains(
                                              QAccessibleActionInterface::pressAction());
    }
}

// Every control a user can act on under `root`, hidden ones too, that has no
// name of its own: "object name (role)".
QStringList unnamedUnder(QObject *root)
{
    QStringList unnamed;
    std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *item) {
        if (isActionable(item)) {
            const QString name = item->text(QAccessible::Name);
            if (name.trimmed().isEmpty() || FrameTitles.contains(name))
                unnamed << QStringLiteral("%1 (%2) '%3'").arg(item->object()->objectName()).arg(int(item->role())).arg(name);
        }
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(root));
    return unnamed;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    // Presses Tab until `name` has the focus; false after a full round without it.
    static bool tabTo(WizardDriver &d, const char *name)
    {
        for (int i = 0; i < 60; ++i) {
            QWidget *focus = QApplication::focusWidget();
            if (focus && focus->objectName() == QLatin1String(name))
                return true;
            QTest::keyClick(focus ? focus : d.window.get(), Qt::Key_Tab);
        }
        return false;
    }

private slots:
    // No control on any page, nor in the exclusion editor, is unnamed or named
    // after its frame; the picture buttons are buttons, named for what they do.
    void everyControlSaysWhatItIs()
    {
        WizardDriver d;
        QCOMPARE(unnamedUnder(d.window.get()), QStringList());
        ExcludeDialog editor(d.store, d.prompts);
        QCOMPARE(unnamedUnder(&editor), QStringList());

        QAccessibleInterface *next = QAccessible::queryAccessibleInterface(d.get("imgNxt"));
        QCOMPARE(next->role(), QAccessible::Button);
        QCOMPARE(next->text(QAccessible::Name), QStringLiteral("Next"));
        QCOMPARE(QAccessible::queryAccessibleInterface(d.get("imgMenu"))->role(), QAccessible::Graphic);
        d.type("TxtContent", QStringLiteral("Alpha bravo."));
        next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(d.step(), 1);
    }

    // Tab walks the first page in reading order and then the pictures; Space or
    // Enter on a picture presses it; Enter in a text box starts a new line; and
    // the whole wizard can be walked to a finished run with the keyboard alone,
    // whose end is an alert.
    void theKeyboardAloneWalksTheWizard()
    {
        WizardDriver d;
        d.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.window.get()));

        QStringList order;
        for (int i = 0; i < 11 && QApplication::focusWidget(); ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, QStringList({"Opt1", "TxtContent", "txtBrowse", "cmdBrowse", "txtWebPage", "imgExcept",
                                     "imgHelp", "imgNxt", "imgClose", "imgMin", "Opt1"}));

        QVERIFY(tabTo(d, "TxtContent"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("The committee met."));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Alpha bravo."));
        QCOMPARE(d.text("TxtContent"), QStringLiteral("The committee met.\r\nAlpha bravo."));
        QVERIFY(tabTo(d, "imgNxt"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(d.step(), 1);
        while (d.step() < 6) {
            const int before = d.step();
            QVERIFY(tabTo(d, "imgNxt"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(d.step(), before + 1);
        }
        QVERIFY(tabTo(d, "TxtBrowseFolder"));
        QTest::keyClicks(QApplication::focusWidget(), d.program.path());
        QVERIFY(tabTo(d, "imgNxt"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(d.step(), 7);
        // Next's place goes to Restart: the focus moves to the page, not on to Close.
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("TxtFinishContant"));
        QVERIFY(QFile::exists(d.path(QStringLiteral("Quillmorph1.txt"))));

        // The notice it ends with is an alert, which a screen reader reads out.
        QAccessibleInterface *notice = QAccessible::queryAccessibleInterface(d.get("lblChangeThis17"));
        QCOMPARE(notice->role(), QAccessible::AlertMessage);
        QCOMPARE(notice->text(QAccessible::Name), d.text("lblChangeThis17"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
