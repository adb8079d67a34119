#include "Inflector.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Exception lists in WordNet's shape: "form base".
void writeList(const QString &path, const QByteArray &lines)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(lines);
}

} // namespace

class TestInflector : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<Inflector> m_inflector;

private slots:
    void initTestCase()
    {
        writeList(m_dir.filePath("noun.exc"), "children child\nleaves leaf leave\nmice mouse\n");
        writeList(m_dir.filePath("verb.exc"),
                  "went go\ngone go\nran run\ndying die\nmade make\nfed feed\nbeginning begin\nbegan begin\n"
                  "begun begin\n");
        writeList(m_dir.filePath("adj.exc"), "better good\nbest good\n");
        m_inflector = std::make_unique<Inflector>(m_dir.path());
        QVERIFY(m_inflector->hasExceptionLists());
    }

    void forms_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("head");  // as a head word
        QTest::addColumn<QString>("synonym");   // as a synonym; empty: none
        using S = Inflector::Slot;
        QTest::newRow("box") << "box" << int(S::Plural) << QStringList{"boxes"} << "boxes";
        QTest::newRow("city") << "city" << int(S::Plural) << QStringList{"cities"} << "cities";
        QTest::newRow("key") << "key" << int(S::Plural) << QStringList{"keys"} << "keys";
        QTest::newRow("class") << "class" << int(S::Plural) << QStringList{"classes"} << "classes";
        QTest::newRow("news: no rule") << "news" << int(S::Plural) << QStringList{} << "";
        QTest::newRow("-ness: none") << "happiness" << int(S::Plural) << QStringList{} << "";
        QTest::newRow("child: listed") << "child" << int(S::Plural) << QStringList{"children"} << "children";
        QTest::newRow("proper noun") << "Paris" << int(S::Plural) << QStringList{} << "";
        QTest::newRow("stops") << "stop" << int(S::ThirdPerson) << QStringList{"stops"} << "stops";
        QTest::newRow("watches") << "watch" << int(S::ThirdPerson) << QStringList{"watches"} << "watches";
        QTest::newRow("carries") << "carry" << int(S::ThirdPerson) << QStringList{"carries"} << "carries";
        QTest::newRow("goes") << "go" << int(S::ThirdPerson) << QStringList{"goes"} << "goes";
        QTest::newRow("demo: not certain") << "demo" << int(S::ThirdPerson) << QStringList{} << "";
        QTest::newRow("stopping") << "stop" << int(S::Gerund) << QStringList{"stopping"} << "stopping";
        QTest::newRow("making") << "make" << int(S::Gerund) << QStringList{"making"} << "making";
        QTest::newRow("seeing") << "see" << int(S::Gerund) << QStringList{"seeing"} << "seeing";
        QTest::newRow("dying: listed") << "die" << int(S::Gerund) << QStringList{"dying"} << "dying";
        QTest::newRow("visiting") << "visit" << int(S::Gerund) << QStringList{"visiting"} << "visiting";
        QTest::newRow("beginning: listed") << "begin" << int(S::Gerund) << QStringList{"beginning"} << "beginning";
        QTest::newRow("stopped") << "stop" << int(S::Past) << QStringList{"stopped"} << "stopped";
        QTest::newRow("carried") << "carry" << int(S::Past) << QStringList{"carried"} << "carried";
        QTest::newRow("played") << "play" << int(S::Past) << QStringList{"played"} << "played";
        QTest::newRow("died") << "die" << int(S::Past) << QStringList{"died"} << "died";
        QTest::newRow("go: both forms as heads, none as synonym")
            << "go" << int(S::Past) << QStringList{"went", "gone"} << "";
        QTest::newRow("run: past or participle?") << "run" << int(S::Past) << QStringList{"ran"} << "";
        QTest::newRow("fed: one -ed form is both") << "feed" << int(S::Past) << QStringList{"fed"} << "fed";
        QTest::newRow("cut: unchanged") << "cut" << int(S::Past) << QStringList{} << "";
        QTest::newRow("happier") << "happy" << int(S::Comparative) << QStringList{"happier"} << "happier";
        QTest::newRow("biggest") << "big" << int(S::Superlative) << QStringList{"biggest"} << "biggest";
        QTest::newRow("better: listed") << "good" << int(S::Comparative) << QStringList{"better"} << "better";
        QTest::newRow("beautiful: more") << "beautiful" << int(S::Comparative) << QStringList{} << "";
        QTest::newRow("tired: a participle") << "tired" << int(S::Comparative) << QStringList{} << "";
        QTest::newRow("verb phrase") << "take off" << int(S::Gerund) << QStringList{} << "taking off";
        QTest::newRow("noun phrase with of") << "sign of the zodiac" << int(S::Plural) << QStringList{}
                                             << "signs of the zodiac";
        QTest::newRow("noun phrase") << "business firm" << int(S::Plural) << QStringList{} << "business firms";
        QTest::newRow("phrase ending in a particle") << "coming back" << int(S::Plural) << QStringList{} << "";
        QTest::newRow("plural first word") << "letters patent" << int(S::Plural) << QStringList{} << "";
    }
    void forms()
    {
        QFETCH(QString, word);
        QFETCH(int, slot);
        QFETCH(QStringList, head);
        QFETCH(QString, synonym);
        QCOMPARE(m_inflector->headForms(word, Inflector::Slot(slot)), head);
        QCOMPARE(m_inflector->synonymForm(word, Inflector::Slot(slot)).value_or(QString()), synonym);
    }

    void withoutListsOnlyRulesApply()
    {
        const Inflector bare(m_dir.filePath("nowhere"));
        QVERIFY(!bare.hasExceptionLists());
        QCOMPARE(bare.headForms("child", Inflector::Slot::Plural), QStringList{"childs"});
        QCOMPARE(bare.headForms("stop", Inflector::Slot::Past), QStringList{"stopped"});
    }
};

QTEST_GUILESS_MAIN(TestInflector)
#include "tst_inflector.moc"
