#include "platform/QtPrompts.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

void QtPrompts::prepareMessageBox(QMessageBox &box, const QString &text, int style, const QString &title)
{
    box.setWindowTitle(title);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    switch (style & 0xF0) {
    case Critical: box.setIcon(QMessageBox::Critical); break;
    case Question: box.setIcon(QMessageBox::Question); break;
    case Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    if ((style & 0x0F) == YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
}

int QtPrompts::message(const QString &text, int style, const QString &title)
{
    QMessageBox box(m_parent);
    prepareMessageBox(box, text, style, title);
    const int answer = box.exec();
    if ((style & 0x0F) == YesNo)
        return answer == QMessageBox::Yes ? Yes : No;
    return Ok;
}

QString QtPrompts::openFile(const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, QString(), QString(), qtFileFilter(filter), nullptr,
                                        QFileDialog::HideNameFilterDetails);
}

QString QtPrompts::saveFile(const QString &filter)
{
    // The name is taken exactly as typed: no extension is added, and the
    // program itself decides about replacing an existing file.
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(qtFileFilter(filter));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtPrompts::chooseFolder(const QString &title)
{
    const QString folder = QFileDialog::getExistingDirectory(m_parent, title, QDir::homePath());
    return QDir::toNativeSeparators(folder);
}

bool QtPrompts::openAddress(const QString &address)
{
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
