#include "platform/Accessibility.h"

#include "platform/ImageButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

// A picture that acts as a button is a button: it says so, can be pressed, and
// is named by its accessible name. A picture that is decoration is a graphic.
class PictureButtonInterface : public QAccessibleWidget
{
public:
    explicit PictureButtonInterface(ImageButton *picture) : QAccessibleWidget(picture, QAccessible::Button) {}

    QAccessible::Role role() const override
    {
        return picture()->isClickable() ? QAccessible::Button : QAccessible::Graphic;
    }
    QStringList actionNames() const override
    {
        return picture()->isClickable() ? QStringList{pressAction()} : QStringList();
    }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            picture()->click();
    }

private:
    ImageButton *picture() const { return static_cast<ImageButton *>(object()); }
};

// A label whose text tells the user something has happened.
class NoticeInterface : public QAccessibleWidget
{
public:
    explicit NoticeInterface(NoticeLabel *label) : QAccessibleWidget(label, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel *>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *programKinds(const QString &className, QObject *object)
{
    if (className == QLatin1String("ImageButton"))
        return new PictureButtonInterface(static_cast<ImageButton *>(object));
    if (className == QLatin1String("NoticeLabel"))
        return new NoticeInterface(static_cast<NoticeLabel *>(object));
    return nullptr;
}

} // namespace

void installAccessibleKinds()
{
    static const bool installed = [] {
        QAccessible::installFactory(programKinds);
        return true;
    }();
    Q_UNUSED(installed);
}

void nameForScreenReaders(QWidget *control, const QString &name, const QString &description)
{
    control->setAccessibleName(name);
    if (!description.isEmpty())
        control->setAccessibleDescription(description);
}

NoticeLabel::NoticeLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    installAccessibleKinds();
}

void announce(NoticeLabel *notice)
{
    QAccessibleEvent alert(notice, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}
