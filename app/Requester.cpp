#include "app/Requester.h"

#include <QCoreApplication>

#include "app/BrowserLinks.h"

namespace {

const char* const frameOf = QT_TRANSLATE_NOOP("OrvexMainForm", "%1 (a frame of %2)");

} // namespace

QString Requester::named(bool translated, const QString& programDir) const {
    if (kind_ == Frame) {
        const QString pattern = translated ? QCoreApplication::translate("OrvexMainForm", frameOf)
                                           : QString::fromLatin1(frameOf);
        return pattern.arg(frame_, page_.toString());
    }
    if (!address_.isEmpty())
        return address_;
    if (kind_ == User || !BrowserLinks::isTrustedLocation(page_, programDir))
        return page_.toString();
    // Posted inside a page of the program without a click of it: the
    // program's page is not the one asking.
    return translated ? QString() : QStringLiteral("a frame of ") + page_.toString();
}

QString Requester::name(const QString& programDir) const {
    return named(true, programDir);
}

QString Requester::logName(const QString& programDir) const {
    return named(false, programDir);
}
