#include "webpagequests.h"

#include "trace.h"

#include <QNetworkRequest>
#include <QWebSettings>

WebPageQuests::WebPageQuests(QObject* parent)
    : QWebPage(parent)
{
    settings()->setAttribute(QWebSettings::PluginsEnabled, false);
    settings()->setAttribute(QWebSettings::LocalContentCanAccessFileUrls, false);
    settings()->setAttribute(QWebSettings::LocalContentCanAccessRemoteUrls, false);
}

// A page inside the program has no address bar: one that went to a file, a data address or
// another scheme would pass for the service's own.
bool WebPageQuests::acceptNavigationRequest(QWebFrame* frame, const QNetworkRequest& request, NavigationType type)
{
    const QString scheme = request.url().scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return QWebPage::acceptNavigationRequest(frame, request, type);
    QLOG << "navigation refused, scheme=" << scheme;
    return false;
}
