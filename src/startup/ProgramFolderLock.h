#pragma once

#include <QString>

// One running copy of Penrook per program folder: the working copies and the
// scratch file there are written by the copy that holds the folder's lock, and
// by no other. The lock is the system's, on an open lock file: it goes with
// the process that held it, however that ends, and a lock file copied with
// its folder, or left by a crash, holds nothing.
class ProgramFolderLock
{
public:
    static constexpr auto FileName = "penrook.lock";

    explicit ProgramFolderLock(const QString &folder);
    ~ProgramFolderLock();
    ProgramFolderLock(const ProgramFolderLock &) = delete;
    ProgramFolderLock &operator=(const ProgramFolderLock &) = delete;

    // True when this copy now holds the folder, or when the lock file cannot be
    // made at all (the folder's own troubles are reported where they matter).
    // False only when another running copy holds it; heldMessage() then says so.
    bool tryLock();

    // What a second copy started from the same folder tells the user.
    QString heldMessage() const;

private:
    QString m_folder;
    int m_fd = -1;
};
