#pragma once

#include <QObject>
#include <QString>

class Prompts;
class QLineEdit;
class TextBox;

// The finish page's actions on the text shown.
class ResultActions : public QObject
{
    Q_OBJECT
public:
    static inline const QString HtmlFilter = QStringLiteral("HtmlFiles(*.html)|*.html;");
    static inline const QString OpenFilter = QStringLiteral("TextFiles(*.Txt)|*.Txt;");
    static inline const QString FolderTitle = QStringLiteral("Select a network computer or share.");

    ResultActions(TextBox *result, QLineEdit *linkAddress, Prompts &prompts, QObject *parent = nullptr);

    // Selects the whole text of `box`.
    static void SelectAllText(TextBox *box);

    // Puts the whole text on the clipboard, whatever is selected.
    void copyToClipboard();

    // Turns every occurrence of the selected phrase into a link to the address
    // typed: "<a href=" address ">" phrase "</a>". An address holding white
    // space, a quotation mark, an apostrophe, "<" or ">" is written in quotation
    // marks with & " ' < > escaped, so it cannot end the link early. Occurrences
    // are found left to right, letter case counting, never inside a link just made.
    void link();
    static QString linkEverywhere(const QString &text, const QString &phrase, const QString &address);

    // Writes the text into a nine-line HTML page, under the name exactly as chosen.
    void exportToHtml();
    static QStringList htmlPage(const QString &text);

    // Loads any text file chosen into the result box.
    void openFile();

signals:
    // openFile has put a file's text in the result box.
    void fileOpened();

private:
    TextBox *m_result;
    QLineEdit *m_linkAddress;
    Prompts &m_prompts;
};
