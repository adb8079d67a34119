#include "exclusions/ExcludeDialog.h"

#include "platform/Accessibility.h"
#include "platform/Prompts.h"
#include "platform/TwipsLayout.h"
#include "platform/ErrorReport.h"
#include "platform/KeyProcedures.h"
#include "startup/WordStore.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include <limits>

namespace {

QPushButton *button(const char *name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false); // no default button: Enter is the window's
    return b;
}

} // namespace

ExcludeDialog::ExcludeDialog(WordStore &store, Prompts &prompts)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_store(store), m_prompts(prompts)
{
    setObjectName(QStringLiteral("FrmExclude"));
    setWindowTitle(Caption);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(twipsToPixels(4680), twipsToPixels(3090));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(grey);
    setAutoFillBackground(true);

    auto *label = new QLabel(QStringLiteral("Word"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(twipsRect(240, 210, 585, 315));
    m_word = new QLineEdit(this);
    m_word->setObjectName(QStringLiteral("TxtWord"));
    m_word->setMaxLength(std::numeric_limits<int>::max()); // no cut at 32,767 characters
    m_word->setGeometry(twipsRect(900, 210, 3675, 375));
    m_save = button("CmdSave", QStringLiteral("Save"), this);
    m_save->setGeometry(twipsRect(900, 690, 1245, 345));
    m_delete = button("CmdDelete", QStringLiteral("Delete"), this);
    m_delete->setGeometry(twipsRect(2160, 690, 1245, 345));
    m_close = button("CmdClose", QStringLiteral("Close"), this);
    m_close->setGeometry(twipsRect(3420, 690, 1155, 345));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("Lst"));
    m_list->setGeometry(twipsRect(90, 1440, 4455, 1425));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    nameForScreenReaders(m_word, QStringLiteral("Word"), QStringLiteral("The word to add to the exclusion list."));
    nameForScreenReaders(m_list, QStringLiteral("Excluded words"),
                         QStringLiteral("Words that are never replaced. Select one to delete it."));

    // Tab order: the word, Save, Close, the list, Delete.
    setTabOrder(m_word, m_save);
    setTabOrder(m_save, m_close);
    setTabOrder(m_close, m_list);
    setTabOrder(m_list, m_delete);

    for (QWidget *w : {static_cast<QWidget *>(m_word), static_cast<QWidget *>(m_save),
                       static_cast<QWidget *>(m_delete), static_cast<QWidget *>(m_close),
                       static_cast<QWidget *>(m_list)})
        w->installEventFilter(this);
    installEventFilter(this);

    connect(m_save, &QPushButton::clicked, this, &ExcludeDialog::save);
    connect(m_delete, &QPushButton::clicked, this, &ExcludeDialog::deleteSelected);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);

    RefreshList();
    m_word->setFocus();
}

void ExcludeDialog::openModal(WordStore &store, Prompts &prompts)
{
    ExcludeDialog editor(store, prompts);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = editor.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        editor.move(frame.topLeft());
    }
    editor.setWindowModality(Qt::ApplicationModal);
    editor.exec();
}

void ExcludeDialog::RefreshList()
{
    ResultSet rows = m_store.ListExcluded();
    if (!rows.isOpen())
        showErrorReport(m_prompts, rows.failure().description, rows.failure().location);
    m_list->clear();
    for (rows.moveFirst(); !rows.atEnd(); rows.moveNext())
        m_list->addItem(rows.field(QStringLiteral("word")).toString()); // a null word shows empty
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
}

void ExcludeDialog::save()
{
    if (m_word->text().isEmpty()) {
        m_prompts.message(QStringLiteral("Please fill word"), Prompts::Critical, Caption);
        return;
    }
    const StoreAnswer<bool> known = m_store.IsExcluded(m_word->text());
    if (!known) {
        showErrorReport(m_prompts, known.failure.description, known.failure.location);
        return; // nothing is written
    }
    if (*known) {
        m_prompts.message(QStringLiteral("Word already exist"), Prompts::Critical, Caption);
        return;
    }
    if (auto error = m_store.AddExcluded(m_word->text())) {
        m_prompts.message(QStringLiteral("The word could not be saved.\r\n") + *error, Prompts::Critical, Caption);
        return;
    }
    RefreshList();
    m_prompts.message(QStringLiteral("Saved Successfully"), Prompts::Information, Caption);
}

void ExcludeDialog::deleteSelected()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const QString word = selected.first()->text();
    const int answer = m_prompts.message(QStringLiteral("Do you want to delete ") + word + QStringLiteral(" Word"),
                                         Prompts::YesNo | Prompts::Information, ApplicationTitle);
    if (answer == Prompts::No)
        return;
    if (auto error = m_store.DeleteExcluded(word)) {
        m_prompts.message(QStringLiteral("The word could not be deleted.\r\n") + *error, Prompts::Critical,
                          ApplicationTitle);
        return;
    }
    m_prompts.message(QStringLiteral("Record deleted successfully"), Prompts::Information, ApplicationTitle);
    RefreshList();
}

bool ExcludeDialog::eventFilter(QObject *watched, QEvent *event)
{
    // A key a control ignores travels on to the window: handle it once, where it was typed.
    QWidget *focus = QApplication::focusWidget();
    const bool typedHere = focus && isAncestorOf(focus) ? watched == focus : watched == this;
    if (event->type() == QEvent::KeyPress && typedHere) {
        const int keyChar = keyCharOf(static_cast<QKeyEvent *>(event));
        if (keyChar == 27) {
            EscClosesWindow(keyChar, this);
            return true;
        }
        EnterActsAsTab(keyChar);
    }
    return false;
}
