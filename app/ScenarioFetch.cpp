#include "app/ScenarioFetch.h"

ScenarioFetch::ScenarioFetch(const QUrl& url, QObject* parent)
    : QObject(parent), fetch_(new NetworkFetch(url, maxSize, this)) {
    connect(fetch_, &NetworkFetch::fetched, this, [this](QByteArray text) {
        const int nul = text.indexOf('\0');
        if (nul >= 0)
            text.truncate(nul);
        emit fetched(text);
    });
    connect(fetch_, &NetworkFetch::failed, this, &ScenarioFetch::failed);
}
