#pragma once

#include "engine/WordList.h"

#include <QDialog>
#include <QHash>
#include <QStringList>

#include <vector>

class ChangeMarks;
class FitToSentence;
class NoticeLabel;
class Prompts;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TextBox;
class WordStore;

// The Choose synonyms window: the text with every word that can change marked,
// the selected word's candidates in its sentence to tick and untick, and the
// user's own synonyms. A choice holds for the word in its class wherever it
// stands; OK keeps this opening's choices in the word database, Cancel forgets
// them. What it offers and shows as ticked is what the fit to the sentence
// draws from, asked of the same code.
class ChooseDialog : public QDialog
{
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Choose synonyms");

    // Over `text` (CR LF lines), leaving `keywords` alone.
    ChooseDialog(FitToSentence &fit, WordStore &store, Prompts &prompts, const QString &text,
                 const QStringList &keywords, QWidget *parent);
    ~ChooseDialog() override;

    // The words that have candidates, in the order they stand.
    qsizetype placeCount() const { return qsizetype(m_places.size()); }
    // The entry of the word list at place `index`, and the place selected (-1: none).
    qsizetype entryOf(qsizetype index) const { return m_places.at(size_t(index)).entry; }
    // The word at place `index` in lower case, and its class's code.
    QString wordOf(qsizetype index) const { return m_places.at(size_t(index)).word; }
    QString classOf(qsizetype index) const { return m_places.at(size_t(index)).classCode; }
    qsizetype selectedPlace() const { return m_selected; }
    void selectPlace(qsizetype index);
    // Ticks the selected word's candidate `number` (from 1) if it is not, and unticks it if it is.
    void toggleCandidate(int number);
    // Adds the user's own synonym of the selected word, ticked.
    void addOwnSynonym(const QString &synonym);

    // Keeps the choices; stays open, after saying why, when they cannot be kept.
    void accept() override;

    // The text as it stands here in spintax: each word that can change a group
    // of the word and its ticked candidates, every other character as it is.
    QString asSpintax() const;
    // Asks for a file (and before replacing one) and writes asSpintax() to it.
    void saveAsSpintax();
    static inline const QString SpintaxFilter = QStringLiteral("Text Files(*.txt)|*.txt|All Files(*.*)|*.*");

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Place
    {
        qsizetype entry;
        QString word, classCode;
        int firstWord; // of the box's words
        int words;
    };
    QString keyOf(const Place &place) const { return place.word + QLatin1Char('\t') + place.classCode; }
    void findPlaces(const QStringList &keywords);
    // What the place would be drawn from, this opening's choices included.
    QStringList tickedAt(const Place &place) const;
    bool isTicked(const Place &place, const QString &synonym, bool stored) const;
    void setTicked(const Place &place, const QString &synonym, bool ticked, bool stored);
    void showCandidates();
    void candidateChanged(QListWidgetItem *item);
    void markWords();
    void showFigure();
    void selectWordAtCursor();
    void step(int by);
    QString sentenceOf(qsizetype entry) const;

    FitToSentence &m_fit;
    WordStore &m_store;
    Prompts &m_prompts;
    WordList m_list;
    QString m_source; // the text, CR LF lines
    std::vector<Place> m_places;
    int m_wordCount = 0;
    std::vector<int> m_starts; // of the box's words, by document position
    qsizetype m_selected = -1;
    bool m_selecting = false;
    bool m_filling = false;
    // This opening's choices, by word TAB class: each synonym's tick, and what it was before.
    struct Tick
    {
        bool ticked;
        bool before;
    };
    QHash<QString, QHash<QString, Tick>> m_ticks;
    QHash<QString, QStringList> m_own; // synonyms the user added in this opening
    QStringList m_shown;               // the selected word's candidates, in the list's order

    TextBox *m_text;
    ChangeMarks *m_marks;
    QLabel *m_figure;
    NoticeLabel *m_selectedWord;
    QListWidget *m_candidates;
    QLineEdit *m_ownSynonym;
    QPushButton *m_add, *m_save, *m_ok, *m_cancel;
};
