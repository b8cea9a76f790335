#include "skin/skinner/skin_kind.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace skin {

SkinKind skinKindOf(const QWidget *widget)
{
    if (!widget)
        return SkinKind::Other;
    if (widget->isWindow())
        return SkinKind::Container;
    if (qobject_cast<const QPushButton *>(widget))
        return SkinKind::PushButton;
    if (qobject_cast<const QComboBox *>(widget))
        return SkinKind::ComboBox;
    if (qobject_cast<const QCheckBox *>(widget))
        return SkinKind::CheckBox;
    if (qobject_cast<const QRadioButton *>(widget))
        return SkinKind::OptionButton;
    if (qobject_cast<const QProgressBar *>(widget))
        return SkinKind::ProgressBar;
    if (qobject_cast<const QListView *>(widget))
        return SkinKind::ListBox;
    // A header paints its items on its viewport, so that is the widget the skin paints on.
    if (auto *header = qobject_cast<const QHeaderView *>(widget->parentWidget())) {
        if (header->viewport() == widget)
            return SkinKind::Header;
    }
    return SkinKind::Other;
}

} // namespace skin
