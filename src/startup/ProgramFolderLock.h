#pragma once

#include <QLockFile>
#include <QString>

// One running copy of Penrook per program folder: the working copies and the
// scratch file there are written by the copy that holds the folder's lock, and
// by no other. A lock left by a copy that crashed is taken over: its process is
// gone, or is another program by now.
class ProgramFolderLock
{
public:
    static constexpr auto FileName = "penrook.lock";

    explicit ProgramFolderLock(const QString &folder);

    // True when this copy now holds the folder, or when the lock file cannot be
    // made at all (the folder's own troubles are reported where they matter).
    // False only when another running copy holds it; heldMessage() then says so.
    bool tryLock();

    // What a second copy started from the same folder tells the user.
    QString heldMessage() const;

private:
    QString m_folder;
    QLockFile m_lock;
};
