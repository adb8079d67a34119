#include "platform/ErrorReport.h"

#include "platform/Prompts.h"

QString errorReportText(const QString &description, int location)
{
    return description + QStringLiteral("\r\n") + QStringLiteral("Contact The Software Vendor ")
           + QStringLiteral("at line ") + QString::number(location);
}

void showErrorReport(Prompts &prompts, const QString &description, int location)
{
    prompts.message(errorReportText(description, location), Prompts::OkOnly, ApplicationTitle);
}
