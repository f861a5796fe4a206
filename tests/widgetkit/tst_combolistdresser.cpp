// SPDX-License-Identifier: MIT
// A drop-down list field dressed by the look, which keeps Qt from building the
// box's list while it dresses the box: the box still takes the size of its
// dressed font, follows later font changes as any box does, and gets its list
// only when it drops down, dressed then.
#include "widgetkit/Look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>

#include <memory>

namespace {

const QStringList Months = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};

// The windows a combo box has built for its list.
int builtLists(const QComboBox &box)
{
    int lists = 0;
    for (const QWidget *child : box.findChildren<QWidget *>())
        lists += child->isWindow();
    return lists;
}

// A box made like the entry window's date lists: dressed, then filled.
std::unique_ptr<QComboBox> dressedBox()
{
    auto box = std::make_unique<QComboBox>();
    look::field(box.get());
    box->addItems(Months);
    return box;
}

// The same box given the same style, colours and font the usual way.
std::unique_ptr<QComboBox> boxLike(const QComboBox &model)
{
    auto box = std::make_unique<QComboBox>();
    box->setStyle(model.style());
    box->setPalette(model.palette());
    box->setFont(model.font());
    box->addItems(Months);
    return box;
}

} // namespace

class ComboListDresserTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void sizeFollowsTheFont_data();
    void sizeFollowsTheFont();
    void listIsBuiltWhenItDropsDown();
};

void ComboListDresserTest::sizeFollowsTheFont_data()
{
    QTest::addColumn<int>("laterPixels"); // a font size set after the dressing; 0: none
    QTest::newRow("as dressed") << 0;
    QTest::newRow("a larger font afterwards") << 24;
    QTest::newRow("a smaller font afterwards") << 8;
}

void ComboListDresserTest::sizeFollowsTheFont()
{
    QFETCH(int, laterPixels);
    const std::unique_ptr<QComboBox> box = dressedBox();
    QCOMPARE(box->font().pixelSize(), look::verdana(8.25, look::Bold).pixelSize());
    const QSize dressed = box->sizeHint();
    if (laterPixels) {
        QFont font = box->font();
        font.setPixelSize(laterPixels);
        box->setFont(font);
        QVERIFY(box->sizeHint().width() != dressed.width());
    }

    QCOMPARE(box->sizeHint(), boxLike(*box)->sizeHint());
}

void ComboListDresserTest::listIsBuiltWhenItDropsDown()
{
    const std::unique_ptr<QComboBox> box = dressedBox();
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QCOMPARE(builtLists(*box), 0);

    box->showPopup();
    QTRY_VERIFY(box->view()->isVisible());
    QCOMPARE(builtLists(*box), 1);
    QCOMPARE(box->view()->window()->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(box->view()->font(), box->font());
    box->hidePopup();
}

QTEST_MAIN(ComboListDresserTest)
#include "tst_combolistdresser.moc"
