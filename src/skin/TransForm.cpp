#include "skin/TransForm.h"

#include "engine/Numbers.h"
#include "platform/Prompts.h"
#include "platform/WindowMoveRequest.h"

#include <QBitmap>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

namespace {

const QString AutoDragName = QStringLiteral("AutoDrag");
const QString TransparentName = QStringLiteral("Transparent");
const QString MaskColorName = QStringLiteral("MaskColor");

// Menu alignment flags of the popup request.
constexpr int CentreAlign = 0x4, RightAlign = 0x8, MiddleAlign = 0x10, BottomAlign = 0x20;

std::optional<QVariant> storedValue(const QVariantMap &stored, const QString &name)
{
    for (auto it = stored.constBegin(); it != stored.constEnd(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return std::nullopt;
}

// The design-mode face: a badge on the mask grey, which shows as transparent.
QImage designFace()
{
    QImage face(TransForm::DesignFace, TransForm::DesignFace, QImage::Format_RGB32);
    face.fill(QColor(192, 192, 192));
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x3a, 0x5f));
    p.drawRect(4, 4, 24, 24);
    p.setBrush(QColor(0xe8, 0xa3, 0x3d));
    p.drawRect(9, 9, 14, 4);
    p.drawRect(14, 13, 4, 11);
    return face;
}

} // namespace

TransForm::TransForm(QWidget *parent, Prompts &prompts, const QVariantMap &stored, bool designMode)
    : QWidget(parent), m_prompts(prompts), m_designMode(designMode)
{
    setObjectName(QStringLiteral("TransForm"));
    resize(DesignFace, DesignFace);
    loadProperties(stored);
}

void TransForm::loadProperties(const QVariantMap &stored)
{
    m_autoDrag = storedValue(stored, AutoDragName).value_or(DefaultAutoDrag).toInt();
    m_transparent = storedValue(stored, TransparentName).value_or(DefaultTransparent).toBool();
    m_maskColor = storedValue(stored, MaskColorName).value_or(DefaultMaskColor).toInt();

    if (!m_designMode && parentWidget()) {
        m_parent = parentWidget();
        m_parent->installEventFilter(this);
        hide(); // in use only its work shows, not its face
        int found = 0;
        for (QObject *child : m_parent->children()) {
            if (!qobject_cast<TransForm *>(child))
                continue;
            if (found++ >= 1) {
                m_prompts.message(QStringLiteral("Only one TransForm control is allowed or needed on a single form."
                                                 "\r\n\r\nAll TransForm functionality will be disabled for this form."),
                                  Prompts::Exclamation, QStringLiteral("Multiple TransForm Controls"));
                m_disabled = true;
                break;
            }
        }
    }
    ApplyShape();
}

QVariantMap TransForm::saveProperties() const
{
    QVariantMap stored;
    if (m_autoDrag != DefaultAutoDrag)
        stored.insert(AutoDragName, m_autoDrag);
    if (m_transparent != DefaultTransparent)
        stored.insert(TransparentName, m_transparent);
    if (m_maskColor != DefaultMaskColor)
        stored.insert(MaskColorName, m_maskColor);
    return stored;
}

void TransForm::setMaskColor(int colour)
{
    m_maskColor = colour;
}

void TransForm::setTransparent(bool transparent)
{
    m_transparent = transparent;
    ApplyShape();
}

void TransForm::setAutoDrag(int autoDrag)
{
    m_autoDrag = autoDrag;
}

void TransForm::Refresh()
{
    ApplyShape();
}

QColor TransForm::colourOf(int maskColor)
{
    return QColor(maskColor & 0xFF, (maskColor >> 8) & 0xFF, (maskColor >> 16) & 0xFF);
}

QRegion TransForm::shapeOf(const QImage &picture, int maskColor)
{
    // Alpha plays no part: only red, green and blue are compared.
    const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
    const QImage mask = opaque.createMaskFromColor(colourOf(maskColor).rgb(), Qt::MaskInColor);
    return QRegion(QBitmap::fromImage(mask));
}

void TransForm::ApplyShape()
{
    if (m_designMode || !m_parent)
        return;
    const QImage picture = m_parent->property("picture").value<QImage>();
    const QRegion shape = m_disabled || !m_transparent || picture.isNull() ? QRegion() : shapeOf(picture, m_maskColor);
    if (shape.isEmpty()) {
        m_parent->clearMask(); // rectangular again, with its frame
        return;
    }
    // The control takes the picture's size; the parent's client area takes the
    // control's, its frame and caption keeping theirs.
    resize(picture.size());
    if (m_parent->minimumSize() == m_parent->maximumSize())
        m_parent->setFixedSize(size());
    else
        m_parent->resize(size());
    m_parent->setMask(shape);
}

bool TransForm::dragsOnLeftPress() const
{
    return !m_disabled && (m_autoDrag == 1 || (m_autoDrag == 2 && m_transparent));
}

