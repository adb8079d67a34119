#include "startup/MainWindow.h"

#include "sources/TextFiles.h"

#include "platform/Prompts.h"
#include "platform/Accessibility.h"
#include "platform/ImageButton.h"
#include "platform/TwipsLayout.h"
#include "skin/TransForm.h"
#include "platform/Titles.h"
#include "wizard/Wizard.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QLabel>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>

namespace {

// The step labels across the strip under the banner, at top 960 twips.
struct StepLabel
{
    const char *name;
    const char *caption;
    int left; // twips
};
constexpr StepLabel StepLabels[MainWindow::StepCount] = {
    {"lblOriginalContent", "ORIGINAL CONTENT", 45},
    {"lblPreview", "PREVIEW", 2160},
    {"lblKEYWORDS", "KEYWORDS", 3360},
    {"lblLeg", "LEGIBILITY", 4640},
    {"lblSTRETCH", "STRETCH", 5955},
    {"lblREPRINTS", "REPRINTS", 7080},
    {"lblOUTPUT", "OUTPUT", 8280},
    {"lblFINISH", "FINISH", 9285},
};
constexpr int StepLabelTop = 960;

// The window's pictures, in stacking order (later ones lie above earlier ones).
struct Picture
{
    const char *name;
    const char *resource;
    int left, top, width, height; // twips
    bool clickable;
    bool visible;
    const char *spoken = nullptr; // the name a screen reader says for a picture that acts as a button
};
constexpr Picture BackPictures[] = {
    {"imgMenu", ":/images/imgMenu.svg", 0, 840, 10050, 420, false, true},
    {"imgFooter", ":/images/imgFooter.svg", 0, 5520, 10050, 525, false, true},
};
// Also the order Tab walks them in, after the page's controls: the footer from
// left to right, then the minimise picture at the top.
constexpr Picture FrontPictures[] = {
    {"imgExcept", ":/images/imgExcept.svg", 240, 5445, 615, 510, true, true, "Exclusion list"},
    {"imgHelp", ":/images/imgHelp.svg", 960, 5445, 615, 510, true, true, "Help"},
    {"imgPrev", ":/images/imgPrev.svg", 1800, 5520, 1530, 345, true, false, "Previous"},
    {"imgNxt", ":/images/imgNxt.svg", 8040, 5520, 1530, 345, true, true, "Next"},
    {"imgRestart", ":/images/imgRestart.svg", 8040, 5520, 1530, 345, true, false, "Restart"},
    {"imgClose", ":/images/imgClose.svg", 9720, 5520, 270, 285, true, true, "Close"},
    {"imgMin", ":/images/imgMin.svg", 9360, 480, 270, 285, true, true, "Minimise"},
};

ImageButton *addPicture(QWidget *parent, const Picture &p)
{
    auto *image = new ImageButton(QString::fromLatin1(p.resource), parent);
    image->setObjectName(QString::fromLatin1(p.name));
    image->setGeometry(twipsRect(p.left, p.top, p.width, p.height));
    image->setClickable(p.clickable);
    image->setVisible(p.visible);
    if (p.spoken)
        image->setAccessibleName(QString::fromLatin1(p.spoken));
    return image;
}

} // namespace

MainWindow::MainWindow(ReprintRun &run, Prompts &prompts, ExclusionEditor exclusionEditor,
                       const QString &programFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_prompts(prompts), m_exclusionEditor(std::move(exclusionEditor))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(MainCaption);
    setWindowIcon(QIcon(QStringLiteral(":/images/app-icon.svg")));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    buildShell();

    Wizard::Navigation nav{findChild<ImageButton *>(QStringLiteral("imgNxt")),
                           findChild<ImageButton *>(QStringLiteral("imgPrev")),
                           findChild<ImageButton *>(QStringLiteral("imgRestart")),
                           findChild<ImageButton *>(QStringLiteral("imgClose")), m_stepLabels};
    m_wizard = new Wizard(this, nav, findChild<QLabel *>(QStringLiteral("LblPleaseWait")), programFolder, m_prompts,
                          run);
    // Dragged by its body; rectangular, with its frame and caption.
    auto *skin = new TransForm(this, m_prompts,
                               {{QStringLiteral("autodrag"), 1}, {QStringLiteral("transparent"), false}});
    skin->setObjectName(QStringLiteral("TransForm1"));

    connect(m_wizard, &Wizard::exclusionEditorRequested, this, &MainWindow::openExclusionEditor);
    connect(findChild<ImageButton *>(QStringLiteral("imgExcept")), &ImageButton::clicked, this,
            &MainWindow::openExclusionEditor);
    connect(findChild<ImageButton *>(QStringLiteral("imgHelp")), &ImageButton::clicked, this,
            &MainWindow::openHelp);

    orderTabs();

    // The pages lie below the footer's pictures and above the strip.
    for (const char *name : {"imgFooter", "imgExcept", "imgHelp", "imgPrev", "LblPleaseWait", "imgNxt", "imgRestart",
                             "imgClose", "imgMin"})
        findChild<QWidget *>(QString::fromLatin1(name))->raise();

    load();
}

MainWindow::~MainWindow() = default;

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_wizard->requestStop();
    QWidget::closeEvent(event);
}

