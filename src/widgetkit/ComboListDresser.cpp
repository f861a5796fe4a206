// SPDX-License-Identifier: MIT
// Leans on Qt: QComboBox builds its drop-down list (the popup container and
// its view) in its handling of its first StyleChange or FontChange, long
// before anyone opens it, at about a sixth of a millisecond a list. While a
// box is dressed, a filter keeps those two events from it and does what
// QWidget itself makes of them; the box has no list and no size hint yet that
// they would have to update. The list Qt builds when the box first drops down
// is announced to the box by a ChildPolished event, and dressed then. Checked
// with Qt 6.4.2. Qt 6.8.2 builds the list before the dressing by another path,
// so there the keeping saves nothing (the list is dressed as it is polished);
// tst_entrylayout (listFieldAsDressed) fails if a dressed box's size stops
// following its font, or if Qt 6.4 builds the list before it drops down.
#include "widgetkit/ComboListDresser.h"

#include <QChildEvent>
#include <QComboBox>

namespace {

class ListDresser : public QObject
{
public:
    ListDresser(QComboBox *box, std::function<void(QWidget *)> dressList)
        : QObject(box)
        , dressList_(std::move(dressList))
    {
        box->installEventFilter(this);
    }

    // Ends the keeping; from here on the box sees its changes as usual.
    void stopKeeping() { keeping_ = false; }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = static_cast<QComboBox *>(watched);
        switch (event->type()) {
        case QEvent::StyleChange:
        case QEvent::FontChange:
            if (!keeping_)
                return false;
            box->update();
            box->updateGeometry();
            return true;
        case QEvent::ChildPolished:
            if (auto *list = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child());
                list && list->isWindow()) {
                dressList_(list);
                box->removeEventFilter(this);
                deleteLater();
            }
            return false;
        default:
            return false;
        }
    }

private:
    std::function<void(QWidget *)> dressList_;
    bool keeping_ = true;
};

} // namespace

void dressComboBox(QComboBox *box, const std::function<void()> &dressBox, std::function<void(QWidget *list)> dressList)
{
    auto *dresser = new ListDresser(box, std::move(dressList));
    dressBox();
    dresser->stopKeeping();
}
