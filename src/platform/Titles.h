#pragma once

#include <QString>

// The application's title, shown on every message box that names no other.
inline const QString ApplicationTitle = QStringLiteral("Penrook");

// The main window's caption, also the title of its own messages.
inline const QString MainCaption = QStringLiteral("Quillmorph");
