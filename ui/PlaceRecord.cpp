#include "ui/PlaceRecord.h"

#include <QStringList>

#include "app/CommandText.h"

PlaceRecord PlaceRecord::parse(const QString& text) {
    PlaceRecord record;
    QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // The editor writes an empty name as nothing before the first blank; the
    // numbers then must not be taken for the name.
    if (!text.startsWith(QLatin1Char(' ')) && !words.isEmpty())
        record.name = words.takeFirst();
    if (words.size() > 0)
        record.latitude = CommandText::readReal(words[0].toStdString());
    if (words.size() > 1)
        record.longitude = CommandText::readReal(words[1].toStdString());
    QString* file = nullptr;
    for (int i = 2; i < words.size(); ++i) {
        const QString& word = words[i];
        QString* option = nullptr;
        if (word == QLatin1String("-panorama") || word == QLatin1String("Panorama"))
            option = &record.panorama;
        else if (word == QLatin1String("-weather") || word == QLatin1String("Weather"))
            option = &record.weather;
        if (option) {
            file = nullptr;
            if (i + 1 < words.size()) {
                *option = words[++i];
                file = option;
            }
        } else if (file) {
            *file += QLatin1Char(' ') + word;
        }
    }
    return record;
}

QString PlaceRecord::format() const {
    QString text = name + QLatin1Char(' ') + QString::number(latitude, 'f', 6) + QLatin1Char(' ') +
                   QString::number(longitude, 'f', 6);
    if (!panorama.isEmpty())
        text += QLatin1String(" -panorama ") + panorama;
    if (!weather.isEmpty())
        text += QLatin1String(" -weather ") + weather;
    return text;
}

QString PlaceRecord::escapedName(const QString& typed) {
    QString name = typed;
    return name.replace(QLatin1Char(' '), QLatin1Char('_'));
}

bool PlaceRecord::hasBlankInFileName() const {
    return panorama.contains(QLatin1Char(' ')) || weather.contains(QLatin1Char(' '));
}
