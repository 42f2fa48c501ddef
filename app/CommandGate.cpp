#include "app/CommandGate.h"

QString CommandGate::site(const QUrl& page) {
    const QUrl::FormattingOptions drop = QUrl::RemoveQuery | QUrl::RemoveFragment;
    if (page.isLocalFile() || page.host().isEmpty())
        return page.adjusted(drop).toString();
    return page.adjusted(drop | QUrl::RemovePath | QUrl::RemoveUserInfo).toString();
}

QString CommandGate::refusal(const QUrl& page) const {
    if (asking_)
        return QStringLiteral("another question about commands is open");
    if (refusedSites_.contains(site(page)))
        return QStringLiteral("the user refused the commands of this page until it is loaded "
                              "again");
    return QString();
}
