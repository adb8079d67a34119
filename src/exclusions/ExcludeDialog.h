#pragma once

#include <QDialog>

class Prompts;
class QLineEdit;
class QListWidget;
class QPushButton;
class WordStore;

// The exclusion list editor: lists the words never replaced, adds and deletes
// them. Every change goes straight to Tbl_Exclude; the list is reloaded from
// the table after each one.
class ExcludeDialog : public QDialog
{
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Exclude");

    ExcludeDialog(WordStore &store, Prompts &prompts);

    // A new editor, modal, with no owner; returns when it is closed.
    static void openModal(WordStore &store, Prompts &prompts);

    void RefreshList();
    void save();
    void deleteSelected();

protected:
    // Enter moves on as Tab would and Esc closes, whichever control has the key.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WordStore &m_store;
    Prompts &m_prompts;
    QLineEdit *m_word;
    QPushButton *m_save, *m_delete, *m_close;
    QListWidget *m_list;
};
