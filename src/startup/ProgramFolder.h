#pragma once

#include <QString>

// Where the program keeps words.mdb, its working copies and its scratch file.
//
// That is the folder of the executable when the user can write it (a build tree,
// a per-user install). An executable in a folder the user cannot write (a
// system-wide install) keeps them in the user's own data folder instead:
// `dataHome`/penrook, created on first start with a copy of the words.mdb that
// lies beside the executable. A copy already there is never replaced; when the
// installed word data is of a newer version, the copy's words and synonyms are
// brought up to it and its exclusion list is kept.
struct ProgramFolder
{
    QString path;  // never empty
    QString error; // why the data folder could not be made ready; empty when it could

    static constexpr auto DataFolderName = "penrook";

    // `executableFolderWritable` says whether the user can write the executable's folder.
    static ProgramFolder choose(const QString &executableFolder, bool executableFolderWritable,
                                const QString &dataHome);
    // The same for the running program, with the user's XDG data home
    // ($XDG_DATA_HOME, by default ~/.local/share).
    static ProgramFolder forThisProgram();
};
