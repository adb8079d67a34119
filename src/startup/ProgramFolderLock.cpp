#include "startup/ProgramFolderLock.h"

#include <QDir>

ProgramFolderLock::ProgramFolderLock(const QString &folder)
    : m_folder(folder), m_lock(QDir(folder).filePath(QString::fromLatin1(FileName)))
{
}

bool ProgramFolderLock::tryLock()
{
    return m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError;
}

QString ProgramFolderLock::heldMessage() const
{
    return QStringLiteral("Penrook is already running from the folder %1.\r\n"
                          "Its reprints there would be overwritten by this one: please use the window that is "
                          "open, or close it and start Penrook again.")
        .arg(QDir::toNativeSeparators(m_folder));
}