bool TransForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_parent)
        return false;
    switch (event->type()) {
    case QEvent::WindowActivate:
        ApplyShape();
        break;
    case QEvent::MouseButtonPress: {
        // A press only arms the drag: the window moves once the pointer does, so
        // clicks and double-clicks on the body still reach the window.
        auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() == Qt::LeftButton && dragsOnLeftPress()) {
            m_pressArmed = true;
            m_pressLocal = press->position().toPoint();
            m_pressGlobal = press->globalPosition();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *move = static_cast<QMouseEvent *>(event);
        if (m_draggingByHand) {
            m_parent->window()->move(m_windowAtPress + move->globalPosition().toPoint() - m_pressGlobal.toPoint());
            return true;
        }
        if (m_pressArmed && (move->buttons() & Qt::LeftButton)
            && (move->globalPosition().toPoint() - m_pressGlobal.toPoint()).manhattanLength()
                   >= QApplication::startDragDistance()) {
            m_pressArmed = false;
            startDrag(move);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        m_pressArmed = false;
        if (m_draggingByHand) {
            m_draggingByHand = false;
            m_parent->releaseMouse();
            postReleaseAtPress();
            return true;
        }
        if (m_movedByManager) {
            m_movedByManager = false; // its release has been posted already
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void TransForm::startDrag(QMouseEvent *move)
{
    QWidget *window = m_parent->window();
    QWindow *handle = window->windowHandle();
    // A window manager's move keeps the pointer where it was on the window
    // when the move began. Qt's own request names the pointer's place now,
    // which would leave the travel since the press behind, so on X the manager
    // is first told of the move from the press itself. It then has the move in
    // hand and passes over Qt's request, which is still made so that Qt sees
    // the button go up when the move ends.
    if (handle)
        requestMoveFromPress(handle, m_pressGlobal);
    if (handle && handle->startSystemMove()) {
        // The window manager moves the window now and keeps the release.
        m_movedByManager = true;
        postReleaseAtPress();
        return;
    }
    // No window manager move here: follow the pointer by hand until the release.
    m_draggingByHand = true;
    m_parent->grabMouse();
    m_windowAtPress = window->pos();
    window->move(m_windowAtPress + move->globalPosition().toPoint() - m_pressGlobal.toPoint());
}

// The window sees the button go up where it went down.
void TransForm::postReleaseAtPress()
{
    QCoreApplication::postEvent(m_parent, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(m_pressLocal),
                                                          QPointF(m_pressGlobal.toPoint()), Qt::LeftButton, Qt::NoButton,
                                                          Qt::NoModifier));
}

QPoint TransForm::menuPoint(std::optional<double> x, std::optional<double> y) const
{
    if (!x && !y)
        return QCursor::pos();
    const QPoint client(int(roundHalfEven(x.value_or(0))), int(roundHalfEven(y.value_or(0))));
    return m_parent ? m_parent->mapToGlobal(client) : client;
}

QMenu *TransForm::systemMenu()
{
    if (!m_parent)
        return nullptr;
    if (!m_menu) {
        m_menu = new QMenu(this);
        m_menu->setObjectName(QStringLiteral("systemMenu"));
        const std::pair<const char *, Command> items[] = {
            {"&Restore", Command::Restore},   {"&Move", Command::Move},         {"&Size", Command::Size},
            {"Mi&nimize", Command::Minimize}, {"Ma&ximize", Command::Maximize},
        };
        for (const auto &[text, command] : items)
            m_menu->addAction(tr(text))->setData(int(command));
        m_menu->addSeparator();
        m_menu->addAction(tr("&Close"))->setData(int(Command::Close));
    }
    // The commands open to the window as it is now.
    QWidget *window = m_parent->window();
    const bool fixed = window->minimumSize() == window->maximumSize();
    const bool normal = !(window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    for (QAction *action : m_menu->actions()) {
        switch (Command(action->data().toInt())) {
        case Command::Restore: action->setEnabled(!normal); break;
        case Command::Move: action->setEnabled(normal); break;
        case Command::Size: action->setEnabled(normal && !fixed); break;
        case Command::Minimize: action->setEnabled(!(window->windowState() & Qt::WindowMinimized)); break;
        case Command::Maximize: action->setEnabled(!fixed && !(window->windowState() & Qt::WindowMaximized)); break;
        default: break;
        }
    }
    return m_menu;
}

void TransForm::PopupSysMenu(int flags, std::optional<double> x, std::optional<double> y)
{
    if (m_disabled)
        return;
    QMenu *menu = systemMenu();
    if (!menu)
        return;
    QPoint at = menuPoint(x, y);
    const QSize size = menu->sizeHint();
    if (flags & RightAlign)
        at.rx() -= size.width();
    else if (flags & CentreAlign)
        at.rx() -= size.width() / 2;
    if (flags & BottomAlign)
        at.ry() -= size.height();
    else if (flags & MiddleAlign)
        at.ry() -= size.height() / 2;
    if (QAction *chosen = menu->exec(at)) {
        const auto command = Command(chosen->data().toInt());
        // Carried out after the menu has gone, as a posted command would be.
        QTimer::singleShot(0, this, [this, command] { carryOut(command); });
    }
}

void TransForm::carryOut(Command command)
{
    if (!m_parent)
        return;
    QWidget *window = m_parent->window();
    QWindow *handle = window->windowHandle();
    switch (command) {
    case Command::Restore: window->showNormal(); break;
    case Command::Move:
        if (handle)
            handle->startSystemMove();
        break;
    case Command::Size:
        if (handle)
            handle->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
        break;
    case Command::Minimize: window->showMinimized(); break;
    case Command::Maximize: window->showMaximized(); break;
    case Command::Close: window->close(); break;
    case Command::None: break;
    }
}

void TransForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_designMode)
        return;
    // A fixed face: one side set back at a time, then the grey made transparent.
    if (width() != DesignFace)
        resize(DesignFace, height());
    else if (height() != DesignFace)
        resize(DesignFace, DesignFace);
    else
        setMask(shapeOf(designFace(), DefaultMaskColor));
}

void TransForm::paintEvent(QPaintEvent *)
{
    if (m_designMode) {
        QPainter painter(this);
        painter.drawImage(0, 0, designFace());
    }
}
