#pragma once

#include "platform/Prompts.h"

#include <QPointer>
#include <QWidget>

// Prompts shown with Qt's message boxes and dialogs, over a parent window.
class QMessageBox;

class QtPrompts : public Prompts
{
public:
    // Sets up a message box for a style: the buttons, the icon, the title, and
    // the text with its CR LF line breaks.
    static void prepareMessageBox(QMessageBox &box, const QString &text, int style, const QString &title);

    explicit QtPrompts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    int message(const QString &text, int style, const QString &title) override;
    QString openFile(const QString &filter) override;
    QString saveFile(const QString &filter) override;
    QString chooseFolder(const QString &title) override;
    bool openAddress(const QString &address) override;

private:
    QPointer<QWidget> m_parent;
};
