// One place as the place editor keeps it in its list: a line of text with
// the name (blanks written as "_"), latitude and longitude in degrees, then
// optionally "-panorama <file>" and "-weather <file>", the form in which the
// engine hands out and takes a body's places.
#pragma once

#include <QString>

struct PlaceRecord {
    QString name;
    double latitude = 0.0;
    double longitude = 0.0;
    QString panorama;
    QString weather;

    // Reads a record: words split at blanks; the name, then the two numbers
    // (0 where a word is no number), then "-panorama"/"Panorama" and
    // "-weather"/"Weather" each taking the next word, any other word skipped
    // - except that words right after a file name belong to it: they are
    // what a file name with blanks left in the record, and they are kept so
    // that such a record is refused instead of silently cut short. A record
    // that starts with a blank has an empty name.
    static PlaceRecord parse(const QString& text);

    // The record as the editor writes it: "%s %f %f" and the file options.
    QString format() const;

    // A typed name as the list shows it and the record holds it.
    static QString escapedName(const QString& typed);

    // A file name with a blank cannot be written into the record whole.
    bool hasBlankInFileName() const;
};
