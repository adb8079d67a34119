#include "platform/QtPrompts.h"

#include <QPushButton>
#include <QMessageBox>
#include <QtTest>

class TestPrompts : public QObject
{
    Q_OBJECT

private slots:
    void messageStylesGiveButtonsAndIcons_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::newRow("0: OK, no icon") << 0 << int(QMessageBox::NoIcon) << int(QMessageBox::Ok);
        QTest::newRow("16: OK, stop") << 16 << int(QMessageBox::Critical) << int(QMessageBox::Ok);
        QTest::newRow("48: OK, exclamation") << 48 << int(QMessageBox::Warning) << int(QMessageBox::Ok);
        QTest::newRow("64: OK, information") << 64 << int(QMessageBox::Information) << int(QMessageBox::Ok);
        QTest::newRow("68: Yes/No, information") << 68 << int(QMessageBox::Information)
                                                 << int(QMessageBox::Yes | QMessageBox::No);
    }
    void messageStylesGiveButtonsAndIcons()
    {
        QFETCH(int, style);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QMessageBox box;
        QtPrompts::prepareMessageBox(box, QStringLiteral("first\r\nsecond"), style, QStringLiteral("Quillmorph"));
        QCOMPARE(int(box.icon()), icon);
        QCOMPARE(int(box.standardButtons()), buttons);
        QCOMPARE(box.windowTitle(), QStringLiteral("Quillmorph"));
        QCOMPARE(box.text(), QStringLiteral("first\nsecond"));
        if (buttons & QMessageBox::Yes)
            QCOMPARE(static_cast<QAbstractButton *>(box.defaultButton()), box.button(QMessageBox::Yes));
    }

    void fileFiltersMatchAnyLetterCase_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("text and all") << "Text Files(*.txt)|*.Txt|All Files(*.*)|*.*"
                                      << "Text Files(*.txt) (*.[Tt][Xx][Tt]);;All Files(*.*) (*.*)";
        QTest::newRow("trailing semicolon") << "HtmlFiles(*.html)|*.html;"
                                            << "HtmlFiles(*.html) (*.[Hh][Tt][Mm][Ll])";
        QTest::newRow("empty pattern") << "Anything|" << "Anything (*)";
    }
    void fileFiltersMatchAnyLetterCase()
    {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(qtFileFilter(filter), qt);
    }
};

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
