#include "pagebandcard.h"

#include "pagerig.h"
#include "pageshot.h"
#include "pagewearspot.h"
#include "tapcaption.h"
#include "togglecaption.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTextDocument>
#include <QTreeWidget>
#include <QtTest>

enum class Step { Unbind, UnbindAfterSelectionMoved, CloudRefuses, Cancel, Markup, ChoosePosition };
Q_DECLARE_METATYPE(Step)

namespace {

const QString MOBILE = QStringLiteral("13800000000");
const QString FIRST = QStringLiteral("C4:7F:51:00:00:01");
const QString SECOND = QStringLiteral("C4:7F:51:00:00:02");
const QString MARKUP = QStringLiteral("<b>C4:7F:51:00:00:03</b>");
const QString MARKUP_SERIAL = QStringLiteral("<img src=\"file:///etc/hostname\">");

QString unbindPath()
{
    return LoopbackCloud::PATH_PREFIX + QStringLiteral("device/cancelbinddevice");
}


QTreeWidget* treeOf(QWidget& page)
{
    return page.findChild<QTreeWidget*>(QStringLiteral("treeWidget"));
}

QStringList rowTexts(QWidget& page, const QString& label)
{
    QStringList list;
    QTreeWidget* tree = treeOf(page);
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        list << tree->itemWidget(tree->topLevelItem(i), 0)->findChild<QLabel*>(label)->text();
    return list;
}

// Whether every label in the widget shows its text as it stands, markup and all.
bool literal(const QWidget& widget)
{
    for (const QLabel* label : widget.findChildren<QLabel*>()) {
        if (label->textFormat() != Qt::PlainText && Qt::mightBeRichText(label->text()))
            return false;
    }
    return true;
}

QStringList cachedAddresses(PageRig& rig)
{
    QStringList list;
    for (const CloudGate::ns_bind_dev& band : rig.hub().nsBinds())
        list << band.deviceAddress;
    return list;
}

QStringList cloudAddresses(PageRig& rig)
{
    QStringList list;
    for (const CloudLedger::lc_band& band : rig.cloud().ledger().account(MOBILE).bands)
        list << band.address;
    return list;
}

QStringList unbindRequests(PageRig& rig)
{
    QStringList list;
    for (const LoopbackCloud::lc_request& request : rig.cloud().requests()) {
        if (request.path == unbindPath())
            list << QJsonDocument::fromJson(request.body).object().value(QStringLiteral("deviceAddress")).toString();
    }
    return list;
}

void click(QTreeWidget* tree, const int& index)
{
    QTreeWidgetItem* item = tree->topLevelItem(index);
    tree->setCurrentItem(item);
    emit tree->itemClicked(item, 0);
}

// Two bands, the first without serial, bound on known days, the card shown and handed the hub.
bool start(PageRig& rig, PageBandCard& page, const QString& second, const QString& serial)
{
    if (!rig.isReady() || !rig.signIn(MOBILE))
        return false;
    CloudLedger::lc_account account = rig.cloud().ledger().account(MOBILE);
    account.cardBindingCaps = 2;
    rig.cloud().ledger().setAccount(account);
    rig.cloud().ledger().bindBand(MOBILE, {FIRST, QString(), QDateTime(QDate(2015, 3, 9), QTime(8, 0))});
    rig.cloud().ledger().bindBand(MOBILE, {second, serial, QDateTime(QDate(2016, 11, 20), QTime(21, 30))});
    page.resize(538, 376);
    page.show();
    return rig.activate(page);
}

// The second row's position popup: the rig picks the neck in it, then closes it.
void choosePosition(PageRig& rig, PageBandCard& page)
{
    QWidget* row = treeOf(page)->itemWidget(treeOf(page)->topLevelItem(1), 0);
    const int sent = rig.cloud().requests().size();
    rig.holdModal([] {
        auto* chooser = QApplication::activeModalWidget()->findChild<PageWearSpot*>();
        QTest::mouseClick(chooser->findChild<ToggleCaption*>(QStringLiteral("bt_neck")), Qt::LeftButton);
        return true;
    }, 0);
    QVERIFY(QMetaObject::invokeMethod(row, "on_pos_click"));
    QCOMPARE(rig.modals().size(), 1);
    QVERIFY(rig.modals().first().contains(QStringLiteral("佩戴方式")));
    QCOMPARE(row->findChild<TapCaption*>(QStringLiteral("bt_pos"))->text(), QStringLiteral("项部"));
    QCOMPARE(rig.cloud().requests().size(), sent);
}

} // namespace

