#pragma once

#include <QString>

// Everything the program asks of the user or the desktop outside its own
// windows: message boxes, file and folder choosers, opening an address. The
// program talks to this interface only, so tests can answer in its place.
class Prompts
{
public:
    // Message box styles: buttons in the low bits, the icon above them.
    enum Style {
        OkOnly = 0,
        YesNo = 4,
        Critical = 16,
        Question = 32,
        Exclamation = 48,
        Information = 64,
    };
    // Answers.
    enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

    virtual ~Prompts() = default;

    // Shows `text` with the buttons and icon of `style` under `title`; returns the answer.
    virtual int message(const QString &text, int style, const QString &title) = 0;

    // File choosers. `filter` is written "Description|pattern|Description|pattern".
    // They return the chosen path, or the empty text when cancelled.
    virtual QString openFile(const QString &filter) = 0;
    virtual QString saveFile(const QString &filter) = 0;

    // Folder chooser; the chosen folder's full path, or the empty text.
    virtual QString chooseFolder(const QString &title) = 0;

    // Hands an address to the desktop; true when the desktop accepted it.
    virtual bool openAddress(const QString &address) = 0;
};

// Turns "Text Files(*.txt)|*.Txt|All Files(*.*)|*.*" into Qt's filter list. The
// patterns match file names in any letter case, since "*.Txt" is meant to find
// notes.txt as well.
QString qtFileFilter(const QString &barSeparated);

// Whether `path` may be written: it does not exist, or the user says to
// replace it, asked as the desktop's own save dialogs ask (titled `title`).
bool mayReplace(Prompts &prompts, const QString &path, const QString &title);
