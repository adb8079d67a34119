#include "startup/ProgramFolderLock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

ProgramFolderLock::ProgramFolderLock(const QString &folder) : m_folder(folder) {}

ProgramFolderLock::~ProgramFolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // the lock goes with it
}

bool ProgramFolderLock::tryLock()
{
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(QDir(m_folder).filePath(QString::fromLatin1(FileName)));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return !held;
    }
    m_fd = fd;
    // Who holds it, for a person who looks.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0 && ::write(fd, pid.constData(), size_t(pid.size())) < 0) {
        // only a note: the lock holds without it
    }
    return true;
}

QString ProgramFolderLock::heldMessage() const
{
    return QStringLiteral("Penrook is already running from the folder %1.\r\n"
                          "Its reprints there would be overwritten by this one: please use the window that is "
                          "open, or close it and start Penrook again.")
        .arg(QDir::toNativeSeparators(m_folder));
}
