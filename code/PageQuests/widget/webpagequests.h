#ifndef WEBPAGEQUESTS_H
#define WEBPAGEQUESTS_H

#include <QWebPage>

// The web page behind the task list view: the service's page runs its scripts and follows its
// links, but only over http and https, and without plugins or access to local files.
class WebPageQuests : public QWebPage
{
    Q_OBJECT
public:
    explicit WebPageQuests(QObject* parent = nullptr);

protected:
    bool acceptNavigationRequest(QWebFrame* frame, const QNetworkRequest& request, NavigationType type) override;
};

#endif // WEBPAGEQUESTS_H