class TestPageBandCard : public QObject
{
    Q_OBJECT
private slots:
    void unbind_data();
    void unbind();
};

void TestPageBandCard::unbind_data()
{
    QTest::addColumn<Step>("step");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("unbind removes only that band, though both lack a serial")
        << Step::Unbind << QStringList{SECOND} << QStringList{FIRST};
    QTest::newRow("a selection moved during the request still removes the requested band")
        << Step::UnbindAfterSelectionMoved << QStringList{SECOND} << QStringList{FIRST};
    QTest::newRow("a refused unbind keeps row and cache")
        << Step::CloudRefuses << QStringList{SECOND} << QStringList{FIRST, SECOND};
    QTest::newRow("cancel sends nothing") << Step::Cancel << QStringList() << QStringList{FIRST, SECOND};
    QTest::newRow("markup in a band's address and serial is shown and unbound as text")
        << Step::Markup << QStringList{MARKUP} << QStringList{FIRST};
    QTest::newRow("a position chosen in a row's popup is shown on the row and sent nowhere")
        << Step::ChoosePosition << QStringList() << QStringList{FIRST, SECOND};
}

void TestPageBandCard::unbind()
{
    QFETCH(Step, step);
    QFETCH(QStringList, requests);
    QFETCH(QStringList, left);
    const QString second = step == Step::Markup ? MARKUP : SECOND;
    const QString serial = step == Step::Markup ? MARKUP_SERIAL : QString();
    PageRig rig;
    PageBandCard page;
    QVERIFY(start(rig, page, second, serial));
    QTRY_COMPARE(rowTexts(page, QStringLiteral("label_devadd")), (QStringList{FIRST, second}));
    QCOMPARE(rowTexts(page, QStringLiteral("label_devnum")), (QStringList{QString(), serial}));
    QCOMPARE(rowTexts(page, QStringLiteral("label_date")), (QStringList{"2015-03-09", "2016-11-20"}));
    QVERIFY(literal(*treeOf(page)));
    QCOMPARE(cachedAddresses(rig), (QStringList{FIRST, second}));
    auto* unbind = page.findChild<TapCaption*>(QStringLiteral("bt_done"));
    QVERIFY(!unbind->isEnabled());
    if (step == Step::ChoosePosition) {
        choosePosition(rig, page);
        QCOMPARE(cloudAddresses(rig), left);
        return;
    }
    if (step == Step::Unbind)
        QVERIFY(rig.shot(page));
    if (step == Step::CloudRefuses)
        rig.cloud().setFault(unbindPath(), {LoopbackCloud::FAULT_RETURN_CODE, QStringLiteral("c007"), QString(), 0});
    if (step == Step::UnbindAfterSelectionMoved)
        rig.cloud().setFault(unbindPath(), {LoopbackCloud::FAULT_SLOW, QString(), QString(), 300});
    click(treeOf(page), 1);
    QVERIFY(unbind->isEnabled());
    rig.setModalAnswer(step == Step::Cancel ? 0 : 1);
    bool popupShot = step != Step::Unbind;
    if (step == Step::Unbind) {
        rig.holdModal([&popupShot] {
            popupShot = PageShot::save(*QApplication::activeModalWidget(), QStringLiteral("PageBandCard-unbind"));
            return true;
        }, 1);
    }
    QSignalSpy replies(&rig.hub(), SIGNAL(onNsDevUnBind(CloudGate::ns_ret_code,QString)));
    QTest::mouseClick(unbind, Qt::LeftButton);
    QCOMPARE(rig.modals().size(), 1);
    QVERIFY(popupShot);
    QVERIFY(rig.modals().first().contains(QStringLiteral("解除绑定后将无法获取手环数据，是否确定解除绑定?")));
    if (step == Step::Cancel) {
        QVERIFY(unbind->isEnabled());
        QCOMPARE(unbindRequests(rig), requests);
        return;
    }
    QVERIFY(!unbind->isEnabled());
    if (step == Step::UnbindAfterSelectionMoved) {
        click(treeOf(page), 0);
        QVERIFY2(!unbind->isEnabled(), "a row click must not enable unbinding while a request is out");
    }
    QVERIFY(replies.wait(PageRig::PEER_WAIT));
    QCOMPARE(unbindRequests(rig), requests);
    QCOMPARE(rowTexts(page, QStringLiteral("label_devadd")), left);
    QCOMPARE(cachedAddresses(rig), left);
    QTRY_COMPARE(cloudAddresses(rig), left);
}

QTEST_MAIN(TestPageBandCard)
#include "tst_pagebandcard.moc"
