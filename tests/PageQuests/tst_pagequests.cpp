#include "pagequests.h"

#include "corehub.h"
#include "loopbackcloud.h"
#include "pagerig.h"

#include <QSignalSpy>
#include <QWebFrame>
#include <QWebView>
#include <QtTest>

namespace {

const QString MOBILE = QStringLiteral("13800000000");

QList<LoopbackCloud::lc_request> taskRequests(LoopbackCloud& cloud)
{
    QList<LoopbackCloud::lc_request> found;
    for (const LoopbackCloud::lc_request& request : cloud.requests()) {
        if (request.path == LoopbackCloud::TASK_LIST_PATH)
            found.append(request);
    }
    return found;
}

// Every log line while it stands, passed on to the handler before it (the rig's).
class LogCapture
{
public:
    LogCapture() { s_previous = qInstallMessageHandler(&LogCapture::record); }
    ~LogCapture() { qInstallMessageHandler(s_previous); }
    static QStringList lines;

private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        lines.append(text);
        if (s_previous)
            s_previous(type, context, text);
    }
    static QtMessageHandler s_previous;
};

QStringList LogCapture::lines;
QtMessageHandler LogCapture::s_previous = nullptr;

QString shownText(QWebView* view)
{
    return view->page()->mainFrame()->toPlainText();
}

} // namespace

class TestPageQuests : public QObject
{
    Q_OBJECT
private slots:
    void activation_data();
    void activation();
    void nullHubSendsNothing();
    void navigation_data();
    void navigation();
};

// What the page posts against what the served page shows: a signed-in user sees the task list,
// an access token the cloud does not know shows the cloud's error page.
void TestPageQuests::activation_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("shot");
    QTest::newRow("signed-in user sees the served task list") << QString() << "连续七天同步手环数据" << true;
    QTest::newRow("token with &, =, + and %2 arrives intact") << "a&b=c+d%2e%2 f" << "登录已失效" << false;
    QTest::newRow("unknown token shows the cloud's error page") << "0123456789abcdef" << "请重新登录" << false;
}

void TestPageQuests::activation()
{
    QFETCH(QString, token);
    QFETCH(QString, shown);
    QFETCH(bool, shot);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    if (!token.isEmpty())
        rig.hub().setNsToken(token);
    const QString sentToken = rig.hub().nsToken();
    PageQuests page;
    page.resize(640, 480);
    page.show();
    QWebView* view = page.findChild<QWebView*>();
    QVERIFY(view);
    LogCapture::lines.clear();
    {
        const LogCapture capture;
        for (int activation = 1; activation <= 2; ++activation) {
            QSignalSpy loaded(view, &QWebView::loadFinished);
            rig.activate(page);
            QVERIFY(loaded.wait());
            QCOMPARE(taskRequests(rig.cloud()).size(), activation);
        }
    }
    for (const QString& line : LogCapture::lines)
        QVERIFY2(!line.contains(sentToken), qPrintable("access token in the log: " + line));
    const LoopbackCloud::lc_request request = taskRequests(rig.cloud()).last();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    const QMap<QString, QString> fields = LoopbackCloud::formFields(request.body);
    QCOMPARE(fields.keys(), (QStringList{"accessToken", "language", "version"}));
    QCOMPARE(fields.value("accessToken"), sentToken);
    QCOMPARE(fields.value("version"), CoreHub::version());
    QCOMPARE(fields.value("language"), rig.hub().LanguageString());
    QVERIFY2(shownText(view).contains(shown), qPrintable(shownText(view)));
    if (shot)
        QVERIFY(rig.shot(page));
}

// A second page activated with the hub afterwards is the marker: once its request is served,
// anything the first page had sent would be in the log too.
void TestPageQuests::nullHubSendsNothing()
{
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    PageQuests idle;
    QVERIFY(!idle.setMsg(nullptr));
    QVERIFY(idle.findChild<QWebView*>()->url().isEmpty());
    PageQuests marker;
    QSignalSpy loaded(marker.findChild<QWebView*>(), &QWebView::loadFinished);
    rig.activate(marker);
    QVERIFY(loaded.wait());
    QCOMPARE(taskRequests(rig.cloud()).size(), 1);
    QVERIFY(idle.findChild<QWebView*>()->url().isEmpty());
}

// What a script in the served page does, by a link it clicks or by setting the page's location:
// the view follows http and nothing else. A link to a file is left out: the engine itself
// refuses a remote page's file navigation before the page is asked.
void TestPageQuests::navigation_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("shown");    // empty: the task list stays
    QTest::addColumn<QString>("refused");  // the scheme the page itself refuses
    const QString click = QStringLiteral("var a = document.createElement('a'); a.href = '%1';"
                                         "document.body.appendChild(a); a.click();");
    QTest::newRow("a link to another http address is followed")
        << click.arg("/elsewhere") << "not found" << QString();
    QTest::newRow("a link to a data address is refused")
        << click.arg("data:text/html,<p>fake sign-in</p>") << QString() << "data";
    QTest::newRow("a link to an ftp address is refused")
        << click.arg("ftp://127.0.0.1/tasks.html") << QString() << "ftp";
    QTest::newRow("a location set to a data address is refused")
        << "location.href = 'data:text/html,<p>fake sign-in</p>';" << QString() << "data";
}

void TestPageQuests::navigation()
{
    QFETCH(QString, script);
    QFETCH(QString, shown);
    QFETCH(QString, refused);
    PageRig rig;
    QVERIFY(rig.signIn(MOBILE));
    PageQuests page;
    page.show();
    QWebView* view = page.findChild<QWebView*>();
    QSignalSpy loaded(view, &QWebView::loadFinished);
    rig.activate(page);
    QVERIFY(loaded.wait());
    const QUrl taskList = view->url();
    QSignalSpy started(view, &QWebView::loadStarted);
    LogCapture::lines.clear();
    const LogCapture capture;
    // A location the script sets is decided on a timer, ahead of the script's own next one.
    view->page()->mainFrame()->evaluateJavaScript(script
                                                  + "setTimeout(function () { document.title = 'decided'; }, 0);");
    if (!shown.isEmpty()) {
        QVERIFY(loaded.wait());
        QVERIFY2(shownText(view).contains(shown), qPrintable(shownText(view)));
        return;
    }
    QTRY_VERIFY(started.count() > 0 || view->title() == QLatin1String("decided"));
    QCOMPARE(started.count(), 0);
    QCOMPARE(view->url(), taskList);
    QVERIFY(shownText(view).contains(QStringLiteral("连续七天同步手环数据")));
    const QString refusal = QStringLiteral("navigation refused, scheme= \"%1\"").arg(refused);
    QVERIFY2(LogCapture::lines.filter(refusal).size() == 1, qPrintable(LogCapture::lines.join('\n')));
}

QTEST_MAIN(TestPageQuests)
#include "tst_pagequests.moc"
