#include "wizard/DisplayPage.h"

#include "platform/Accessibility.h"
#include "platform/Prompts.h"
#include "sources/ResultActions.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const ControlSpec Controls[] = {
    {ControlSpec::Label, "lblChangeThis", "Would you like to save each reprint/variation to a text file?", 1320, 720, 5055, 195},
    {ControlSpec::PlainFrame, "FraOut1", "", 6480, 720, 1455, 375},
    {ControlSpec::Option, "OptYes", "Yes", 0, 0, 615, 255, "FraOut1", false, true},
    {ControlSpec::Option, "OptNo", "No", 720, 0, 735, 255, "FraOut1"},
    {ControlSpec::Label, "lblToThis", "If yes, please select a target folder below", 1320, 960, 3570, 195},
    {ControlSpec::LineBox, "TxtBrowseFolder", "", 1320, 1200, 3735, 375},
    {ControlSpec::Button, "CmBrowseFolder", "Browse...", 5160, 1200, 1215, 375},
    {ControlSpec::Label, "lblOnly1", "Would you like reprints/variations displayed on screen?", 1560, 2040, 4755, 195},
    {ControlSpec::Option, "OptYes1", "Yes", 6480, 2040, 615, 255, nullptr, false, true},
    {ControlSpec::Option, "OptNo1", "No", 7200, 2040, 735, 255},
};

} // namespace

DisplayPage::DisplayPage(QWidget *window, Prompts &prompts)
    : WizardPage("FraDisplay", "Display", window, Controls), m_prompts(prompts)
{
    m_saveYes = control<QRadioButton>("OptYes");
    m_saveNo = control<QRadioButton>("OptNo");
    m_displayYes = control<QRadioButton>("OptYes1");
    m_displayNo = control<QRadioButton>("OptNo1");
    m_folder = control<QLineEdit>("TxtBrowseFolder");
    m_browse = control<QPushButton>("CmBrowseFolder");
    // Two questions answer Yes or No: each answer names its question.
    nameForScreenReaders(m_saveYes, QStringLiteral("Save each reprint to a text file: Yes"));
    nameForScreenReaders(m_saveNo, QStringLiteral("Save each reprint to a text file: No"));
    nameForScreenReaders(m_folder, QStringLiteral("Target folder"));
    nameForScreenReaders(m_browse, QStringLiteral("Browse for the target folder"));
    nameForScreenReaders(m_displayYes, QStringLiteral("Display reprints on screen: Yes"));
    nameForScreenReaders(m_displayNo, QStringLiteral("Display reprints on screen: No"));
    // The folder button follows the saving choice.
    connect(m_saveYes, &QRadioButton::toggled, m_browse, &QPushButton::setEnabled);
    // What the picker gives, the empty text when cancelled, becomes the folder.
    connect(m_browse, &QPushButton::clicked, this,
            [this] { m_folder->setText(m_prompts.chooseFolder(ResultActions::FolderTitle)); });
}

bool DisplayPage::validate()
{
    if (saveToFiles() && outputFolder().isEmpty())
        return refuse(m_prompts, QStringLiteral("Please choose folder path"), m_browse);
    return true;
}

bool DisplayPage::saveToFiles() const
{
    return m_saveYes->isChecked();
}

bool DisplayPage::displayOnScreen() const
{
    return m_displayYes->isChecked();
}

QString DisplayPage::outputFolder() const
{
    return m_folder->text();
}

void DisplayPage::reset()
{
    m_folder->clear();
    m_saveNo->setChecked(true);
    m_displayYes->setChecked(true);
}
