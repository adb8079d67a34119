#pragma once

#include <QString>

#include "platform/Titles.h"

class Prompts;

// The report of an unexpected failure: the failure's own description, CR LF,
// then "Contact The Software Vendor at line " and the number of the failing step.
QString errorReportText(const QString &description, int location);

// Shows the report with an OK button, no icon, under the application title.
void showErrorReport(Prompts &prompts, const QString &description, int location);
