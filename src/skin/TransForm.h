#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QVariantMap>
#include <QWidget>

#include <optional>

class Prompts;
class QMenu;

// A control placed on a window (its parent) that can shape the window to the
// pixels of its picture not in the mask colour, lets the window be dragged by
// its body, and pops up the window's system menu on demand.
//
// The parent's picture is its "picture" property (a QImage), drawn by the
// parent at its client area's top-left corner.
class TransForm : public QWidget
{
    Q_OBJECT
    Q_CLASSINFO("ClassId", "Penrook.TransForm")
public:
    static constexpr int DefaultMaskColor = 12632256; // RGB(192, 192, 192), laid out 0x00BBGGRR
    static constexpr bool DefaultTransparent = true;
    static constexpr int DefaultAutoDrag = 2;
    static constexpr int DesignFace = 32; // 480 twips

    // A control on `parent`, its properties loaded from `stored` (names in any
    // letter case; missing ones take their defaults). In design mode it only
    // keeps its own face and never touches the parent.
    TransForm(QWidget *parent, Prompts &prompts, const QVariantMap &stored = {}, bool designMode = false);

    // The stored form: only the values that differ from their defaults, under
    // the names "AutoDrag", "Transparent" and "MaskColor".
    QVariantMap saveProperties() const;

    int MaskColor() const { return m_maskColor; }
    void setMaskColor(int colour); // no re-shaping until Refresh or the next activation
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool transparent); // re-shapes at once
    int AutoDrag() const { return m_autoDrag; }
    void setAutoDrag(int autoDrag);
    bool isDisabled() const { return m_disabled; }

    void Refresh();

    // Pops up the parent's system menu and carries out the command chosen.
    // With x or y given (in the parent's pixels, relative to its client area; a
    // missing one counts as 0) the menu opens there, otherwise at the cursor.
    void PopupSysMenu(int flags = 0, std::optional<double> x = std::nullopt, std::optional<double> y = std::nullopt);

    // Where PopupSysMenu opens: the screen point for x and y as above.
    QPoint menuPoint(std::optional<double> x, std::optional<double> y) const;

    enum class Command { None, Restore, Move, Size, Minimize, Maximize, Close };
    // The parent's system menu, each action's data a Command.
    QMenu *systemMenu();
    void carryOut(Command command);

    // The region of `picture` whose pixels differ from `maskColor` in any of
    // red, green or blue.
    static QRegion shapeOf(const QImage &picture, int maskColor);
    static QColor colourOf(int maskColor);

    // Whether a left press on the parent moves the window now.
    bool dragsOnLeftPress() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void loadProperties(const QVariantMap &stored);
    void ApplyShape();
    void startDrag(QMouseEvent *move);
    void postReleaseAtPress();

    Prompts &m_prompts;
    bool m_designMode;
    int m_maskColor = DefaultMaskColor;
    bool m_transparent = DefaultTransparent;
    int m_autoDrag = DefaultAutoDrag;
    bool m_disabled = false;
    QPointer<QWidget> m_parent; // run mode only

    // Moving the window by hand where the window manager offers no move.
    // A left press arms a drag; moving the pointer starts it.
    bool m_pressArmed = false;
    bool m_draggingByHand = false;
    bool m_movedByManager = false;
    QPoint m_windowAtPress, m_pressLocal;
    QPointF m_pressGlobal; // unrounded: the move request names it on a screen that scales
    QMenu *m_menu = nullptr;
};
