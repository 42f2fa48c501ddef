#include "app/CommandGate.h"

QString CommandGate::site(const QUrl& page) {
    const QUrl::FormattingOptions drop = QUrl::RemoveQuery | QUrl::RemoveFragment;
    if (page.isLocalFile() || page.host().isEmpty())
        return page.adjusted(drop).toString();
    return page.adjusted(drop | QUrl::RemovePath | QUrl::RemoveUserInfo).toString();
}

namespace {

QUrl withoutFragment(const QUrl& page) {
    return page.adjusted(QUrl::RemoveFragment);
}

// A page's script, or a frame's that reaches into it, may change the query of
// its address in place (history.pushState): the page is the same.
QUrl withoutQuery(const QUrl& page) {
    return page.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
}

} // namespace

void CommandGate::userLoads(const QUrl& page, const QUrl& shown) {
    refusedSites_.remove(site(page));
    notedRefusals_.remove(site(page));
    // Until the view has let it go, the page left is still the view's page.
    if (withoutFragment(page) != withoutFragment(shown))
        left_ = withoutFragment(shown);
}

void CommandGate::shows(const QUrl& page) {
    if (withoutFragment(page) == left_)
        left_.clear();
}

void CommandGate::holdsOutsideFrame(const QUrl& page, const QUrl& frame) {
    const QUrl key = withoutQuery(page);
    if (!key.isEmpty() && !outsideFrames_.contains(key))
        outsideFrames_.insert(key, frame);
}

QUrl CommandGate::outsideFrameOf(const QUrl& page) const {
    return outsideFrames_.value(withoutQuery(page));
}

QString CommandGate::refusal(const QUrl& page, const QUrl& holder) const {
    if (!left_.isEmpty() && withoutFragment(holder.isEmpty() ? page : holder) == left_)
        return QStringLiteral("its page is being left");
    if (asking_)
        return QStringLiteral("another question about commands is open");
    if (refusedSites_.contains(site(page)))
        return QStringLiteral("the user refused the commands of this page until it is loaded "
                              "again");
    return QString();
}

bool CommandGate::firstRefusal(const QUrl& page, const QString& reason) {
    QSet<QString>& noted = notedRefusals_[site(page)];
    if (noted.contains(reason))
        return false;
    noted.insert(reason);
    return true;
}
