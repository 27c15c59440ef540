#include "widgetpagequests.h"
#include "ui_widgetpagequests.h"

#include "corehub.h"
#include "trace.h"
#include "webpagequests.h"

#include <QGridLayout>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QUrl>
#include <QWebView>

namespace {

const QString TASK_LIST_PATH = QStringLiteral("/zentrova-web/task/list");

// Each value is percent-encoded on its own before the pieces are joined, so a token holding
// "&", "=", "+" or "%" reaches the service as it is; plain values give the same bytes as unencoded.
QByteArray taskListBody(const QString& token, const QString& version, const QString& language)
{
    return "accessToken=" + QUrl::toPercentEncoding(token) + "&version=" + QUrl::toPercentEncoding(version)
        + "&language=" + QUrl::toPercentEncoding(language);
}

QUrl taskListAddress(const QUrl& cloud)
{
    QUrl address;
    address.setScheme(cloud.scheme());
    address.setHost(cloud.host(), QUrl::DecodedMode);
    address.setPort(cloud.port(80));
    address.setPath(TASK_LIST_PATH, QUrl::DecodedMode);
    return address;
}

} // namespace

WidgetPageQuests::WidgetPageQuests(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetPageQuests)
{
    ui->setupUi(this);
    initData();
}

WidgetPageQuests::~WidgetPageQuests()
{
    delete ui;
}

void WidgetPageQuests::initData()
{
    m_webView = new QWebView();
    m_webView->setPage(new WebPageQuests(m_webView));
    QGridLayout* layout = new QGridLayout();
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_webView);
    setLayout(layout);
}

bool WidgetPageQuests::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    if (!msg)
        return result;
    const QUrl address = taskListAddress(msg->cloudAddress());
    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    const QByteArray body = taskListBody(msg->nsToken(), CoreHub::version(), msg->LanguageString());
    // The body holds the access token: log its length only.
    QLOG << "url=" << address.toString() << ",body length=" << body.size();
    m_webView->load(request, QNetworkAccessManager::PostOperation, body);
    return result;
}

void WidgetPageQuests::printSize()
{
    QLOG << "size=" << size();
}
