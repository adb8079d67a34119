#pragma once

#include <QString>

// `text` with every occurrence of `what` replaced by `with`, found left to right
// and never searched for again inside a replacement just made. An empty `what`
// changes nothing.
QString replaceAll(const QString &text, const QString &what, const QString &with, Qt::CaseSensitivity cs);