int MainWindow::currentStep() const
{
    return m_wizard->currentStep();
}

void MainWindow::orderTabs()
{
    // The pictures were made before the pages: Tab takes the pages' controls
    // first, in the order they were laid out in, then the pictures.
    QList<QWidget *> pictures;
    for (const Picture &p : FrontPictures)
        pictures.append(findChild<QWidget *>(QString::fromLatin1(p.name)));
    QList<QWidget *> order;
    for (QWidget *w : findChildren<QWidget *>()) {
        if ((w->focusPolicy() & Qt::TabFocus) && !pictures.contains(w) && !w->isWindow())
            order.append(w);
    }
    order += pictures;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    // The ring of the chain passes through the window, which hands the focus
    // to whatever follows it: the window opens on the first control instead.
    if (!order.isEmpty())
        order.first()->setFocus();
}

void MainWindow::buildShell()
{
    m_banner = new QTextBrowser(this);
    m_banner->setObjectName(QStringLiteral("webheader"));
    m_banner->setAccessibleName(MainCaption);
    m_banner->setGeometry(twipsRect(0, 0, 10935, 855));
    m_banner->setFrameShape(QFrame::NoFrame);
    m_banner->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_banner->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_banner->setFocusPolicy(Qt::NoFocus);
    m_banner->setTextInteractionFlags(Qt::NoTextInteraction);
    m_banner->setOpenLinks(false);
    // Presses on the banner go to the window, which is dragged by them.
    m_banner->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_banner->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (const Picture &p : BackPictures)
        addPicture(this, p);

    QFont bold = font();
    bold.setBold(true);
    for (int step = 0; step < StepCount; ++step) {
        auto *label = new QLabel(QString::fromLatin1(StepLabels[step].caption), this);
        label->setObjectName(QString::fromLatin1(StepLabels[step].name));
        label->setFont(bold);
        label->adjustSize();
        label->move(twipsToPixels(StepLabels[step].left), twipsToPixels(StepLabelTop));
        setLabelColour(label, OtherStepColour);
        m_stepLabels[step] = label;
    }
    // A separator midway between each label and the next.
    for (int step = 0; step + 1 < StepCount; ++step) {
        auto *sep = new ImageButton(QStringLiteral(":/images/imgSep.svg"), this);
        sep->setObjectName(QStringLiteral("imgSep"));
        sep->setClickable(false);
        const QLabel *left = m_stepLabels[step];
        const QLabel *right = m_stepLabels[step + 1];
        const int middle = (left->geometry().right() + right->x()) / 2;
        sep->setGeometry(middle - 4, left->y() + (left->height() - 14) / 2, 8, 14);
    }

    for (const Picture &p : FrontPictures)
        addPicture(this, p);

    // Read out to screen readers while a webpage loads.
    auto *pleaseWait = new NoticeLabel(QStringLiteral("Please Wait ............."), this);
    pleaseWait->setObjectName(QStringLiteral("LblPleaseWait"));
    pleaseWait->setGeometry(twipsRect(4530, 5640, 1965, 315));
    pleaseWait->setAlignment(Qt::AlignCenter);
    pleaseWait->setAutoFillBackground(true);
    QPalette grey = pleaseWait->palette();
    grey.setColor(QPalette::Window, QColor(224, 224, 224));
    pleaseWait->setPalette(grey);
    pleaseWait->hide();

    // Closing during a run stops the run first, which then ends at once.
    connect(findChild<ImageButton *>(QStringLiteral("imgClose")), &ImageButton::clicked, this, [this] {
        m_wizard->requestStop();
        QCoreApplication::exit(0);
    });
    connect(findChild<ImageButton *>(QStringLiteral("imgMin")), &ImageButton::clicked, this,
            &QWidget::showMinimized);
}

void MainWindow::load()
{
    setLabelColour(m_stepLabels[0], CurrentStepColour);
    // The banner is a page of our own, shown at once without a browser engine.
    m_banner->setSource(QUrl(QStringLiteral("qrc:/banner.html")));
}

QString MainWindow::helpAddress() const
{
    // The help page belongs to the installation, which may not be the folder the
    // program keeps its files in.
    const QString page = m_helpPage.isEmpty()
                             ? QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help.html"))
                             : m_helpPage;
    return QUrl::fromLocalFile(page).toString();
}

void MainWindow::openHelp()
{
    const QString page = QUrl(helpAddress()).toLocalFile();
    if (!FileExists(page)) {
        m_prompts.message(QStringLiteral("The help page %1 is missing. Installing Penrook again brings it back.")
                              .arg(QDir::toNativeSeparators(page)),
                          Prompts::Exclamation, MainCaption);
        return;
    }
    if (!m_prompts.openAddress(helpAddress()))
        m_prompts.message(QStringLiteral("No web browser could open the help page %1. It can be opened from there "
                                         "in any browser.")
                              .arg(QDir::toNativeSeparators(page)),
                          Prompts::Exclamation, MainCaption);
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The window's own surface, not a control on it.
    if (!childAt(event->position().toPoint()))
        openExclusionEditor();
}

void MainWindow::centreOnScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}
