#include "wizard/PageLayout.h"

#include "platform/Accessibility.h"
#include "platform/ImageButton.h"
#include "platform/TextBox.h"
#include "platform/TwipsLayout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QHash>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <limits>

namespace {

QWidget *create(const ControlSpec &c, QWidget *parent)
{
    const QString text = QString::fromUtf8(c.text ? c.text : "");
    switch (c.kind) {
    case ControlSpec::Label: {
        auto *label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlSpec::Notice: {
        auto *notice = new NoticeLabel(text, parent);
        notice->setTextFormat(Qt::PlainText);
        return notice;
    }
    case ControlSpec::Option: {
        auto *option = new QRadioButton(text, parent);
        option->setChecked(c.set);
        return option;
    }
    case ControlSpec::CheckBox: {
        auto *box = new QCheckBox(text, parent);
        box->setChecked(c.set);
        return box;
    }
    case ControlSpec::LineBox: {
        auto *box = new QLineEdit(text, parent);
        // A line box holds whatever is typed or pasted; left to itself it would
        // cut the text at 32,767 characters without a word.
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    case ControlSpec::TextBox: {
        auto *box = new TextBox(parent);
        box->setText(text);
        return box;
    }
    case ControlSpec::Button:
        return new QPushButton(text, parent);
    case ControlSpec::HelpIcon: {
        auto *icon = new ImageButton(QStringLiteral(":/images/imgHelpSmall.svg"), parent);
        icon->setClickable(false);
        return icon;
    }
    case ControlSpec::Slider: {
        auto *slider = new QSlider(Qt::Horizontal, parent);
        slider->setRange(5, 80);
        slider->setValue(80);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(5);
        slider->setSingleStep(1);
        slider->setPageStep(5);
        return slider;
    }
    case ControlSpec::ProgressBar: {
        auto *bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        bar->setRange(0, 1);
        bar->setValue(0);
        return bar;
    }
    case ControlSpec::BorderedFrame: {
        auto *frame = new QGroupBox(parent);
        return frame;
    }
    case ControlSpec::PlainFrame:
        return new QWidget(parent);
    case ControlSpec::VerticalLine: {
        auto *line = new QFrame(parent);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    }
    return nullptr;
}

} // namespace

void buildControls(QWidget *page, std::span<const ControlSpec> controls)
{
    // Option buttons with the same container form one group. Qt's own grouping
    // of sibling buttons would also reach into nested frames, so each group is
    // made explicit.
    QHash<QWidget *, QButtonGroup *> groups;
    for (const ControlSpec &c : controls) {
        QWidget *parent = page;
        if (c.container)
            parent = page->findChild<QWidget *>(QString::fromLatin1(c.container));
        Q_ASSERT_X(parent, "buildControls", c.container);
        QWidget *widget = create(c, parent);
        widget->setObjectName(QString::fromLatin1(c.name));
        QRect rect = twipsRect(c.left, c.top, c.width, c.height);
        if (c.kind == ControlSpec::VerticalLine)
            rect = QRect(rect.left() - 1, rect.top(), 2, rect.height());
        widget->setGeometry(rect);
        if (c.hidden)
            widget->hide();
        if (c.kind == ControlSpec::Option) {
            QButtonGroup *&group = groups[parent];
            if (!group)
                group = new QButtonGroup(parent);
            group->addButton(static_cast<QRadioButton *>(widget));
        }
    }
}
